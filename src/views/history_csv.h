// The history series as CSV (RFC 4180: comma-separated, fields quoted where needed, CRLF line
// ends), for spreadsheets. The graph tab exports one statistic; `vek5 history-csv` all of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/game_state.h"

namespace vek5 {

// Whether a history value counts as held: the game's own turns always do, other turns only when
// the save stored a value there (an unwritten value reads as zero).
bool HistoryValueHeld(const GameState& state, int32_t turn, int32_t value);

// One statistic (an item index of the graph's statistic list): a header row "Turn" followed by
// the player names of the Leaders entries, then one row per turn at which any player holds a
// value, with an empty cell where a player holds none. Empty text for a statistic the save does
// not offer.
std::string HistoryCsv(const GameState& state, int series);

// Every statistic in one table: the columns of HistoryCsv behind a leading "Statistic" column
// that names the statistic of each row, statistics in the graph's order.
std::string HistoryCsvAll(const GameState& state);

// Appends one field, quoted when it holds a comma, a quote or a line end. A text that a
// spreadsheet would take for a formula (leading '=', '+', '-', '@', tab or CR) gets a leading
// apostrophe, so a name written into a save cannot run as a formula.
void AppendCsvText(std::string& out, std::string_view text);

}  // namespace vek5
