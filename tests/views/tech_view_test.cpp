#include "views/tech_view.h"

#include <gtest/gtest.h>

#include "model/format.h"

namespace vek5 {
namespace {

enum class RuleSet { Base, Exp1, Zeph };

std::unique_ptr<GameState> TechGame(RuleSet rules) {
  auto state = NewGameState();
  state->Exp1Present = rules != RuleSet::Base ? kTrue : kFalse;
  state->ZephPresent = rules == RuleSet::Zeph ? kTrue : kFalse;
  state->PlayerCount = 1;
  state->WorldSizePercent = 100;
  state->SpeedPercent = 100;
  state->LevelMod1 = 100;
  state->EraMod4 = 100;
  state->Leaders[0].SlotStatus = 3;
  return state;
}

int32_t RowOf(std::span<const TTechInfoRec> techs, std::string_view key) {
  for (size_t i = 0; i < techs.size(); ++i) {
    if (techs[i].Key == key) return static_cast<int32_t>(i);
  }
  ADD_FAILURE() << key;
  return 0;
}

const std::string& Cell(const TabContent& tab, int32_t row, int column) {
  return tab.FindGrid("TechGrid")->Cells[row][column];
}

const std::string& Field(const TabContent& tab, std::string_view control) {
  return tab.FindField(control)->Text;
}

TEST(TechCost, ModifiersApplyOneAtATimeWithTruncation) {
  struct Case {
    const char* name;
    RuleSet rules;
    const char* tech;
    int32_t world, speed, level, era, slot_status;
    const char* cost;
  };
  // World sizes, speeds, difficulties and eras from the game's tables.
  const int32_t huge = WorldInfo[5].Percent, standard = WorldInfo[3].Percent,
                tiny = WorldInfo[1].Percent;
  const int32_t marathon = GameSpeedPercent[0], epic = GameSpeedPercent[1],
                quick = GameSpeedPercent[3];
  const int32_t settler = LevelInfo[0].Mod1, chieftain = LevelInfo[1].Mod1,
                deity = LevelInfo[7].Mod1;
  const int32_t classical = EraInfo[1].Mod4, renaissance = EraInfo[3].Mod4,
                ancient = EraInfoExp[0].Mod4, future = EraInfoExp[7].Mod4;
  const std::vector<Case> cases = {
      {"huge marathon settler classical", RuleSet::Base, "TECH_AGRICULTURE", huge, marathon,
       settler, classical, 3, "     46"},
      {"same for a slot of status 1: no difficulty", RuleSet::Base, "TECH_AGRICULTURE", huge,
       marathon, settler, classical, 1, "     52"},
      {"standard quick deity renaissance", RuleSet::Base, "TECH_AGRICULTURE", standard, quick,
       deity, renaissance, 3, "      4"},
      {"zeph tiny epic chieftain ancient", RuleSet::Zeph, "TECH_POTTERY", tiny, epic, chieftain,
       ancient, 3, "     49"},
      {"exp1 huge marathon future", RuleSet::Exp1, "TECH_FUTURE_TECH", huge, marathon, deity,
       future, 3, "   1852"},
  };
  for (const Case& c : cases) {
    auto state = TechGame(c.rules);
    state->WorldSizePercent = c.world;
    state->SpeedPercent = c.speed;
    state->LevelMod1 = c.level;
    state->EraMod4 = c.era;
    state->Leaders[0].SlotStatus = c.slot_status;
    const TabContent tab = PlayerTechChoose(*state, 0);
    const int32_t row = RowOf(TechEditionOf(*state).Techs, c.tech);
    EXPECT_EQ(Cell(tab, row + 1, 3), c.cost) << c.name;
  }
}

TEST(TechGrid, RowsAndErasFollowTheRuleSet) {
  struct Case {
    RuleSet rules;
    int32_t rows;
    const char* tech;
    const char* era;
  };
  const std::vector<Case> cases = {
      {RuleSet::Base, 74, "TECH_NANOTECHNOLOGY", "Future"},
      {RuleSet::Exp1, 80, "TECH_PENICILIN", "Postmodern"},
      {RuleSet::Zeph, 81, "TECH_AGRICULTURE", "Ancient"},
  };
  for (const Case& c : cases) {
    auto state = TechGame(c.rules);
    const TabContent tab = PlayerTechChoose(*state, 0);
    const GridContent& grid = *tab.FindGrid("TechGrid");
    ASSERT_EQ(grid.Cells.size(), 82u);
    EXPECT_EQ(grid.Cells[0], (std::vector<std::string>{"№", "Tech", "Era", "Cost", "Known"}));
    EXPECT_EQ(grid.Cells[9][0], " 9");
    EXPECT_EQ(grid.Cells[c.rows][0], Format("%2d", c.rows));
    EXPECT_FALSE(grid.Cells[c.rows][1].empty()) << c.rows;
    if (c.rows < 81) {
      EXPECT_EQ(grid.Cells[c.rows + 1][0], Format("%2d", c.rows + 1));
      EXPECT_TRUE(grid.Cells[c.rows + 1][1].empty()) << c.rows;
    }
    const int32_t row = RowOf(TechEditionOf(*state).Techs, c.tech);
    EXPECT_EQ(grid.Cells[row + 1][2], c.era) << c.tech;
  }
  auto state = TechGame(RuleSet::Base);
  EXPECT_EQ(Cell(PlayerTechChoose(*state, 0), 3, 1), "Animal Husbandry");
}

TEST(TechGrid, KnownColumn) {
  auto state = TechGame(RuleSet::Base);
  state->Leaders[0].TechKnown[0] = kTrue;
  state->Leaders[0].TechProgress[0] = 500;  // known wins over progress
  state->Leaders[0].TechProgress[1] = 12345;
  state->Leaders[0].TechProgress[2] = -250;
  const TabContent tab = PlayerTechChoose(*state, 0);
  EXPECT_EQ(Cell(tab, 1, 4), "Yes");
  EXPECT_EQ(Cell(tab, 2, 4), "  123.45");
  EXPECT_EQ(Cell(tab, 3, 4), "   -2.50");
  EXPECT_EQ(Cell(tab, 4, 4), "No");
}

TEST(TechResearch, NeededResearchRisesFivePercentPerCityWithZeph) {
  struct Case {
    RuleSet rules;
    int32_t cost, cities, needed;
  };
  const std::vector<Case> cases = {
      {RuleSet::Zeph, 100, 4, 120}, {RuleSet::Exp1, 100, 4, 100}, {RuleSet::Base, 100, 10, 100},
      {RuleSet::Zeph, 35, 3, 41},   {RuleSet::Zeph, 35, 4, 42},   {RuleSet::Zeph, 100, 0, 100},
  };
  for (const Case& c : cases) {
    auto state = TechGame(c.rules);
    state->Leaders[0].CityCount = c.cities;
    EXPECT_EQ(ResearchNeeded(*state, state->Leaders[0], c.cost), c.needed)
        << c.cost << "/" << c.cities;
  }
}

TEST(TechResearch, CurrentTechnologyAndProgress) {
  auto state = TechGame(RuleSet::Zeph);
  TLeaderInfoRec& leader = state->Leaders[0];
  leader.CityCount = 3;
  leader.ResearchingTech = RowOf(TechInfoZeph, "TECH_POTTERY");
  leader.TechProgress[static_cast<size_t>(leader.ResearchingTech)] = 1234;
  const TabContent tab = PlayerTechChoose(*state, 0);
  EXPECT_EQ(Field(tab, "ResearchE"), "Pottery");
  EXPECT_EQ(Field(tab, "AccScienceE"), "           12.34/41");
}

TEST(TechResearch, RowZeroOrOutsideTheTableIsUnknown) {
  struct Case {
    RuleSet rules;
    int32_t researching;
  };
  const std::vector<Case> cases = {{RuleSet::Zeph, 0},  {RuleSet::Zeph, -1},
                                   {RuleSet::Zeph, 81}, {RuleSet::Base, 74},
                                   {RuleSet::Base, 80}, {RuleSet::Exp1, 1 << 30}};
  for (const Case& c : cases) {
    auto state = TechGame(c.rules);
    state->Leaders[0].ResearchingTech = c.researching;
    state->Leaders[0].TechProgress[0] = 999;
    const TabContent tab = PlayerTechChoose(*state, 0);
    EXPECT_EQ(Field(tab, "ResearchE"), "Unknown") << c.researching;
    EXPECT_EQ(Field(tab, "AccScienceE"), "") << c.researching;
  }
}

TEST(TechResearch, TheQueueAfterTheCurrentTechnologyAndAnEmptyQueue) {
  struct Case {
    const char* name;
    std::vector<int32_t> queue;  // {-1}: not found
    std::string researching;
    std::string then;
  };
  const int32_t pottery = RowOf(TechInfoZeph, "TECH_POTTERY");
  const int32_t writing = RowOf(TechInfoZeph, "TECH_WRITING");
  const int32_t banking = RowOf(TechInfoZeph, "TECH_BANKING");
  const Case cases[] = {
      {"several entries", {pottery, writing, banking}, "Pottery", "Writing, Banking"},
      {"one entry", {pottery}, "Pottery", ""},
      {"nothing researched", {}, "Nothing", ""},
      {"no queue found", {-1}, "Unknown", ""},
      {"eliminated", {pottery, writing}, "None (eliminated)", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto state = TechGame(RuleSet::Zeph);
    TLeaderInfoRec& leader = state->Leaders[0];
    const bool found = c.queue != std::vector<int32_t>{-1};
    leader.ResearchQueueLength = found ? static_cast<int32_t>(c.queue.size()) : -1;
    for (size_t k = 0; found && k < c.queue.size(); ++k) leader.ResearchQueue[k] = c.queue[k];
    leader.ResearchingTech = found && !c.queue.empty() ? c.queue[0] : -1;
    // An eliminated player's record still holds the queue of his last turn.
    leader.Alive = c.researching == "None (eliminated)" ? kFalse : kTrue;
    const TabContent tab = PlayerTechChoose(*state, 0);
    EXPECT_EQ(Field(tab, "ResearchE"), c.researching);
    EXPECT_EQ(Field(tab, "ResearchQueueE"), c.then);
    EXPECT_EQ(Field(tab, "AccScienceE").empty(), c.researching != "Pottery");
  }
}

TEST(TechFields, TotalsAndTheirPatterns) {
  auto state = TechGame(RuleSet::Base);
  TLeaderInfoRec& l = state->Leaders[0];
  l.ResearchOverflow = 250;
  l.GoldenAgeTurns = 7;
  l.GreatGeneralPoints = 120;
  l.GreatGeneralThreshold = 200;
  l.GreatGeneralTotal = 340;
  l.GoldenAgeProgress = 455;
  l.GoldenAgeThreshold = 1000;
  l.Happiness = -3;
  l.Faith = 17;
  l.TotalFaith = 88;
  l.FaithPerTurn = 6;
  l.FaithFromCities = 4;
  l.FaithFromCS = 2;
  l.Gold = 123456;
  l.DiploGold = 35;
  l.Int3 = -12;
  const TabContent tab = PlayerTechChoose(*state, 0);
  EXPECT_EQ(Field(tab, "OverflowResearchE"), "     2.50");
  EXPECT_EQ(Field(tab, "SciencePerTurnE"), "not in this save");  // no history
  EXPECT_EQ(Field(tab, "GATurnsE"), "   7");
  EXPECT_EQ(Field(tab, "GGPointsE"), "   120/200");
  EXPECT_EQ(Field(tab, "TGGPointsE"), "   340");
  EXPECT_EQ(Field(tab, "AccHappinessE"), "   455/1000");
  EXPECT_EQ(Field(tab, "HappinessE"), "  -3");
  EXPECT_EQ(Field(tab, "AccFaithE"), "    17");
  EXPECT_EQ(Field(tab, "TotalFaithE"), "     88");
  EXPECT_EQ(Field(tab, "FaithPerTurnE"), "      6");
  EXPECT_EQ(tab.FindField("FaithPerTurnE")->Hint, "4,2");
  EXPECT_EQ(Field(tab, "AccGoldE"), "    1234.56");
  EXPECT_EQ(Field(tab, "DiploGoldE"), "     35");
  EXPECT_EQ(Field(tab, "GoldPerTurnE"), "not in this save");
  EXPECT_EQ(Field(tab, "RawValue3"), "  -12");

  state->ZephPresent = kTrue;
  state->Exp1Present = kTrue;
  EXPECT_EQ(Field(PlayerTechChoose(*state, 0), "HappinessE"), "not in this save");
}

// The per-turn values come from the last turn the player's history stores them.
TEST(TechFields, PerTurnValuesFromTheHistory) {
  auto state = TechGame(RuleSet::Zeph);
  SizeHistory(*state, 1);
  const auto store = [&](size_t series, int32_t turn, int32_t value) {
    state->HistoryData[0][series].Set(turn, value);
    state->HistoryStored[0].Turns[series].set(static_cast<size_t>(turn));
  };
  constexpr size_t kGoldPerTurn = 3, kSciencePerTurn = 6, kExcessHappiness = 9;
  store(kSciencePerTurn, 236, 500);
  store(kSciencePerTurn, 237, 512);
  store(kGoldPerTurn, 237, -4);
  store(kExcessHappiness, 230, 21);
  const TabContent tab = PlayerTechChoose(*state, 0);
  EXPECT_EQ(Field(tab, "SciencePerTurnE"), "    512");
  EXPECT_EQ(tab.FindField("SciencePerTurnE")->Hint,
            "From the history (Science Per Turn), turn 237");
  EXPECT_EQ(Field(tab, "GoldPerTurnE"), "     -4");
  EXPECT_EQ(Field(tab, "HappinessE"), "     21");
  EXPECT_EQ(tab.FindField("HappinessE")->Hint, "From the history (Excess Happiness), turn 230");
}

TEST(TechFields, EntryOutsideThePlayersShowsAnEmptyTab) {
  auto state = TechGame(RuleSet::Base);
  state->Leaders[3].Faith = 55;
  for (int32_t entry : {3, -1, 64}) {
    const TabContent tab = PlayerTechChoose(*state, entry);
    EXPECT_EQ(Field(tab, "AccFaithE"), "") << entry;
    EXPECT_EQ(Field(tab, "ResearchE"), "") << entry;
    EXPECT_TRUE(Cell(tab, 1, 1).empty()) << entry;
    EXPECT_EQ(Cell(tab, 1, 0), " 1") << entry;
  }
}

}  // namespace
}  // namespace vek5
