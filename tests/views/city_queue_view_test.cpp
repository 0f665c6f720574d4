#include "views/city_queue_view.h"

#include <gtest/gtest.h>

#include "city_fixture.h"
#include "model/type_hash.h"
#include "views/city_view.h"

namespace vek5 {
namespace {

using testing::AddCity;
using testing::AddPlayer;
using testing::ListTexts;
using testing::SmallGame;

TEST(BuildQueue, EntriesAreNamedByRuleSet) {
  TCityRec city;
  city.UnitNames[2] = "Warrior";
  city.BuildingNames[1] = "Library";
  struct Case {
    RuleSet rules;
    int32_t type, item;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {RuleSet::Base, 0, 2, "Warrior"},
      {RuleSet::Exp1, 1, 1, "Library"},
      {RuleSet::Base, 2, 1, "Apollo Program"},
      {RuleSet::Base, 3, 1, ""},
      {RuleSet::Base, 4, 0, "Welth"},
      {RuleSet::Base, 5, 0, ""},
      {RuleSet::Base, -1, 0, ""},
      // Slots and rows outside their arrays name nothing.
      {RuleSet::Base, 0, 150, ""},
      {RuleSet::Base, 1, -1, ""},
      {RuleSet::Base, 2, 7, ""},
      {RuleSet::Exp1, 4, 5, ""},
      {RuleSet::Zeph, 0, TypeHash("UNIT_WARRIOR"), "Warrior"},
      {RuleSet::Zeph, 0, 0x12345678, "Unit(12345678)"},
      {RuleSet::Zeph, 0, -2, "Unit(FFFFFFFE)"},
      {RuleSet::Zeph, 1, TypeHash("BUILDING_GREAT_LIBRARY"), "Great Library"},
      {RuleSet::Zeph, 1, 0, "Building(00000000)"},
      {RuleSet::Zeph, 2, TypeHash("PROJECT_MANHATTAN_PROJECT"), "Manhattan Project"},
      {RuleSet::Zeph, 2, 0xABCDEF, "Project(00ABCDEF)"},
      {RuleSet::Zeph, 3, 5, "Spec(00000005)"},
      {RuleSet::Zeph, 4, TypeHash("PROCESS_WEALTH"), "Welth"},
      {RuleSet::Zeph, 4, 1, "Commerce(00000001)"},
      {RuleSet::Zeph, 9, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(QueueItemText(c.rules, city, {c.type, c.item}), c.shown)
        << static_cast<int>(c.rules) << " " << c.type << " " << c.item;
  }
}

TEST(BuildQueue, ListsTheClampedQueueWithTheFirstSelected) {
  std::unique_ptr<GameState> state = SmallGame();
  TCityRec city;
  city.Queue[0] = {2, 0};
  city.Queue[1] = {3, 0};  // a specialist adds an empty item in saves without Zeph
  city.Queue[2] = {2, 1};
  struct Case {
    int32_t length;
    size_t items;
    int32_t selected;
  };
  for (const Case& c : {Case{3, 3, 0}, Case{0, 0, -1}, Case{-4, 0, -1}, Case{25, 20, 0}}) {
    city.QueueLength = c.length;
    TabContent tab;
    FillBuildQueue(*state, city, tab);
    const LinesContent* queue = tab.FindList("BuildingQueue");
    ASSERT_NE(queue, nullptr);
    EXPECT_EQ(queue->Lines.size(), c.items) << c.length;
    EXPECT_EQ(queue->Selected, c.selected) << c.length;
    EXPECT_EQ(queue->DropDownCount, static_cast<int32_t>(c.items)) << c.length;
  }
  city.QueueLength = 3;
  TabContent tab;
  FillBuildQueue(*state, city, tab);
  EXPECT_EQ(ListTexts(tab, "BuildingQueue"),
            (std::vector<std::string>{"Manhattan Project", "", "Apollo Program"}));
}

class CostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = SmallGame();
    entry_ = AddPlayer(*state_, 0, "Alice");
    for (int c = 0; c < 8; ++c) AddCity(*state_, entry_, "City");
  }
  TLeaderInfoRec& Leader() { return state_->Leaders[static_cast<size_t>(entry_)]; }

  std::unique_ptr<GameState> state_;
  int32_t entry_ = 0;
};

TEST_F(CostTest, NationalWonderGrowsWithCityRecordsAndScales) {
  EXPECT_EQ(BuildingCost(*state_, entry_, "National Epic"), 125 + 30 * 8);
  Leader().SlotStatus = 1;
  state_->LevelMod4 = 80;
  state_->SpeedPercent = 67;
  // 365 * 80 div 100 = 292, 292 * 67 div 100 = 195.
  EXPECT_EQ(BuildingCost(*state_, entry_, "National Epic"), 195);
}

TEST_F(CostTest, FactorsApplyByKindOfItemAndPlayer) {
  struct Case {
    int32_t slot_status, is_minor, level, speed, era;
    int32_t library, pyramid, warrior, manhattan;
  };
  const std::vector<Case> cases = {
      // Human player, neutral modifiers: the table's base costs.
      {3, 0, 50, 100, 100, 75, 185, 40, 750},
      // Difficulty applies to buildings below world wonders and to every unit.
      {1, 0, 50, 100, 100, 37, 185, 20, 750},
      // City-states pay half again for buildings and units, never for projects.
      {3, kTrue, 50, 100, 100, 112, 277, 60, 750},
      // Speed and era scale everything, one truncating step at a time.
      {3, 0, 100, 67, 55, 27, 67, 14, 276},
      {1, kTrue, 85, 150, 100, 141, 415, 76, 1125},
  };
  for (const Case& c : cases) {
    Leader().SlotStatus = c.slot_status;
    Leader().SlotIsMinor = c.is_minor;
    state_->LevelMod4 = c.level;
    state_->SpeedPercent = c.speed;
    state_->EraMod3 = c.era;
    EXPECT_EQ(BuildingCost(*state_, entry_, "Library"), c.library) << c.slot_status << c.speed;
    EXPECT_EQ(BuildingCost(*state_, entry_, "Pyramid"), c.pyramid) << c.slot_status << c.speed;
    EXPECT_EQ(UnitCost(*state_, entry_, "Warrior"), c.warrior) << c.slot_status << c.speed;
    EXPECT_EQ(ProjectCost(*state_, 0), c.manhattan) << c.slot_status << c.speed;
  }
}

TEST_F(CostTest, UnknownNamesAndFillersHaveNoCost) {
  EXPECT_EQ(BuildingCost(*state_, entry_, "Moon Base"), 0);
  EXPECT_EQ(UnitCost(*state_, entry_, "library"), 0);  // case-sensitive
  EXPECT_LT(BuildingCost(*state_, entry_, "Unknown 1"), 0);
  EXPECT_EQ(ProjectCost(*state_, 7), 0);
  EXPECT_EQ(ProjectCost(*state_, -1), 0);
  // Costs come from the rule set's table: monasteries cannot be built with production.
  state_->Exp1Present = kTrue;
  EXPECT_LT(BuildingCost(*state_, entry_, "Monastery"), 0);
  // Modifiers the model holds out of range do not overflow.
  state_->SpeedPercent = 2000000000;
  EXPECT_EQ(UnitCost(*state_, entry_, "Warrior"), 800000000);
}

class ProductionGridTest : public CostTest {
 protected:
  TabContent Fill(const TCityRec& city) {
    TabContent tab;
    FillProductionGrid(*state_, entry_, city, tab);
    return tab;
  }
  static std::vector<std::string> Row(const TabContent& tab, size_t row) {
    return tab.FindGrid("ProductionGrid")->Cells[row];
  }
};

TEST_F(ProductionGridTest, ListsFifteenItemsBuildingsFirst) {
  TCityRec city;
  for (size_t k = 0; k < 12; ++k) {
    city.BuildingNames[k] = "Building " + std::to_string(k);
    city.BuildingProduction[k] = 100;
  }
  for (size_t k = 0; k < 5; ++k) {
    city.UnitNames[k] = "Unit " + std::to_string(k);
    city.UnitProduction[k] = 200;
  }
  city.ProjectProduction[0] = 500;
  const TabContent tab = Fill(city);
  const GridContent* grid = tab.FindGrid("ProductionGrid");
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->Cells.size(), 16u);
  EXPECT_EQ(grid->Cells[0], (std::vector<std::string>{"№", "Production", "Hammers", "Delay"}));
  EXPECT_EQ(Row(tab, 1)[0], " 1");
  EXPECT_EQ(Row(tab, 12)[1], "Building 11");
  EXPECT_EQ(Row(tab, 13)[1], "Unit 0");
  EXPECT_EQ(Row(tab, 15), (std::vector<std::string>{"15", "Unit 2", "    2.00", "    0"}));
}

TEST_F(ProductionGridTest, ShowsProductionOverScaledCost) {
  TCityRec city;
  // Slot 0 is built and slot 1 free: never listed, whatever they hold.
  city.BuildingNames = {"Library", "Monument", "National Epic", "Moon Base"};
  city.BuildingProduction = {500, 500, 1234, 50};
  city.BuildingCount[0] = 1;
  city.FreeBuildingCount[1] = 1;
  city.BuildingDelay[2] = 3;
  city.UnitNames[4] = "Warrior";
  city.UnitProduction[4] = 1999;
  city.UnitDelay[4] = -1;
  city.ProjectProduction[6] = 1;
  const TabContent tab = Fill(city);
  EXPECT_EQ(Row(tab, 1),
            (std::vector<std::string>{" 1", "National Epic", "   12.34/365", "    3"}));
  EXPECT_EQ(Row(tab, 2), (std::vector<std::string>{" 2", "Moon Base", "    0.50", "    0"}));
  EXPECT_EQ(Row(tab, 3), (std::vector<std::string>{" 3", "Warrior", "   19.99/40", "   -1"}));
  EXPECT_EQ(Row(tab, 4), (std::vector<std::string>{" 4", "Utopia Project", "    0.01/1500", ""}));
  EXPECT_EQ(Row(tab, 5), (std::vector<std::string>{"", "", "", ""}));
}

TEST(ReligionGrid, ShowsEachReligionWithItsShare) {
  std::unique_ptr<GameState> state = SmallGame();
  state->Exp1Present = kTrue;
  TCityRec city;
  city.ReligionCount = 4;
  city.Religions[0] = {0, 1, kTrue, 5, 300, 33.333f};
  city.Religions[1] = {0, 13, 0, 1, 600, 66.667f};
  city.Religions[2] = {0, -1, 0, 0, 0, 0.0f};
  city.Religions[3] = {0, 40, 0, 0, 0, 0.0f};
  TabContent tab;
  FillReligionGrid(*state, city, tab);
  const GridContent* grid = tab.FindGrid("ReligionGrid");
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->Cells.size(), 14u);
  EXPECT_EQ(grid->Cells[1],
            (std::vector<std::string>{"Buddhism", "      5", "    300", "  33.33", "  Yes"}));
  EXPECT_EQ(grid->Cells[2],
            (std::vector<std::string>{"Atheism", "      1", "    600", "  66.67", ""}));
  EXPECT_EQ(grid->Cells[3][0], "Atheism");
  EXPECT_EQ(grid->Cells[4][0], "Atheism");
  EXPECT_EQ(grid->Cells[5], (std::vector<std::string>(5)));
}

TEST(ReligionGrid, CountIsClamped) {
  std::unique_ptr<GameState> state = SmallGame();
  TCityRec city;
  for (int32_t i = 0; i < kMaxCityReligions; ++i)
    city.Religions[static_cast<size_t>(i)].ReligionId = i;
  for (int32_t count : {13, 99}) {
    city.ReligionCount = count;
    TabContent tab;
    FillReligionGrid(*state, city, tab);
    EXPECT_EQ(tab.FindGrid("ReligionGrid")->Cells[13][0], "Atheism");
    EXPECT_EQ(tab.FindGrid("ReligionGrid")->Cells[12][0], "Zoroastrianism");
  }
}

// Zeph numbers its religions up to 13, its last two being its own; -1 are the non-believers.
TEST(ReligionGrid, ZephHasItsOwnNames) {
  std::unique_ptr<GameState> state = SmallGame();
  state->ZephPresent = kTrue;
  TCityRec city;
  city.ReligionCount = 5;
  city.Religions[0] = {3, -1, 0, 2, 0, 0.0f};
  city.Religions[1] = {2, 12, kTrue, 7, 300, 75.0f};
  city.Religions[2] = {2, 13, 0, 1, 100, 25.0f};
  city.Religions[3] = {2, 0, 0, 0, 0, 0.0f};
  city.Religions[4] = {2, 14, 0, 0, 0, 0.0f};
  TabContent tab;
  FillReligionGrid(*state, city, tab);
  const GridContent* grid = tab.FindGrid("ReligionGrid");
  EXPECT_EQ(grid->Cells[1],
            (std::vector<std::string>{"Atheism", "      2", "      0", "   0.00", ""}));
  EXPECT_EQ(grid->Cells[2],
            (std::vector<std::string>{"Orthodoxy", "      7", "    300", "  75.00", "  Yes"}));
  EXPECT_EQ(grid->Cells[3][0], "Protestantism");
  EXPECT_EQ(grid->Cells[4][0], "Pantheon");
  EXPECT_EQ(grid->Cells[5][0], "Atheism");
}

TEST(ReligionGrid, UnknownCityDetailsShowNone) {
  std::unique_ptr<GameState> state = SmallGame();
  state->ZephPresent = kTrue;
  state->CityDetailsUnknown = kTrue;
  TCityRec city;
  city.ReligionCount = 1;
  city.Religions[0].ReligionId = 1;
  TabContent tab;
  FillReligionGrid(*state, city, tab);
  const GridContent* grid = tab.FindGrid("ReligionGrid");
  EXPECT_EQ(grid->Cells[0][0], "Religion");
  for (size_t r = 1; r < grid->Cells.size(); ++r) {
    EXPECT_EQ(grid->Cells[r], (std::vector<std::string>(5))) << r;
  }
}

}  // namespace
}  // namespace vek5
