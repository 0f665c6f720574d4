// The summary of many saves as text: the table of saves with their games and verdicts, in the
// forms the command line prints (aligned text, CSV, JSON) and as cells for the window's table.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "series/series_result.h"

namespace vek5 {

// One cell of the table of saves; Number orders numeric columns where the text would not (the
// game column orders by game, then by the game's order of its saves).
struct SeriesCell {
  std::string Text;
  std::optional<int64_t> Number;
};

// The main columns: game, file, turn, date, rule set, version, speed, world size, difficulty,
// players, humans, first in score, sessions, pre-sessions, play sessions, replay messages,
// status, body, verdict, loads.
std::vector<std::string> SeriesTableHeaders();
inline constexpr int kSeriesVerdictColumn = 18;
std::vector<SeriesCell> SeriesTableRow(const SeriesResult& result, size_t save);
// Whether a save's verdict calls for attention: anything but continuous.
bool VerdictIsWarning(const SeriesResult& result, size_t save);

// A verdict in full, naming the two files: "diverged at turn 37: Score of Oda Nobunaga is 120
// in a.Vek5Save, 95 in b.Vek5Save".
std::string VerdictText(const Verdict& verdict, const std::string& earlier,
                        const std::string& later);
// Every field of a save's summary, one per line, then its verdict in full.
std::string SaveDetailsText(const SeriesResult& result, size_t save);

// The table of saves as aligned UTF-8 text, then per game its saves with their verdicts.
std::string SeriesSummaryText(const SeriesResult& result);
// One CSV row per save after a header row (RFC 4180), with the game and verdict columns.
std::string SeriesSummaryCsv(const SeriesResult& result);
// {"saves": [...], "games": [{"id", "saves", "verdicts"}]}.
std::string SeriesSummaryJson(const SeriesResult& result);

enum class SummaryForm { kText, kCsv, kJson, kHtml };

// The whole summary command of both programs: finds and analyses the saves the paths name,
// prints the summary in the form asked for on out and each failed file on err (after the
// program's name). Returns the exit status: SeriesExitStatus, or 1 when no save was found.
int PrintSeriesSummary(const std::vector<std::string>& paths, SummaryForm form,
                       std::string_view program, std::ostream& out, std::ostream& err);

// A field quoted as RFC 4180 asks when it holds a comma, a quote or a line break.
std::string CsvField(std::string_view text);

}  // namespace vek5
