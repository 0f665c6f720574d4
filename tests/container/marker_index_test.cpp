#include "container/marker_index.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "container/byte_search.h"
#include "container/readers.h"

namespace vek5 {
namespace {

// What a search from `from` gives without an index: the substring search of the rest.
int64_t Searched(const std::vector<uint8_t>& data, const std::string& pattern, int64_t from) {
  const int64_t size = static_cast<int64_t>(data.size());
  if (from > size) return -1;
  const int64_t hit = FindBytes(data.data() + from, size - from, pattern);
  return hit < 0 ? -1 : from + hit;
}

std::string IntBytes(uint32_t v) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(v >> (8 * i));
  return bytes;
}

// Noise made of the bytes saves are full of, with the patterns planted at random places, next to
// each other, overlapping themselves, at the very start and cut by the very end.
std::vector<uint8_t> DataWith(const std::vector<std::string>& patterns, size_t size,
                              unsigned seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> data(size);
  const uint8_t common[] = {0x00, 0x00, 0x00, 0xFF, 0x01, 0x02, 'A', '_', 0x19};
  for (uint8_t& b : data) b = common[random() % sizeof common];
  const auto plant = [&data](const std::string& p, size_t at) {
    for (size_t i = 0; i < p.size() && at + i < data.size(); ++i) data[at + i] = p[i];
  };
  for (const std::string& p : patterns) {
    for (int k = 0; k < 200; ++k) plant(p, random() % size);
    plant(p, 0);
    plant(p, 5000);
    plant(p, 5000 + p.size());  // right behind the one before
    plant(p, size - p.size());
    plant(p, size - p.size() + 1);  // cut by the end: not an occurrence
  }
  plant("aaaaaa", 7000);  // "aaa" overlaps itself four times
  return data;
}

const std::vector<std::string> kPatterns = {IntBytes(0xF5010319),
                                            IntBytes(0x6F229238),
                                            IntBytes(0x00000201),
                                            IntBytes(0xFFFFFFFF),
                                            "GAMEOPTION_",
                                            "SQLite",
                                            "from membership",
                                            "aaa",
                                            "BUILDING_STONE_WORKS",
                                            "BUILDING_FLOATING_GARDENS",
                                            "A_A"};

// Sizes below and above the size from which the image is scanned in parts on several cores.
TEST(MarkerIndex, FindsWhatTheSubstringSearchFindsFromEveryKindOfStart) {
  for (size_t size : {size_t{40}, size_t{70'000}, size_t{9'000'001}}) {
    SCOPED_TRACE(size);
    const std::vector<uint8_t> data = DataWith(kPatterns, size, static_cast<unsigned>(size));
    const int64_t n = static_cast<int64_t>(size);
    for (const MarkerScan scan : {MarkerScan{}, MarkerScan{false, 0}}) {
      SCOPED_TRACE(scan.VectorFilter);
      const MarkerIndex index(data.data(), n, kPatterns, scan);
      std::mt19937 random(7);
      for (const std::string& pattern : kPatterns) {
        SCOPED_TRACE(pattern);
        const auto known = index.First(data.data(), n, pattern, 0);
        ASSERT_TRUE(known.has_value());
        std::vector<int64_t> froms = {0, 1, 4999, 5000, 5001, n - 30, n - 1, n, n + 5};
        for (int k = 0; k < 300; ++k) froms.push_back(static_cast<int64_t>(random() % size));
        // Every occurrence in turn, as a section walks a marker's occurrences.
        for (int64_t at = Searched(data, pattern, 0); at >= 0 && froms.size() < 5000;
             at = Searched(data, pattern, at + 1)) {
          froms.push_back(at);
          froms.push_back(at + 1);
        }
        for (int64_t from : froms) {
          if (from < 0) continue;
          ASSERT_EQ(index.First(data.data(), n, pattern, from), Searched(data, pattern, from))
              << "from " << from;
        }
      }
    }
  }
}

// Every pattern alone at every place of a small image, scanned in one to five parts: no place
// is missed or found twice, at the parts' borders and the vector loop's ends alike.
TEST(MarkerIndex, FindsAPatternAtEveryPlaceWhateverTheParts) {
  constexpr int64_t kSize = 100;
  const std::vector<std::string> patterns = {IntBytes(0xF5010319), "GAMEOPTION_", "aaa",
                                             "BUILDING_FLOATING_GARDENS"};
  for (const std::string& pattern : patterns) {
    const auto m = static_cast<int64_t>(pattern.size());
    for (int64_t at = 0; at + m <= kSize; ++at) {
      std::vector<uint8_t> data(kSize, 0x55);
      std::copy(pattern.begin(), pattern.end(), data.begin() + at);
      for (unsigned parts : {1u, 2u, 3u, 5u}) {
        for (bool vector_filter : {true, false}) {
          const MarkerIndex index(data.data(), kSize, patterns, {vector_filter, parts});
          for (int64_t from : {int64_t{0}, at, at + 1}) {
            ASSERT_EQ(index.First(data.data(), kSize, pattern, from), Searched(data, pattern, from))
                << pattern << " at " << at << " from " << from << " in " << parts << " parts";
          }
        }
      }
    }
  }
}

// The index made while the data is written, whatever the sizes of the writes (one byte, odd
// sizes that cut patterns, more than the scanning thread waits for), is the one made after.
TEST(GrowingMarkerIndex, FindsWhatTheWholeIndexFinds) {
  struct Case {
    size_t Size;
    int64_t Step;
  };
  const Case cases[] = {{1, 1},
                        {40, 1},
                        {40, 7},
                        {70'000, 1},
                        {70'000, 4093},
                        {3'000'001, 65'537},
                        {3'000'001, 300'007},
                        {3'000'001, 3'000'001}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Size << " by " << c.Step);
    const std::vector<uint8_t> data = DataWith(kPatterns, c.Size, static_cast<unsigned>(c.Size));
    const int64_t n = static_cast<int64_t>(c.Size);
    for (const bool vector_filter : {true, false}) {
      GrowingMarkerIndex growing(data.data(), kPatterns, {vector_filter, 0});
      for (int64_t written = c.Step; written < n; written += c.Step) growing.Grow(written);
      const MarkerIndex index = growing.Finish(n);
      const MarkerIndex whole(data.data(), n, kPatterns, {vector_filter, 0});
      for (const std::string& pattern : kPatterns) {
        for (int64_t from : {int64_t{0}, int64_t{1}, n / 3, n / 2 + 1, n - 30, n - 1, n}) {
          if (from < 0) continue;
          ASSERT_EQ(index.First(data.data(), n, pattern, from),
                    whole.First(data.data(), n, pattern, from))
              << pattern << " from " << from;
        }
        if (n >= 2) {
          EXPECT_EQ(index.First(data.data(), n, pattern, 0), Searched(data, pattern, 0));
        }
      }
    }
  }
}

// A writer that fails half-way drops the index: the thread stops before the data goes.
TEST(GrowingMarkerIndex, CanBeDroppedUnfinished) {
  auto data = std::make_unique<std::vector<uint8_t>>(DataWith(kPatterns, 5'000'000, 11));
  {
    GrowingMarkerIndex growing(data->data(), kPatterns);
    growing.Grow(2'500'000);
  }
  data.reset();
  GrowingMarkerIndex never_grown(nullptr, kPatterns);
  EXPECT_FALSE(never_grown.Finish(0).First(nullptr, 0, kPatterns[0], 0).has_value());
}

TEST(MarkerIndex, LeavesToTheSearchWhatItDoesNotHold) {
  std::vector<uint8_t> data(100'000, 0x19);
  const int64_t n = static_cast<int64_t>(data.size());
  // A pattern found more often than the index keeps, one too short, one not asked for.
  const std::vector<std::string> patterns = {std::string(4, '\x19'), "ab", "SQLite"};
  const MarkerIndex index(data.data(), n, patterns);
  EXPECT_FALSE(index.First(data.data(), n, patterns[0], 0).has_value());
  EXPECT_FALSE(index.First(data.data(), n, "ab", 0).has_value());
  EXPECT_FALSE(index.First(data.data(), n, "GAMEOPTION_", 0).has_value());
  EXPECT_EQ(index.First(data.data(), n, "SQLite", 0), -1);
  // Other bytes than the indexed ones: the index does not answer for them.
  std::vector<uint8_t> copy = data;
  EXPECT_FALSE(index.First(copy.data(), n, "SQLite", 0).has_value());
  EXPECT_FALSE(index.First(data.data(), n - 1, "SQLite", 0).has_value());
  EXPECT_FALSE(MarkerIndex().First(data.data(), n, "SQLite", 0).has_value());
}

// The readers answer from the image's index exactly as they search without it, also for starts
// before the image and matches reaching past its end (where bytes read as zero).
TEST(MarkerIndex, ReadersGiveTheSameWithAndWithoutIt) {
  const std::vector<uint8_t> bytes = DataWith(kPatterns, 20'000, 3);
  SaveImage save;
  save.SaveBuffer = bytes;
  save.DataLength = static_cast<int32_t>(bytes.size());
  const int32_t n = save.DataLength;
  std::vector<int32_t> starts = {-10, -3, -1, 0, 1, 2, 4999, 5000, n - 40, n - 3, n - 1, n, n + 1};
  for (int32_t s = 0; s < n; s += 97) starts.push_back(s);
  std::vector<std::string> texts = kPatterns;
  texts.push_back(std::string("\x19\x03\0\0", 4));  // reaches past the end as zeros
  texts.push_back(std::string(3, '\0'));
  std::vector<int32_t> expected;
  for (const std::string& text : texts) {
    for (int32_t start : starts) expected.push_back(FindStr(save, text, start));
  }
  save.Markers = MarkerIndex(save.SaveBuffer.data(), n, texts);
  size_t k = 0;
  for (const std::string& text : texts) {
    for (int32_t start : starts) {
      EXPECT_EQ(FindStr(save, text, start), expected[k++]) << text << " from " << start;
    }
  }
}

}  // namespace
}  // namespace vek5
