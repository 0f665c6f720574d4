#include "views/stats_view.h"

#include <gtest/gtest.h>

#include <climits>

#include "city_fixture.h"
#include "model/type_hash.h"

namespace vek5 {
namespace {

using testing::AddCity;
using testing::AddPlayer;
using testing::ListTexts;
using testing::SmallGame;

class StatsViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = SmallGame();
    AddPlayer(*state_, 0, "Alice");
    entry_ = AddPlayer(*state_, 2, "Bob");
  }
  std::string Line(std::string_view box, int32_t language = kStatsEnglish) {
    const std::vector<std::string> lines = ListTexts(PlayerStats(*state_, entry_, language), box);
    EXPECT_EQ(lines.size(), 1u) << box;
    return lines.empty() ? std::string() : lines[0];
  }
  TCityRec& City(std::string name, int32_t population = 1) {
    TCityRec& city = AddCity(*state_, entry_, std::move(name));
    city.Population = population;
    return city;
  }
  static void Build(TCityRec& city, size_t slot, std::string name, int32_t turn) {
    city.BuildingNames[slot] = std::move(name);
    city.BuildingCount[slot] = 1;
    city.BuildingTurn[slot] = turn;
  }
  void Adopt(std::initializer_list<int> rows) {
    for (int r : rows)
      state_->PolicyAdopted[static_cast<size_t>(entry_)][static_cast<size_t>(r)] = 1;
  }

  std::unique_ptr<GameState> state_;
  int32_t entry_ = 0;
};

TEST_F(StatsViewTest, CitiesLineSeparatesPuppets) {
  EXPECT_EQ(Line("CitiesStats"), "0 ()");
  City("A", 12);
  City("B", 8);
  City("P", 4).Flags[kFlagPuppet] = kTrue;
  City("C", 5);
  EXPECT_EQ(Line("CitiesStats"), "3 (12,8,5) + 1 (4)");
  EXPECT_EQ(Line("CitiesStats", kStatsRussian), "3 (12,8,5) + 1 (4)");
}

TEST_F(StatsViewTest, CitiesLineWithOnlyPuppetsAndUnnamedRecords) {
  City("P", 4).Flags[kFlagPuppet] = kTrue;
  City("");  // a record without a name holds no city
  EXPECT_EQ(Line("CitiesStats"), "0 () + 1 (4)");
}

TEST_F(StatsViewTest, WondersInBuildOrderMarkedWhenNotBuiltByThePlayer) {
  TCityRec& capital = City("Capital");
  Build(capital, 0, "Pyramid", 40);
  Build(capital, 1, "Library", 10);   // an ordinary building
  Build(capital, 2, "Moon Base", 5);  // matches no table row
  Build(capital, 3, "National Epic", 60);
  TCityRec& taken = City("Taken");
  taken.Flags[kFlagOccupied] = kTrue;
  taken.CapturedTurn = 50;
  Build(taken, 0, "Great Library", 40);     // before the capture, same turn as the Pyramid
  Build(taken, 1, "Brandenburg Gate", 70);  // after the capture; no Russian name
  TCityRec& puppet = City("Puppet");
  puppet.Flags[kFlagPuppet] = kTrue;
  Build(puppet, 0, "Colossus", 80);
  EXPECT_EQ(Line("WondersStats"),
            "Pyramid (40), *Great Library (40), National Epic (60), Brandenburg Gate (70), "
            "*Colossus (80)");
  EXPECT_EQ(Line("WondersStats", kStatsRussian),
            "Пирамиды (40), *Александрийская библиотека (40), Национальный эпос (60), "
            "Brandenburg Gate (70), *Колосс (80)");
}

TEST_F(StatsViewTest, WonderKindsComeFromTheSavesTable) {
  TCityRec& city = City("A");
  Build(city, 0, "Writers Guild", 90);
  EXPECT_EQ(Line("WondersStats"), "");
  state_->ZephPresent = kTrue;
  EXPECT_EQ(Line("WondersStats"), "Writers Guild (90)");
  EXPECT_EQ(Line("WondersStats", kStatsRussian), "Гильдия писателей (90)");
}

TEST_F(StatsViewTest, BlockPoliciesShowOpenerAndOthers) {
  struct Case {
    std::vector<int> rows;
    std::string english, russian;
  };
  const std::vector<Case> cases = {
      {{}, "", ""},
      {{0}, "Liberty", "Воля"},
      {{0, 2}, "Liberty (Citizenship)", "Воля (Гражданство)"},
      {{0, 1, 2, 6},
       "Liberty (Collective Rule, Citizenship), Tradition",
       "Воля (Совместное управление, Гражданство), Традиция"},
      {{0, 1, 2, 3, 4, 5}, "Liberty (all)", "Воля (вся)"},
      // Finisher rows are not shown.
      {{60, 61}, "", ""},
      // Without the opener the block has no header; its names are still separated.
      {{1, 2, 3},
       " (Collective Rule, Citizenship, Republic)",
       " (Совместное управление, Гражданство, Республика)"},
  };
  for (const Case& c : cases) {
    state_->PolicyAdopted[static_cast<size_t>(entry_)] = {};
    for (int r : c.rows) Adopt({r});
    EXPECT_EQ(Line("PoliciesStats"), c.english);
    EXPECT_EQ(Line("PoliciesStats", kStatsRussian), c.russian);
  }
}

TEST_F(StatsViewTest, ZephPoliciesGroupedByBranchWithIdeologyNames) {
  state_->ZephPresent = kTrue;
  struct Case {
    std::vector<int> rows;
    std::string english, russian;
  };
  std::vector<int> order_fourteen;
  for (int r = 78; r < 92; ++r) order_fourteen.push_back(r);
  std::vector<int> order_thirteen(order_fourteen.begin(), order_fourteen.end() - 1);
  const std::vector<Case> cases = {
      {{80, 78, 79},
       "Order (Hero Of The People, Socialist Realism, Skyscrapers)",
       "Порядок (Народный герой, Социалистический реализм, Небоскребы)"},
      {order_fourteen, "Order (all)", "Порядок (вся)"},
      {{63}, "Freedom (Open Society)", "Свобода (Авангард)"},
      {{0}, "Liberty", "Воля"},
      // The branch's first adopted row names it; the finisher belongs to the branch.
      {{2, 43}, "Citizenship (Liberty Finisher)", "Гражданство (Воля (вся))"},
      {{0, 1, 2, 3, 4},
       "Liberty (Collective Rule, Citizenship, Republic, Representation)",
       "Воля (Совместное управление, Гражданство, Республика, Представительство)"},
      {{0, 1, 2, 3, 4, 5}, "Liberty (all)", "Воля (вся)"},
      {{6, 0}, "Tradition, Liberty", "Традиция, Воля"},
  };
  for (const Case& c : cases) {
    state_->PolicyAdopted[static_cast<size_t>(entry_)] = {};
    for (int r : c.rows) Adopt({r});
    EXPECT_EQ(Line("PoliciesStats"), c.english);
    EXPECT_EQ(Line("PoliciesStats", kStatsRussian), c.russian);
  }
  state_->PolicyAdopted[static_cast<size_t>(entry_)] = {};
  for (int r : order_thirteen) Adopt({r});
  EXPECT_NE(Line("PoliciesStats").find("Order (Hero Of The People, "), std::string::npos);
}

TEST_F(StatsViewTest, BeliefsByHashSkippingEmptySlots) {
  std::array<int32_t, kBeliefSlots>& beliefs = state_->Leaders[static_cast<size_t>(entry_)].Beliefs;
  beliefs = {0, TypeHash("BELIEF_GODDESS_HUNT"), INT32_MIN, -2, 1473516519, 0, 1011258413};
  EXPECT_EQ(Line("BeliefStats"), "Goddess Hunt, FFFFFFFE, Fertility Rites");
  EXPECT_EQ(Line("BeliefStats", kStatsRussian), "Богиня охоты, FFFFFFFE, Обряды плодородия");
}

TEST_F(StatsViewTest, PantheonsAddedLastAreNamedToo) {
  state_->Leaders[static_cast<size_t>(entry_)].Beliefs = {
      TypeHash("BELIEF_EARTH_MOTHER"), TypeHash("BELIEF_GOD_KING"), TypeHash("BELIEF_SUN_GOD")};
  EXPECT_EQ(Line("BeliefStats"), "Earth Mother, God King, Sun God");
  EXPECT_EQ(Line("BeliefStats", kStatsRussian), "Мать-земля, Божественный правитель, Бог Солнца");
}

TEST_F(StatsViewTest, NoLanguageSelectedShowsBeliefsInRussianOnly) {
  Adopt({0});
  state_->Leaders[static_cast<size_t>(entry_)].Beliefs[0] = 2009895730;
  EXPECT_EQ(Line("PoliciesStats", -1), "Liberty");
  EXPECT_EQ(Line("BeliefStats", -1), "Богиня охоты");
}

TEST_F(StatsViewTest, EntryWithoutPlayerShowsFourEmptyLines) {
  for (int32_t entry : {-1, 2, 64, INT32_MAX}) {
    const TabContent tab = PlayerStats(*state_, entry, kStatsEnglish);
    for (const char* box : {"CitiesStats", "WondersStats", "PoliciesStats", "BeliefStats"}) {
      EXPECT_EQ(ListTexts(tab, box), std::vector<std::string>{""}) << entry << box;
    }
  }
}

}  // namespace
}  // namespace vek5
