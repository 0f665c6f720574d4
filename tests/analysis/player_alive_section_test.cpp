#include <gtest/gtest.h>

#include "analysis/header_fixture.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::EconomyDescription;
using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::WorldFormat;
using testing::WriteEconomyAnchor;
using testing::WriteEconomyRecord;

struct RecordFlags {
  std::optional<int32_t> slot;  // the slot the record names as its own
  uint8_t alive;
  uint8_t ever_alive;
};

EconomyDescription WithFlags(const RecordFlags& flags) {
  EconomyDescription e;
  e.RecordSlot = flags.slot;
  e.Alive = flags.alive;
  e.EverAlive = flags.ever_alive;
  return e;
}

class AliveFlags : public ::testing::TestWithParam<WorldFormat> {
 protected:
  // Slots 0 and 1 listed, slot 1 with the given record; the entries start as the player list
  // leaves them, slot 1 with the given flag from its slot status.
  TLeaderInfoRec SecondPlayer(const RecordFlags& flags, int32_t alive_by_status = kTrue) const {
    auto state = MakeWorldState(GetParam(), {0, 1});
    state->Leaders[1].Alive = alive_by_status;
    std::vector<std::vector<uint8_t>> blocks;
    if (GetParam().RuleSet == Rules::kZeph) blocks.push_back(WriteEconomyAnchor());
    blocks.push_back(WriteEconomyRecord(GetParam(), WithFlags({0, 1, 1})));
    blocks.push_back(WriteEconomyRecord(GetParam(), WithFlags(flags)));
    const SaveImage image = MakeBodyImage(blocks);
    ReadAliveFlags(image, *state, FindPlayerRecords(image, *state));
    return state->Leaders[1];
  }
};

TEST_P(AliveFlags, ARecordThatNamesItsSlotDecides) {
  struct Case {
    RecordFlags flags;
    int32_t alive_by_status;
    int32_t alive;
  };
  const Case cases[] = {
      // Lost his last city: the slot status still says alive.
      {{1, 0, 1}, kTrue, kFalse},
      {{1, 1, 1}, kFalse, kTrue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << int{c.flags.alive} << int{c.flags.ever_alive});
    const TLeaderInfoRec p = SecondPlayer(c.flags, c.alive_by_status);
    EXPECT_EQ(p.Alive, c.alive);
    EXPECT_EQ(p.EverAlive, kTrue);
    EXPECT_EQ(p.AliveFromRecord, kTrue);
  }
}

TEST_P(AliveFlags, OtherwiseTheSlotStatusStays) {
  const RecordFlags untrusted[] = {
      {0, 0, 1},             // names another slot
      {std::nullopt, 0, 1},  // names none
      {1, 2, 1},             // not a flag byte
      {1, 0, 255},
      {1, 0, 0},  // a listed player who never lived: zeros where the flags should be
      {1, 1, 0},
  };
  for (const RecordFlags& flags : untrusted) {
    for (const int32_t by_status : {kTrue, kFalse}) {
      const TLeaderInfoRec p = SecondPlayer(flags, by_status);
      EXPECT_EQ(p.Alive, by_status);
      EXPECT_EQ(p.EverAlive, kTrue);
      EXPECT_EQ(p.AliveFromRecord, kFalse);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, AliveFlags,
                         ::testing::Values(WorldFormat{Rules::kBase},
                                           WorldFormat{Rules::kBase, true, true},
                                           WorldFormat{Rules::kExp1},
                                           WorldFormat{Rules::kExp1, true, true},
                                           WorldFormat{Rules::kZeph}),
                         [](const auto& info) { return testing::LayoutName(info.param); });

// A whole save: the player list takes the slot status (2 is dead), the records then overrule it.
TEST(AliveFlagsInASave, TheRecordOverrulesTheSlotStatus) {
  testing::GameDescription game;
  game.Slots[23].Status = 2;  // Geneva: dead by its slot
  const WorldFormat base{Rules::kBase, true, true};
  for (int32_t slot = 0; slot < testing::kSlotListLength; ++slot) {
    EconomyDescription e;
    e.RecordSlot = slot;
    e.Alive = slot == 1 ? 0 : 1;  // Egypt lost its last city
    if (slot == 23) e.RecordSlot = -1;
    game.BodySections.push_back(WriteEconomyRecord(base, e));
  }
  const auto state = testing::Analyse(game);
  ASSERT_EQ(state->PlayerCount, 5);
  EXPECT_EQ(state->Leaders[0].Alive, kTrue);
  EXPECT_EQ(state->Leaders[1].Alive, kFalse);
  EXPECT_EQ(state->Leaders[1].SlotStatus, testing::kStatusComputer);
  EXPECT_EQ(state->Leaders[2].Alive, kTrue);
  EXPECT_EQ(state->Leaders[3].Alive, kFalse);
  EXPECT_EQ(state->Leaders[3].AliveFromRecord, kFalse);
  EXPECT_EQ(state->Leaders[4].Alive, kTrue);
}

}  // namespace
}  // namespace vek5
