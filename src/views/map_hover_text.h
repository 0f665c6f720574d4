// What hovering a plot of the map shows, as plain text.
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"
#include "views/map_picture.h"

namespace vek5 {

// Coordinates, terrain, feature, resource, improvement, route, owner, city, yields and units of a
// plot, one per line, as the selected team knows them. Empty for -1 or a plot the map lacks.
std::string MapHoverText(const GameState& state, const MapSelection& selection, int32_t plot);

}  // namespace vek5
