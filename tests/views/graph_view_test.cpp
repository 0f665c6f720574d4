#include "views/graph_view.h"

#include <gtest/gtest.h>

#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr int32_t kScore = 0;
constexpr int32_t kGoldPerTurn = 3;

// A game of the given players, all checked, with values by player, statistic and turn.
std::unique_ptr<GameState> Game(int32_t players, int32_t start_turn, int32_t current_turn) {
  auto state = NewGameState();
  state->PlayerCount = players;
  state->StartTurn = start_turn;
  state->CurrentTurn = current_turn;
  state->TurnsPlayed = current_turn - start_turn;
  SizeHistory(*state, static_cast<size_t>(players));
  for (int32_t p = 0; p < players; ++p) {
    state->Leaders[p].LeaderName = "Leader " + std::to_string(p);
    state->GraphPlayerChecked.push_back(true);
    state->HistoryStored[p].Series.set();  // every player's block holds every series
  }
  return state;
}

void Fill(GameState& state, int32_t player, int32_t statistic, int32_t from_value, int32_t step) {
  for (int32_t t = std::max(state.StartTurn, 0); t < std::min(state.CurrentTurn, kHistoryTurns);
       ++t) {
    state.HistoryData[player][statistic].Set(t, from_value + step * (t - state.StartTurn));
  }
}

int32_t CheckedCount(const GraphContent& graph) {
  int32_t n = 0;
  for (const GraphEntry& e : graph.Entries) n += e.Checked ? 1 : 0;
  return n;
}

TEST(GraphColours, LinesAndEntriesShareColoursExceptTheFourteenth) {
  EXPECT_EQ(GraphLineColors[0], 0xFF0000u);
  EXPECT_EQ(GraphLineColors[13], 0x808040u);
  EXPECT_EQ(GraphEntryColor(13), 0x408080u);
  EXPECT_EQ(GraphLineColors[24], 0x000000u);
  for (int32_t k = 0; k < kGraphSeriesCount; ++k) {
    if (k != 13) {
      EXPECT_EQ(GraphEntryColor(k), GraphLineColors[k]) << k;
    }
  }
  EXPECT_EQ(GraphEntryColor(-1), kBlack);
  EXPECT_EQ(GraphEntryColor(25), kBlack);
  EXPECT_EQ(GraphEntryColor(63), kBlack);
}

TEST(GraphContentAfterLoad, EntriesFollowTheAnalysisChecksAndSeriesColours) {
  auto state = Game(4, 0, 10);
  state->GraphPlayerChecked[1] = false;  // a city-state
  ViewState view = FreshViewState(*state);
  const GraphContent graph = BuildGraphContent(*state, view);

  ASSERT_EQ(graph.Entries.size(), 4u);
  EXPECT_EQ(graph.Entries[2].Text, "Leader 2");
  EXPECT_EQ((std::vector<int32_t>{view.GraphSeriesOfEntry[0], view.GraphSeriesOfEntry[1],
                                  view.GraphSeriesOfEntry[2], view.GraphSeriesOfEntry[3],
                                  view.GraphSeriesOfEntry[4]}),
            (std::vector<int32_t>{0, -1, 1, 2, -1}));
  EXPECT_EQ(graph.Entries[0].Color, 0xFF0000u);
  EXPECT_EQ(graph.Entries[1].Color, kBlack);
  EXPECT_EQ(graph.Entries[2].Color, 0x00FF00u);  // its own colour, not the next line's
  EXPECT_EQ(graph.Series[1].Color, 0x00FF00u);
  EXPECT_EQ(graph.Series[0].Name, "Graph01");
  EXPECT_EQ(graph.Series[24].Name, "Graph25");
  EXPECT_EQ(graph.Series[13].Color, 0x808040u);
  EXPECT_EQ(graph.Statistic, 0);
}

// Each player keeps one colour, line and name alike, whatever else is checked; the yellow and
// the white are replaced by colours that read on white.
TEST(GraphColours, StayWithTheirPlayers) {
  auto state = Game(6, 0, 10);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  const auto colours = [&graph] {
    std::vector<uint32_t> entries;
    for (const GraphEntry& entry : graph.Entries) entries.push_back(entry.Color);
    return entries;
  };
  const std::vector<uint32_t> all = colours();
  EXPECT_EQ(all,
            (std::vector<uint32_t>{0xFF0000, 0x0000FF, 0x00FF00, 0xC8A000, 0xFF8000, 0x00FFFF}));
  SetGraphEntryChecked(*state, view, graph, 1, false);
  SetGraphEntryChecked(*state, view, graph, 2, false);
  EXPECT_EQ(colours(),
            (std::vector<uint32_t>{0xFF0000, kBlack, kBlack, 0xC8A000, 0xFF8000, 0x00FFFF}));
  EXPECT_EQ(graph.Series[1].Color, 0xC8A000u);  // the fourth player's line, drawn second
  EXPECT_EQ(GraphEntryLineColor(23), 0xB0B0B0u);
  EXPECT_EQ(GraphEntryLineColor(25), 0xFF0000u);
}

TEST(GraphContentAfterLoad, EntriesStopAtThePlayerCount) {
  auto state = Game(2, 0, 10);
  state->GraphPlayerChecked.resize(70, true);  // more marks than players
  ViewState view = FreshViewState(*state);
  const GraphContent graph = BuildGraphContent(*state, view);
  EXPECT_EQ(graph.Entries.size(), 2u);
  EXPECT_EQ(view.GraphSeriesOfEntry[2], -1);
}

TEST(GraphStatistics, ListDependsOnRuleSet) {
  auto state = NewGameState();
  const std::vector<std::string> base = GraphStatisticNames(*state);
  ASSERT_EQ(base.size(), 26u);
  EXPECT_EQ(base.front(), "Score");
  EXPECT_EQ(base.back(), "Military Might");
  state->ZephPresent = kTrue;
  const std::vector<std::string> zeph = GraphStatisticNames(*state);
  ASSERT_EQ(zeph.size(), 27u);
  EXPECT_EQ(zeph[17], "GPT International Trade");
  EXPECT_EQ(zeph.back(), "Military Might");
}

TEST(GraphLimit, AtMostTwentyFiveEntriesAreCheckedAndDrawn) {
  auto state = Game(30, 0, 5);
  for (int32_t p = 0; p < 30; ++p) Fill(*state, p, kScore, p, 0);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);

  // All 30 majors come checked from the analysis: 25 lines, the rest written in black.
  EXPECT_EQ(CheckedCount(graph), 30);
  EXPECT_EQ(graph.Series[24].Points.size(), 5u);
  EXPECT_EQ(graph.Series[24].Points[0].Value, 24);
  EXPECT_EQ(graph.Entries[25].Color, kBlack);
  EXPECT_EQ(graph.Entries[13].Color, 0x808040u);

  UnselectAllGraphEntries(*state, view, graph);
  for (int32_t p = 0; p < 25; ++p) SetGraphEntryChecked(*state, view, graph, p, true);
  EXPECT_EQ(CheckedCount(graph), 25);

  // A 26th entry later in the list is unchecked again at once.
  SetGraphEntryChecked(*state, view, graph, 27, true);
  EXPECT_FALSE(graph.Entries[27].Checked);
  EXPECT_EQ(view.GraphSeriesOfEntry[27], -1);
  EXPECT_EQ(CheckedCount(graph), 25);

  // Checking an earlier one keeps the first 25 in list order: the last checked one drops out.
  SetGraphEntryChecked(*state, view, graph, 5, false);
  SetGraphEntryChecked(*state, view, graph, 26, true);
  SetGraphEntryChecked(*state, view, graph, 5, true);
  EXPECT_TRUE(graph.Entries[5].Checked);
  EXPECT_FALSE(graph.Entries[26].Checked);
  EXPECT_EQ(CheckedCount(graph), 25);
  EXPECT_EQ(view.GraphSeriesOfEntry[24], 24);
  EXPECT_EQ(graph.Entries[24].Color, 0x000000u);  // the 25th line is black
}

TEST(GraphLimit, UnselectAllEmptiesEveryLineWithoutRefitting) {
  auto state = Game(3, 0, 10);
  for (int32_t p = 0; p < 3; ++p) Fill(*state, p, kScore, 10, 5);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  const AxisRange vertical = graph.Vertical;

  UnselectAllGraphEntries(*state, view, graph);
  EXPECT_EQ(CheckedCount(graph), 0);
  for (const GraphSeries& s : graph.Series) EXPECT_TRUE(s.Points.empty());
  for (const GraphEntry& e : graph.Entries) EXPECT_EQ(e.Color, kBlack);
  EXPECT_EQ(graph.Vertical.Min, vertical.Min);
  EXPECT_EQ(graph.Vertical.Max, vertical.Max);
}

TEST(DrawGraph, PlotsTheChosenStatisticOverTheStoredTurns) {
  auto state = Game(2, 3, 8);
  Fill(*state, 1, kGoldPerTurn, 100, -7);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  SelectGraphStatistic(*state, view, graph, kGoldPerTurn);

  const std::vector<GraphPoint>& points = graph.Series[1].Points;
  ASSERT_EQ(points.size(), 5u);
  EXPECT_EQ(points.front().Turn, 3);
  EXPECT_EQ(points.front().Value, 100);
  EXPECT_EQ(points.back().Turn, 7);
  EXPECT_EQ(points.back().Value, 72);

  SelectGraphStatistic(*state, view, graph, 26);  // not offered without Zeph
  EXPECT_EQ(graph.Statistic, -1);
  for (const GraphSeries& s : graph.Series) EXPECT_TRUE(s.Points.empty());
}

TEST(DrawGraph, AnEntryWhoseBlockLacksTheStatisticHasNoLineButKeepsItsColour) {
  // Entry 1 (barbarians, say) has no Score series, entry 2 no block at all; all are checked.
  auto state = Game(4, 0, 6);
  state->HistoryStored[1].Series.reset(kScore);
  state->HistoryStored[2].Series.reset();
  for (int32_t p = 0; p < 4; ++p) {
    Fill(*state, p, kScore, 10 * (p + 1), 1);
    Fill(*state, p, kGoldPerTurn, 5, 0);
  }
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  EXPECT_EQ(graph.Series[0].Points.size(), 6u);
  EXPECT_TRUE(graph.Series[1].Points.empty());
  EXPECT_TRUE(graph.Series[2].Points.empty());
  ASSERT_EQ(graph.Series[3].Points.size(), 6u);
  EXPECT_EQ(graph.Series[3].Points.front().Value, 40);  // the fourth entry keeps the fourth line
  EXPECT_EQ(graph.Entries[3].Color, GraphEntryLineColor(3));

  SelectGraphStatistic(*state, view, graph, kGoldPerTurn);
  EXPECT_EQ(graph.Series[1].Points.size(), 6u);
  EXPECT_TRUE(graph.Series[2].Points.empty());
}

TEST(DrawGraph, TurnsOutsideTheStoredRangeAreNotPlotted) {
  auto state = Game(1, -20, 4000);
  ViewState view = FreshViewState(*state);
  const GraphContent graph = BuildGraphContent(*state, view);
  ASSERT_EQ(graph.Series[0].Points.size(), static_cast<size_t>(kHistoryTurns));
  EXPECT_EQ(graph.Series[0].Points.front().Turn, 0);
  EXPECT_EQ(graph.Series[0].Points.back().Turn, kHistoryTurns - 1);
}

TEST(GraphFit, AxisNumbers) {
  struct Case {
    const char* name;
    bool checked;
    int32_t low_value, high_value;  // series values run from low to high over 10 turns
    bool from_zero;
    double min, max;
  };
  const std::vector<Case> cases = {
      {"nothing visible", false, 0, 0, false, 979.02, 1048.95},
      {"nothing visible, from zero", false, 0, 0, true, -19.98, 1048.95},
      {"scores after a load", true, 10, 500, true, -10, 525},
      {"scores after another statistic", true, 10, 500, false, 0, 525},
      {"all zero", true, 0, 0, false, 0, 0},
      {"all above 999", true, 2000, 3000, false, 939, 3150},
      {"negative values", true, -50, 40, false, -50.8, 42},
  };
  for (const Case& c : cases) {
    auto state = Game(1, 0, 10);
    state->GraphPlayerChecked[0] = c.checked;
    for (int32_t t = 0; t < 10; ++t) {
      state->HistoryData[0][kScore].Set(t, c.low_value + (c.high_value - c.low_value) * t / 9);
    }
    ViewState view = FreshViewState(*state);
    GraphContent graph = BuildGraphContent(*state, view);
    view.GraphFitFromZero = c.from_zero ? kTrue : kFalse;
    HistoryChartFitSize(*state, view, graph);
    EXPECT_NEAR(graph.Vertical.Min, c.min, 1e-4) << c.name;
    EXPECT_NEAR(graph.Vertical.Max, c.max, 1e-4) << c.name;
    EXPECT_EQ(view.GraphFitFromZero, kFalse) << c.name;
  }
}

TEST(GraphFit, LoadIncludesZeroAndAnotherStatisticFitsItsOwnMinimum) {
  auto state = Game(2, 0, 20);
  Fill(*state, 0, kScore, 10, 10);       // 10 .. 200
  Fill(*state, 1, kScore, 500, -10);     // 500 .. 310
  Fill(*state, 0, kGoldPerTurn, 40, 1);  // 40 .. 59
  Fill(*state, 1, kGoldPerTurn, 60, 2);  // 60 .. 98
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  EXPECT_NEAR(graph.Vertical.Min, -10, 1e-4);
  EXPECT_NEAR(graph.Vertical.Max, 525, 1e-4);

  SelectGraphStatistic(*state, view, graph, kGoldPerTurn);
  EXPECT_NEAR(graph.Vertical.Min, 40 - 0.02 * 98, 1e-4);
  EXPECT_NEAR(graph.Vertical.Max, 1.05 * 98, 1e-4);
}

TEST(GraphAxes, LateStartShowsTurnsPlayedAfterLoadAndAllTurnsAfterUndo) {
  auto state = Game(1, 100, 150);  // 50 turns played
  Fill(*state, 0, kScore, 1000, 10);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  EXPECT_EQ(graph.Horizontal.Min, 0);
  EXPECT_EQ(graph.Horizontal.Max, 49);
  EXPECT_EQ(graph.Series[0].Points.front().Turn, 100);
  // The fit after a load still covers the first 50 points of the line.
  EXPECT_NEAR(graph.Vertical.Max, 1.05 * 1490, 1e-3);

  HistoryChartUndoZoom(*state, view, graph);
  EXPECT_EQ(graph.Horizontal.Min, 0);
  EXPECT_EQ(graph.Horizontal.Max, 149);
  EXPECT_NEAR(graph.Vertical.Min, -0.02 * 1490, 1e-3);  // the undo fits from zero
}

TEST(GraphAxes, OneTurnPlayedLeavesAnEmptyRange) {
  auto state = Game(1, 0, 1);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);
  EXPECT_EQ(graph.Horizontal.Max, 0);
  HistoryChartUndoZoom(*state, view, graph);
  EXPECT_EQ(graph.Horizontal.Max, 0);
}

TEST(GraphAxes, ZoomSetsBothRangesAndALaterStatisticFitsTheZoomedTurns) {
  auto state = Game(1, 0, 100);
  Fill(*state, 0, kScore, 0, 1);
  Fill(*state, 0, kGoldPerTurn, 0, 3);
  ViewState view = FreshViewState(*state);
  GraphContent graph = BuildGraphContent(*state, view);

  ZoomGraph(graph, {40.4, 19.6}, {70, 10});
  EXPECT_EQ(graph.Horizontal.Min, 19.6);
  EXPECT_EQ(graph.Horizontal.Max, 40.4);
  EXPECT_EQ(graph.Vertical.Min, 10);
  EXPECT_EQ(graph.Vertical.Max, 70);

  SelectGraphStatistic(*state, view, graph, kGoldPerTurn);  // turns 20 to 40 of 3 per turn
  EXPECT_NEAR(graph.Vertical.Min, 60 - 0.02 * 120, 1e-4);
  EXPECT_NEAR(graph.Vertical.Max, 1.05 * 120, 1e-4);

  ZoomGraph(graph, {1e300, -1e300}, {0, 1});  // nonsense from a widget reads nothing outside
  SelectGraphStatistic(*state, view, graph, kScore);
  EXPECT_NEAR(graph.Vertical.Max, 1.05 * 99, 1e-4);
}

TEST(GraphReport, ShowsCheckListAndDrawnLines) {
  auto state = Game(2, 0, 3);
  state->GraphPlayerChecked[1] = false;
  ViewState view = FreshViewState(*state);
  const TabContent tab = GraphTabContent(BuildGraphContent(*state, view));
  ASSERT_NE(tab.FindList("GraphPlayerList"), nullptr);
  EXPECT_EQ(tab.FindList("GraphPlayerList")->Lines[1].Text, "[ ] Leader 1");
  EXPECT_EQ(tab.FindField("GraphSelect")->Text, "Score");
  EXPECT_EQ(tab.FindList("HistoryChart")->Lines.size(), 2u);
}

}  // namespace
}  // namespace vek5
