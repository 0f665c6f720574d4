// Every tab's content for one set of selections, built in the order the window refreshes its
// tabs after a load (the order matters: date formatting moves the views' turns-played count,
// which the graph reads last).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "views/graph_view.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// Selected items: Leaders entries of the player selectors, the city of the city tab and the
// statistics language (0 English, 1 Russian).
struct TabSelection {
  int32_t LogPlayer = 0;
  int32_t CityPlayer = 0;
  int32_t City = 0;
  int32_t PolicyPlayer = 0;
  int32_t TechPlayer = 0;
  int32_t StatsPlayer = 0;
  int32_t StatsLanguage = 0;
};

struct AllTabs {
  std::vector<std::pair<std::string, TabContent>> Tabs;  // caption, content
  GraphContent Graph;
};

AllTabs BuildAllTabs(const GameState& state, ViewState& view, const TabSelection& selection);

// The sentence that tells that a save ends early and what of the analysis it cut short, or
// empty for a whole save.
std::string EndsEarlyNotice(const GameState& state);

}  // namespace vek5
