// Where the map section's values lie: the map header, and the plot record of each rule set (told
// by the record's own version). Offsets are from the start of the structure; nothing is padded.
#pragma once

#include <cstdint>
#include <span>

#include "model/world_map.h"

namespace vek5::map {

// Map header.
inline constexpr int32_t kVersion = 0;
inline constexpr int32_t kWidth = 4;
inline constexpr int32_t kHeight = 8;
inline constexpr int32_t kLandPlots = 12;
inline constexpr int32_t kOwnedPlots = 16;
inline constexpr int32_t kNaturalWonderPlots = 20;
inline constexpr int32_t kTopLatitude = 24;
inline constexpr int32_t kBottomLatitude = 28;
inline constexpr int32_t kWrapX = 32;
inline constexpr int32_t kWrapY = 33;
inline constexpr int32_t kResourceList = 50;  // int32 R, then R x (hash, count), twice
inline constexpr int32_t kResourceItemBytes = 8;
inline constexpr uint32_t kMinMapVersion = 1;
inline constexpr uint32_t kMaxMapVersion = 15;
inline constexpr int32_t kMinLatitude = -90;
inline constexpr int32_t kMaxLatitude = 90;

// The block that has preceded the header in every save seen: int32 10, int32 N, N - 8 zeros.
inline constexpr int32_t kHintTag = 10;
inline constexpr int32_t kHintSizes[] = {1024, 4096};

// Values shared by every plot record layout.
inline constexpr int32_t kPlotVersion = 0;
inline constexpr int32_t kPlotX = 4;
inline constexpr int32_t kPlotY = 6;
inline constexpr int32_t kTurnsOwned = 13;
inline constexpr int32_t kResourceQuantity = 25;
inline constexpr int32_t kStartingPlot = 43;
inline constexpr int32_t kRiverSouthWestEdge = 45;
inline constexpr int32_t kRiverEastEdge = 46;
inline constexpr int32_t kRiverSouthEastEdge = 47;
inline constexpr int32_t kImprovementPillaged = 49;
inline constexpr int32_t kRoutePillaged = 50;
inline constexpr int32_t kMaxPlotTerrain = 8;
inline constexpr int32_t kMaxFlow = 5;
inline constexpr int32_t kMaxScriptBytes = 100000;
inline constexpr int32_t kMaxBuildKeyBytes = 63;
inline constexpr int32_t kMaxBuildEntries = 1000;
inline constexpr uint32_t kMaxPlotUnits = 1000;
inline constexpr int32_t kSkippedShorts = 80;  // after the builds
inline constexpr int32_t kArchaeologyBytes = 4 + 5 * 4;
inline constexpr char kNoBuildKey[] = "NO_BUILD";

// A plot record's layout. Type hashes where `hashes` says so (Zeph), else int8 rows (and int16
// rows in the per-team improvement array).
struct PlotLayout {
  uint32_t Version;
  MapRuleSet Rules;
  int32_t FixedBytes;
  int32_t Owner;
  int32_t PlotType;
  int32_t Terrain;
  int32_t Feature;
  int32_t Resource;
  int32_t Improvement;
  int32_t Route;
  int32_t EastFlow;  // then the south-east and the south-west edge's
  int32_t City;      // (owner, city id)
  int32_t WorkingCity;
  int32_t Yields;
  int32_t YieldCount;
  int32_t TeamVisibility;   // 80 x int16
  int32_t TeamOwner;        // 80 x int8
  int32_t TeamRevealed;     // 4 x uint32 of bits
  int32_t TeamImprovement;  // 80 x (hash or int16 row)
  int32_t TeamRoute;        // 80 x int16
  int32_t ScriptFlag;
  bool Hashes;       // features and improvements as type hashes
  bool BuildKeys;    // build entries by key text instead of hash
  bool Archaeology;  // a record of the site after the continent type
};

inline constexpr PlotLayout kPlotLayouts[] = {
    {7,     MapRuleSet::kZeph,
     1376,  55,
     56,    57,
     58,    62,
     66,    78,
     81,    84,
     92,    124,
     6,     536,
     696,   777,
     873,   1193,
     1375,  true,
     false, true},
    {8,    MapRuleSet::kBase,
     1200, 54,
     55,   56,
     57,   58,
     62,   66,
     69,   72,
     80,   112,
     4,    520,
     680,  761,
     857,  1017,
     1199, false,
     true, false},
    {10,   MapRuleSet::kExp1,
     1205, 55,
     56,   57,
     58,   59,
     63,   67,
     70,   73,
     81,   113,
     6,    525,
     685,  766,
     862,  1022,
     1204, false,
     true, false},
};

// The layout of a plot version; null for a version no rule set writes.
inline const PlotLayout* PlotLayoutOf(uint32_t version) {
  for (const PlotLayout& layout : kPlotLayouts) {
    if (layout.Version == version) return &layout;
  }
  return nullptr;
}

}  // namespace vek5::map
