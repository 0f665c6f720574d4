#include "views/graph_view.h"

#include <algorithm>
#include <cmath>

#include "model/format.h"
#include "model/reference_tables.h"

namespace vek5 {

const std::array<uint32_t, kGraphSeriesCount> GraphLineColors = {
    0xFF0000, 0x0000FF, 0x00FF00, 0xFFFF00, 0xFF8000, 0x00FFFF, 0xFF00FF, 0x808000, 0x800000,
    0x8000FF, 0x004000, 0x80FF80, 0x804000, 0x808040, 0x400040, 0x80FFFF, 0x004040, 0xFF8040,
    0x800080, 0x008000, 0x808080, 0x008080, 0x000080, 0xFFFFFF, 0x000000};

namespace {

// The fit starts from these bounds, so with nothing visible the axis sits around 999.
constexpr float kFitStartLow = 999;
constexpr float kFitStartHigh = 0;
constexpr double kFitMarginBelow = 0.02;
constexpr double kFitMarginAbove = 1.05;
// Axis positions beyond this are no turn of any game; it keeps the rounding defined.
constexpr double kAxisLimit = 1e9;

int32_t EntryCount(const GameState& state, const GraphContent& graph) {
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  const size_t count =
      std::min({graph.Entries.size(), static_cast<size_t>(players), state.HistoryData.size()});
  return static_cast<int32_t>(count);
}

// Nearest integer, halves to even, as the chart's axis positions are rounded.
int64_t RoundAxis(double position) {
  if (std::isnan(position)) return 0;
  return static_cast<int64_t>(std::nearbyint(std::clamp(position, -kAxisLimit, kAxisLimit)));
}

bool StatisticIsDrawable(const GraphContent& graph) {
  return graph.Statistic >= 0 && graph.Statistic < static_cast<int32_t>(graph.Statistics.size()) &&
         graph.Statistic < kHistorySeries;
}

void RecolourEntries(const ViewState& view, GraphContent& graph) {
  for (size_t i = 0; i < graph.Entries.size(); ++i) {
    const int32_t series = i < view.GraphSeriesOfEntry.size() ? view.GraphSeriesOfEntry[i] : -1;
    const bool drawn = series >= 0 && series < kGraphSeriesCount;
    graph.Entries[i].Color = drawn ? GraphEntryLineColor(static_cast<int32_t>(i)) : kBlack;
  }
}

}  // namespace

std::vector<std::string> GraphStatisticNames(const GameState& state) {
  // The trailing "Empty" of each list is never offered.
  std::vector<std::string> names;
  if (state.ZephPresent) {
    names.assign(ReplayDatasetNamesZeph.begin(), ReplayDatasetNamesZeph.end() - 1);
  } else {
    names.assign(ReplayDatasetNames.begin(), ReplayDatasetNames.end() - 1);
  }
  return names;
}

uint32_t GraphEntryLineColor(int32_t entry) {
  constexpr uint32_t kPureYellow = 0xFFFF00;
  constexpr uint32_t kReadableYellow = 0xC8A000;
  constexpr uint32_t kWhite = 0xFFFFFF;
  constexpr uint32_t kReadableGrey = 0xB0B0B0;
  const uint32_t colour =
      GraphLineColors[static_cast<size_t>(std::max(entry, 0) % kGraphSeriesCount)];
  if (colour == kPureYellow) return kReadableYellow;
  if (colour == kWhite) return kReadableGrey;
  return colour;
}

uint32_t GraphEntryColor(int32_t series) {
  if (series < 0) return kBlack;
  return SeriesColors[static_cast<size_t>(std::min(series, kGraphSeriesCount))];
}

void CheckGraphIndexes(GraphContent& graph, ViewState& view) {
  int32_t next = 0;
  for (size_t i = 0; i < view.GraphSeriesOfEntry.size(); ++i) {
    const bool checked = i < graph.Entries.size() && graph.Entries[i].Checked;
    view.GraphSeriesOfEntry[i] = checked ? next++ : -1;
  }
  RecolourEntries(view, graph);
}

void LimitCheckedEntries(GraphContent& graph) {
  int32_t checked = 0;
  for (GraphEntry& entry : graph.Entries) {
    if (!entry.Checked) continue;
    if (++checked > kGraphSeriesCount) entry.Checked = false;
  }
}

void DrawGraph(const GameState& state, const ViewState& view, GraphContent& graph) {
  for (size_t i = 0; i < graph.Series.size(); ++i) {
    graph.Series[i].Name = Format("Graph%02d", static_cast<int>(i + 1));
    graph.Series[i].Color = GraphLineColors[i];
    graph.Series[i].Points.clear();
  }
  if (!StatisticIsDrawable(graph)) return;
  const size_t statistic = static_cast<size_t>(graph.Statistic);
  // Only the stored turns are plotted.
  const int32_t first_turn = std::max(state.StartTurn, 0);
  const int32_t last_turn =
      static_cast<int32_t>(std::min<int64_t>(int64_t{state.CurrentTurn} - 1, kHistoryTurns - 1));
  const int32_t entries = EntryCount(state, graph);
  size_t next = 0;
  for (int32_t i = 0; i < entries && next < graph.Series.size(); ++i) {
    if (view.GraphSeriesOfEntry[static_cast<size_t>(i)] < 0) continue;
    graph.Series[next].Color = GraphEntryLineColor(i);
    std::vector<GraphPoint>& points = graph.Series[next++].Points;
    // An entry whose block lacks the statistic keeps its line, and colour, empty.
    if (!HistoryHoldsSeries(state, static_cast<size_t>(i), statistic)) continue;
    const auto& values = state.HistoryData[static_cast<size_t>(i)][statistic];
    for (int32_t t = first_turn; t <= last_turn; ++t) {
      points.push_back(
          {static_cast<double>(t), static_cast<double>(values[static_cast<size_t>(t)])});
    }
  }
}

void HistoryChartFitSize(const GameState& state, ViewState& view, GraphContent& graph) {
  const int64_t first = std::max<int64_t>(RoundAxis(graph.Horizontal.Min) - state.StartTurn, 0);
  int64_t last = RoundAxis(graph.Horizontal.Max) - state.StartTurn;
  if (last <= 0) last = std::max<int64_t>(int64_t{view.TurnsPlayed} - 1, 0);

  // Point j of a series is turn StartTurn + j; series shorter than j + 1 points are passed by.
  float low = kFitStartLow;
  float high = kFitStartHigh;
  for (const GraphSeries& series : graph.Series) {
    const int64_t end = std::min<int64_t>(last, static_cast<int64_t>(series.Points.size()) - 1);
    for (int64_t j = first; j <= end; ++j) {
      const float v = static_cast<float>(series.Points[static_cast<size_t>(j)].Value);
      low = std::min(low, v);
      high = std::max(high, v);
    }
  }
  if (low > high) high = low;
  if (view.GraphFitFromZero != kFalse && low > 0) low = 0;
  graph.Vertical = {static_cast<double>(low) - kFitMarginBelow * static_cast<double>(high),
                    kFitMarginAbove * static_cast<double>(high)};
  view.GraphFitFromZero = kFalse;
}

void SetGraphRangeAfterLoad(const ViewState& view, GraphContent& graph) {
  graph.Horizontal = {0, 0};
  if (view.TurnsPlayed > 1) graph.Horizontal.Max = view.TurnsPlayed - 1;
}

GraphContent BuildGraphContent(const GameState& state, ViewState& view) {
  GraphContent graph;
  graph.Statistics = GraphStatisticNames(state);
  graph.Statistic = 0;
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t i = 0; i < players; ++i) {
    const size_t entry = static_cast<size_t>(i);
    const bool checked = entry < state.GraphPlayerChecked.size() && state.GraphPlayerChecked[entry];
    graph.Entries.push_back({state.Leaders[entry].LeaderName, checked, kBlack});
  }
  CheckGraphIndexes(graph, view);
  SetGraphRangeAfterLoad(view, graph);
  DrawGraph(state, view, graph);
  HistoryChartFitSize(state, view, graph);
  return graph;
}

void SelectGraphStatistic(const GameState& state, ViewState& view, GraphContent& graph,
                          int32_t statistic) {
  const bool listed = statistic >= 0 && statistic < static_cast<int32_t>(graph.Statistics.size());
  graph.Statistic = listed ? statistic : -1;
  DrawGraph(state, view, graph);
  HistoryChartFitSize(state, view, graph);
}

void SetGraphEntryChecked(const GameState& state, ViewState& view, GraphContent& graph,
                          int32_t entry, bool checked) {
  if (entry < 0 || entry >= static_cast<int32_t>(graph.Entries.size())) return;
  graph.Entries[static_cast<size_t>(entry)].Checked = checked;
  LimitCheckedEntries(graph);
  CheckGraphIndexes(graph, view);
  DrawGraph(state, view, graph);
}

void UnselectAllGraphEntries(const GameState& state, ViewState& view, GraphContent& graph) {
  for (GraphEntry& entry : graph.Entries) entry.Checked = false;
  CheckGraphIndexes(graph, view);
  DrawGraph(state, view, graph);
}

void ZoomGraph(GraphContent& graph, AxisRange horizontal, AxisRange vertical) {
  if (horizontal.Min > horizontal.Max) std::swap(horizontal.Min, horizontal.Max);
  if (vertical.Min > vertical.Max) std::swap(vertical.Min, vertical.Max);
  graph.Horizontal = horizontal;
  graph.Vertical = vertical;
}

void HistoryChartUndoZoom(const GameState& state, ViewState& view, GraphContent& graph) {
  graph.Horizontal = {0, 0};
  view.GraphFitFromZero = kTrue;
  if (view.TurnsPlayed > 1) graph.Horizontal.Max = int64_t{state.CurrentTurn} - 1;
  HistoryChartFitSize(state, view, graph);
}

TabContent GraphTabContent(const GraphContent& graph) {
  TabContent tab;
  tab.SetField("GraphSelect", StatisticIsDrawable(graph)
                                  ? graph.Statistics[static_cast<size_t>(graph.Statistic)]
                                  : std::string());
  LinesContent& entries = tab.List("GraphPlayerList");
  for (const GraphEntry& entry : graph.Entries) {
    entries.Lines.push_back({(entry.Checked ? "[x] " : "[ ] ") + entry.Text, entry.Color});
  }
  LinesContent& chart = tab.List("HistoryChart");
  chart.Lines.push_back({Format("turns %.0f to %.0f, values %.2f to %.2f", graph.Horizontal.Min,
                                graph.Horizontal.Max, graph.Vertical.Min, graph.Vertical.Max),
                         kBlack});
  // Series k draws the k-th checked entry, so each line can be named by its player.
  size_t series = 0;
  for (const GraphEntry& entry : graph.Entries) {
    if (!entry.Checked || series >= graph.Series.size()) continue;
    const GraphSeries& line = graph.Series[series++];
    if (line.Points.empty()) continue;
    chart.Lines.push_back({Format("%s: %d points, last %.0f", entry.Text,
                                  static_cast<int>(line.Points.size()), line.Points.back().Value),
                           line.Color});
  }
  return tab;
}

}  // namespace vek5
