// The "Player" tab: one player's technology table with eras, costs and progress, the technology
// being researched and the player's running totals.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "model/game_state.h"
#include "model/reference_tables.h"
#include "views/tab_content.h"

namespace vek5 {

inline constexpr int kTechGridRows = 82;
inline constexpr int kTechGridColumns = 5;
inline constexpr std::array<int, kTechGridColumns> kTechGridColumnWidths = {20, 200, 70, 50, 50};

// The technology and era tables of a save's rule set.
struct TechEdition {
  std::span<const TTechInfoRec> Techs;
  std::span<const TEraInfoRec> Eras;
};
TechEdition TechEditionOf(const GameState& state);

// What the game charges the player for a technology of the given base cost: world size, speed,
// difficulty (not for a slot of status 1) and era, one percentage at a time.
int32_t TechCost(const GameState& state, const TLeaderInfoRec& leader, int32_t base_cost);
// The research the current technology needs: with Zeph each city adds 5 % to its cost,
// rounded up.
int32_t ResearchNeeded(const GameState& state, const TLeaderInfoRec& leader, int32_t cost);

// The tab for a Leaders entry (the selected item of PlayerTechSelect).
TabContent PlayerTechChoose(const GameState& state, int32_t entry);

}  // namespace vek5
