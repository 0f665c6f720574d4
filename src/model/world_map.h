// The world map as the views need it: a few tens of bytes per plot instead of the save's record
// of 1,400, the memory of the teams that have a living player, and what each player holds.
// Filled by the map section of the analysis; a save without a readable map leaves it empty with
// a status that says why.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vek5 {

// Bounds of the map header's values; a header outside them is not a map header.
inline constexpr int32_t kMapMinSide = 4;
inline constexpr int32_t kMapMaxSide = 1024;
inline constexpr int32_t kMapMaxResources = 1000;
inline constexpr int32_t kMapMaxNaturalWonders = 100;
// Player slots of the player list (the model's kMaxSlots).
inline constexpr int kMapSlots = 64;
// Entries of the per-player and per-team arrays of a plot record (index = slot or team).
inline constexpr int32_t kMapRecordEntries = 80;
// Yields of a plot: food, production, gold, science, culture, faith (the base game stores the
// first four; the others read 0 there).
inline constexpr int kMapYields = 6;
inline constexpr int kYieldFood = 0;
inline constexpr int kYieldProduction = 1;
inline constexpr int kYieldGold = 2;
inline constexpr int kYieldScience = 3;
inline constexpr int kYieldCulture = 4;
inline constexpr int kYieldFaith = 5;

// A plot's row values that mean "nothing here" and "something the tables do not know" (a hash or
// row of a modified game, or a plot whose record could not be read).
inline constexpr int8_t kMapNone = -1;
inline constexpr int8_t kMapUnknown = -2;

// Plot types (rows of MapPlotTypes).
inline constexpr int8_t kPlotMountain = 0;
inline constexpr int8_t kPlotHills = 1;
inline constexpr int8_t kPlotFlat = 2;
inline constexpr int8_t kPlotWater = 3;

// Routes (rows of MapRoutes).
inline constexpr int8_t kRouteRoad = 0;
inline constexpr int8_t kRouteRailroad = 1;

// The rule set whose plot layout and name tables the map uses, told by the plot version.
enum class MapRuleSet : uint8_t { kBase, kExp1, kZeph };

enum class MapStatus : uint8_t {
  kNotFound,  // no map header passed the checks: the save has no readable map
  kRead,      // every plot read
  kDamaged,   // some plot records could not be read: those plots are kPlotNotRead
};

// Bits of MapPlot::Flags.
inline constexpr uint8_t kPlotNotRead = 1;  // the record was damaged or cut off: values unknown
inline constexpr uint8_t kPlotImprovementPillaged = 2;
inline constexpr uint8_t kPlotRoutePillaged = 4;
inline constexpr uint8_t kPlotStartingPlot = 8;

// A plot stores the rivers on its own south-west, east and south-east edges; the other three
// edges are its neighbours'. Bits of MapPlot::Rivers, and the index of each edge's flow.
inline constexpr uint8_t kRiverSouthWest = 1;
inline constexpr uint8_t kRiverEast = 2;
inline constexpr uint8_t kRiverSouthEast = 4;
inline constexpr int kFlowSouthWest = 0;
inline constexpr int kFlowEast = 1;
inline constexpr int kFlowSouthEast = 2;
// Flow directions as the save stores them: east edge 0 north / 3 south, south-east edge
// 1 north-east / 4 south-west, south-west edge 2 south-east / 5 north-west; -1 none.
inline constexpr int8_t kFlowNone = -1;

struct MapPlot {
  int32_t CityId = 0;         // the city on the plot, when CityOwner >= 0
  int32_t WorkingCityId = 0;  // the city working the plot, when WorkingCityOwner >= 0
  std::array<int16_t, kMapYields> Yields{};
  int16_t Resource = kMapNone;  // row of WorldMap::Resources
  int16_t TurnsOwned = 0;       // turns owned by the present owner
  int8_t PlotType = kMapUnknown;
  int8_t Terrain = kMapUnknown;   // row of MapTerrains (hills and mountains keep the terrain)
  int8_t Feature = kMapNone;      // row of the rule set's feature table
  int8_t Improvement = kMapNone;  // row of the rule set's improvement table
  int8_t Route = kMapNone;
  int8_t Owner = -1;  // player slot
  int8_t CityOwner = -1;
  int8_t WorkingCityOwner = -1;
  int8_t ResourceQuantity = 0;  // strategic resources 2 to 8, others 1
  int8_t UnitOwner = -1;        // slot of the first unit standing here
  uint8_t UnitCount = 0;        // units standing here (at most 255 counted)
  uint8_t Rivers = 0;
  std::array<int8_t, 3> RiverFlow{kFlowNone, kFlowNone, kFlowNone};
  uint8_t Flags = kPlotNotRead;
};

// Bits of MapTeamPlot::Flags.
inline constexpr uint8_t kTeamSeen = 1;     // the team has seen the plot
inline constexpr uint8_t kTeamSeesNow = 2;  // one of its units or cities sees it now

// What a team remembers of a plot: the owner, improvement and route as it last saw them.
struct MapTeamPlot {
  uint8_t Flags = 0;
  int8_t Owner = -1;
  int8_t Improvement = kMapNone;
  int8_t Route = kMapNone;
};

struct MapTeamView {
  int32_t Team = 0;
  std::vector<MapTeamPlot> Plots;  // plot order, as WorldMap::Plots
  int32_t SeenPlots = 0;
};

// A row of the save's own resource table (the map header's): plots refer to it by position.
struct MapResource {
  int32_t Hash = 0;
  int32_t InfoRow = -1;         // row of the rule set's resource table; -1 when it does not know it
  int32_t HeaderPlots = 0;      // the header's count of plots holding it
  int32_t HeaderLandPlots = 0;  // the same, land plots only
  int32_t Plots = 0;            // plots holding it, counted from the plots
};

// A resource in a player's territory: plots holding it and their summed quantity.
struct MapResourceAmount {
  int16_t Resource = 0;  // row of WorldMap::Resources
  int32_t Plots = 0;
  int32_t Quantity = 0;
};

// What a player (by slot) holds on the map.
struct MapHoldings {
  int32_t LandPlots = 0;
  int32_t AllPlots = 0;
  std::vector<MapResourceAmount> Strategic;  // in resource-table order
  std::vector<MapResourceAmount> Luxuries;
  std::vector<int32_t> NaturalWonderPlots;  // plot indexes
};

struct WorldMap {
  MapStatus Status = MapStatus::kNotFound;
  std::string Problem;  // why the map could not be read, or what of it is damaged
  MapRuleSet Rules = MapRuleSet::kZeph;
  int32_t HeaderOffset = -1;  // in the image
  int32_t MapVersion = 0;
  int32_t PlotVersion = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  bool WrapX = false;
  bool WrapY = false;
  int32_t TopLatitude = 0;
  int32_t BottomLatitude = 0;

  std::vector<MapResource> Resources;
  // W x H plots, row by row from the southern edge: plot i is x = i % W, y = i / W.
  std::vector<MapPlot> Plots;
  // One per team that has a living player, by team number.
  std::vector<MapTeamView> Teams;

  int32_t PlotsRead = 0;
  // The header's counts and the same counted from the plots read.
  int32_t HeaderLandPlots = 0;
  int32_t HeaderOwnedPlots = 0;
  int32_t HeaderNaturalWonderPlots = 0;
  int32_t LandPlots = 0;
  int32_t OwnedPlots = 0;
  std::vector<int32_t> NaturalWonderPlots;  // plot indexes
  // End checks that failed (the map is still shown), one text each.
  std::vector<std::string> CheckFailures;

  std::array<MapHoldings, kMapSlots> Holdings{};  // by player slot

  bool Readable() const { return Status != MapStatus::kNotFound; }
  int32_t PlotCount() const { return static_cast<int32_t>(Plots.size()); }
  int32_t PlotIndex(int32_t x, int32_t y) const { return y * Width + x; }
  // The team's view, or null when the team has none (no living player).
  const MapTeamView* TeamView(int32_t team) const {
    for (const MapTeamView& view : Teams) {
      if (view.Team == team) return &view;
    }
    return nullptr;
  }
};

// Names of the map's rows as the game shows them (English); "Unknown" for kMapUnknown and rows
// the tables do not hold, the empty text for kMapNone.
std::string_view PlotTypeName(int8_t row);
std::string_view TerrainName(int8_t row);
std::string_view RouteName(int8_t row);
std::string_view FeatureName(MapRuleSet rules, int8_t row);
std::string_view ImprovementName(MapRuleSet rules, int8_t row);
std::string_view ResourceName(const WorldMap& map, int16_t row);
bool IsNaturalWonder(MapRuleSet rules, int8_t feature_row);
// Rows of the rule set's feature and improvement tables.
int FeatureRowCount(MapRuleSet rules);
int ImprovementRowCount(MapRuleSet rules);
enum class ResourceClass : uint8_t { kUnknown, kBonus, kStrategic, kLuxury };
ResourceClass ClassOfResource(const WorldMap& map, int16_t row);

// Rows of the rule set's tables by the hash or key a save stores; -1 for none or unknown.
int32_t FindMapFeatureRow(MapRuleSet rules, int32_t hash);
int32_t FindMapImprovementRow(MapRuleSet rules, int32_t hash);
int32_t FindMapResourceRow(MapRuleSet rules, int32_t hash);
int32_t FindMapImprovementRowByKey(MapRuleSet rules, std::string_view key);

}  // namespace vek5
