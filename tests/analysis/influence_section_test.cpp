#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::WorldFormat;
using testing::WriteInfluenceRecord;

// A row of flags: -1 for the slots listed, 0 elsewhere.
std::array<int32_t, kMaxSlots> FlagsAt(std::initializer_list<int> slots) {
  std::array<int32_t, kMaxSlots> row{};
  for (const int slot : slots) row[slot] = kTrue;
  return row;
}

class InfluenceSection : public ::testing::TestWithParam<WorldFormat> {
 protected:
  std::unique_ptr<GameState> Read(const std::vector<std::vector<uint8_t>>& blocks) {
    auto state = MakeWorldState(GetParam(), {0, 1, 2, 3, 22, 23});
    ReadInfluence(MakeBodyImage(blocks), *state);
    return state;
  }
  std::vector<uint8_t> Record(const std::vector<int32_t>& influence, bool city_state = true) {
    return WriteInfluenceRecord(GetParam(), influence, city_state);
  }
};

TEST_P(InfluenceSection, FriendsAboveThirtyAndOneAllyFromSixty) {
  const auto state =
      Read({Record({2500, 3000, 3001, 6000}), Record({7000, 3500, 7000}), Record({5999, -2000})});
  EXPECT_EQ(state->CSInfluence[0][3], 6000);
  EXPECT_EQ(state->CSFriends[0], FlagsAt({2}));
  EXPECT_EQ(state->CSAllies[0], FlagsAt({3}));
  // A tie: the lower slot is the ally, the other stays a friend.
  EXPECT_EQ(state->CSFriends[1], FlagsAt({1, 2}));
  EXPECT_EQ(state->CSAllies[1], FlagsAt({0}));
  // Highest 59.99: a friend, no ally.
  EXPECT_EQ(state->CSFriends[2], FlagsAt({0}));
  EXPECT_EQ(state->CSAllies[2], FlagsAt({}));
  EXPECT_EQ(state->CSInfluence[2][1], -2000);
}

TEST_P(InfluenceSection, SkipsRecordsThatAreNoCityState) {
  const auto state = Read({Record({9000}, false), Record({100, 8000})});
  EXPECT_EQ(state->CSInfluence[0][1], 8000);
  EXPECT_EQ(state->CSAllies[0], FlagsAt({1}));
  EXPECT_EQ(state->CSInfluence[1], FlagsAt({}));
}

TEST_P(InfluenceSection, IgnoresRecordsBeyondTheTable) {
  std::vector<std::vector<uint8_t>> blocks;
  for (int r = 0; r < 66; ++r) blocks.push_back(Record({r + 1}));
  const auto state = Read(blocks);
  EXPECT_EQ(state->CSInfluence[63][0], 64);
}

INSTANTIATE_TEST_SUITE_P(Layouts, InfluenceSection,
                         ::testing::Values(WorldFormat{Rules::kBase},
                                           WorldFormat{Rules::kBase, true, true},
                                           WorldFormat{Rules::kExp1},
                                           WorldFormat{Rules::kExp1, true},
                                           WorldFormat{Rules::kZeph}),
                         [](const auto& info) { return testing::LayoutName(info.param); });

}  // namespace
}  // namespace vek5
