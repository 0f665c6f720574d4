// Writes the world map section of a save body for tests: the block that precedes the header, the
// map header, one plot record per plot in the layout of the chosen rule set, and the areas and
// landmasses after them. Tests describe plots by the game's keys; the writer stores hashes or rows
// as the rule set does. The record layouts are written out here independently of the analysis's
// own table, so a test checks one against the other.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/save_builder.h"
#include "support/world_writer.h"

namespace vek5::testing {

// What one team has seen of a plot and remembers of it.
struct TeamSight {
  int32_t Team = 0;
  bool Seen = true;
  bool SeesNow = false;
  int8_t Owner = -1;
  std::string ImprovementKey;  // empty: none
  int16_t Route = -1;
};

struct PlotDescription {
  int8_t PlotType = 3;  // 0 mountain, 1 hills, 2 flat, 3 water
  int8_t Terrain = 6;   // ocean
  std::string FeatureKey;
  std::string ResourceKey;
  int8_t ResourceQuantity = 0;
  std::string ImprovementKey;
  bool ImprovementPillaged = false;
  int8_t Route = -1;
  bool RoutePillaged = false;
  int8_t Owner = -1;
  int32_t CityOwner = -1;
  int32_t CityId = 0;
  int32_t WorkingOwner = -1;
  int32_t WorkingId = 0;
  bool RiverSouthWest = false;
  bool RiverEast = false;
  bool RiverSouthEast = false;
  int8_t FlowEast = -1;
  int8_t FlowSouthEast = -1;
  int8_t FlowSouthWest = -1;
  std::array<int16_t, 6> Yields{};  // the base game stores the first four
  int16_t TurnsOwned = 0;
  std::vector<std::pair<int32_t, int32_t>> Units;  // (owner slot, unit id)
  std::vector<std::string> Builds;                 // builds started here, by key
  std::optional<std::string> Script;               // a script text after the fixed part
  std::vector<TeamSight> Teams;
  // Raw values written instead of what the keys give (a hash in Zeph, a row elsewhere), for
  // values the game's tables do not know.
  std::optional<int32_t> RawFeature;
  std::optional<int32_t> RawImprovement;
  std::optional<int32_t> RawResource;
};

// A flat grassland plot.
PlotDescription LandPlot(int8_t owner = -1);

struct MapDescription {
  Rules RuleSet = Rules::kZeph;
  int32_t Width = 6;
  int32_t Height = 4;
  bool WrapX = true;
  bool WrapY = false;
  // The save's resource table (the game writes every resource of its rule set).
  std::vector<std::string> ResourceKeys = {"RESOURCE_IRON", "RESOURCE_HORSE", "RESOURCE_WHEAT",
                                           "RESOURCE_SILK", "RESOURCE_WINE"};
  std::vector<PlotDescription> Plots;  // plot order; missing plots are ocean
  // The header's counts; by default what the plots hold.
  std::optional<int32_t> LandCount;
  std::optional<int32_t> OwnedCount;
  std::optional<int32_t> NaturalWonderCount;
  std::optional<int32_t> FirstResourceCount;
  int32_t HintSize = 1024;  // 0: no block before the header
  // The areas' table of improvement keys (base game and Exp1 rows refer to it); by default the
  // rule set's own order.
  std::vector<std::string> ImprovementKeys;
  bool WriteAreas = true;
};

struct WrittenMap {
  std::vector<uint8_t> Bytes;
  size_t HeaderOffset = 0;
  std::vector<size_t> PlotOffsets;  // of each record in Bytes
};

WrittenMap WriteMapSection(const MapDescription& map);

// The default game with the map placed after the replay list.
GameDescription GameWithMap(const MapDescription& map);

// Offsets of a plot record's values in each layout, for tests that damage a record.
int32_t PlotTerrainOffset(Rules rules);
int32_t PlotFixedBytes(Rules rules);

}  // namespace vek5::testing
