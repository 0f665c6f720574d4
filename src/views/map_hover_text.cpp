#include "views/map_hover_text.h"

#include <algorithm>

#include "model/city_names.h"
#include "views/map_knowledge.h"

namespace vek5 {
namespace {

constexpr const char* kYieldNames[kMapYields] = {"food",    "production", "gold",
                                                 "science", "culture",    "faith"};

const TLeaderInfoRec* LeaderOfSlot(const GameState& state, int32_t slot) {
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t i = 0; i < players; ++i) {
    if (state.Leaders[static_cast<size_t>(i)].Slot == slot) {
      return &state.Leaders[static_cast<size_t>(i)];
    }
  }
  return nullptr;
}

std::string PlayerName(const GameState& state, int32_t slot) {
  const TLeaderInfoRec* leader = LeaderOfSlot(state, slot);
  if (leader == nullptr) return "player " + std::to_string(slot);
  const std::string name = MapPlayerName(*leader);
  if (leader->LeaderName.empty() || leader->LeaderName == name) return name;
  return name + " (" + leader->LeaderName + ")";
}

const TCityRec* CityAt(const GameState& state, int32_t owner, int32_t x, int32_t y) {
  const int32_t players = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t i = 0; i < players; ++i) {
    if (state.Leaders[static_cast<size_t>(i)].Slot != owner) continue;
    for (const TCityRec& city : state.Cities[static_cast<size_t>(i)]) {
      if (city.X == x && city.Y == y) return &city;
    }
  }
  return nullptr;
}

void AddLine(std::string& text, const std::string& label, std::string_view value) {
  if (value.empty()) return;
  text += label;
  text += ": ";
  text += value;
  text += "\n";
}

std::string TerrainText(const MapPlot& plot) {
  std::string text(TerrainName(plot.Terrain));
  if (plot.PlotType == kPlotMountain || plot.PlotType == kPlotHills) {
    text += ", " + std::string(PlotTypeName(plot.PlotType));
  }
  return text;
}

std::string ResourceText(const WorldMap& map, const MapPlot& plot) {
  if (plot.Resource == kMapNone) return "";
  std::string text(ResourceName(map, plot.Resource));
  if (plot.ResourceQuantity > 1) text += " (" + std::to_string(plot.ResourceQuantity) + ")";
  return text;
}

std::string YieldText(const MapPlot& plot) {
  std::string text;
  for (int i = 0; i < kMapYields; ++i) {
    const int16_t amount = plot.Yields[static_cast<size_t>(i)];
    if (amount == 0) continue;
    if (!text.empty()) text += ", ";
    text += std::to_string(amount) + " " + kYieldNames[i];
  }
  return text.empty() ? "none" : text;
}

std::string Marked(std::string_view name, bool pillaged) {
  if (name.empty()) return "";
  return std::string(name) + (pillaged ? " (pillaged)" : "");
}

}  // namespace

std::string MapHoverText(const GameState& state, const MapSelection& selection, int32_t plot) {
  const WorldMap& map = state.Map;
  if (plot < 0 || plot >= map.PlotCount() || map.Width <= 0) return "";
  const int32_t x = plot % map.Width;
  const int32_t y = plot / map.Width;
  std::string text = "Plot (" + std::to_string(x) + ", " + std::to_string(y) + ")\n";
  const MapTeamView* team = SelectedTeamView(map, selection.SeenByTeam);
  const KnownPlot known = KnowPlot(map, team, plot);
  const std::string team_name = team ? "team " + std::to_string(team->Team) : "";
  if (known.Sight == PlotSight::kNever) return text + "Never seen by " + team_name + "\n";
  const MapPlot& real = map.Plots[static_cast<size_t>(plot)];
  if ((real.Flags & kPlotNotRead) != 0) return text + "The plot's record could not be read\n";
  const bool now = known.Sight == PlotSight::kNow;
  if (!now) text += "Seen before by " + team_name + ", not now (as remembered)\n";
  AddLine(text, "Terrain", TerrainText(real));
  const std::string feature(FeatureName(map.Rules, real.Feature));
  AddLine(text, IsNaturalWonder(map.Rules, real.Feature) ? "Natural wonder" : "Feature", feature);
  AddLine(text, "Resource", ResourceText(map, real));
  AddLine(text, "Improvement",
          Marked(ImprovementName(map.Rules, known.Improvement),
                 now && (real.Flags & kPlotImprovementPillaged) != 0));
  AddLine(text, "Route",
          Marked(RouteName(known.Route), now && (real.Flags & kPlotRoutePillaged) != 0));
  AddLine(text, "Owner", known.Owner >= 0 ? PlayerName(state, known.Owner) : "none");
  if (real.CityOwner >= 0 && (now || known.Owner == real.CityOwner)) {
    const TCityRec* city = CityAt(state, real.CityOwner, x, y);
    AddLine(text, "City",
            city ? CityDisplayName(*city) + ", population " + std::to_string(city->Population)
                 : "a city of " + PlayerName(state, real.CityOwner));
  }
  if (!now) return text;
  AddLine(text, "Yields", YieldText(real));
  if (real.UnitCount > 0) {
    AddLine(text, "Units",
            std::to_string(real.UnitCount) +
                (real.UnitOwner >= 0 ? " (" + PlayerName(state, real.UnitOwner) + ")" : ""));
  }
  return text;
}

}  // namespace vek5
