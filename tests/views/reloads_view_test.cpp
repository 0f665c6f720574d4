#include "views/reloads_view.h"

#include <gtest/gtest.h>

#include "view_test_helpers.h"
#include "views/loads_text.h"

namespace vek5 {
namespace {

using testing::FieldText;

TEST(CheckValues, PlaySessionsAndAverageFromThePreSessionsText) {
  struct Case {
    int32_t SessionCounter;
    int32_t PlayTimeSeconds;
    const char* PreSessions;
    int32_t PlaySessions;
    const char* PlaySessionsText;
    const char* AverageText;
  };
  const Case cases[] = {
      {12, 32400, "  3", 9, "     9", "     1:00:00"},
      {12, 32400, "3", 9, "     9", "     1:00:00"},
      {12, 32400, "+3", 9, "     9", "     1:00:00"},
      {3, 3661, "  0", 3, "     3", "     0:20:20"},
      {12, 32400, " 20", 0, "     0", "     0:00:00"},
      {0, 500, "  0", 0, "     0", "     0:00:00"},
      {1, 400000, "  0", 1, "     1", "   111:06:40"},
      // A negative count cannot overflow the difference.
      {12, 100, "-2147483648", INT32_MAX, "2147483647", "     0:00:00"},
  };
  for (const Case& c : cases) {
    auto state = NewGameState();
    state->SessionCounter = c.SessionCounter;
    state->PlayTimeSeconds = c.PlayTimeSeconds;
    ViewState view = FreshViewState(*state);
    const CheckValuesResult result = CheckValues(*state, view, c.PreSessions);
    ASSERT_FALSE(result.Error.has_value()) << c.PreSessions;
    EXPECT_EQ(view.PlaySessions, c.PlaySessions) << c.PreSessions;
    EXPECT_EQ(FieldText(result.Content, "PlaySessions"), c.PlaySessionsText) << c.PreSessions;
    EXPECT_EQ(FieldText(result.Content, "AverageSessionTime"), c.AverageText) << c.PreSessions;
  }
}

TEST(CheckValues, ATextThatIsNoWholeNumberGivesTheErrorAndChangesNothing) {
  auto state = NewGameState();
  state->SessionCounter = 12;
  state->PlayTimeSeconds = 32400;
  ViewState view = FreshViewState(*state);
  ASSERT_FALSE(CheckValues(*state, view, "  3").Error.has_value());

  for (const char* text : {"a", "", "   ", "3a", " 3 ", "1.5", "+-3", "99999999999"}) {
    const CheckValuesResult result = CheckValues(*state, view, text);
    ASSERT_TRUE(result.Error.has_value()) << text;
    EXPECT_EQ(*result.Error, std::string("'") + text + "' is not a valid integer value");
    EXPECT_TRUE(result.Content.Fields.empty()) << text;
    EXPECT_EQ(view.ReloadsAtStartTurn, 3) << text;
    EXPECT_EQ(view.PlaySessions, 9) << text;
    EXPECT_EQ(view.AverageSessionSeconds, 3600) << text;
  }
}

TEST(ReloadsContent, ShowsTheSessionsTheProposalAndTheSessionStartsByTurn) {
  auto state = NewGameState();
  state->SessionCounter = 12;
  state->ReloadsAtStartTurn = 2;
  state->PlayTimeSeconds = 36000;
  state->SpeedIndex = 3;
  state->SessionTurns = {0, 0, 75};
  state->SessionNumbers = {10, 11, 12};
  state->Loads.Sessions = 12;
  state->Loads.PerTurn = {{0, 2}, {75, 1}};
  ViewState view = FreshViewState(*state);
  const TabContent content = BuildReloadsContent(*state, view);
  EXPECT_EQ(FieldText(content, "SessionCount"), "    12");
  EXPECT_EQ(FieldText(content, "PreSessions"), "  2");
  EXPECT_EQ(FieldText(content, "PlaySessions"), "    10");
  EXPECT_EQ(FieldText(content, "AverageSessionTime"), "     1:00:00");
  EXPECT_EQ(FieldText(content, "SessionSummary"),
            "12 sessions; 1 turn with more than one session; most: turn 0, 2");
  const LinesContent* list = content.FindList("SessionListBox");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Lines.size(), 2u);
  EXPECT_EQ(list->Lines[0].Text, "Turn 0 (4000BC): loaded 2 times, sessions 10 to 11");
  EXPECT_EQ(list->Lines[0].Color, kRed);
  EXPECT_EQ(list->Lines[1].Text, "Turn 75 (1AD): session 12");
  EXPECT_EQ(list->Lines[1].Color, kBlack);
  EXPECT_EQ(view.PlaySessions, 10);
  EXPECT_EQ(view.AverageSessionSeconds, 3600);
}

TEST(ReloadsContent, SessionsOfOneTurnThatAreNotInSequenceAreListedOneByOne) {
  ViewState view;
  EXPECT_EQ(TurnLoadsLineText(view, 2, 228, {27, 29, 31}),
            "Turn 228 (1590AD): loaded 3 times, sessions 27, 29, 31");
}

TEST(ReloadsContent, TheSummarySaysWhatTheReplayHolds) {
  struct Case {
    std::vector<std::pair<int32_t, int32_t>> PerTurn;
    const char* Summary;
  };
  const Case cases[] = {
      {{}, "644 sessions; the replay holds no session messages"},
      {{{3, 1}, {9, 1}}, "644 sessions; no turn with more than one session"},
      {{{159, 2}, {226, 2}, {228, 5}, {230, 1}},
       "644 sessions; 3 turns with more than one session; most: turn 228, 5"},
  };
  for (const Case& c : cases) {
    TLoadsRec loads;
    loads.Sessions = 644;
    loads.PerTurn = c.PerTurn;
    EXPECT_EQ(SessionSummaryText(loads), c.Summary);
  }
}

// The loads of the three cases, as the tab, the report and the summaries give them.
TEST(ReloadsContent, LoadsByKindOfGame) {
  struct Case {
    const char* Name;
    int32_t Humans;
    int32_t Sessions;
    std::optional<int32_t> Needed;
    std::optional<int32_t> Extra;
    bool Countable;
    const char* NeededText;
    const char* ExtraText;
    const char* Short;
    const char* NoteStart;
  };
  const Case cases[] = {
      {"one human", 1, 34, std::nullopt, std::nullopt, true, "", "", "34 sessions, one human",
       "One human player: every session is a load of the game, so the save was loaded 34 times."},
      {"several humans", 4, 644, 656, -12, true, "656", "-12", "644 of 656 needed (-12)",
       "An estimate: a game of several humans is loaded once by each human each turn"},
      {"more loads", 5, 734, 730, 4, true, "730", "4", "734 of 730 needed (+4)", "An estimate:"},
      {"a reset counter", 3, 1, 123, std::nullopt, false, "123",
       "this save does not count its loads", "not counted: 1 session for 123 human turns",
       "This save does not count its loads: it holds 1 session where the game needed"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto state = NewGameState();
    state->GameType = c.Humans > 1 ? kGameHotseat : kGameSinglePlayer;
    state->SlotGameType = state->GameType;
    state->SessionCounter = c.Sessions;
    state->TurnsPlayed = 41;
    state->Loads = {c.Humans, c.Sessions, c.Needed, c.Extra, c.Countable ? kTrue : kFalse, {}};
    ViewState view = FreshViewState(*state);
    const TabContent content = BuildReloadsContent(*state, view);
    EXPECT_EQ(FieldText(content, "GameKind"), c.Humans > 1 ? "Hotseat" : "Single player");
    EXPECT_EQ(FieldText(content, "HumanPlayers"), std::to_string(c.Humans));
    EXPECT_EQ(FieldText(content, "NeededLoads"), c.NeededText);
    EXPECT_EQ(FieldText(content, "ExtraLoads"), c.ExtraText);
    EXPECT_EQ(LoadsShortText(state->Loads), c.Short);
    EXPECT_EQ(FieldText(content, "LoadsNote").rfind(c.NoteStart, 0), 0u)
        << FieldText(content, "LoadsNote");
  }
}

TEST(ReloadsContent, NamesThePlayerWhoseTurnItIsAndAKindOfGameTheCopyContradicts) {
  auto state = NewGameState();
  state->PlayerCount = 2;
  state->Leaders[0].LeaderName = "Alexander";
  state->Leaders[1].LeaderName = "Ramesses II";
  state->Leaders[1].Slot = 3;
  state->ActivePlayer = 3;
  state->GameType = kGameHotseat;
  state->SlotGameType = kGameEmail;
  ViewState view = FreshViewState(*state);
  TabContent content = BuildReloadsContent(*state, view);
  EXPECT_EQ(FieldText(content, "TurnPlayer"), "Ramesses II (slot 3)");
  EXPECT_EQ(FieldText(content, "GameKind"), "Hotseat");
  EXPECT_EQ(content.FindField("GameKind")->Hint, "The slot section says E-mail");
  state->ActivePlayer = 9;
  state->GameType = 7;
  state->SlotGameType = 7;
  content = BuildReloadsContent(*state, view);
  EXPECT_EQ(FieldText(content, "TurnPlayer"), "slot 9");
  EXPECT_EQ(FieldText(content, "GameKind"), "Unknown (7)");
  EXPECT_EQ(content.FindField("GameKind")->Hint, "");
}

}  // namespace
}  // namespace vek5
