#include "views/base_view.h"

#include <gtest/gtest.h>

#include "view_test_helpers.h"

namespace vek5 {
namespace {

using testing::FieldText;
using testing::ListTexts;

TEST(PlayingTimeText, FormatsTenthsAsHoursMinutesSecondsTenths) {
  struct Case {
    int32_t Tenths;
    const char* Text;
  };
  const Case cases[] = {
      {12345678, "   342:56:07,8"}, {0, "     0:00:00,0"},     {599, "     0:00:59,9"},
      {36000, "     1:00:00,0"},    {35999, "     0:59:59,9"},
  };
  for (const Case& c : cases) EXPECT_EQ(PlayingTimeText(c.Tenths), c.Text) << c.Tenths;
}

TEST(GameStatusText, NamesTheOutcomeOfAnEndedGameOnly) {
  struct Case {
    int32_t GameOver;
    int32_t VictoryType;
    const char* Text;
  };
  const Case cases[] = {
      {0, 2, "Incomplete"}, {0, -1, "Incomplete"}, {0, 7, "Incomplete"}, {-1, -1, "Loss"},
      {1, 0, "Time"},       {1, 1, "Science"},     {1, 2, "Domination"}, {1, 3, "Culture"},
      {1, 4, "Diplomatic"}, {1, 5, "Unknown"},     {1, 7, "Unknown"},    {1, -2, "Unknown"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GameStatusText(c.GameOver, c.VictoryType), c.Text)
        << c.GameOver << " " << c.VictoryType;
  }
}

std::unique_ptr<GameState> SmallGame() {
  auto state = NewGameState();
  state->SaveVersion = 8;
  state->GameVersion = "1.0.3.80 (389545)";
  state->PlayerCivName = "Japan";
  state->HandicapName = "Prince";
  state->GameSpeedName = "Standard";
  state->SpeedIndex = 2;
  state->StartTurn = 0;
  state->CurrentTurn = 95;
  state->MaxTurns = 500;
  state->CurrentYear = -1000;
  state->Score = 105;
  state->UserName = "Player";
  return state;
}

TEST(BaseContent, ShowsTheSettingsTurnsAndScoresInTheirFormats) {
  auto state = SmallGame();
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildBaseContent(*state, view);
  EXPECT_EQ(FieldText(content, "GameVersionE"), "1.0.3.80 (389545)");
  EXPECT_EQ(FieldText(content, "SaveIndexE"), "    8");
  EXPECT_EQ(FieldText(content, "CivNameE"), "Japan");
  EXPECT_EQ(FieldText(content, "CurrentTurn"), "  95/500");
  EXPECT_EQ(FieldText(content, "CurrentDate"), " 1000BC ");
  EXPECT_EQ(FieldText(content, "StartTurnE"), "   0");
  EXPECT_EQ(FieldText(content, "StartDateE"), " 4000BC ");
  EXPECT_EQ(FieldText(content, "GameScore"), "   105");
  EXPECT_EQ(FieldText(content, "ProjectedScore"), "     552");  // 105 * 100 / 19
  EXPECT_EQ(FieldText(content, "GameStatus"), "Incomplete");
  EXPECT_EQ(FieldText(content, "UserNameE"), "Player");
}

TEST(BaseContent, YearZeroShowsTheNarrowLiteralAndTheMonth) {
  auto state = SmallGame();
  state->SpeedIndex = 3;
  state->StartTurn = 75;  // year 0 in the 330-turn calendar
  state->CurrentTurn = 441;
  state->CurrentYear = 0;
  state->CurrentDateText = "";
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildBaseContent(*state, view);
  EXPECT_EQ(FieldText(content, "CurrentDate"), "   1AD ");
  EXPECT_EQ(FieldText(content, "StartDateE"), "   1AD ");

  state->SpeedIndex = 2;
  state->StartTurn = 441;
  state->CurrentYear = 2020;
  state->CurrentDateText = "Jul";
  const TabContent late = BuildBaseContent(*state, view);
  EXPECT_EQ(FieldText(late, "CurrentDate"), " 2020AD Jul");
  EXPECT_EQ(FieldText(late, "StartDateE"), " 2020AD Jul");
}

TEST(BaseContent, ProjectedScoreIsZeroWithoutATurnLimit) {
  auto state = SmallGame();
  state->MaxTurns = 0;
  ViewState view = FreshViewState(*state);
  EXPECT_EQ(FieldText(BuildBaseContent(*state, view), "ProjectedScore"), "       0");

  state->Score = 500;
  state->CurrentTurn = 100;
  state->MaxTurns = 500;
  EXPECT_EQ(FieldText(BuildBaseContent(*state, view), "ProjectedScore"), "    2500");
}

TEST(BaseContent, StartingDateMovesTheViewsTurnsPlayedOnly) {
  auto state = SmallGame();
  state->TurnsPlayed = 40;
  state->StartTurn = 600;  // beyond the 500-turn calendar
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildBaseContent(*state, view);
  EXPECT_EQ(view.TurnsPlayed, 500);
  EXPECT_EQ(state->TurnsPlayed, 40);
  EXPECT_EQ(FieldText(content, "StartDateE"), " 2100AD Jan");
}

TEST(BaseContent, ChecksAllowedVictoriesAndListsEnabledOptionsAndContentInOrder) {
  auto state = SmallGame();
  state->VictoryAllowed = {-1, 0, 1, 0, -1};
  state->GameOptionNames[0] = "Quick Combat";
  state->GameOptionValues[0] = 1;
  state->GameOptionNames[1] = "Raging Barbarians";
  state->GameOptionValues[1] = 0;
  state->GameOptionNames[23] = "No Cultural Overview";
  state->GameOptionValues[23] = -1;
  state->DlcNames[0] = "Expansion One";
  state->DlcListed[0] = -1;
  state->DlcNames[1] = "Not Listed";
  state->DlcNames[98] = "Last Pack";
  state->DlcListed[98] = -1;
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildBaseContent(*state, view);

  const bool expected[kVictoryTypes] = {true, false, true, false, true};
  for (int k = 0; k < kVictoryTypes; ++k) {
    const auto it =
        std::find_if(content.Checks.begin(), content.Checks.end(),
                     [k](const CheckContent& c) { return c.Control == kVictoryChecks[k]; });
    ASSERT_NE(it, content.Checks.end()) << kVictoryChecks[k];
    EXPECT_EQ(it->Checked, expected[k]) << kVictoryChecks[k];
  }
  EXPECT_EQ(ListTexts(content, "GameOptionBox"),
            (std::vector<std::string>{"Quick Combat", "No Cultural Overview"}));
  EXPECT_EQ(ListTexts(content, "DLCBox"), (std::vector<std::string>{"Expansion One", "Last Pack"}));
}

TEST(PlayerSelectorItems, OneItemPerEntryInUse) {
  auto state = NewGameState();
  state->Leaders[0].LeaderName = "Oda Nobunaga";
  state->Leaders[1].LeaderName = "Geneva";
  state->Leaders[2].LeaderName = "Barbarian";
  state->PlayerCount = 3;
  EXPECT_EQ(PlayerSelectorItems(*state),
            (std::vector<std::string>{"Oda Nobunaga", "Geneva", "Barbarian"}));

  // An unnamed entry keeps its item, so item n stays entry n.
  state->Leaders[1].LeaderName.clear();
  EXPECT_EQ(PlayerSelectorItems(*state),
            (std::vector<std::string>{"Oda Nobunaga", "", "Barbarian"}));

  // Entries past the count add no item; hostile counts are bounded by the capacity.
  state->PlayerCount = 2;
  EXPECT_EQ(PlayerSelectorItems(*state).size(), 2u);
  state->PlayerCount = -5;
  EXPECT_TRUE(PlayerSelectorItems(*state).empty());
  state->PlayerCount = 1000;
  EXPECT_EQ(PlayerSelectorItems(*state).size(), static_cast<size_t>(kMaxSlots));
}

}  // namespace
}  // namespace vek5
