#include "views/all_tabs.h"

#include "model/cut_short.h"
#include "model/format.h"

#include "views/base_view.h"
#include "views/city_view.h"
#include "views/leaders_view.h"
#include "views/league_view.h"
#include "views/player_log_view.h"
#include "views/policy_view.h"
#include "views/reloads_view.h"
#include "views/replay_view.h"
#include "views/stats_view.h"
#include "views/tech_view.h"

namespace vek5 {

AllTabs BuildAllTabs(const GameState& state, ViewState& view, const TabSelection& selection) {
  AllTabs all;
  auto add = [&all](std::string caption, TabContent content) {
    all.Tabs.emplace_back(std::move(caption), std::move(content));
  };
  add("Base", BuildBaseContent(state, view));
  add("Reloads", BuildReloadsContent(state, view));
  add("Replay", BuildReplayContent(state, view));
  add("Leaders", BuildLeadersContent(state));
  add("CS Points", BuildCityStateContent(state));
  ComputeLeagueCosts(state, view);
  add("League", LeagueContent(state, view));
  TabContent cities = PlayerCityChoose(state, view, selection.CityPlayer);
  if (selection.City != 0) cities = ChooseCity(state, view, selection.CityPlayer, selection.City);
  add("Cities", std::move(cities));
  add("Policy", PlayerPolicyChoose(state, selection.PolicyPlayer));
  add("Player", PlayerTechChoose(state, selection.TechPlayer));
  add("Stats", PlayerStats(state, selection.StatsPlayer, selection.StatsLanguage));
  // The graph takes its range before the player log's dates can move the turns-played count.
  all.Graph = BuildGraphContent(state, view);
  add("Player Log", DrawPlayerLog(state, view, selection.LogPlayer));
  add("Graph", GraphTabContent(all.Graph));
  return all;
}

std::string EndsEarlyNotice(const GameState& state) {
  if (!state.BodyEndsEarly) return {};
  constexpr double kBytesPerMegabyte = 1e6;
  // How long the body should have been is not stored anywhere the cut leaves: only what was
  // read is told, and the parts of the analysis that came out empty.
  std::string notice = Format(
      "This save ends early: its body stops after %.1f MB; everything after that is missing. The "
      "file does not tell how much more there was.",
      state.BodyLength / kBytesPerMegabyte);
  const std::vector<std::string> parts = CutShortParts(state);
  if (!parts.empty()) {
    notice += " Not read because of it: ";
    for (size_t i = 0; i < parts.size(); ++i) notice += (i > 0 ? "; " : "") + parts[i];
    notice += ".";
  }
  return notice;
}

}  // namespace vek5
