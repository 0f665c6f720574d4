#include "views/player_log_view.h"
#include "views/replay_view.h"

#include <gtest/gtest.h>

#include "model/calendar.h"

namespace vek5 {
namespace {

std::unique_ptr<GameState> LogGame(int32_t first, int32_t stop) {
  auto state = NewGameState();
  state->PlayerCount = 2;
  state->SpeedIndex = 2;
  state->TurnsPlayed = 50;
  state->PlayerLogs[1].First = first;
  state->PlayerLogs[1].Stop = stop;
  return state;
}

void Put(GameState& state, int32_t index, std::string text, int32_t turn = 10) {
  TMessageRec& m = state.PlayerLogs[1].Messages[index];
  m.Text = std::move(text);
  m.Turn = turn;
}

std::vector<std::string> Texts(const TabContent& tab) {
  std::vector<std::string> texts;
  for (const ColoredLine& line : tab.FindList("PlayerLog")->Lines) {
    EXPECT_EQ(line.Color, kBlack);
    texts.push_back(line.Text.substr(line.Text.rfind(' ') + 1));
  }
  return texts;
}

TEST(PlayerLog, RingOrder) {
  struct Case {
    const char* name;
    int32_t first, stop;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"wraps from 99 to 0, skipping empty messages", 95, 3, {"m95", "m97", "m99", "m0", "m2"}},
      {"plain range", 2, 50, {"m2"}},
      {"first equals stop lists the whole ring", 97, 97, {"m97", "m99", "m0", "m2", "m50", "m95"}},
      {"first outside the ring starts at 0", 150, 3, {"m0", "m2"}},
      {"negative first starts at 0", -4, 96, {"m0", "m2", "m50", "m95"}},
      {"stop outside the ring ends after one round",
       50,
       200,
       {"m50", "m95", "m97", "m99", "m0", "m2"}},
  };
  for (const Case& c : cases) {
    auto state = LogGame(c.first, c.stop);
    for (int32_t i : {95, 97, 99, 0, 2, 50})
      Put(*state, i, std::string("m").append(std::to_string(i)));
    Put(*state, 100, "beyond the ring");
    ViewState view = FreshViewState(*state);
    EXPECT_EQ(Texts(DrawPlayerLog(*state, view, 1)), c.expected) << c.name;
  }
}

TEST(PlayerLog, LineFormatAndYearZero) {
  auto state = LogGame(0, 3);
  Put(*state, 0, "Zero", 115);       // year 0 of the 500-turn calendar
  Put(*state, 1, "Late", 441);       // 2020 AD, July
  Put(*state, 2, "Early words", 5);  // 3800 BC
  ViewState view = FreshViewState(*state);
  const TabContent tab = DrawPlayerLog(*state, view, 1);
  const LinesContent& lines = *tab.FindList("PlayerLog");
  ASSERT_EQ(lines.Lines.size(), 3u);
  EXPECT_EQ(lines.Lines[0].Text, " 115   1AD  Zero");
  EXPECT_EQ(lines.Lines[1].Text, " 441 2020AD Jul Late");
  EXPECT_EQ(lines.Lines[2].Text, "   5 3800BC  Early words");
}

TEST(PlayerLog, ReplayListWidthOfYearZeroIsAParameter) {
  ViewState view;
  EXPECT_EQ(EventLineText(view, 3, 75, "x", kYearZeroWide), "  75    1AD  x");
  EXPECT_EQ(EventLineText(view, 3, 75, "x", kYearZeroNarrow), "  75   1AD  x");
}

TEST(PlayerLog, DatesMoveTheViewsTurnsPlayedOnly) {
  auto state = LogGame(0, 2);
  Put(*state, 0, "before the game", -1);
  ViewState view = FreshViewState(*state);
  DrawPlayerLog(*state, view, 1);
  EXPECT_EQ(view.TurnsPlayed, 0);
  EXPECT_EQ(state->TurnsPlayed, 50);

  Put(*state, 0, "after the calendar", 520);
  view = FreshViewState(*state);
  DrawPlayerLog(*state, view, 1);
  EXPECT_EQ(view.TurnsPlayed, 500);
}

TEST(PlayerLog, SelectionOutsideThePlayersShowsNothing) {
  auto state = LogGame(0, 2);
  Put(*state, 0, "one");
  state->PlayerLogs[0].Stop = 1;
  state->PlayerLogs[0].Messages[0].Text = "first";
  state->PlayerLogs[5].Messages[0].Text = "stale";
  ViewState view = FreshViewState(*state);
  EXPECT_EQ(Texts(DrawPlayerLog(*state, view, 5)), std::vector<std::string>{});
  EXPECT_EQ(Texts(DrawPlayerLog(*state, view, 64)), std::vector<std::string>{});
  // No selection shows the first player.
  EXPECT_EQ(Texts(DrawPlayerLog(*state, view, -1)), std::vector<std::string>{"first"});
}

TEST(PlayerLog, AnEmptyComputerLogSaysWhy) {
  auto state = LogGame(0, 0);
  ViewState view = FreshViewState(*state);
  state->Leaders[1].SlotStatus = 3;  // human: an empty log is just empty
  EXPECT_TRUE(DrawPlayerLog(*state, view, 1).FindList("PlayerLog")->Lines.empty());
  state->Leaders[1].SlotStatus = 1;
  const TabContent computer = DrawPlayerLog(*state, view, 1);
  ASSERT_EQ(computer.FindList("PlayerLog")->Lines.size(), 1u);
  EXPECT_EQ(computer.FindList("PlayerLog")->Lines[0].Text,
            "The game keeps no log for computer players.");
  Put(*state, 0, "kept");
  state->PlayerLogs[1].Stop = 1;
  EXPECT_EQ(Texts(DrawPlayerLog(*state, view, 1)), std::vector<std::string>{"kept"});
}

}  // namespace
}  // namespace vek5
