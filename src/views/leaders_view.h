// The Leaders tab's grid of player entries and the CS Points tab's influence matrix.
#pragma once

#include "model/game_state.h"
#include "views/tab_content.h"

namespace vek5 {

// The Leaders grid's columns without the team column, which only a team game adds.
inline constexpr int kLeadersGridColumns = 6;
inline constexpr int kCSGridSize = kMaxSlots + 1;

// LeadersGrid: the header row and one row per entry in use; a "Team" column when two major
// players share a team.
TabContent BuildLeadersContent(const GameState& state);

// CSGrid, 65 x 65: major players across, city-states down, influence in the cells for saves
// with per-slot keys (empty cells otherwise).
TabContent BuildCityStateContent(const GameState& state);

}  // namespace vek5
