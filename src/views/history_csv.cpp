#include "views/history_csv.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "views/graph_view.h"

namespace vek5 {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kFormulaStarts = "=+-@\t\r";

struct HistoryTable {
  std::vector<std::string> Statistics;
  int32_t Entries = 0;  // Leaders entries that have a history data set
};

HistoryTable TableOf(const GameState& state) {
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  return {GraphStatisticNames(state),
          static_cast<int32_t>(std::min(static_cast<size_t>(players), state.HistoryData.size()))};
}

void AppendInt(std::string& out, int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

void AppendHeader(std::string& out, const GameState& state, const HistoryTable& table,
                  bool with_statistic) {
  if (with_statistic) out += "Statistic,";
  out += "Turn";
  for (int32_t e = 0; e < table.Entries; ++e) {
    out += ',';
    AppendCsvText(out, state.Leaders[static_cast<size_t>(e)].LeaderName);
  }
  out += kLineEnd;
}

// The rows of one statistic; `prefix` (already quoted, with its comma) leads every row.
void AppendRows(std::string& out, const GameState& state, const HistoryTable& table, int series,
                std::string_view prefix) {
  const auto& sets = state.HistoryData;
  for (int32_t turn = 0; turn < kHistoryTurns; ++turn) {
    const auto held = [&](int32_t e) {
      return HistoryValueHeld(state, turn, sets[static_cast<size_t>(e)][series][turn]);
    };
    bool any = false;
    for (int32_t e = 0; e < table.Entries && !any; ++e) any = held(e);
    if (!any) continue;
    out += prefix;
    AppendInt(out, turn);
    for (int32_t e = 0; e < table.Entries; ++e) {
      out += ',';
      if (held(e)) AppendInt(out, sets[static_cast<size_t>(e)][series][turn]);
    }
    out += kLineEnd;
  }
}

bool Offered(const HistoryTable& table, int series) {
  return series >= 0 && series < static_cast<int>(table.Statistics.size()) &&
         series < kHistorySeries;
}

}  // namespace

bool HistoryValueHeld(const GameState& state, int32_t turn, int32_t value) {
  return value != 0 || (turn >= state.StartTurn && turn < state.CurrentTurn);
}

void AppendCsvText(std::string& out, std::string_view text) {
  const bool formula = !text.empty() && kFormulaStarts.find(text.front()) != std::string_view::npos;
  const bool quoted = text.find_first_of(",\"\r\n") != std::string_view::npos;
  if (quoted) out += '"';
  if (formula) out += '\'';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  if (quoted) out += '"';
}

std::string HistoryCsv(const GameState& state, int series) {
  const HistoryTable table = TableOf(state);
  if (!Offered(table, series)) return {};
  std::string out;
  AppendHeader(out, state, table, false);
  AppendRows(out, state, table, series, {});
  return out;
}

std::string HistoryCsvAll(const GameState& state) {
  const HistoryTable table = TableOf(state);
  std::string out;
  AppendHeader(out, state, table, true);
  for (int series = 0; Offered(table, series); ++series) {
    std::string prefix;
    AppendCsvText(prefix, table.Statistics[static_cast<size_t>(series)]);
    prefix += ',';
    AppendRows(out, state, table, series, prefix);
  }
  return out;
}

}  // namespace vek5
