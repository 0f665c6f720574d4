// Fuzz target: any bytes -> save image -> analysis -> the content of every tab for every player
// and city selection, the text report, the JSON and the graph's events.
//
// The input becomes an image as in the lean target (fuzz_image.h). The last input byte picks a
// player, the graph's statistic and entry, and whether the JSON is written, so that their handling
// is explored without building everything on every run.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "analysis/save5_analyse.h"
#include "block_recycler.h"
#include "fuzz_image.h"
#include "views/all_tabs.h"
#include "views/city_view.h"
#include "views/graph_view.h"
#include "views/player_log_view.h"
#include "views/policy_view.h"
#include "views/report.h"
#include "views/state_json.h"
#include "views/stats_view.h"
#include "views/tab_content.h"
#include "views/tech_view.h"

namespace {

// Larger inputs add nothing the analysis could not be shown with smaller ones; they only slow
// the run down.
constexpr size_t kMaxInput = size_t{1} << 20;
// The JSON writes every played turn of every series: worth checking, too slow for every run. It
// is written for inputs that end in this byte (not 0, which most seeds end in).
constexpr uint8_t kJsonChoice = 0xA5;

// Every tab once for the default selections (and as the text report); the tabs that show one
// player for the entries one before the first, the first, one chosen by the input, the last and
// one past the last (every entry on every run would cost most of the run's time); and the city
// tab for every city of every entry that has cities, and for the cities one before the first and
// one past the last of the entries above (an entry without cities shows the same blank view).
void BuildEveryTab(const vek5::GameState& state, uint8_t choice) {
  vek5::ViewState view = vek5::FreshViewState(state);
  for (const auto& [caption, content] : vek5::BuildAllTabs(state, view, {}).Tabs) {
    vek5::RenderReport(caption, content);
  }
  const int32_t players = state.PlayerCount;
  for (const int32_t entry : {-1, 0, choice % std::max(players, 1), players - 1, players}) {
    vek5::PlayerCityChoose(state, view, entry);
    vek5::PlayerPolicyChoose(state, entry);
    vek5::PlayerTechChoose(state, entry);
    vek5::PlayerStats(state, entry, choice & 1);
    vek5::DrawPlayerLog(state, view, entry);
    const int32_t cities = vek5::CityListLength(state, entry);
    vek5::ChooseCity(state, view, entry, -1);
    vek5::ChooseCity(state, view, entry, cities);
  }
  for (int32_t entry = 0; entry < players; ++entry) {
    const int32_t cities = vek5::CityListLength(state, entry);
    if (cities == 0) continue;
    vek5::CityBoxContent(state, entry);
    for (int32_t city = 0; city < cities; ++city) vek5::ChooseCity(state, view, entry, city);
  }
}

void DriveGraph(const vek5::GameState& state, uint8_t choice) {
  vek5::ViewState view = vek5::FreshViewState(state);
  vek5::GraphContent graph = vek5::BuildGraphContent(state, view);
  const int32_t statistics = static_cast<int32_t>(graph.Statistics.size());
  vek5::SelectGraphStatistic(state, view, graph, choice % (statistics + 2) - 1);
  const int32_t entry = choice % (state.PlayerCount + 2) - 1;
  vek5::SetGraphEntryChecked(state, view, graph, entry, (choice & 1) != 0);
  vek5::ZoomGraph(graph, {-1e12, 1e12}, {1e12, -1e12});
  vek5::HistoryChartUndoZoom(state, view, graph);
  vek5::GraphTabContent(graph);
  vek5::UnselectAllGraphEntries(state, view, graph);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  vek5::fuzz::RecycleFreedBlocks();
  const vek5::SaveImage image = vek5::fuzz::ImageOf(data, size);
  const uint8_t choice = size > 0 ? data[size - 1] : 0;
  try {
    const auto state = vek5::Save5Analyse(image);
    BuildEveryTab(*state, choice);
    DriveGraph(*state, choice);
    if (choice == kJsonChoice) vek5::StateToJson(*state);
  } catch (const vek5::AnalysisError&) {
  }
  return 0;
}
