#include "support/map_state.h"

#include <algorithm>
#include <cmath>

#include "model/reference_tables.h"

namespace vek5::testing {
namespace {

constexpr int8_t kGrass = 0;
constexpr int8_t kPlains = 1;
constexpr int8_t kDesert = 2;
constexpr int8_t kTundra = 3;
constexpr int8_t kSnow = 4;
constexpr int8_t kCoast = 5;
constexpr int8_t kOcean = 6;
constexpr int8_t kIce = 0;
constexpr int8_t kJungle = 1;
constexpr int8_t kMarsh = 2;
constexpr int8_t kForest = 5;
constexpr int8_t kAtoll = 17;
constexpr int8_t kFuji = 8;
constexpr int8_t kFarm = 3;
constexpr int8_t kMine = 4;

// A smooth pseudo-random height field: a few waves, so that land forms continents.
double Height(int32_t x, int32_t y, int32_t width, int32_t height) {
  const double u = 2 * M_PI * x / std::max(width, 1);
  const double v = M_PI * y / std::max(height, 1);
  return std::sin(u * 2 + 0.5) * std::sin(v * 3) + 0.6 * std::sin(u * 5 + v * 4) +
         0.3 * std::cos(u * 11 - v * 7);
}

uint32_t Hash(int32_t x, int32_t y) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393U + static_cast<uint32_t>(y) * 668265263U;
  h = (h ^ (h >> 13)) * 1274126177U;
  return h ^ (h >> 16);
}

void LayTerrain(MapPlot& plot, int32_t x, int32_t y, int32_t width, int32_t height) {
  const double h = Height(x, y, width, height);
  const double latitude = std::abs(2.0 * y / std::max(height - 1, 1) - 1);
  const uint32_t r = Hash(x, y);
  if (h < 0.15) {
    plot.PlotType = kPlotWater;
    plot.Terrain = h < -0.2 ? kOcean : kCoast;
    if (latitude > 0.9) plot.Feature = kIce;
    if (plot.Terrain == kCoast && r % 37 == 0) plot.Feature = kAtoll;
    return;
  }
  plot.PlotType = h > 1.1 ? kPlotMountain : h > 0.8 ? kPlotHills : kPlotFlat;
  plot.Terrain = latitude > 0.85  ? kSnow
                 : latitude > 0.7 ? kTundra
                 : latitude < 0.2 ? (r % 3 == 0 ? kDesert : kPlains)
                                  : (r % 4 == 0 ? kPlains : kGrass);
  if (plot.PlotType == kPlotMountain) return;
  switch (r % 7) {
    case 0:
    case 1:
      plot.Feature = kForest;
      break;
    case 2:
      if (latitude < 0.35) plot.Feature = kJungle;
      break;
    case 3:
      if (plot.PlotType == kPlotFlat && r % 3 == 0) plot.Feature = kMarsh;
      break;
    default:
      break;
  }
}

}  // namespace

void AddMapPlayers(GameState& state, int32_t count) {
  state.PlayerCount = count;
  for (int32_t p = 0; p < count; ++p) {
    TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(p)];
    leader.Slot = p;
    leader.Team = p;
    leader.CivName = "Civ " + std::to_string(p);
    leader.LeaderName = "Leader " + std::to_string(p);
    state.SlotTeam[static_cast<size_t>(p)] = p;
  }
}

void LayFlatMap(GameState& state, int32_t width, int32_t height) {
  WorldMap& map = state.Map;
  map = WorldMap{};
  map.Status = MapStatus::kRead;
  map.Rules = MapRuleSet::kZeph;
  map.Width = width;
  map.Height = height;
  map.WrapX = true;
  for (int32_t row = 0; row < kMapResourceZephRows; ++row) {
    map.Resources.push_back({MapResourcesZeph[static_cast<size_t>(row)].Hash, row});
  }
  MapPlot flat;
  flat.PlotType = kPlotFlat;
  flat.Terrain = kGrass;
  flat.Flags = 0;
  flat.Yields[kYieldFood] = 2;
  map.Plots.assign(static_cast<size_t>(width) * static_cast<size_t>(height), flat);
  map.PlotsRead = map.PlotCount();
}

void AddMapCity(GameState& state, int32_t owner, int32_t x, int32_t y, const std::string& name,
                int32_t population) {
  MapPlot& plot = PlotAt(state, x, y);
  auto& cities = state.Cities[static_cast<size_t>(owner)];
  plot.CityOwner = static_cast<int8_t>(owner);
  plot.CityId = static_cast<int32_t>(cities.size()) + 1;
  plot.Owner = static_cast<int8_t>(owner);
  TCityRec city;
  city.Name = name;
  city.X = x;
  city.Y = y;
  city.Owner = owner;
  city.Population = population;
  cities.push_back(city);
  state.Leaders[static_cast<size_t>(owner)].CityCount = static_cast<int32_t>(cities.size());
}

MapTeamView& AddTeamView(GameState& state, int32_t team) {
  MapTeamView view;
  view.Team = team;
  view.Plots.resize(state.Map.Plots.size());
  state.Map.Teams.push_back(std::move(view));
  return state.Map.Teams.back();
}

void LaySampleWorld(GameState& state, int32_t width, int32_t height, int32_t players) {
  LayFlatMap(state, width, height);
  AddMapPlayers(state, players);
  WorldMap& map = state.Map;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      MapPlot& plot = PlotAt(state, x, y);
      LayTerrain(plot, x, y, width, height);
      const uint32_t r = Hash(x + 7, y + 3);
      if (plot.PlotType != kPlotWater && plot.PlotType != kPlotMountain) {
        if (r % 5 == 0) plot.Rivers = static_cast<uint8_t>(1 + r % 7);
        if (r % 11 == 0) {
          plot.Resource = static_cast<int16_t>(r % kMapResourceZephRows);
          plot.ResourceQuantity = static_cast<int8_t>(plot.Resource < 6 ? 2 + r % 6 : 1);
        }
      }
      if (plot.PlotType == kPlotWater && r % 23 == 0) plot.Resource = 11;  // fish
    }
  }
  // Players' cities on a grid of land plots, each with the ring around it as territory.
  int32_t city = 0;
  for (int32_t y = 3; y < height - 3; y += 7) {
    for (int32_t x = 2 + (y % 2) * 3; x < width - 2; x += 9) {
      if (PlotAt(state, x, y).PlotType == kPlotWater || players == 0) continue;
      const int32_t owner = city % players;
      for (int32_t dy = -2; dy <= 2; ++dy) {
        for (int32_t dx = -2; dx <= 2; ++dx) {
          MapPlot& plot = PlotAt(state, x + dx, y + dy);
          plot.Owner = static_cast<int8_t>(owner);
          if (plot.PlotType == kPlotWater) continue;
          plot.Route = std::abs(dx) + std::abs(dy) <= 1 ? kRouteRailroad : plot.Route;
          if (dy == 0 && dx != 0) plot.Route = kRouteRoad;
          if (plot.Improvement == kMapNone && Hash(x + dx, y + dy) % 3 == 0) {
            plot.Improvement = plot.PlotType == kPlotHills ? kMine : kFarm;
            if (Hash(x + dx, y + dy) % 13 == 0) plot.Flags |= kPlotImprovementPillaged;
          }
        }
      }
      AddMapCity(state, owner, x, y, "City " + std::to_string(city), 1 + city % 17);
      PlotAt(state, x, y).UnitOwner = static_cast<int8_t>(owner);
      PlotAt(state, x, y).UnitCount = 2;
      ++city;
    }
  }
  // A natural wonder on the first mountain of every tenth row.
  for (int32_t y = 5; y < height; y += 10) {
    for (int32_t x = 0; x < width; ++x) {
      MapPlot& plot = PlotAt(state, x, y);
      if (plot.PlotType != kPlotMountain) continue;
      plot.Feature = kFuji;
      map.NaturalWonderPlots.push_back(map.PlotIndex(x, y));
      break;
    }
  }
  for (const MapPlot& plot : map.Plots) {
    map.LandPlots += plot.PlotType != kPlotWater ? 1 : 0;
    map.OwnedPlots += plot.Owner >= 0 ? 1 : 0;
  }
  if (players == 0) return;
  MapTeamView& team = AddTeamView(state, 0);
  for (int32_t plot = 0; plot < map.PlotCount(); ++plot) {
    const int32_t x = plot % width;
    MapTeamPlot& memory = team.Plots[static_cast<size_t>(plot)];
    const MapPlot& real = map.Plots[static_cast<size_t>(plot)];
    if (x < width / 2) {
      memory.Flags = kTeamSeen | (x < width / 4 ? kTeamSeesNow : 0);
      memory.Owner = real.Owner;
      memory.Improvement = real.Improvement;
      memory.Route = real.Route;
      ++team.SeenPlots;
    }
  }
}

}  // namespace vek5::testing
