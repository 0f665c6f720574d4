// The Series tab's content: a tree of games, one row per game (its players, the turns its saves
// cover, their number, one verdict for the game, the loads) with its saves beneath in order,
// then the files that failed. The columns that matter for a ruling come first (file, turn,
// verdict, loads), so that they stay in view; the details of a row are sentences.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "series/series_result.h"
#include "views/series_report.h"

namespace vek5 {

// File, turn, verdict, loads, date, sessions, body, players.
std::vector<std::string> SeriesTreeHeaders();
inline constexpr int kSeriesTreeVerdictColumn = 2;
inline constexpr int kSeriesTreeBodyColumn = 6;

struct SeriesTreeRow {
  std::vector<SeriesCell> Cells;     // one per header
  bool Warning = false;              // the verdict calls for attention
  bool CutShort = false;             // the save's file ends early
  std::optional<size_t> Save;        // the save a row shows; none for a game's row
  std::string Details;               // what the details box shows when the row is chosen
  std::vector<SeriesTreeRow> Saves;  // a game's saves, in the game's order
};

// One row per game with its saves, then one row per file that failed.
std::vector<SeriesTreeRow> SeriesTreeRows(const SeriesResult& result);
// A save's row on its own: while a batch runs, before the games are known.
SeriesTreeRow SeriesTreeSaveRow(const SeriesResult& result, size_t save);

}  // namespace vek5
