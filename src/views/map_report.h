// The report's map section: the map's size and wrap, its land share, the natural wonders and
// what each player holds. Plain text, as the rest of the report.
#pragma once

#include <string>

#include "model/game_state.h"

namespace vek5 {

// "== Map ==" and its lines; for a save without a readable map, the sentence that says why.
std::string BuildMapReport(const GameState& state);

}  // namespace vek5
