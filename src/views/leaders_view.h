// The Leaders tab's grid of player entries and the CS Points tab's influence matrix.
#pragma once

#include "model/game_state.h"
#include "views/tab_content.h"

namespace vek5 {

inline constexpr int kLeadersGridRows = kMaxSlots + 1;
inline constexpr int kLeadersGridColumns = 11;
inline constexpr int kCSGridSize = kMaxSlots + 1;

// LeadersGrid, 65 x 11 with its header row: one row per entry in use, the other rows numbered
// and blank.
TabContent BuildLeadersContent(const GameState& state);

// CSGrid, 65 x 65: major players across, city-states down, influence in the cells for saves
// with per-slot keys (empty cells otherwise).
TabContent BuildCityStateContent(const GameState& state);

}  // namespace vek5
