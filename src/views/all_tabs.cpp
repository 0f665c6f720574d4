#include "views/all_tabs.h"

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
  std::string notice = Format("This save ends early: its body stops after %.1f MB",
                              state.BodyLength / kBytesPerMegabyte);
  if (state.BodyShareRead >= 0) {
    notice += Format(" (at most %d %% of it)", state.BodyShareRead);
  }
  return notice + "; everything after that is missing.";
}

}  // namespace vek5
