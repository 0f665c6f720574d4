#include "container/byte_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vek5 {
namespace {

int64_t NaiveFind(const std::vector<uint8_t>& data, int64_t size, const std::string& pattern) {
  const auto m = static_cast<int64_t>(pattern.size());
  for (int64_t p = 0; p + m <= size; ++p) {
    if (std::memcmp(data.data() + p, pattern.data(), pattern.size()) == 0) return p;
  }
  return -1;
}

// Few distinct byte values, so the vector filter passes many candidates that are no match, and
// matches fall at every offset within a vector and across the vector loop's end.
std::vector<uint8_t> SmallAlphabetBytes(size_t size) {
  std::vector<uint8_t> bytes(size);
  uint32_t seed = 99;
  const uint8_t alphabet[] = {0x00, 0xFF, 0x01, 0x19};
  for (auto& b : bytes) {
    seed = seed * 1103515245 + 12345;
    b = alphabet[(seed >> 16) % 4];
  }
  return bytes;
}

TEST(FindBytes, AgreesWithTheComparisonAtEveryOffset) {
  const std::vector<uint8_t> data = SmallAlphabetBytes(3000);
  const std::vector<std::string> patterns = {
      std::string("\x19", 1),
      std::string("\x00\x00", 2),
      std::string("\x19\x01\x00", 3),
      std::string("\x01\x02\x00\x00", 4),
      std::string("\xFF\x19\x19\x01", 4),
      std::string("\x00\xFF\x01\x19\x00\xFF\x01", 7),
      std::string("\xFF\xFF\xFF\xFF\x00\x00\x00\x00\x01\x00\x00\x00", 12)};
  for (const std::string& pattern : patterns) {
    // Every start of the range and sizes that end inside and around the vector loop.
    for (int64_t from = 0; from < 70; ++from) {
      for (int64_t size : {int64_t{0}, int64_t{1}, int64_t{5}, int64_t{31}, int64_t{32},
                           int64_t{33}, int64_t{47}, int64_t{64}, int64_t{200}, int64_t{2900}}) {
        std::vector<uint8_t> range(data.begin() + from, data.begin() + from + size);
        EXPECT_EQ(FindBytes(range.data(), size, pattern), NaiveFind(range, size, pattern))
            << "pattern length " << pattern.size() << ", from " << from << ", size " << size;
      }
    }
  }
}

TEST(FindBytes, FindsAMatchThatEndsExactlyAtTheRangesEnd) {
  std::vector<uint8_t> data(100, 0x07);
  const std::string pattern = "GAMEOPTION_";
  std::memcpy(data.data() + 100 - pattern.size(), pattern.data(), pattern.size());
  EXPECT_EQ(FindBytes(data.data(), 100, pattern), 89);
  EXPECT_EQ(FindBytes(data.data(), 99, pattern), -1);
}

}  // namespace
}  // namespace vek5
