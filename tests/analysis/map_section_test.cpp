// The world map read from builder-made saves in the three layouts: every value of a plot, the
// teams' memory, the header found with and without the block before it, damaged records, cut
// bodies, the end checks and what each player holds.
#include <gtest/gtest.h>

#include <cstring>

#include "analysis/header_fixture.h"
#include "model/type_hash.h"
#include "support/map_writer.h"
#include "support/sample_games.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::GameDescription;
using testing::GameWithMap;
using testing::LandPlot;
using testing::MapDescription;
using testing::PlotDescription;
using testing::Rules;
using testing::TeamSight;

struct LayoutCase {
  const char* Name;
  Rules RuleSet;
  MapRuleSet Expected;
  int32_t PlotVersion;
};

const LayoutCase kLayouts[] = {
    {"Zeph", Rules::kZeph, MapRuleSet::kZeph, 7},
    {"Base", Rules::kBase, MapRuleSet::kBase, 8},
    {"Exp1", Rules::kExp1, MapRuleSet::kExp1, 10},  // written from the rules; no real save seen
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
  *out << c.Name;
}

// A plot that holds something of everything.
PlotDescription RichPlot() {
  PlotDescription p = LandPlot(1);
  p.PlotType = 1;  // hills
  p.Terrain = 1;   // plains
  p.FeatureKey = "FEATURE_FOREST";
  p.ResourceKey = "RESOURCE_IRON";
  p.ResourceQuantity = 6;
  p.ImprovementKey = "IMPROVEMENT_MINE";
  p.ImprovementPillaged = true;
  p.Route = 1;
  p.RoutePillaged = true;
  p.WorkingOwner = 1;
  p.WorkingId = 8193;
  p.RiverEast = true;
  p.RiverSouthWest = true;
  p.FlowEast = 3;
  p.FlowSouthWest = 5;
  p.Yields = {1, 3, 2, 1, 0, 0};
  p.TurnsOwned = 42;
  p.Units = {{1, 100}, {1, 101}};
  p.Builds = {"BUILD_ROAD"};
  p.Script = "a script";
  return p;
}

MapDescription SmallMap(Rules rules) {
  MapDescription map;
  map.RuleSet = rules;
  map.Plots.resize(24);
  map.Plots[7] = RichPlot();
  map.Plots[8] = LandPlot(1);
  map.Plots[8].CityOwner = 1;
  map.Plots[8].CityId = 8193;
  map.Plots[8].ResourceKey = "RESOURCE_SILK";
  map.Plots[8].ResourceQuantity = 1;
  map.Plots[9] = LandPlot(0);
  map.Plots[9].FeatureKey = "FEATURE_FUJI";
  map.Plots[9].PlotType = 0;
  map.Plots[3].ResourceKey = "RESOURCE_WHEAT";  // at sea, for the land-only count
  map.Plots[3].ResourceQuantity = 1;
  map.Plots[3].Owner = 1;
  return map;
}

class MapLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MapLayouts, ReadsTheHeaderAndEveryValueOfAPlot) {
  const LayoutCase& c = GetParam();
  const auto state = Analyse(GameWithMap(SmallMap(c.RuleSet)));
  const WorldMap& map = state->Map;
  ASSERT_EQ(map.Status, MapStatus::kRead) << map.Problem;
  EXPECT_EQ(map.Rules, c.Expected);
  EXPECT_EQ(map.PlotVersion, c.PlotVersion);
  EXPECT_EQ(map.Width, 6);
  EXPECT_EQ(map.Height, 4);
  EXPECT_TRUE(map.WrapX);
  EXPECT_FALSE(map.WrapY);
  EXPECT_EQ(map.PlotsRead, 24);
  ASSERT_EQ(map.Resources.size(), 5u);
  EXPECT_EQ(ResourceName(map, 3), "Silk");
  EXPECT_EQ(map.Resources[0].HeaderPlots, 1);
  EXPECT_TRUE(map.CheckFailures.empty()) << map.CheckFailures.front();

  const MapPlot& p = map.Plots[map.PlotIndex(1, 1)];  // plot 7
  EXPECT_EQ(p.PlotType, kPlotHills);
  EXPECT_EQ(TerrainName(p.Terrain), "Plains");
  EXPECT_EQ(FeatureName(map.Rules, p.Feature), "Forest");
  EXPECT_EQ(ResourceName(map, p.Resource), "Iron");
  EXPECT_EQ(p.ResourceQuantity, 6);
  EXPECT_EQ(ImprovementName(map.Rules, p.Improvement), "Mine");
  EXPECT_EQ(p.Route, kRouteRailroad);
  EXPECT_EQ(p.Flags, kPlotImprovementPillaged | kPlotRoutePillaged);
  EXPECT_EQ(p.Owner, 1);
  EXPECT_EQ(p.CityOwner, -1);
  EXPECT_EQ(p.WorkingCityOwner, 1);
  EXPECT_EQ(p.WorkingCityId, 8193);
  EXPECT_EQ(p.Rivers, kRiverEast | kRiverSouthWest);
  EXPECT_EQ(p.RiverFlow[kFlowEast], 3);
  EXPECT_EQ(p.RiverFlow[kFlowSouthWest], 5);
  EXPECT_EQ(p.RiverFlow[kFlowSouthEast], kFlowNone);
  EXPECT_EQ(p.Yields[kYieldProduction], 3);
  EXPECT_EQ(p.Yields[kYieldScience], 1);
  EXPECT_EQ(p.TurnsOwned, 42);
  EXPECT_EQ(p.UnitOwner, 1);
  EXPECT_EQ(p.UnitCount, 2);

  const MapPlot& city = map.Plots[8];
  EXPECT_EQ(city.CityOwner, 1);
  EXPECT_EQ(city.CityId, 8193);
  EXPECT_EQ(city.Improvement, kMapNone);
  const MapPlot& ocean = map.Plots[0];
  EXPECT_EQ(ocean.PlotType, kPlotWater);
  EXPECT_EQ(ocean.Feature, kMapNone);
  EXPECT_EQ(ocean.Resource, kMapNone);
  EXPECT_EQ(ocean.Route, kMapNone);
  EXPECT_EQ(ocean.Flags, 0);
}

TEST_P(MapLayouts, TotalsWhatEachPlayerHolds) {
  const auto state = Analyse(GameWithMap(SmallMap(GetParam().RuleSet)));
  const WorldMap& map = state->Map;
  EXPECT_EQ(map.LandPlots, 3);
  EXPECT_EQ(map.OwnedPlots, 4);
  ASSERT_EQ(map.NaturalWonderPlots, std::vector<int32_t>{9});
  const MapHoldings& one = map.Holdings[1];
  EXPECT_EQ(one.LandPlots, 2);
  EXPECT_EQ(one.AllPlots, 3);
  ASSERT_EQ(one.Strategic.size(), 1u);
  EXPECT_EQ(ResourceName(map, one.Strategic[0].Resource), "Iron");
  EXPECT_EQ(one.Strategic[0].Quantity, 6);
  ASSERT_EQ(one.Luxuries.size(), 1u);
  EXPECT_EQ(ResourceName(map, one.Luxuries[0].Resource), "Silk");
  EXPECT_TRUE(one.NaturalWonderPlots.empty());
  EXPECT_EQ(map.Holdings[0].NaturalWonderPlots, std::vector<int32_t>{9});
  EXPECT_EQ(map.Holdings[0].LandPlots, 1);
}

// Teams: slots 0 and 1 share team 0; the city-states (slots 22, 23) and the barbarians have teams
// of their own; teams 1, 2 and 5 have no player and are not kept.
TEST_P(MapLayouts, KeepsWhatEachLivingTeamHasSeenAndRemembers) {
  MapDescription desc = SmallMap(GetParam().RuleSet);
  desc.Plots[7].Teams = {TeamSight{0, true, false, 2, "IMPROVEMENT_FARM", 0},
                         TeamSight{5, true, true, 1, "", -1}};
  desc.Plots[8].Teams = {TeamSight{0, true, true, 1, "", -1}};
  GameDescription game = GameWithMap(desc);
  game.SlotTeams = {0, 0, 2, 3};
  const auto state = Analyse(game);
  const WorldMap& map = state->Map;
  ASSERT_TRUE(map.Readable());
  EXPECT_EQ(map.TeamView(5), nullptr);
  EXPECT_EQ(map.TeamView(1), nullptr);
  EXPECT_EQ(map.TeamView(2), nullptr);
  EXPECT_NE(map.TeamView(22), nullptr);
  EXPECT_NE(map.TeamView(63), nullptr);
  const MapTeamView* team = map.TeamView(0);
  ASSERT_NE(team, nullptr);
  EXPECT_EQ(team->SeenPlots, 2);
  const MapTeamPlot& remembered = team->Plots[7];
  EXPECT_EQ(remembered.Flags, kTeamSeen);
  EXPECT_EQ(remembered.Owner, 2);
  EXPECT_EQ(ImprovementName(map.Rules, remembered.Improvement), "Farm");
  EXPECT_EQ(remembered.Route, kRouteRoad);
  EXPECT_EQ(team->Plots[8].Flags, kTeamSeen | kTeamSeesNow);
  EXPECT_EQ(team->Plots[0].Flags, 0);
  EXPECT_EQ(team->Plots[0].Owner, -1);
  EXPECT_EQ(team->Plots[0].Improvement, kMapNone);
}

TEST_P(MapLayouts, ValuesTheTablesDoNotKnowAreUnknownNotGuessed) {
  MapDescription desc = SmallMap(GetParam().RuleSet);
  const bool hashes = GetParam().RuleSet == Rules::kZeph;
  desc.Plots[10] = LandPlot();
  desc.Plots[10].RawFeature = hashes ? TypeHash("FEATURE_MODDED") : 60;
  desc.Plots[10].RawImprovement = hashes ? TypeHash("IMPROVEMENT_MODDED") : 40;
  desc.Plots[10].RawResource = TypeHash("RESOURCE_MODDED");
  const auto state = Analyse(GameWithMap(desc));
  const MapPlot& p = state->Map.Plots[10];
  EXPECT_EQ(p.Feature, kMapUnknown);
  EXPECT_EQ(p.Improvement, kMapUnknown);
  EXPECT_EQ(p.Resource, kMapUnknown);
  EXPECT_EQ(FeatureName(state->Map.Rules, p.Feature), "Unknown");
}

INSTANTIATE_TEST_SUITE_P(Layouts, MapLayouts, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(MapSection, BaseGameImprovementsAreNumberedByTheSavesOwnKeys) {
  MapDescription desc = SmallMap(Rules::kBase);
  // The save's table lists the mine first: row 0 of its plots is a mine.
  desc.ImprovementKeys = {"IMPROVEMENT_MINE", "IMPROVEMENT_FARM", "IMPROVEMENT_MODDED"};
  desc.Plots[10] = LandPlot();
  desc.Plots[10].ImprovementKey = "IMPROVEMENT_FARM";
  desc.Plots[11] = LandPlot();
  desc.Plots[11].ImprovementKey = "IMPROVEMENT_MODDED";
  const auto state = Analyse(GameWithMap(desc));
  const WorldMap& map = state->Map;
  ASSERT_EQ(map.Status, MapStatus::kRead);
  EXPECT_EQ(ImprovementName(map.Rules, map.Plots[7].Improvement), "Mine");
  EXPECT_EQ(ImprovementName(map.Rules, map.Plots[10].Improvement), "Farm");
  EXPECT_EQ(map.Plots[11].Improvement, kMapUnknown);
}

TEST(MapSection, TheHeaderIsFoundWithoutTheBlockBeforeItAndPastDecoys) {
  for (const int32_t hint : {0, 1024, 4096}) {
    SCOPED_TRACE(hint);
    MapDescription desc = SmallMap(Rules::kZeph);
    desc.HintSize = hint;
    GameDescription game;
    // A block like the one before the header, followed by no header, and a near-header.
    std::vector<uint8_t> decoy(1024, 0);
    decoy[0] = 10;
    decoy[5] = 4;
    decoy.push_back(1);
    decoy.resize(decoy.size() + 60, 0);
    game.BodySections = {decoy, testing::WriteMapSection(desc).Bytes};
    const auto state = Analyse(game);
    EXPECT_EQ(state->Map.Status, MapStatus::kRead) << state->Map.Problem;
    EXPECT_EQ(state->Map.PlotsRead, 24);
  }
}

TEST(MapSection, ASaveWithoutAMapShowsEverythingElseAndSaysWhy) {
  const auto state = Analyse(GameDescription());
  EXPECT_FALSE(state->Map.Readable());
  EXPECT_NE(state->Map.Problem.find("no map header"), std::string::npos);
  EXPECT_TRUE(state->Map.Plots.empty());
  EXPECT_EQ(state->ReplayMessageCount, 6);
  EXPECT_GT(state->PlayerCount, 0);
}

// Header values outside their bounds: no map is read.
TEST(MapSection, AHeaderFailingItsCheckIsNoMap) {
  struct Case {
    const char* Name;
    size_t Offset;  // in the header
    int32_t Value;
  };
  const size_t r_list = 50;
  const size_t first_plot = 50 + 2 * (4 + 5 * 8);
  for (const Case& c :
       {Case{"version", 0, 16}, Case{"width", 4, 3}, Case{"height", 8, 1025}, Case{"land", 12, 25},
        Case{"owned", 16, -1}, Case{"wonders", 20, 101}, Case{"latitudes", 28, 90},
        Case{"resources", r_list, 0}, Case{"second list", r_list + 4 + 5 * 8 + 4, 7},
        Case{"plot version", first_plot, 9}, Case{"plot x", first_plot + 4, 1}}) {
    SCOPED_TRACE(c.Name);
    MapDescription desc = SmallMap(Rules::kZeph);
    testing::WrittenMap written = testing::WriteMapSection(desc);
    testing::PutIntAt(written.Bytes, written.HeaderOffset + c.Offset, c.Value);
    GameDescription game;
    game.BodySections = {written.Bytes};
    EXPECT_FALSE(Analyse(game)->Map.Readable());
  }
}

// A record damaged in the middle: the next good record is found and the plots in between stay
// unread; a damaged last record leaves the rest unread. Either way the rest is shown.
TEST(MapSection, DamagedRecordsAreSkippedToTheNextGoodOne) {
  struct Case {
    const char* Name;
    int32_t Plot;
    int32_t Offset;  // from the record's start; -1: the terrain
    int32_t Value;
  };
  for (const Rules rules : {Rules::kZeph, Rules::kBase, Rules::kExp1}) {
    for (const Case& c : {Case{"terrain", 10, -1, 9}, Case{"y", 12, 4, 0x00070000},
                          Case{"version", 5, 0, 11}, Case{"last", 23, -1, 77}}) {
      SCOPED_TRACE(testing::LayoutName({rules}) + " " + c.Name);
      MapDescription desc = SmallMap(rules);
      testing::WrittenMap written = testing::WriteMapSection(desc);
      const size_t at = written.PlotOffsets[c.Plot] +
                        (c.Offset < 0 ? testing::PlotTerrainOffset(rules) : c.Offset);
      if (c.Offset < 0) {
        written.Bytes[at] = static_cast<uint8_t>(c.Value);
      } else {
        testing::PutIntAt(written.Bytes, at, c.Value);
      }
      GameDescription game;
      game.BodySections = {written.Bytes};
      const auto state = Analyse(game);
      const WorldMap& map = state->Map;
      ASSERT_EQ(map.Status, MapStatus::kDamaged);
      EXPECT_EQ(map.PlotsRead, 23);
      EXPECT_TRUE(map.Plots[c.Plot].Flags & kPlotNotRead);
      EXPECT_EQ(map.Plots[c.Plot].PlotType, kMapUnknown);
      EXPECT_NE(map.Problem.find("1 of the map's 24 plots"), std::string::npos) << map.Problem;
      EXPECT_EQ(ResourceName(map, map.Plots[8].Resource), "Silk");
      EXPECT_TRUE(map.CheckFailures.empty());  // a damaged map is not compared
      EXPECT_EQ(state->ReplayMessageCount, 6);
    }
  }
}

TEST(MapSection, CountsOutOfBoundsDamageTheRecord) {
  MapDescription desc = SmallMap(Rules::kZeph);
  desc.Plots[20].Units.assign(1001, {0, 1});
  const auto state = Analyse(GameWithMap(desc));
  EXPECT_EQ(state->Map.Status, MapStatus::kDamaged);
  EXPECT_TRUE(state->Map.Plots[20].Flags & kPlotNotRead);
  EXPECT_EQ(state->Map.PlotsRead, 23);
}

// A body that ends inside the plots keeps the plots before the cut and reads nothing beyond it.
TEST(MapSection, ABodyCutInsideThePlotsKeepsThePlotsReadSoFar) {
  MapDescription desc = SmallMap(Rules::kZeph);
  testing::WrittenMap written = testing::WriteMapSection(desc);
  written.Bytes.resize(written.PlotOffsets[12] + 700);
  GameDescription game;
  game.BodySections = {written.Bytes};
  const auto state = Analyse(game);
  const WorldMap& map = state->Map;
  ASSERT_EQ(map.Status, MapStatus::kDamaged) << map.Problem;
  EXPECT_EQ(map.PlotsRead, 12);
  EXPECT_TRUE(map.Plots[12].Flags & kPlotNotRead);
  EXPECT_EQ(ResourceName(map, map.Plots[8].Resource), "Silk");
}

TEST(MapSection, HeaderCountsThatDifferFromThePlotsAreReported) {
  MapDescription desc = SmallMap(Rules::kZeph);
  desc.LandCount = 5;
  desc.FirstResourceCount = 4;
  const auto state = Analyse(GameWithMap(desc));
  const WorldMap& map = state->Map;
  ASSERT_EQ(map.Status, MapStatus::kRead);
  ASSERT_EQ(map.CheckFailures.size(), 2u);
  EXPECT_EQ(map.CheckFailures[0], "The map header counts 5 land plots, the plots hold 3.");
  EXPECT_EQ(map.CheckFailures[1], "The map header counts 4 plots of Iron, the plots hold 1.");
}

}  // namespace
}  // namespace vek5

namespace vek5 {
namespace {

// The sample games (which the damaged-save sweeps and the fuzz seeds start from) hold a map in
// their own rule set's layout.
TEST(MapSection, EverySampleGameHoldsAReadableMap) {
  for (const testing::SampleGame& sample : testing::SampleGames()) {
    SCOPED_TRACE(sample.Name);
    const auto state = Analyse(sample.Game);
    EXPECT_EQ(state->Map.Status, MapStatus::kRead) << state->Map.Problem;
    EXPECT_EQ(state->Map.Plots[5].CityOwner, 0);
    EXPECT_TRUE(state->Map.CheckFailures.empty());
  }
}

}  // namespace
}  // namespace vek5
