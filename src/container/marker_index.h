// Where the markers that lead to a save's sections lie, all found in one pass over the image.
// The sections search a few markers again and again from ever later offsets, each search a pass
// over much of the body; with every occurrence recorded once, a search becomes a lookup.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace vek5 {

// How the index scans: with the fastest filter the processor allows or each pattern on its own
// (what processors without the vector filter get), in as many parts as the machine's cores and
// the size suggest or in the given number. Tests compare the ways.
struct MarkerScan {
  bool VectorFilter = true;
  unsigned Parts = 0;  // 0: chosen by the machine and the size
};

class MarkerIndex {
 public:
  // Indexes nothing: every lookup says so.
  MarkerIndex() = default;

  // Records every occurrence lying wholly within data[0, size) of each pattern of at least
  // kMinIndexedLength bytes. A pattern found more than kMaxIndexedOccurrences times is dropped,
  // so hostile files full of a marker cannot make the index large.
  MarkerIndex(const uint8_t* data, int64_t size, std::span<const std::string> patterns,
              MarkerScan scan = {});

  // For an indexed pattern, exactly what a substring search of data[from, size) finds: the
  // offset (from data) of the first occurrence at or after from, or -1. For any other pattern,
  // or bytes other than the indexed ones, nothing.
  std::optional<int64_t> First(const uint8_t* data, int64_t size, std::string_view pattern,
                               int64_t from) const;

  // Whether this index was made of these very bytes (bytes changed in place cannot be told).
  bool Covers(const uint8_t* data, int64_t size) const {
    return !entries_.empty() && data == data_ && size == size_;
  }

  static constexpr size_t kMinIndexedLength = 3;
  static constexpr size_t kMaxIndexedOccurrences = size_t{1} << 16;

  struct Entry {
    std::string Pattern;
    size_t Fingerprint = 0;        // offset in the pattern of the bytes the vector filter compares
    std::vector<int32_t> Offsets;  // increasing
    bool Complete = true;          // false: too many occurrences, Offsets dropped
  };

 private:
  friend class GrowingMarkerIndex;
  MarkerIndex(const uint8_t* data, int64_t size, std::vector<Entry> entries);

  const uint8_t* data_ = nullptr;
  int64_t size_ = 0;
  std::vector<Entry> entries_;
};

// The index of data that is written from its start onwards, as a body is while it inflates:
// each stretch is scanned on a thread of its own as soon as it is written, while it is still in
// the cache and while the writer goes on, so that the index is ready soon after the data.
class GrowingMarkerIndex {
 public:
  // The data must not move and must outlive this object (or its Finish).
  GrowingMarkerIndex(const uint8_t* data, std::span<const std::string> patterns,
                     MarkerScan scan = {});
  // Stops the scanning thread; what it found is dropped.
  ~GrowingMarkerIndex();
  GrowingMarkerIndex(const GrowingMarkerIndex&) = delete;
  GrowingMarkerIndex& operator=(const GrowingMarkerIndex&) = delete;

  // data[0, size) is written and stays as it is; size never falls.
  void Grow(int64_t size);
  // data[0, size) is all there is: the same index MarkerIndex(data, size, patterns) makes. Call
  // once; the rest of the scanning is done here.
  MarkerIndex Finish(int64_t size);

 private:
  void ScanWhileGrowing();
  // The size written once it is a growth step past what is scanned, or -1 once finishing.
  int64_t AwaitGrowth();
  void StopScanner();
  // Scans the fingerprints of the occurrences wholly inside data[0, size), or all of them up to
  // size when the data ends there.
  void ScanUpTo(int64_t size, bool data_ends);

  const uint8_t* data_;
  std::vector<MarkerIndex::Entry> entries_;
  MarkerScan scan_;
  int64_t reach_ = 0;    // the most bytes an occurrence takes from its fingerprint on
  int64_t scanned_ = 0;  // fingerprints before this are scanned

  std::atomic<int64_t> written_{0};
  std::atomic<bool> finishing_{false};
  std::mutex mutex_;
  std::condition_variable grown_;
  bool sleeping_ = false;  // the thread waits on grown_
  bool failed_ = false;    // the thread ran out of memory: the index is left empty
  std::thread scanner_;
};

}  // namespace vek5
