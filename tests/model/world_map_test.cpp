#include "model/world_map.h"

#include <gtest/gtest.h>

#include "model/type_hash.h"

namespace vek5 {
namespace {

TEST(WorldMapNames, RowsNameWhatTheGameShows) {
  EXPECT_EQ(PlotTypeName(kPlotHills), "Hill");
  EXPECT_EQ(TerrainName(5), "Coast");
  EXPECT_EQ(RouteName(kRouteRailroad), "Railroad");
  EXPECT_EQ(FeatureName(MapRuleSet::kZeph, 24), "King Solomon's Mines");
  EXPECT_EQ(ImprovementName(MapRuleSet::kBase, 3), "Farm");
}

TEST(WorldMapNames, NoneIsEmptyAndRowsBeyondTheTableAreUnknown) {
  EXPECT_EQ(TerrainName(kMapNone), "");
  EXPECT_EQ(TerrainName(9), "Unknown");
  EXPECT_EQ(FeatureName(MapRuleSet::kBase, kMapUnknown), "Unknown");
  // Zeph's last feature is not in the base game's table.
  EXPECT_EQ(FeatureName(MapRuleSet::kBase, 24), "Unknown");
  EXPECT_EQ(ImprovementName(MapRuleSet::kExp1, 24), "Unknown");
}

TEST(WorldMapNames, HashesAndKeysFindTheirRows) {
  EXPECT_EQ(FindMapFeatureRow(MapRuleSet::kZeph, TypeHash("FEATURE_FOREST")), 5);
  EXPECT_EQ(FindMapFeatureRow(MapRuleSet::kZeph, 0), -1);
  EXPECT_EQ(FindMapFeatureRow(MapRuleSet::kBase, TypeHash("FEATURE_ULURU")), -1);
  EXPECT_EQ(FindMapImprovementRow(MapRuleSet::kZeph, TypeHash("IMPROVEMENT_CHATEAU")), 28);
  EXPECT_EQ(FindMapImprovementRowByKey(MapRuleSet::kBase, "IMPROVEMENT_MINE"), 4);
  EXPECT_EQ(FindMapImprovementRowByKey(MapRuleSet::kBase, "NO_IMPROVEMENT"), -1);
  EXPECT_EQ(FindMapResourceRow(MapRuleSet::kExp1, TypeHash("RESOURCE_SALT")), 31);
}

TEST(WorldMapNames, NaturalWondersAndResourceClassesComeFromTheTables) {
  EXPECT_TRUE(IsNaturalWonder(MapRuleSet::kZeph, 8));    // Mt. Fuji
  EXPECT_FALSE(IsNaturalWonder(MapRuleSet::kZeph, 17));  // atolls
  EXPECT_FALSE(IsNaturalWonder(MapRuleSet::kZeph, kMapNone));
  WorldMap map;
  map.Rules = MapRuleSet::kBase;
  map.Resources = {{TypeHash("RESOURCE_IRON"), 0},
                   {TypeHash("RESOURCE_SILK"), 23},
                   {TypeHash("RESOURCE_WHEAT"), 6},
                   {TypeHash("RESOURCE_MODDED"), -1}};
  EXPECT_EQ(ClassOfResource(map, 0), ResourceClass::kStrategic);
  EXPECT_EQ(ClassOfResource(map, 1), ResourceClass::kLuxury);
  EXPECT_EQ(ClassOfResource(map, 2), ResourceClass::kBonus);
  EXPECT_EQ(ClassOfResource(map, 3), ResourceClass::kUnknown);
  EXPECT_EQ(ResourceName(map, 1), "Silk");
  EXPECT_EQ(ResourceName(map, 3), "Unknown");
  EXPECT_EQ(ResourceName(map, 4), "Unknown");
  EXPECT_EQ(ResourceName(map, kMapNone), "");
}

TEST(WorldMap, AFreshMapIsNotReadable) {
  const WorldMap map;
  EXPECT_FALSE(map.Readable());
  EXPECT_EQ(map.PlotCount(), 0);
  EXPECT_EQ(map.TeamView(0), nullptr);
}

}  // namespace
}  // namespace vek5
