#include "container/byte_search.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VEK5_X86_VECTORS 1
#endif

namespace vek5 {
namespace {

// How common a byte value is in save bodies: zeros everywhere, then the bytes of -1, then the
// low bytes of small numbers. The filter compares the pattern's least common bytes.
int Commonness(uint8_t b) {
  if (b == 0x00) return 3;
  if (b == 0xFF) return 2;
  if (b < 0x10) return 1;
  return 0;
}

// The two offsets within the pattern (first < second) whose bytes the filter compares.
struct FilterOffsets {
  size_t First;
  size_t Second;
};

FilterOffsets ChooseOffsets(std::string_view pattern) {
  const auto byte = [&pattern](size_t i) { return static_cast<uint8_t>(pattern[i]); };
  size_t a = 0;
  for (size_t i = 1; i < pattern.size(); ++i) {
    if (Commonness(byte(i)) < Commonness(byte(a))) a = i;
  }
  // The second differs in place and preferably in value, so that runs of one byte pass less.
  size_t b = a == 0 ? 1 : 0;
  const auto rank = [&](size_t i) { return Commonness(byte(i)) * 2 + (byte(i) == byte(a)); };
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (i != a && rank(i) < rank(b)) b = i;
  }
  return a < b ? FilterOffsets{a, b} : FilterOffsets{b, a};
}

// Checks the candidates whose bits are set in mask, lowest offset first.
template <typename Mask>
int64_t FirstWholeMatch(const uint8_t* data, int64_t at, Mask mask, std::string_view pattern) {
  while (mask != 0) {
    const int bit = __builtin_ctz(static_cast<unsigned>(mask));
    const int64_t q = at + bit;
    if (std::memcmp(data + q, pattern.data(), pattern.size()) == 0) return q;
    mask &= mask - 1;
  }
  return -1;
}

int64_t ScalarSearch(const uint8_t* data, int64_t from, int64_t last, std::string_view pattern,
                     FilterOffsets f) {
  const auto b1 = static_cast<uint8_t>(pattern[f.First]);
  const auto b2 = static_cast<uint8_t>(pattern[f.Second]);
  for (int64_t p = from; p <= last; ++p) {
    if (data[p + f.First] == b1 && data[p + f.Second] == b2 &&
        std::memcmp(data + p, pattern.data(), pattern.size()) == 0) {
      return p;
    }
  }
  return -1;
}

#ifdef VEK5_X86_VECTORS

// Candidates p in [0, last]: 16 at a time, then the rest one by one.
int64_t Sse2Search(const uint8_t* data, int64_t last, std::string_view pattern, FilterOffsets f) {
  const __m128i v1 = _mm_set1_epi8(static_cast<char>(pattern[f.First]));
  const __m128i v2 = _mm_set1_epi8(static_cast<char>(pattern[f.Second]));
  int64_t p = 0;
  for (; p + 15 <= last; p += 16) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + f.First));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + f.Second));
    const int mask = _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, v1), _mm_cmpeq_epi8(b, v2)));
    if (mask != 0) {
      const int64_t q = FirstWholeMatch(data, p, static_cast<uint32_t>(mask), pattern);
      if (q >= 0) return q;
    }
  }
  return ScalarSearch(data, p, last, pattern, f);
}

__attribute__((target("avx2"))) int64_t Avx2Search(const uint8_t* data, int64_t last,
                                                   std::string_view pattern, FilterOffsets f) {
  const __m256i v1 = _mm256_set1_epi8(static_cast<char>(pattern[f.First]));
  const __m256i v2 = _mm256_set1_epi8(static_cast<char>(pattern[f.Second]));
  int64_t p = 0;
  for (; p + 31 <= last; p += 32) {
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + p + f.First));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + p + f.Second));
    const auto mask = static_cast<uint32_t>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(a, v1), _mm256_cmpeq_epi8(b, v2))));
    if (mask != 0) {
      const int64_t q = FirstWholeMatch(data, p, mask, pattern);
      if (q >= 0) return q;
    }
  }
  return ScalarSearch(data, p, last, pattern, f);
}

#endif

}  // namespace

int64_t FindBytes(const uint8_t* data, int64_t size, std::string_view pattern) {
  const auto m = static_cast<int64_t>(pattern.size());
  if (m == 0) return size >= 0 ? 0 : -1;
  if (size < m) return -1;
  if (m == 1) {
    const void* hit =
        std::memchr(data, static_cast<uint8_t>(pattern[0]), static_cast<size_t>(size));
    return hit ? static_cast<const uint8_t*>(hit) - data : -1;
  }
  const FilterOffsets f = ChooseOffsets(pattern);
  const int64_t last = size - m;  // the last offset where a whole match fits
#ifdef VEK5_X86_VECTORS
  if (__builtin_cpu_supports("avx2")) return Avx2Search(data, last, pattern, f);
  return Sse2Search(data, last, pattern, f);
#else
  return ScalarSearch(data, 0, last, pattern, f);
#endif
}

}  // namespace vek5
