#include "container/readers.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/save_builder.h"

namespace vek5 {
namespace {

SaveImage ImageOf(const std::vector<uint8_t>& bytes) {
  SaveImage image;
  image.SaveBuffer = bytes;
  image.DataLength = static_cast<int32_t>(bytes.size());
  return image;
}

SaveImage ImageOf(std::string_view text) {
  return ImageOf(std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(Readers, ReadLittleEndianValuesAndAdvance) {
  const SaveImage save =
      ImageOf(std::vector<uint8_t>{0x01, 0x02, 0x03, 0x84, 0xFE, 0xFF, 0x80, 0xC8});
  int32_t pos = 0;
  EXPECT_EQ(ReadInt(save, pos), static_cast<int32_t>(0x84030201));
  EXPECT_EQ(ReadShort(save, pos), -2);
  EXPECT_EQ(ReadChar(save, pos), static_cast<char>(0x80));
  EXPECT_EQ(ReadBool(save, pos), 200u);  // not reduced to 0/1
  EXPECT_EQ(pos, 8);
}

TEST(Readers, BytesOutsideTheImageReadAsZero) {
  const SaveImage save = ImageOf(std::vector<uint8_t>{0xAA, 0xBB});
  int32_t pos = -4;
  EXPECT_EQ(ReadInt(save, pos), 0);
  EXPECT_EQ(pos, 0);
  pos = -2;
  EXPECT_EQ(ReadInt(save, pos), static_cast<int32_t>(0xBBAA0000));
  pos = 1;
  EXPECT_EQ(ReadInt(save, pos), 0xBB);
  pos = INT32_MAX - 1;
  EXPECT_EQ(ReadInt(save, pos), 0);
  EXPECT_EQ(pos, INT32_MAX);  // never wraps around
  pos = INT32_MIN;
  EXPECT_EQ(ReadStr(save, pos), "");
}

struct StrCase {
  std::vector<uint8_t> bytes;
  bool unicode;
  std::string expected;
  int32_t advance;
};

std::vector<uint8_t> WithLength(int32_t n, std::vector<uint8_t> data, size_t pad = 8) {
  testing::ByteWriter w;
  w.Int(n);
  w.Bytes(data);
  w.Zeros(pad);
  return w.bytes();
}

TEST(Readers, StringReadersFollowTheirLengthField) {
  const std::vector<StrCase> cases = {
      {WithLength(0, {}), false, "", 4},
      {WithLength(-1, {'A'}), false, "", 4},
      {WithLength(16768, {'A'}), false, "", 4},
      {WithLength(4, {'A', 'B', 0, 'C'}), false, "AB", 8},
      {WithLength(3, {0x41, 0, 0x42, 0, 0x43, 0}), true, "ABC", 10},
      {WithLength(3, {0x41, 0x42, 0x43}), true, "ABC", 7},
      {WithLength(1, {0x41, 0x42}), true, "A", 6},
      {WithLength(3, {0x41, 0x05, 0x42}), true, "AB", 10},  // control byte: read as UTF-16
      {WithLength(0, {}), true, "", 4},
      {WithLength(16768, {'A'}), true, "", 4},
      // Texts running past the end of the image stop there: the bytes beyond read as zero.
      {WithLength(5, {'A', 'B'}, 0), false, "AB", 9},
      {WithLength(4, {0x41, 0x42, 0x43}, 0), true, "ABC", 8},
      {WithLength(3, {0x41, 0, 0x42}, 0), true, "AB", 10},
  };
  for (const StrCase& c : cases) {
    const SaveImage save = ImageOf(c.bytes);
    int32_t pos = 0;
    const std::string text = c.unicode ? ReadUStr(save, pos) : ReadStr(save, pos);
    EXPECT_EQ(text, c.expected);
    EXPECT_EQ(pos, c.advance) << c.expected;
  }
}

TEST(Readers, LongestStringIsRead) {
  const SaveImage save = ImageOf(WithLength(16767, std::vector<uint8_t>(16767, 'x')));
  int32_t pos = 0;
  EXPECT_EQ(ReadStr(save, pos).size(), 16767u);
  EXPECT_EQ(pos, 16771);
}

TEST(Search, FindsTheFirstMatchAtOrAfterStart) {
  const SaveImage save = ImageOf("..GAMEOPTION_X..GAMEOPTION_Y");
  EXPECT_EQ(FindStr(save, "GAMEOPTION_", 0), 2);
  EXPECT_EQ(FindStr(save, "GAMEOPTION_", 3), 16);
  EXPECT_EQ(FindStr(save, "GAMEOPTION_", 17), 0);
  EXPECT_EQ(FindStr(save, "GAMEOPTION_", save.DataLength), 0);
  EXPECT_EQ(FindStr(save, "gameoption_", 0), 0);  // case-sensitive
}

TEST(Search, FindIntMatchesLittleEndianValues) {
  const SaveImage save = ImageOf(std::vector<uint8_t>{9, 9, 0x19, 0x03, 0x01, 0xF5, 9, 0x19, 0x03});
  EXPECT_EQ(FindInt(save, static_cast<int32_t>(0xF5010319), 0), 2);
  EXPECT_EQ(FindInt(save, static_cast<int32_t>(0xF5010319), 3), 0);
  // A match may reach past the end, where bytes read as zero.
  EXPECT_EQ(FindInt(save, 0x0319, 3), 7);
  // Before offset 0 bytes read as zero too.
  EXPECT_EQ(FindInt(save, 0x09090000, -4), -2);
}

TEST(Search, AgreesWithTheComparisonAtEveryOffset) {
  std::vector<uint8_t> bytes(4000);
  uint32_t seed = 12345;
  for (auto& b : bytes) {
    seed = seed * 1103515245 + 12345;
    b = static_cast<uint8_t>((seed >> 16) % 3);  // few distinct bytes: many partial matches
  }
  const SaveImage save = ImageOf(bytes);
  for (const std::string& pattern :
       {std::string("\x01\x02\x01", 3), std::string("\x02\x02\x02\x02\x01", 5),
        std::string("\x01\x00", 2)}) {
    for (int32_t start = -3; start < save.DataLength + 2; start += 97) {
      int32_t expected = 0;
      if (start <= save.DataLength - 1) {
        for (int64_t p = start; p < save.DataLength; ++p) {
          bool all = true;
          for (size_t j = 0; j < pattern.size(); ++j) {
            all = all &&
                  ByteAt(save, p + static_cast<int64_t>(j)) == static_cast<uint8_t>(pattern[j]);
          }
          if (all) {
            expected = static_cast<int32_t>(p);
            break;
          }
        }
      }
      EXPECT_EQ(FindStr(save, pattern, start), expected) << start;
    }
  }
}

}  // namespace
}  // namespace vek5
