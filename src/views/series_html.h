// The report per game for a ruling: one self-contained HTML page (no external files) that
// prints on A4. Per game: its settings, players and humans, every save with its file name,
// size, date and SHA-256 checksum, the verdicts in plain words, the loads, and the players'
// scores over the game as an inline SVG chart.
#pragma once

#include <string>
#include <string_view>

#include "series/series_result.h"

namespace vek5 {

// The text with &, <, >, " and ' written as character references: safe in element content and
// in quoted attribute values.
std::string HtmlEscape(std::string_view text);

std::string SeriesSummaryHtml(const SeriesResult& result);

}  // namespace vek5
