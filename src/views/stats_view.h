// The Stats tab: one player's cities, wonders, policies and beliefs, each on one line, with the
// names in English (from the game's keys) or in Russian (from the built-in tables).
#pragma once

#include <cstdint>

#include "model/game_state.h"
#include "views/tab_content.h"

namespace vek5 {

// Items of the language selector.
inline constexpr int32_t kStatsEnglish = 0;
inline constexpr int32_t kStatsRussian = 1;

// CitiesStats, WondersStats, PoliciesStats and BeliefStats for the entry, one line each; four
// empty lines for an entry the save lacks. Wonders and policies are Russian for kStatsRussian
// only; beliefs for any language but kStatsEnglish (an edited selector has none selected).
TabContent PlayerStats(const GameState& state, int32_t entry, int32_t language);

}  // namespace vek5
