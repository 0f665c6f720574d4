#include "container/marker_index.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>
#include <utility>

#include "container/byte_search.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VEK5_X86_VECTORS 1
#endif

namespace vek5 {
namespace {

using Entry = MarkerIndex::Entry;

// The vector filter compares two bytes of each pattern, its fingerprint, by their two halves
// (nibbles); the patterns share eight buckets, one bit each, and a candidate is checked against
// the patterns of the buckets whose bits survive.
constexpr size_t kFingerprint = 2;
constexpr int kBuckets = 8;
static_assert(kFingerprint <= MarkerIndex::kMinIndexedLength);

unsigned BucketOf(size_t entry) {
  return 1u << (entry % kBuckets);
}

void Record(Entry& entry, int64_t at) {
  if (!entry.Complete) return;
  if (entry.Offsets.size() >= MarkerIndex::kMaxIndexedOccurrences) {
    entry.Complete = false;
    std::vector<int32_t>().swap(entry.Offsets);
    return;
  }
  entry.Offsets.push_back(static_cast<int32_t>(at));
}

bool MatchesAt(const uint8_t* data, int64_t size, int64_t at, const std::string& pattern) {
  return at >= 0 && at + static_cast<int64_t>(pattern.size()) <= size &&
         data[at] == static_cast<uint8_t>(pattern[0]) &&
         std::memcmp(data + at, pattern.data(), pattern.size()) == 0;
}

// A fingerprint that is common in the data passes the filter often, each time for a comparison
// that fails: the rarest pair of bytes in samples of the data is taken.
constexpr int kSamples = 32;
constexpr int64_t kSampleSize = 4096;
constexpr int64_t kMinCountedSize = int64_t{1} << 20;

// How often each pair of bytes occurs in samples spread over the data. A small image is not
// counted: its scan is short whatever the fingerprints, and counting would cost more.
std::vector<uint32_t> PairCounts(const uint8_t* data, int64_t size) {
  if (size < kMinCountedSize) return {};
  std::vector<uint32_t> counts(size_t{1} << 16, 0);
  for (int k = 0; k < kSamples; ++k) {
    const int64_t from = size / kSamples * k;
    const int64_t to = std::min(from + kSampleSize, size - 1);
    for (int64_t i = from; i < to; ++i) ++counts[data[i] | (data[i + 1] << 8)];
  }
  return counts;
}

// How common a pair of bytes is taken to be without counts: saves are full of zero bytes.
uint32_t UncountedPairCount(uint8_t first, uint8_t second) {
  return first == 0 || second == 0 ? 1 : 0;
}

// Where in the pattern the fingerprint lies: its pair of bytes that is rarest in the samples (or
// without counts, one without a zero byte), the last such place on a tie (the keys a save holds
// differ more in their ends).
size_t FingerprintOffset(std::string_view pattern, const std::vector<uint32_t>& pair_counts) {
  size_t best = 0;
  uint32_t best_count = UINT32_MAX;
  for (size_t at = 0; at + kFingerprint <= pattern.size(); ++at) {
    const auto first = static_cast<uint8_t>(pattern[at]);
    const auto second = static_cast<uint8_t>(pattern[at + 1]);
    const uint32_t count = pair_counts.empty() ? UncountedPairCount(first, second)
                                               : pair_counts[first | (second << 8)];
    if (count <= best_count) {
      best = at;
      best_count = count;
    }
  }
  return best;
}

// Checks the patterns of the given buckets for a fingerprint at one offset.
void CheckAt(std::vector<Entry>& entries, const uint8_t* data, int64_t size, int64_t at,
             unsigned buckets) {
  for (; buckets != 0; buckets &= buckets - 1) {
    for (size_t i = static_cast<size_t>(__builtin_ctz(buckets)); i < entries.size();
         i += kBuckets) {
      Entry& entry = entries[i];
      const int64_t start = at - static_cast<int64_t>(entry.Fingerprint);
      if (MatchesAt(data, size, start, entry.Pattern)) Record(entry, start);
    }
  }
}

// Every pattern searched for on its own, pass after pass: where the vector filter is missing.
// Records the occurrences whose fingerprint starts in [from, to).
void ScanEachPattern(std::vector<Entry>& entries, const uint8_t* data, int64_t size, int64_t from,
                     int64_t to) {
  for (Entry& entry : entries) {
    const auto offset = static_cast<int64_t>(entry.Fingerprint);
    const int64_t end =
        std::min(size, to - offset + static_cast<int64_t>(entry.Pattern.size()) - 1);
    for (int64_t q = std::max<int64_t>(from - offset, 0); q < end && entry.Complete;) {
      const int64_t hit = FindBytes(data + q, end - q, entry.Pattern);
      if (hit < 0) break;
      Record(entry, q + hit);
      q += hit + 1;
    }
  }
}

#ifdef VEK5_X86_VECTORS

// For each fingerprint byte, the buckets whose pattern has each low and each high nibble there;
// every table twice, once per 128-bit lane.
struct NibbleTables {
  alignas(32) uint8_t Low[kFingerprint][32] = {};
  alignas(32) uint8_t High[kFingerprint][32] = {};
};

NibbleTables TablesOf(const std::vector<Entry>& entries) {
  NibbleTables t;
  for (size_t e = 0; e < entries.size(); ++e) {
    for (size_t i = 0; i < kFingerprint; ++i) {
      const auto b = static_cast<uint8_t>(entries[e].Pattern[entries[e].Fingerprint + i]);
      for (int lane = 0; lane < 32; lane += 16) {
        t.Low[i][lane + (b & 0x0F)] |= static_cast<uint8_t>(BucketOf(e));
        t.High[i][lane + (b >> 4)] |= static_cast<uint8_t>(BucketOf(e));
      }
    }
  }
  return t;
}

// Fingerprint offsets in [from, to), 32 at a time while the fingerprint's loads stay inside the
// data and the range; returns the first offset not looked at.
__attribute__((target("avx2"))) int64_t ScanAvx2(std::vector<Entry>& entries, const uint8_t* data,
                                                 int64_t size, int64_t from, int64_t to) {
  const NibbleTables t = TablesOf(entries);
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  __m256i low[kFingerprint];
  __m256i high[kFingerprint];
  for (size_t i = 0; i < kFingerprint; ++i) {
    low[i] = _mm256_load_si256(reinterpret_cast<const __m256i*>(t.Low[i]));
    high[i] = _mm256_load_si256(reinterpret_cast<const __m256i*>(t.High[i]));
  }
  constexpr int64_t kStep = 32;
  const int64_t last = std::min(size - static_cast<int64_t>(kFingerprint) + 1, to) - kStep;
  int64_t p = from;
  for (; p <= last; p += kStep) {
    __m256i m = _mm256_set1_epi8(-1);
    for (size_t i = 0; i < kFingerprint; ++i) {
      const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + p + i));
      const __m256i l = _mm256_shuffle_epi8(low[i], _mm256_and_si256(x, nibble));
      const __m256i h =
          _mm256_shuffle_epi8(high[i], _mm256_and_si256(_mm256_srli_epi16(x, 4), nibble));
      m = _mm256_and_si256(m, _mm256_and_si256(l, h));
    }
    const auto empty =
        static_cast<uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(m, _mm256_setzero_si256())));
    if (empty == 0xFFFFFFFFu) continue;
    alignas(32) uint8_t buckets[kStep];
    _mm256_store_si256(reinterpret_cast<__m256i*>(buckets), m);
    for (uint32_t c = ~empty; c != 0; c &= c - 1) {
      const int j = __builtin_ctz(c);
      CheckAt(entries, data, size, p + j, buckets[j]);
    }
  }
  return p;
}

#endif

// Records the occurrences whose fingerprint starts in [from, to), in order.
void ScanRange(std::vector<Entry>& entries, const uint8_t* data, int64_t size, int64_t from,
               int64_t to, MarkerScan scan) {
#ifdef VEK5_X86_VECTORS
  if (scan.VectorFilter && __builtin_cpu_supports("avx2")) {
    const unsigned all = (1u << kBuckets) - 1;
    for (int64_t p = ScanAvx2(entries, data, size, from, to); p < to; ++p) {
      CheckAt(entries, data, size, p, all);
    }
    return;
  }
#endif
  ScanEachPattern(entries, data, size, from, to);
}

// Appends the occurrences found in a later part of the data.
void Append(std::vector<Entry>& entries, const std::vector<Entry>& later) {
  for (size_t i = 0; i < entries.size(); ++i) {
    Entry& entry = entries[i];
    if (!entry.Complete) continue;
    if (!later[i].Complete ||
        entry.Offsets.size() + later[i].Offsets.size() > MarkerIndex::kMaxIndexedOccurrences) {
      entry.Complete = false;
      std::vector<int32_t>().swap(entry.Offsets);
      continue;
    }
    entry.Offsets.insert(entry.Offsets.end(), later[i].Offsets.begin(), later[i].Offsets.end());
  }
}

// Large images are scanned in parts on the machine's cores; the parts' occurrences are joined
// in order, so the index is the same however many parts there are.
constexpr int64_t kMinPartSize = int64_t{4} << 20;
constexpr unsigned kMaxParts = 4;

unsigned PartsFor(int64_t size) {
  const unsigned cores = std::max(std::thread::hardware_concurrency(), 1u);
  const auto by_size = static_cast<unsigned>(std::min<int64_t>(size / kMinPartSize, kMaxParts));
  return std::clamp(std::min(cores, by_size), 1u, kMaxParts);
}

void ScanAll(std::vector<Entry>& entries, const uint8_t* data, int64_t size, MarkerScan scan) {
  const auto parts = static_cast<unsigned>(std::clamp<int64_t>(
      scan.Parts == 0 ? PartsFor(size) : scan.Parts, 1, std::max<int64_t>(size, 1)));
  const int64_t part_size = size / parts;
  std::vector<std::vector<Entry>> later(parts - 1, entries);
  std::vector<std::thread> helpers;
  for (unsigned k = 1; k < parts; ++k) {
    const int64_t from = part_size * k;
    const int64_t to = k + 1 == parts ? size : part_size * (k + 1);
    std::vector<Entry>& found = later[k - 1];
    try {
      helpers.emplace_back(
          [&found, data, size, from, to, scan] { ScanRange(found, data, size, from, to, scan); });
    } catch (const std::system_error&) {
      ScanRange(found, data, size, from, to, scan);  // no thread to be had: scanned here instead
    }
  }
  ScanRange(entries, data, size, 0, parts == 1 ? size : part_size, scan);
  for (std::thread& helper : helpers) helper.join();
  for (const std::vector<Entry>& part : later) Append(entries, part);
}

// One entry for each pattern long enough to index, each pattern once.
std::vector<Entry> EntriesFor(std::span<const std::string> patterns,
                              const std::vector<uint32_t>& pair_counts) {
  std::vector<Entry> entries;
  for (const std::string& pattern : patterns) {
    const bool known = std::any_of(entries.begin(), entries.end(),
                                   [&pattern](const Entry& e) { return e.Pattern == pattern; });
    if (pattern.size() >= MarkerIndex::kMinIndexedLength && !known) {
      entries.push_back(Entry{pattern, FingerprintOffset(pattern, pair_counts), {}, true});
    }
  }
  return entries;
}

int64_t ReachOf(const std::vector<Entry>& entries) {
  int64_t reach = 0;
  for (const Entry& entry : entries) {
    reach = std::max(reach, static_cast<int64_t>(entry.Pattern.size() - entry.Fingerprint));
  }
  return reach;
}

// The scanning thread scans at least this much newly written data at a time, and looks for more
// for up to kSpinTime before it sleeps (the inflater writes a megabyte in about 0.3 ms).
constexpr int64_t kGrowthStep = int64_t{1} << 20;
constexpr std::chrono::microseconds kSpinTime{2000};

}  // namespace

MarkerIndex::MarkerIndex(const uint8_t* data, int64_t size, std::span<const std::string> patterns,
                         MarkerScan scan)
    : data_(data), size_(std::max<int64_t>(size, 0)) {
  if (size_ < 2) return;
  entries_ = EntriesFor(patterns, PairCounts(data, size_));
  if (!entries_.empty()) ScanAll(entries_, data_, size_, scan);
}

MarkerIndex::MarkerIndex(const uint8_t* data, int64_t size, std::vector<Entry> entries)
    : data_(data), size_(size), entries_(std::move(entries)) {}

// The fingerprints are chosen without counting byte pairs, since the data is not there yet;
// they only change the speed.
GrowingMarkerIndex::GrowingMarkerIndex(const uint8_t* data, std::span<const std::string> patterns,
                                       MarkerScan scan)
    : data_(data), entries_(EntriesFor(patterns, {})), scan_(scan), reach_(ReachOf(entries_)) {
  // On a single core the thread would only take turns with the writer.
  if (entries_.empty() || std::thread::hardware_concurrency() < 2) return;
  try {
    scanner_ = std::thread([this] { ScanWhileGrowing(); });
  } catch (const std::system_error&) {
    // No thread to be had: Finish scans it all.
  }
}

GrowingMarkerIndex::~GrowingMarkerIndex() {
  StopScanner();
}

void GrowingMarkerIndex::Grow(int64_t size) {
  if (!scanner_.joinable()) return;
  written_.store(size);
  bool sleeping = false;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    sleeping = sleeping_;
  }
  if (sleeping) grown_.notify_one();
}

MarkerIndex GrowingMarkerIndex::Finish(int64_t size) {
  StopScanner();
  if (failed_ || size < 2) return MarkerIndex();
  ScanUpTo(size, true);
  return MarkerIndex(data_, size, std::move(entries_));
}

void GrowingMarkerIndex::StopScanner() {
  if (!scanner_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finishing_.store(true);
  }
  grown_.notify_one();
  scanner_.join();
}

void GrowingMarkerIndex::ScanWhileGrowing() {
  try {
    for (int64_t written = AwaitGrowth(); written >= 0; written = AwaitGrowth()) {
      ScanUpTo(written, false);
    }
  } catch (const std::bad_alloc&) {
    failed_ = true;
  }
}

int64_t GrowingMarkerIndex::AwaitGrowth() {
  const auto ready = [this] {
    return finishing_.load() || written_.load() - scanned_ >= kGrowthStep;
  };
  // The next step is usually a fraction of a millisecond away: the thread looks again rather
  // than sleeps, since a woken thread is often put on the writer's core and holds it up.
  const auto spin_end = std::chrono::steady_clock::now() + kSpinTime;
  while (!ready() && std::chrono::steady_clock::now() < spin_end) std::this_thread::yield();
  if (!ready()) {
    std::unique_lock<std::mutex> lock(mutex_);
    sleeping_ = true;
    grown_.wait(lock, ready);
    sleeping_ = false;
  }
  return finishing_.load() ? -1 : written_.load();  // Finish scans the rest
}

void GrowingMarkerIndex::ScanUpTo(int64_t size, bool data_ends) {
  const int64_t to = data_ends ? size : size - reach_ + 1;
  if (to <= scanned_) return;
  ScanRange(entries_, data_, size, scanned_, to, scan_);
  scanned_ = to;
}

std::optional<int64_t> MarkerIndex::First(const uint8_t* data, int64_t size,
                                          std::string_view pattern, int64_t from) const {
  if (data != data_ || size != size_ || from < 0) return std::nullopt;
  for (const Entry& entry : entries_) {
    if (entry.Pattern != pattern) continue;
    if (!entry.Complete) return std::nullopt;
    const auto at = std::lower_bound(entry.Offsets.begin(), entry.Offsets.end(), from,
                                     [](int32_t offset, int64_t f) { return offset < f; });
    return at == entry.Offsets.end() ? -1 : int64_t{*at};
  }
  return std::nullopt;
}

}  // namespace vek5
