// Maps laid straight into a game state, for the tests and benchmarks of the map's views (the
// save builder writes map sections for the reader's tests).
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"

namespace vek5::testing {

// Players 0 .. count - 1 in slots of the same numbers, each in a team of his own, named
// "Civ N" led by "Leader N".
void AddMapPlayers(GameState& state, int32_t count);

// A Zeph map of flat grassland, every plot read and unowned, with the Zeph resource table.
void LayFlatMap(GameState& state, int32_t width, int32_t height);

// A varied world for pictures and benchmarks: oceans, coasts, continents of every terrain with
// hills, mountains, forests, jungles, marshes, ice, rivers, roads and railroads, resources,
// improvements, natural wonders, and `players` players with cities, territories and units; team
// 0 has seen about half the map and sees a quarter of it now.
void LaySampleWorld(GameState& state, int32_t width, int32_t height, int32_t players);

// A city of the player in slot `owner` on the plot, with its record in the model.
void AddMapCity(GameState& state, int32_t owner, int32_t x, int32_t y, const std::string& name,
                int32_t population);

// The team's view of every plot, all unseen.
MapTeamView& AddTeamView(GameState& state, int32_t team);

inline MapPlot& PlotAt(GameState& state, int32_t x, int32_t y) {
  return state.Map.Plots[static_cast<size_t>(state.Map.PlotIndex(x, y))];
}

}  // namespace vek5::testing
