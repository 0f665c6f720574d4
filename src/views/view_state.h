// State the views keep beside the model between refreshes of one analysed save.
#pragma once

#include <array>
#include <cstdint>

#include "model/game_state.h"

namespace vek5 {

struct ViewState {
  // The views' copy of the turns-played count: date formatting moves it exactly as the
  // analysis moves the model's (see Turn2Date), and the graph reads it for its range.
  int32_t TurnsPlayed = 0;
  // Graph: the line series drawn for each Leaders entry, -1 none.
  std::array<int32_t, kMaxSlots> GraphSeriesOfEntry = FilledSlots(-1);
  int32_t GraphFitFromZero = -1;
  // Reloads: the pre-sessions as the user's box holds them, and what follows from them.
  int32_t ReloadsAtStartTurn = 0;
  int32_t PlaySessions = 0;
  int32_t AverageSessionSeconds = 0;
  // League project costs.
  std::array<int32_t, kLeagueProjectCount> LeagueCosts{};
};

// The view state right after an analysis.
inline ViewState FreshViewState(const GameState& state) {
  ViewState view;
  view.TurnsPlayed = state.TurnsPlayed;
  view.ReloadsAtStartTurn = state.ReloadsAtStartTurn;
  return view;
}

}  // namespace vek5
