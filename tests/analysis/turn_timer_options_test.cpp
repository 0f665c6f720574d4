#include <gtest/gtest.h>

#include "analysis/header_fixture.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::GameDescription;
using Victories = std::array<int32_t, kVictoryTypes>;

TEST(ReadTurnTimer, VictoryBytesFillTheFiveVictoryTypes) {
  struct Case {
    std::vector<uint8_t> bytes;
    Victories expected;
  };
  const Case cases[] = {
      {{1, 0, 1, 1, 0}, {1, 0, 1, 1, 0}},
      {{0, 1, 0, 0, 1, 1, 1}, {0, 1, 0, 0, 1}},  // further bytes are read, not kept
      {{2, 255, 0}, {2, 255, 0, 0, 0}},
      {{}, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    GameDescription game;
    game.Victories = c.bytes;
    const auto state = Analyse(game);
    EXPECT_EQ(state->VictoryAllowed, c.expected);
    EXPECT_EQ(state->GameOptionNames[0], "Quick Combat");
  }
}

TEST(ReadTurnTimer, WithoutTheKeyNoVictoriesAreReadAndOptionsAreStillFound) {
  GameDescription game;
  game.TurnTimerKey = "TIMER_MEDIUM";
  const auto state = Analyse(game);
  EXPECT_EQ(state->VictoryAllowed, (Victories{0, 0, 0, 0, 0}));
  EXPECT_EQ(state->GameOptionNames[0], "Quick Combat");
}

TEST(ReadGameOptions, OptionsInFileOrderUpToTwentyFour) {
  GameDescription game;
  game.GameOptions.clear();
  for (int i = 0; i < 30; ++i) {
    game.GameOptions.push_back({"GAMEOPTION_OPTION_NUMBER_" + std::to_string(i), i % 3});
  }
  const auto state = Analyse(game);
  for (int i = 0; i < kMaxGameOptions; ++i) {
    EXPECT_EQ(state->GameOptionNames[i], "Option Number " + std::to_string(i));
    EXPECT_EQ(state->GameOptionValues[i], i % 3);  // a value of 2 counts as on
  }
}

TEST(ReadGameOptions, KeysAreShownTitleCasedWithBlanks) {
  GameDescription game;
  game.GameOptions = {{"GAMEOPTION_END_TURN_TIMER_ENABLED", 1}, {"GAMEOPTION_PITBOSS", 0}};
  const auto state = Analyse(game);
  EXPECT_EQ(state->GameOptionNames[0], "End Turn Timer Enabled");
  EXPECT_EQ(state->GameOptionValues[0], 1);
  EXPECT_EQ(state->GameOptionNames[1], "Pitboss");
  EXPECT_EQ(state->GameOptionNames[2], "");
}

}  // namespace
}  // namespace vek5
