// Content builders of the tabs that are not written yet. Each returns empty content, so the
// window's fill functions already run end to end; as a builder arrives in views/, its stub
// here goes and the fill function calls the real one.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5::pending {

// One list of (turn, value) points per chart series, in series order.
using GraphLines = std::vector<std::vector<std::pair<double, double>>>;

inline TabContent BuildBaseContent(const GameState&, ViewState&) {
  return {};
}
inline TabContent BuildReplayContent(const GameState&, ViewState&) {
  return {};
}
inline TabContent BuildLeadersContent(const GameState&) {
  return {};
}
inline TabContent BuildCSContent(const GameState&) {
  return {};
}
inline TabContent BuildLeagueContent(const GameState&, ViewState&) {
  return {};
}
inline TabContent BuildCityListContent(const GameState&, int /*entry*/) {
  return {};
}
inline TabContent BuildCityContent(const GameState&, ViewState&, int /*entry*/, int /*city*/) {
  return {};
}
inline TabContent BuildPolicyContent(const GameState&, int /*entry*/) {
  return {};
}
inline TabContent BuildTechContent(const GameState&, int /*entry*/) {
  return {};
}
inline TabContent BuildStatsContent(const GameState&, int /*entry*/, int /*language*/) {
  return {};
}
inline TabContent BuildPlayerLogContent(const GameState&, ViewState&, int /*entry*/) {
  return {};
}
// The reloads figures for the pre-sessions text the user typed; throws on a text that is not a
// whole number.
inline TabContent BuildReloadsContent(const GameState&, ViewState&, const std::string& /*text*/) {
  return {};
}
inline GraphLines BuildGraphLines(const GameState&, const ViewState&, int /*series*/) {
  return {};
}

}  // namespace vek5::pending
