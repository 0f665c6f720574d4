// The map in the JSON and in the report, from builder-made saves.
#include <gtest/gtest.h>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "support/map_writer.h"
#include "views/json_reader.h"
#include "views/map_report.h"
#include "views/report.h"
#include "views/state_json.h"

namespace vek5 {
namespace {

using testing::LandPlot;
using testing::MapDescription;

std::unique_ptr<GameState> AnalyseGame(const testing::GameDescription& game) {
  return Save5Analyse(AssembleSave(testing::WriteSaveFile(game)));
}

MapDescription OwnedMap() {
  MapDescription map;
  map.RuleSet = testing::Rules::kBase;
  map.Width = 4;
  map.Plots.resize(16);
  map.Plots[5] = LandPlot(1);
  map.Plots[5].CityOwner = 1;
  map.Plots[5].CityId = 8192;
  map.Plots[5].Route = 0;
  map.Plots[5].ImprovementKey = "IMPROVEMENT_FARM";
  map.Plots[6] = LandPlot(1);
  map.Plots[6].FeatureKey = "FEATURE_FUJI";
  map.Plots[6].PlotType = 0;
  map.Plots[7] = LandPlot(1);
  map.Plots[7].ResourceKey = "RESOURCE_IRON";
  map.Plots[7].ResourceQuantity = 4;
  map.Plots[8].Owner = 1;
  return map;
}

TEST(MapJson, LayersInPlotOrderReferToNamesListedOnce) {
  const auto state = AnalyseGame(testing::GameWithMap(OwnedMap()));
  const std::string text = StateToJson(*state);
  const Json map = JsonReader(text).Document()["map"];
  ASSERT_EQ(map.Type, Json::kObject);
  EXPECT_EQ(map["Width"].Number, 4);
  EXPECT_EQ(map["Height"].Number, 4);
  EXPECT_TRUE(map["WrapX"].Bool);
  EXPECT_FALSE(map["WrapY"].Bool);
  for (const char* layer : {"PlotType", "Terrain", "Feature", "Resource", "Improvement", "Route",
                            "Owner", "CityOwner"}) {
    EXPECT_EQ(map[layer].Items.size(), 16u) << layer;
  }
  const auto name = [&map](const char* names, const char* layer, size_t plot) {
    return map[names][static_cast<size_t>(map[layer][plot].Number)].String;
  };
  EXPECT_EQ(name("PlotTypeNames", "PlotType", 6), "Mountain");
  EXPECT_EQ(name("TerrainNames", "Terrain", 5), "Grassland");
  EXPECT_EQ(name("FeatureNames", "Feature", 6), "Mt. Fuji");
  EXPECT_EQ(name("ResourceNames", "Resource", 7), "Iron");
  EXPECT_EQ(name("ImprovementNames", "Improvement", 5), "Farm");
  EXPECT_EQ(name("RouteNames", "Route", 5), "Road");
  EXPECT_EQ(map["Feature"][0].Number, -1);
  EXPECT_EQ(map["Owner"][8].Number, 1);
  EXPECT_EQ(map["Owner"][0].Number, -1);
  EXPECT_EQ(map["CityOwner"][5].Number, 1);
  EXPECT_EQ(map["CityOwner"][6].Number, -1);
}

TEST(MapJson, ASaveWithoutAReadableMapHasNull) {
  const auto state = AnalyseGame(testing::GameDescription());
  const std::string text = StateToJson(*state);
  EXPECT_EQ(JsonReader(text).Document()["map"].Type, Json::kNull);
}

TEST(MapReport, SaysSizeLandWondersAndWhatEachPlayerHolds) {
  const auto state = AnalyseGame(testing::GameWithMap(OwnedMap()));
  const std::string report = BuildMapReport(*state);
  EXPECT_NE(report.find("Size: 4 x 4 (16 plots)\n"), std::string::npos) << report;
  EXPECT_NE(report.find("Wraps: east-west\n"), std::string::npos);
  EXPECT_NE(report.find("Land: 3 plots (18.8%)\n"), std::string::npos);
  EXPECT_NE(report.find("  Mt. Fuji (2, 1), Ramesses II\n"), std::string::npos);
  EXPECT_NE(report.find("  Ramesses II  3           4          Iron 4"), std::string::npos)
      << report;
  // The whole report holds it after the base values.
  const std::string whole = BuildReport(*state);
  EXPECT_LT(whole.find("== Base =="), whole.find("== Map =="));
  EXPECT_LT(whole.find("== Map =="), whole.find("== Leaders =="));
}

TEST(MapReport, ASaveWithoutAMapSaysItCouldNotBeRead) {
  const auto state = AnalyseGame(testing::GameDescription());
  EXPECT_NE(BuildMapReport(*state).find("The map could not be read."), std::string::npos);
}

}  // namespace
}  // namespace vek5
