// What the map shows of a plot to the selected viewer: everything, or what one team has seen
// and remembers. The picture and the hover text both ask here, so they never disagree.
#pragma once

#include <cstdint>

#include "model/world_map.h"

namespace vek5 {

enum class PlotSight : uint8_t {
  kNow,         // seen now (or everything is shown)
  kRemembered,  // seen before, not now: owner, improvement and route as last seen
  kNever,       // never seen: nothing is shown
};

struct KnownPlot {
  PlotSight Sight = PlotSight::kNow;
  int8_t Owner = -1;
  int8_t Improvement = kMapNone;
  int8_t Route = kMapNone;
};

// The plot as `team` knows it (null: everything as it is).
inline KnownPlot KnowPlot(const WorldMap& map, const MapTeamView* team, int32_t plot) {
  const MapPlot& real = map.Plots[static_cast<size_t>(plot)];
  KnownPlot known{PlotSight::kNow, real.Owner, real.Improvement, real.Route};
  if (team == nullptr) return known;
  if (static_cast<size_t>(plot) >= team->Plots.size()) return {PlotSight::kNever};
  const MapTeamPlot& memory = team->Plots[static_cast<size_t>(plot)];
  if ((memory.Flags & kTeamSeen) == 0) return {PlotSight::kNever};
  if ((memory.Flags & kTeamSeesNow) != 0) return known;
  return {PlotSight::kRemembered, memory.Owner, memory.Improvement, memory.Route};
}

// The team view a selection asks for: null for everything, or for a team the map has no view of.
inline const MapTeamView* SelectedTeamView(const WorldMap& map, int32_t team) {
  return team < 0 ? nullptr : map.TeamView(team);
}

}  // namespace vek5
