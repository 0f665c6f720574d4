// The history graph as plain data: the statistic list, the player check-list with the colour of
// each entry, the 25 line series with their points and the ranges of both axes. The chart
// widget copies this into its controls and forwards its events to the functions below; it does
// no computing of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

inline constexpr int kGraphSeriesCount = 25;
// The line colours, 0xRRGGBB. The check-list writes an entry in its line's colour, except for
// the 14th line, whose entry colour differs (see GraphEntryColor).
extern const std::array<uint32_t, kGraphSeriesCount> GraphLineColors;

struct GraphPoint {
  double Turn = 0;
  double Value = 0;
};

struct GraphSeries {
  std::string Name;  // "Graph01" .. "Graph25"
  uint32_t Color = kBlack;
  std::vector<GraphPoint> Points;  // ascending turns
};

struct AxisRange {
  double Min = 0;
  double Max = 0;
};

// One entry of the player check-list; entry i is Leaders entry i.
struct GraphEntry {
  std::string Text;
  bool Checked = false;
  uint32_t Color = kBlack;  // text colour
};

struct GraphContent {
  std::vector<std::string> Statistics;  // the items of GraphSelect
  int32_t Statistic = -1;               // selected item of GraphSelect, -1 none
  std::vector<GraphEntry> Entries;      // GraphPlayerList
  std::array<GraphSeries, kGraphSeriesCount> Series;
  AxisRange Horizontal;
  AxisRange Vertical;
};

// The statistics a save offers, by rule set.
std::vector<std::string> GraphStatisticNames(const GameState& state);

// Text colour of a check-list entry drawn by the given series (-1: unchecked), in the order of
// the lines. The window colours by entry instead (GraphEntryLineColor).
uint32_t GraphEntryColor(int32_t series);
// The colour of an entry's line and text: each entry keeps one colour whatever else is checked
// (the 25 colours by list position, repeating), with the yellow darkened and the white made
// grey so that both read on the graph's white.
uint32_t GraphEntryLineColor(int32_t entry);

// Numbers the checked entries in list order into view.GraphSeriesOfEntry and recolours the
// entries accordingly.
void CheckGraphIndexes(GraphContent& graph, ViewState& view);
// Unchecks every checked entry beyond the 25th, keeping the first 25 in list order.
void LimitCheckedEntries(GraphContent& graph);

// Refills the 25 series with the selected statistic of the checked entries.
void DrawGraph(const GameState& state, const ViewState& view, GraphContent& graph);
// Fits the vertical axis to the drawn points inside the horizontal range.
void HistoryChartFitSize(const GameState& state, ViewState& view, GraphContent& graph);
// The horizontal range right after a load: turns 0 to TurnsPlayed - 1 of the view state.
void SetGraphRangeAfterLoad(const ViewState& view, GraphContent& graph);

// The whole graph after an analysis: statistics, check-list as the analysis left it, first
// statistic selected, horizontal range, lines and fit. It reads the view's TurnsPlayed, so it
// belongs after the other tabs have formatted their dates.
GraphContent BuildGraphContent(const GameState& state, ViewState& view);

// Events of the tab.
void SelectGraphStatistic(const GameState& state, ViewState& view, GraphContent& graph,
                          int32_t statistic);
void SetGraphEntryChecked(const GameState& state, ViewState& view, GraphContent& graph,
                          int32_t entry, bool checked);
void UnselectAllGraphEntries(const GameState& state, ViewState& view, GraphContent& graph);
// The user's rectangle zoom: both ranges become the rectangle's; nothing is refitted.
void ZoomGraph(GraphContent& graph, AxisRange horizontal, AxisRange vertical);
void HistoryChartUndoZoom(const GameState& state, ViewState& view, GraphContent& graph);

// The graph tab for the text report: statistic list, coloured check-list, axes and one line
// per drawn series.
TabContent GraphTabContent(const GraphContent& graph);

}  // namespace vek5
