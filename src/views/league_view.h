// The "League" tab: the world league's three projects with their costs, completion and each
// major player's contribution.
#pragma once

#include <array>
#include <cstdint>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

inline constexpr int kLeagueGridRows = 66;
inline constexpr int kLeagueGridColumns = 4;
inline constexpr std::array<int, kLeagueGridColumns> kLeagueGridColumnWidths = {170, 170, 170, 250};
// Positions of the three costs in ViewState::LeagueCosts.
inline constexpr int kWorldsFairCost = 0;
inline constexpr int kWorldsGamesCost = 1;
inline constexpr int kSpaceStationCost = 2;

// The three project costs, by number of major players, speed and era; computed for every save.
void ComputeLeagueCosts(const GameState& state, ViewState& view);

// The league grid: headers always, costs, completion and contributions for a Zeph save.
TabContent LeagueContent(const GameState& state, const ViewState& view);

}  // namespace vek5
