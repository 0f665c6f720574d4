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
