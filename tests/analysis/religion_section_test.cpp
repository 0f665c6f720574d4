#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "support/save_builder.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::ReligionDescription;
using testing::Rules;
using testing::WorldFormat;

std::unique_ptr<GameState> ReadFrom(const WorldFormat& format, const SaveImage& save) {
  auto state = MakeWorldState(format, {0, 1, 2, 3, 22});
  int32_t pos = save.BodyOffset;
  ReadReligions(save, *state, pos);
  return state;
}

class ReligionSection : public ::testing::TestWithParam<Rules> {
 protected:
  WorldFormat format{GetParam()};
};

TEST_P(ReligionSection, StoresTheFirstSixBeliefsOfEachFounder) {
  const std::vector<ReligionDescription> religions = {
      {0, {1001, 1002, 1003}},
      {3, {2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008}},
      {2, {3001, 3002}},
  };
  const auto state = ReadFrom(format, MakeBodyImage({WriteReligionBlock(format, religions)}));
  EXPECT_EQ(state->Leaders[0].Beliefs, (std::array<int32_t, 7>{1001, 1002, 1003, 0, 0, 0, 0}));
  EXPECT_EQ(state->Leaders[3].Beliefs,
            (std::array<int32_t, 7>{2001, 2002, 2003, 2004, 2005, 2006, 0}));
  // All eight beliefs and the trailing list were read past: the next record is in place.
  EXPECT_EQ(state->Leaders[2].Beliefs, (std::array<int32_t, 7>{3001, 3002, 0, 0, 0, 0, 0}));
  EXPECT_EQ(state->Leaders[1].Beliefs, (std::array<int32_t, 7>{}));
}

TEST_P(ReligionSection, KeepsEachRecordsFoundingAndTheNameItsFounderGaveIt) {
  ReligionDescription pantheon{1, {1001}};
  pantheon.Type = 0;
  pantheon.Pantheon = 1;
  pantheon.FoundedTurn = 36;
  ReligionDescription named{0, {1002, 1003}};
  named.Type = 5;
  named.HolyCityX = 41;
  named.HolyCityY = 17;
  named.FoundedTurn = 66;
  named.Enhanced = 1;
  named.CustomName = "Ittoism";
  ReligionDescription kept_type{3, {1004}};
  kept_type.Type = 8;
  kept_type.FoundedTurn = 92;
  ReligionDescription longest{2, {1005}};
  longest.Type = 9;
  longest.CustomName = std::string(127, 'x') + "\xC3\xA9";  // cut inside the last character
  ReligionDescription not_utf8{2, {1006}};
  not_utf8.Type = 10;
  not_utf8.CustomName = "Kopite\xFF";
  const auto state = ReadFrom(
      format,
      MakeBodyImage({WriteReligionBlock(format, {pantheon, named, kept_type, longest, not_utf8})}));
  ASSERT_EQ(state->Religions.size(), 5u);
  const TReligionRec& p = state->Religions[0];
  EXPECT_EQ(p.Founder, 1);
  EXPECT_EQ(p.Pantheon, kTrue);
  EXPECT_EQ(p.FoundedTurn, 36);
  const TReligionRec& r = state->Religions[1];
  EXPECT_EQ(r.Type, 5);
  EXPECT_EQ(r.Founder, 0);
  EXPECT_EQ(r.HolyCityX, 41);
  EXPECT_EQ(r.HolyCityY, 17);
  EXPECT_EQ(r.FoundedTurn, 66);
  EXPECT_EQ(r.Pantheon, kFalse);
  EXPECT_EQ(r.Enhanced, kTrue);
  EXPECT_EQ(r.CustomName, "Ittoism");
  EXPECT_EQ(state->Religions[2].CustomName, "");
  EXPECT_EQ(state->Religions[2].Type, 8);
  // A name filling its field without a zero byte ends with the field; what is not UTF-8 is none.
  EXPECT_EQ(state->Religions[3].CustomName, "");
  EXPECT_EQ(state->Religions[4].CustomName, "");
  // The beliefs are read as before.
  EXPECT_EQ(state->Leaders[0].Beliefs[1], 1003);
}

TEST_P(ReligionSection, SkipsFoundersOutsideThePlayerList) {
  const std::vector<ReligionDescription> religions = {
      {0, {1001}}, {-1, {7, 8}}, {64, {9}}, {1000000, {10}}, {1, {1101}}};
  const auto state = ReadFrom(format, MakeBodyImage({WriteReligionBlock(format, religions)}));
  EXPECT_EQ(state->Leaders[0].Beliefs[0], 1001);
  EXPECT_EQ(state->Leaders[1].Beliefs[0], 1101);
  for (int e = 2; e < kMaxSlots; ++e) EXPECT_EQ(state->Leaders[e].Beliefs[0], 0) << e;
}

TEST_P(ReligionSection, IgnoresAnAnchorAfterTheDatabase) {
  testing::ByteWriter database;
  database.Str("SQLite format 3");
  const auto state =
      ReadFrom(format, MakeBodyImage({database.bytes(), WriteReligionBlock(format, {{0, {5}}})}));
  EXPECT_EQ(state->Leaders[0].Beliefs[0], 0);
}

TEST_P(ReligionSection, SurvivesHostileCounts) {
  auto block = WriteReligionBlock(format, {{0, {1001, 1002}}, {1, {1003}}});
  for (const int32_t count : {-1, 0x7FFFFFFF}) {
    testing::PutIntAt(block, 4, count);
    const auto state = ReadFrom(format, MakeBodyImage({block}));
    EXPECT_EQ(state->Leaders[0].Beliefs[0], count > 0 ? 1001 : 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Expansions, ReligionSection, ::testing::Values(Rules::kExp1, Rules::kZeph),
                         [](const auto& info) { return testing::LayoutName({info.param}); });

TEST(ReligionSectionBase, HasNoReligions) {
  const WorldFormat exp1{Rules::kExp1};
  const auto state =
      ReadFrom(WorldFormat{Rules::kBase}, MakeBodyImage({WriteReligionBlock(exp1, {{0, {1001}}})}));
  EXPECT_EQ(state->Leaders[0].Beliefs[0], 0);
}

}  // namespace
}  // namespace vek5
