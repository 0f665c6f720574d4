#include "views/window_texts.h"

#include <gtest/gtest.h>

#include <memory>

namespace vek5 {
namespace {

TEST(WindowTexts, TitleNamesFilePlayerAndTurn) {
  auto state = std::make_unique<GameState>();
  state->ZephPresent = kTrue;
  state->PlayerCivName = "Greece";
  state->CurrentTurn = 238;
  state->MaxTurns = 500;
  state->PlayerCount = 2;
  state->Leaders[0].LeaderName = "Genghis Khan";
  state->Leaders[0].CivName = "Mongolia";
  state->Leaders[1].LeaderName = "Alexander";
  state->Leaders[1].CivName = "Greece";
  EXPECT_EQ(WindowTitle(*state, "zeph-turn238"),
            "zeph-turn238 - Greece (Alexander), turn 238/500 - Vek5 Save Analyser");
  EXPECT_EQ(LoadStatusLine(*state, "zeph-turn238.Vek5Save", 0.147),
            "zeph-turn238.Vek5Save  |  Zeph  |  turn 238/500  |  loaded in 0.15 s");

  // A civilization no entry carries is named alone; a save without one names only the turn.
  state->PlayerCivName = "Babylon";
  EXPECT_EQ(WindowTitle(*state, "x"), "x - Babylon, turn 238/500 - Vek5 Save Analyser");
  state->PlayerCivName.clear();
  state->ZephPresent = kFalse;
  EXPECT_EQ(WindowTitle(*state, "x"), "x - turn 238/500 - Vek5 Save Analyser");
  EXPECT_EQ(RuleSetName(*state), "base game");
  state->Exp1Present = kTrue;
  EXPECT_EQ(RuleSetName(*state), "Exp1");
}

}  // namespace
}  // namespace vek5
