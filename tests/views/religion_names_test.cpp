#include "views/religion_names.h"

#include <gtest/gtest.h>

#include <string>

#include "city_fixture.h"
#include "views/city_queue_view.h"
#include "views/json_reader.h"
#include "views/state_json.h"
#include "views/stats_view.h"

namespace vek5 {
namespace {

using testing::AddCity;
using testing::AddPlayer;
using testing::SmallGame;

constexpr int32_t kBuddhism = 1;
constexpr int32_t kIslam = 5;
constexpr int32_t kTaoism = 9;

// A Zeph game whose first player founded Buddhism under his own name in Rome and whose second
// kept Islam's name; the second also worships a pantheon, which is no religion.
std::unique_ptr<GameState> GameWithReligions() {
  std::unique_ptr<GameState> state = SmallGame();
  state->ZephPresent = kTrue;
  state->Exp1Present = kTrue;
  AddPlayer(*state, 0, "Augustus");
  AddPlayer(*state, 1, "Harun");
  TCityRec& rome = AddCity(*state, 0, "Rome");
  rome.X = 41;
  rome.Y = 17;
  rome.ReligionCount = 4;
  rome.Religions[0] = {0, -1, 0, 1, 0, 0.0f};
  rome.Religions[1] = {0, kBuddhism, kTrue, 5, 300, 75.0f};
  rome.Religions[2] = {0, kIslam, 0, 1, 100, 25.0f};
  rome.Religions[3] = {0, kTaoism, 0, 0, 0, 0.0f};
  state->Religions = {
      {0, 1, 0, 0, 36, kTrue, kFalse, ""},
      {kBuddhism, 0, 41, 17, 66, kFalse, kFalse, "Ittoism"},
      {kIslam, 1, 3, 3, 92, kFalse, kTrue, ""},
  };
  return state;
}

TEST(ReligionNames, TheFoundersNameWithTheTypeBesideIt) {
  const auto state = GameWithReligions();
  EXPECT_EQ(ReligionName(*state, kBuddhism), "Ittoism");
  EXPECT_EQ(ReligionNameWithType(*state, kBuddhism), "Ittoism (Buddhism)");
  EXPECT_EQ(ReligionName(*state, kIslam), "Islam");
  EXPECT_EQ(ReligionNameWithType(*state, kIslam), "Islam");
  // A type no record founded, the pantheon's type and the non-believers keep their names.
  EXPECT_EQ(ReligionName(*state, kTaoism), "Taoism");
  EXPECT_EQ(ReligionName(*state, 0), "Pantheon");
  EXPECT_EQ(ReligionName(*state, -1), "Atheism");
  EXPECT_EQ(ReligionFounding(*state, kBuddhism), "founded turn 66, holy city Rome");
  EXPECT_EQ(ReligionFounding(*state, kIslam), "founded turn 92");  // no city on its plot
  EXPECT_EQ(ReligionFounding(*state, kTaoism), "");
}

TEST(ReligionNames, CityGridStatsAndJsonUseThem) {
  const auto state = GameWithReligions();
  TabContent tab;
  FillReligionGrid(*state, state->Cities[0][0], tab);
  const GridContent* grid = tab.FindGrid("ReligionGrid");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Cells[2][0], "Ittoism (Buddhism)");
  EXPECT_EQ(grid->Cells[3][0], "Islam");

  const TabContent founder = PlayerStats(*state, 0, kStatsEnglish);
  EXPECT_EQ(founder.FindList("BeliefStats")->Lines.at(0).Text,
            "Ittoism (Buddhism), founded turn 66, holy city Rome");

  const std::string text = StateToJson(*state);
  const Json json = JsonReader(text).Document();
  const Json& entries = json["players"][0]["cities"][0]["Religions"];
  EXPECT_EQ(entries[1]["ReligionId"].Number, kBuddhism);
  EXPECT_EQ(entries[1]["ReligionName"].String, "Ittoism");
  EXPECT_EQ(entries[2]["ReligionName"].String, "Islam");
  const Json& religions = json["religions"];
  ASSERT_EQ(religions.Items.size(), 3u);
  EXPECT_TRUE(religions[0]["Pantheon"].Bool);
  EXPECT_EQ(religions[0]["Name"].String, "Pantheon");
  EXPECT_EQ(religions[1]["Type"].Number, kBuddhism);
  EXPECT_EQ(religions[1]["TypeName"].String, "Buddhism");
  EXPECT_EQ(religions[1]["CustomName"].String, "Ittoism");
  EXPECT_EQ(religions[1]["Name"].String, "Ittoism");
  EXPECT_EQ(religions[1]["Founder"].Number, 0);
  EXPECT_EQ(religions[1]["HolyCityX"].Number, 41);
  EXPECT_EQ(religions[1]["FoundedTurn"].Number, 66);
  EXPECT_TRUE(religions[2]["Enhanced"].Bool);
}

}  // namespace
}  // namespace vek5
