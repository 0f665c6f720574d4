// Where the markers that lead to a save's sections lie, all found in one pass over the image.
// The sections search a few markers again and again from ever later offsets, each search a pass
// over much of the body; with every occurrence recorded once, a search becomes a lookup.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

  static constexpr size_t kMinIndexedLength = 3;
  static constexpr size_t kMaxIndexedOccurrences = size_t{1} << 16;

  struct Entry {
    std::string Pattern;
    size_t Fingerprint = 0;        // offset in the pattern of the bytes the vector filter compares
    std::vector<int32_t> Offsets;  // increasing
    bool Complete = true;          // false: too many occurrences, Offsets dropped
  };

 private:
  const uint8_t* data_ = nullptr;
  int64_t size_ = 0;
  std::vector<Entry> entries_;
};

}  // namespace vek5
