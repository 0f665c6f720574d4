#include "views/policy_view.h"

#include <algorithm>
#include <string>

#include "container/key_text.h"
#include "model/format.h"
#include "views/history_values.h"

namespace vek5 {
namespace {

// The box of each branch number. The Zeph table numbers its branches differently and adds the
// three ideologies.
constexpr std::string_view kBaseBranchBoxes[] = {
    "TraditionBranch", "LibertyBranch",     "HonorBranch",   "PietyBranch",     "PatronageBranch",
    "CommerceBranch",  "RationalismBranch", "FreedomBranch", "AutocracyBranch", "OrderBranch"};
constexpr std::string_view kZephBranchBoxes[] = {
    "TraditionBranch", "LibertyBranch",     "HonorBranch",     "PietyBranch",
    "PatronageBranch", "RationalismBranch", "AutocracyBranch", "CommerceBranch",
    "FreedomBranch",   "FreedomIdeology",   "OrderIdeology",   "AutocracyIdeology"};

// The branches by number, as the boxes above are titled: Zeph numbers Commerce, Rationalism,
// Aesthetics and Exploration into the boxes the base game gives other branches.
constexpr std::string_view kBaseBranchTitles[] = {"Tradition", "Liberty",  "Honor",       "Piety",
                                                  "Patronage", "Commerce", "Rationalism", "Freedom",
                                                  "Autocracy", "Order"};
constexpr std::string_view kZephBranchTitles[] = {"Tradition",
                                                  "Liberty",
                                                  "Honor",
                                                  "Piety",
                                                  "Patronage",
                                                  "Commerce",
                                                  "Rationalism",
                                                  "Aesthetics",
                                                  "Exploration",
                                                  "Freedom (ideology)",
                                                  "Order (ideology)",
                                                  "Autocracy (ideology)"};
static_assert(std::size(kBaseBranchTitles) == std::size(kBaseBranchBoxes));
static_assert(std::size(kZephBranchTitles) == std::size(kZephBranchBoxes));

constexpr std::string_view kUnusedBoxTitle = "(not in this rule set)";

}  // namespace

PolicyEdition PolicyEditionOf(const GameState& state) {
  return PolicyEditionFor(state.ZephPresent != 0);
}

PolicyEdition PolicyEditionFor(bool zeph_present) {
  if (zeph_present) return {PolicyInfoZeph, kZephBranchBoxes, kZephBranchTitles};
  return {PolicyInfo, kBaseBranchBoxes, kBaseBranchTitles};
}

TabContent PlayerPolicyChoose(const GameState& state, int32_t entry) {
  TabContent tab;
  const PolicyEdition edition = PolicyEditionOf(state);
  for (std::string_view box : kPolicyBoxes) tab.List(box).Title = kUnusedBoxTitle;
  for (size_t b = 0; b < edition.BranchBoxes.size(); ++b) {
    tab.List(edition.BranchBoxes[b]).Title = edition.BranchTitles[b];
  }
  if (entry < 0 || entry >= std::min(state.PlayerCount, kMaxSlots)) {
    for (std::string_view field :
         {"PolicyCultureE", "TotalCultureE", "PolicyNumE", "CSCultureE", "CulturePerTurnE"}) {
      tab.SetField(field, {});
    }
    return tab;
  }

  const auto& adopted = state.PolicyAdopted[static_cast<size_t>(entry)];
  const size_t rows = std::min(edition.Policies.size(), adopted.size());
  for (size_t row = 0; row < rows; ++row) {
    if (adopted[row] == 0) continue;
    const TPolicyInfoRec& policy = edition.Policies[row];
    if (policy.Branch < 0 || policy.Branch >= static_cast<int32_t>(edition.BranchBoxes.size())) {
      continue;
    }
    tab.List(edition.BranchBoxes[static_cast<size_t>(policy.Branch)])
        .Lines.push_back({CutTextKey(policy.Key, "POLICY_"), kBlack});
  }

  const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(entry)];
  tab.SetField("PolicyCultureE",
               Format("%6d/%d", leader.PolicyCulture, leader.PolicyCultureNeeded));
  tab.SetField("TotalCultureE", Format("%7d", leader.TotalCulture));
  tab.SetField("PolicyNumE", Format("%3d", leader.PolicyCount));
  if (state.ZephPresent) {
    // Zeph saves keep the culture per turn only in the history, its parts nowhere.
    tab.SetField("CSCultureE", std::string(kNotInThisSave),
                 "Zeph saves do not store the culture from city-states");
    BoxText culture = HistoryBox(state, entry, "Culture Per Turn", "%7d");
    tab.SetField("CulturePerTurnE", std::move(culture.Text), std::move(culture.Hint));
  } else {
    tab.SetField("CSCultureE", Format("%5d", leader.CultureFromCS));
    tab.SetField("CulturePerTurnE", Format("%7d", leader.CulturePerTurn),
                 Format("%d,%d,%d,%d", leader.CultureBase, leader.CultureFromHappiness,
                        leader.CultureFromCS, leader.CultureGoldenAgeBonus));
  }
  return tab;
}

}  // namespace vek5
