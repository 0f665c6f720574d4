// What a save that ends early could not give: the parts of the analysis that came out empty
// because they lie beyond the end of the file, each named with the tabs that show it.
#pragma once

#include <string>
#include <vector>

#include "model/game_state.h"

namespace vek5 {

// "the city records of all 31 players (Leaders, Cities, Stats)", ...; none for a whole save.
// A part counts as cut short when it holds nothing at all for a player, which a whole save of a
// game in play never shows for these parts.
std::vector<std::string> CutShortParts(const GameState& state);

}  // namespace vek5
