// The Base tab: game settings, turn, date, playing time, score, status, victories, options and
// content; plus the lists the refresh gives to the controls other tabs share (the five player
// selectors and the graph's series selector).
#pragma once

#include <string>
#include <vector>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// Control names of the Base tab.
inline constexpr std::string_view kVictoryChecks[kVictoryTypes] = {
    "TimeVictory", "ScienceVictory", "DominationVictory", "CulturalVictory", "DiplomaticVictory"};

// Fields, victory checks, GameOptionBox and DLCBox. Formats the starting date through the
// views' turns-played count, which it may move.
TabContent BuildBaseContent(const GameState& state, ViewState& view);

// "%6d:%02.2d:%02.2d,%1d" of hours, minutes, seconds and tenths of a playing time in tenths.
std::string PlayingTimeText(int32_t play_time_tenths);
// "Incomplete" for a running game, else the outcome named by the victory type.
std::string GameStatusText(int32_t game_over, int32_t victory_type);

// Items of PlayerLogSelect, PlayerCitySelect, PlayerPolicySelect, PlayerTechSelect and
// PlayerStatsSelect: item n is Leaders entry n, so the views can take an item index as an entry.
std::vector<std::string> PlayerSelectorItems(const GameState& state);

}  // namespace vek5
