// The "Policy" tab: one player's adopted policies, one box per branch or ideology, and the
// player's culture toward the next policy.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/game_state.h"
#include "model/reference_tables.h"
#include "views/tab_content.h"

namespace vek5 {

inline constexpr int kPolicyBoxCount = 13;
// The boxes of the tab, in their order on screen: two rows of five branches, then the three
// ideologies.
inline constexpr std::array<std::string_view, kPolicyBoxCount> kPolicyBoxes = {
    "TraditionBranch",   "LibertyBranch",  "HonorBranch",     "PietyBranch",
    "PatronageBranch",   "OrderBranch",    "AutocracyBranch", "FreedomBranch",
    "RationalismBranch", "CommerceBranch", "FreedomIdeology", "OrderIdeology",
    "AutocracyIdeology"};

// The policy table of a save's rule set and the box that shows each of its branch numbers.
struct PolicyEdition {
  std::span<const TPolicyInfoRec> Policies;
  std::span<const std::string_view> BranchBoxes;   // indexed by branch number
  std::span<const std::string_view> BranchTitles;  // the branch each box holds, by number
};
PolicyEdition PolicyEditionOf(const GameState& state);
// The same by rule set: the base table, or the Zeph table with its ideologies.
PolicyEdition PolicyEditionFor(bool zeph_present);

// The tab for a Leaders entry (the selected item of PlayerPolicySelect).
TabContent PlayerPolicyChoose(const GameState& state, int32_t entry);

}  // namespace vek5
