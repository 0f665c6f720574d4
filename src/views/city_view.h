// The Cities tab: one city of one player, with its buildings, build queue, partly produced
// items and religions. Views read the model only; date texts move the views' turns-played
// count, as the game's own date routine does.
#pragma once

#include <cstdint>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// The city list opens with at most this many lines and scrolls beyond.
inline constexpr int32_t kCityBoxDropDownMax = 20;
// Building names are padded to this width before the date and turn columns.
inline constexpr int kBuildingNameWidth = 24;
inline constexpr int kProductionGridRows = 16;
inline constexpr int kProductionGridColumns = 4;
inline constexpr int kReligionGridRows = 14;
inline constexpr int kReligionGridColumns = 5;

// Number of cities the entry has in the city list: its records up to its city count, ending at
// the first record without a name (the records are dense). 0 for an entry the save lacks.
int32_t CityListLength(const GameState& state, int32_t entry);

// CityBox for the entry: the city names, item c being city record c, the first selected.
LinesContent CityBoxContent(const GameState& state, int32_t entry);

// Every control of the tab except CityBox for the entry's city; a negative entry or city is
// taken as 0, and a city the entry does not have gives the blank view.
TabContent ChooseCity(const GameState& state, ViewState& view, int32_t entry, int32_t city);

// Choosing a player: CityBox refilled, then the view of its first city.
TabContent PlayerCityChoose(const GameState& state, ViewState& view, int32_t entry);

}  // namespace vek5
