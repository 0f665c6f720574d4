// The world map of saves written by the game itself (skipped when absent): read whole, its
// counts equal to the header's, every city on its owner's plot, and each major civilization's
// owned land equal to its own history.
#include <gtest/gtest.h>

#include "analysis/save5_analyse.h"
#include "model/reference_tables.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

struct RealMap {
  const char* File;
  int32_t Width;
  int32_t Height;
  MapRuleSet Rules;
};

const RealMap kRealMaps[] = {
    {"base-turn50.Vek5Save", 120, 80, MapRuleSet::kBase},
    {"base-turn95.Vek5Save", 120, 80, MapRuleSet::kBase},
    {"zeph-hotseat-turn164.Vek5Save", 56, 36, MapRuleSet::kZeph},
    {"zeph-latestart-turn179.Vek5Save", 104, 64, MapRuleSet::kZeph},
    {"zeph-turn238.Vek5Save", 66, 42, MapRuleSet::kZeph},
};

void PrintTo(const RealMap& save, std::ostream* out) {
  *out << save.File;
}

class RealSaveMap : public ::testing::TestWithParam<RealMap> {
 protected:
  void SetUp() override {
    const std::string path = testing::SharedSave(GetParam().File);
    if (path.empty()) GTEST_SKIP() << "the shared saves are not there";
    state_ = Save5Analyse(LoadSave(path));
  }
  std::unique_ptr<GameState> state_;
};

TEST_P(RealSaveMap, ReadsEveryPlotAndTheHeadersCountsHold) {
  const WorldMap& map = state_->Map;
  ASSERT_EQ(map.Status, MapStatus::kRead) << map.Problem;
  EXPECT_EQ(map.Width, GetParam().Width);
  EXPECT_EQ(map.Height, GetParam().Height);
  EXPECT_EQ(map.Rules, GetParam().Rules);
  EXPECT_TRUE(map.WrapX);
  EXPECT_FALSE(map.WrapY);
  EXPECT_EQ(map.PlotsRead, map.Width * map.Height);
  EXPECT_TRUE(map.CheckFailures.empty()) << map.CheckFailures.front();
  EXPECT_EQ(map.LandPlots, map.HeaderLandPlots);
  EXPECT_EQ(map.OwnedPlots, map.HeaderOwnedPlots);
  for (const MapResource& resource : map.Resources) {
    EXPECT_GE(resource.InfoRow, 0) << "every resource of the game's own tables is known";
    EXPECT_EQ(resource.Plots, resource.HeaderPlots);
  }
  for (const MapPlot& plot : map.Plots) {
    EXPECT_NE(plot.Feature, kMapUnknown);
    EXPECT_NE(plot.Improvement, kMapUnknown);
  }
  EXPECT_FALSE(map.Teams.empty());
}

TEST_P(RealSaveMap, EveryCityStandsOnAPlotItsOwnerOwnsAndThatNamesIt) {
  const GameState& s = *state_;
  const WorldMap& map = s.Map;
  ASSERT_TRUE(map.Readable());
  int32_t cities = 0;
  for (int e = 0; e < s.PlayerCount; ++e) {
    for (const TCityRec& city : s.Cities[e]) {
      ASSERT_TRUE(city.X >= 0 && city.X < map.Width && city.Y >= 0 && city.Y < map.Height);
      const MapPlot& plot = map.Plots[map.PlotIndex(city.X, city.Y)];
      EXPECT_EQ(plot.Owner, s.Leaders[e].Slot) << city.Name;
      EXPECT_EQ(plot.CityOwner, s.Leaders[e].Slot) << city.Name;
      ++cities;
    }
  }
  int32_t city_plots = 0;
  for (const MapPlot& plot : map.Plots) city_plots += plot.CityOwner >= 0 ? 1 : 0;
  EXPECT_EQ(city_plots, cities);
}

// The history is written at the start of a turn, so a city founded or taken later in the save's
// own turn makes the two differ; the shared saves have none.
TEST_P(RealSaveMap, OwnedLandOfEachMajorEqualsItsTotalLandHistory) {
  const GameState& s = *state_;
  const WorldMap& map = s.Map;
  ASSERT_TRUE(map.Readable());
  const auto& names = s.ZephPresent ? std::span<const std::string_view>(ReplayDatasetNamesZeph)
                                    : std::span<const std::string_view>(ReplayDatasetNames);
  const auto land_series =
      static_cast<size_t>(std::find(names.begin(), names.end(), "Total Land") - names.begin());
  const auto turn = static_cast<size_t>(s.CurrentTurn);
  int32_t compared = 0;
  for (int e = 0; e < s.PlayerCount; ++e) {
    const TLeaderInfoRec& leader = s.Leaders[e];
    if (leader.SlotIsMinor || leader.CivType == kCivBarbarian) continue;
    if (static_cast<size_t>(e) >= s.HistoryStored.size() ||
        !s.HistoryStored[e].Turns[land_series].test(turn))
      continue;
    EXPECT_EQ(map.Holdings[leader.Slot].LandPlots, s.HistoryData[e][land_series][turn])
        << leader.CivName;
    ++compared;
  }
  EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(SharedSaves, RealSaveMap, ::testing::ValuesIn(kRealMaps));

}  // namespace
}  // namespace vek5
