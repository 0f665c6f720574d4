#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "analysis/header_fixture.h"
#include "model/reference_tables.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::GameDescription;
using testing::HistoryPairs;
using testing::kStatusComputer;
using testing::kStatusHuman;
using testing::ReplayMessage;
using testing::SlotDescription;
using testing::WorldFormat;

constexpr int32_t kZephPackage = 1839232566;
constexpr int32_t kTurns = 40;
constexpr int32_t kComputerSlot = 5;

SlotDescription Major(int32_t civ, int32_t status) {
  return {civ, status, 0, 0, 0, "", "", ""};
}

// A Zeph game at turn 40 (turns 0 to 39 played) with `humans` humans in slots 0.., a computer
// player and the barbarians. Every player's history holds Score up to turn 40 and a second
// series up to the turn given for his slot in `last_turns` (turn 40 elsewhere): a player leaves
// the game where that series stops.
GameDescription GameOfHumans(int32_t humans, int32_t sessions,
                             const std::map<int32_t, int32_t>& last_turns = {}) {
  GameDescription game;
  game.Content = {{kZephPackage, {"Second expansion"}}};
  game.TurnsPlayed = kTurns;
  game.SessionCounter = sessions;
  game.GameType = humans > 1 ? kGameHotseat : kGameSinglePlayer;
  game.Slots.assign(testing::kSlotListLength, SlotDescription{});
  for (int32_t slot = 0; slot < humans; ++slot) game.Slots[slot] = Major(slot + 1, kStatusHuman);
  game.Slots[kComputerSlot] = Major(10, kStatusComputer);
  game.Slots[63] = Major(kCivBarbarian, kStatusComputer);
  game.BodySections.push_back(testing::WriteEconomyAnchor());
  for (int32_t slot = 0; slot < testing::kSlotListLength; ++slot) {
    std::optional<std::vector<HistoryPairs>> history;
    if (game.Slots[slot].CivType >= 0) {
      const auto left = last_turns.find(slot);
      const int32_t last = left == last_turns.end() ? kTurns : left->second;
      HistoryPairs score;
      HistoryPairs production;
      for (int32_t t = 0; t <= kTurns; ++t) score.push_back({t, 10 + t});
      for (int32_t t = 0; t <= last; ++t) production.push_back({t, 5});
      history = std::vector<HistoryPairs>{score, production};
    }
    game.BodySections.push_back(testing::WritePlayerRecord(WorldFormat{}, {}, history));
  }
  return game;
}

TEST(CountLoads, SetsTheSessionsAgainstOneLoadPerHumanTurn) {
  struct Case {
    const char* Name;
    int32_t Humans;
    int32_t Sessions;
    std::map<int32_t, int32_t> LastTurns;
    std::optional<int32_t> Needed;
    std::optional<int32_t> Extra;
    bool Countable;
  };
  const Case cases[] = {
      {"one human: sessions are loads", 1, 7, {}, std::nullopt, std::nullopt, true},
      {"three humans, five loads more", 3, 125, {}, 120, 5, true},
      {"three humans, ten loads fewer", 3, 110, {}, 120, -10, true},
      // Slot 1 plays turns 0 to 19 and then leaves; his Score goes on, which counts for nothing.
      {"a human leaves after turn 19", 3, 100, {{1, 19}}, 100, 0, true},
      // A computer player leaving changes nothing.
      {"a computer player leaves", 3, 120, {{kComputerSlot, 10}}, 120, 0, true},
      // A server that hands the save out resets the counter.
      {"a reset counter", 3, 1, {}, 120, std::nullopt, false},
      {"half the human turns still count", 3, 60, {}, 120, -60, true},
      {"below half they do not", 3, 59, {}, 120, std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto state = Analyse(GameOfHumans(c.Humans, c.Sessions, c.LastTurns));
    ASSERT_EQ(state->CurrentTurn, kTurns);
    ASSERT_EQ(state->HistoryData.size(), static_cast<size_t>(c.Humans + 2));
    const TLoadsRec& loads = state->Loads;
    EXPECT_EQ(loads.Humans, c.Humans);
    EXPECT_EQ(loads.Sessions, c.Sessions);
    EXPECT_EQ(loads.NeededLoads, c.Needed);
    EXPECT_EQ(loads.ExtraLoads, c.Extra);
    EXPECT_EQ(loads.Countable, c.Countable ? kTrue : kFalse);
  }
}

TEST(CountLoads, ASaveWithoutSessionsDoesNotCountTheLoadsOfItsOneHuman) {
  const auto state = Analyse(GameOfHumans(1, 0));
  EXPECT_EQ(state->Loads.Countable, kFalse);
  EXPECT_FALSE(state->Loads.ExtraLoads.has_value());
}

TEST(CountLoads, GroupsTheSessionStartsByTurn) {
  GameDescription game = GameOfHumans(1, 6);
  game.ReplayMessages = {{5, "Session 2 starts"},  {12, "Session 3 starts"},
                         {12, "Athens grows."},    {12, "Session 4 starts"},
                         {12, "Session 5 starts"}, {30, "Session 6 starts"}};
  const auto state = Analyse(game);
  EXPECT_EQ(state->Loads.PerTurn,
            (std::vector<std::pair<int32_t, int32_t>>{{5, 1}, {12, 3}, {30, 1}}));

  game.ReplayMessages = {{12, "Athens grows."}};
  EXPECT_TRUE(Analyse(game)->Loads.PerTurn.empty());
}

}  // namespace
}  // namespace vek5
