#include "views/league_view.h"

#include <gtest/gtest.h>

#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr int32_t kCityStateCiv = 18;

// Majors in every slot listed, except the city-states.
std::unique_ptr<GameState> LeagueGame(int32_t slots, std::vector<int32_t> city_state_slots = {}) {
  auto state = NewGameState();
  state->ZephPresent = kTrue;
  state->Exp1Present = kTrue;
  state->SpeedPercent = 100;
  state->EraMod3 = 100;
  state->PlayerCount = slots;
  for (int32_t s = 0; s < slots; ++s) {
    const bool minor =
        std::find(city_state_slots.begin(), city_state_slots.end(), s) != city_state_slots.end();
    state->SlotCivType[s] = minor ? kCityStateCiv : s % 18;
    state->SlotStatus[s] = 1;
    state->Leaders[s].Slot = s;
    state->Leaders[s].LeaderName = "Leader " + std::to_string(s);
    if (!minor) ++state->RealPlayerCount;
  }
  return state;
}

TabContent League(const GameState& state) {
  ViewState view = FreshViewState(state);
  ComputeLeagueCosts(state, view);
  return LeagueContent(state, view);
}

const std::string& Cell(const TabContent& tab, int column, int row) {
  return tab.FindGrid("LeagueProjectGrid")->Cells[row][column];
}

int NonEmptyCells(const TabContent& tab) {
  int n = 0;
  for (const auto& row : tab.FindGrid("LeagueProjectGrid")->Cells) {
    for (const std::string& cell : row) n += cell.empty() ? 0 : 1;
  }
  return n;
}

TEST(LeagueCosts, ByPlayersSpeedAndEra) {
  struct Case {
    int32_t players, speed, era;
    std::array<int32_t, kLeagueProjectCount> costs;
  };
  const std::vector<Case> cases = {
      {8, 100, 100, {2800, 5760, 6800}},
      {6, GameSpeedPercent[3], EraInfo[3].Mod3, {773, 1591, 1879}},
      {2, GameSpeedPercent[0], EraInfo[6].Mod3, {441, 907, 1071}},
      {0, 100, 100, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    auto state = NewGameState();
    state->RealPlayerCount = c.players;
    state->SpeedPercent = c.speed;
    state->EraMod3 = c.era;
    ViewState view;
    ComputeLeagueCosts(*state, view);
    EXPECT_EQ(view.LeagueCosts, c.costs) << c.players << "/" << c.speed << "/" << c.era;
  }
}

TEST(LeagueGrid, WithoutZephOnlyTheHeaders) {
  auto state = LeagueGame(8);
  state->ZephPresent = kFalse;
  state->LeagueProjects[0].Type = 1;
  state->LeagueProjects[0].Total = 1000;
  const TabContent tab = League(*state);
  const GridContent& grid = *tab.FindGrid("LeagueProjectGrid");
  ASSERT_EQ(grid.Cells.size(), 66u);
  ASSERT_EQ(grid.Cells[0].size(), 4u);
  EXPECT_EQ(Cell(tab, 1, 0), "World's Fair");
  EXPECT_EQ(Cell(tab, 2, 0), "World's Games");
  EXPECT_EQ(Cell(tab, 3, 0), "International Space Station");
  EXPECT_EQ(Cell(tab, 0, 1), "                   COST");
  EXPECT_EQ(Cell(tab, 0, 2), "               COMPLETE");
  EXPECT_EQ(NonEmptyCells(tab), 5);
}

TEST(LeagueGrid, CostsCompletionAndContributions) {
  auto state = LeagueGame(9, {2});  // 8 majors, slot 2 a city-state
  TLeagueProjectRec& games = state->LeagueProjects[0];
  games.Type = 2;
  games.Contribution[0] = 1250;
  games.Contribution[2] = 777;  // the city-state's is not shown
  games.Contribution[3] = 286750;
  games.Total = 288000;
  state->LeagueProjects[1].Type = -1;
  state->LeagueProjects[2].Type = 7;
  const TabContent tab = League(*state);

  EXPECT_EQ(Cell(tab, 1, 1), "  2800");
  EXPECT_EQ(Cell(tab, 2, 1), "  5760");
  EXPECT_EQ(Cell(tab, 3, 1), "  6800");
  EXPECT_EQ(Cell(tab, 2, 2), "    50.00%");
  EXPECT_EQ(Cell(tab, 0, 3), "Leader 0");
  EXPECT_EQ(Cell(tab, 0, 5), "Leader 3");
  EXPECT_EQ(Cell(tab, 2, 3), "    12.50");
  EXPECT_EQ(Cell(tab, 2, 4), "     0.00");
  EXPECT_EQ(Cell(tab, 2, 5), "  2867.50");
  EXPECT_EQ(Cell(tab, 2, 10), "     0.00");
  EXPECT_EQ(Cell(tab, 2, 11), "");
  // Records of type -1 and unknown types leave their columns empty below the cost.
  for (int column : {1, 3}) {
    for (int row = 2; row < 66; ++row) EXPECT_EQ(Cell(tab, column, row), "") << column << row;
  }
}

TEST(LeagueGrid, SpaceStationTypesAndOverwriting) {
  auto state = LeagueGame(2);
  state->LeagueProjects[0] = {0, {}, 0, 0, 1700};
  state->LeagueProjects[1] = {3, {}, 0, 0, 3400};  // same column, later wins
  const TabContent tab = League(*state);
  EXPECT_EQ(Cell(tab, 3, 1), "  1700");
  EXPECT_EQ(Cell(tab, 3, 2), "     2.00%");
}

TEST(LeagueGrid, NoMajorsGiveZeroCompletion) {
  auto state = LeagueGame(1, {0});
  state->LeagueProjects[0] = {1, {}, 0, 0, 5000};
  const TabContent tab = League(*state);
  EXPECT_EQ(Cell(tab, 1, 1), "     0");
  EXPECT_EQ(Cell(tab, 1, 2), "     0.00%");
  EXPECT_EQ(Cell(tab, 1, 3), "");
}

TEST(LeagueGrid, SixtyFourMajorsStayInsideTheGrid) {
  auto state = LeagueGame(kMaxSlots);
  state->LeagueProjects[0].Type = 1;
  for (int32_t s = 0; s < kMaxSlots; ++s) state->LeagueProjects[0].Contribution[s] = 100 * s;
  const TabContent tab = League(*state);
  EXPECT_EQ(Cell(tab, 0, 65), "Leader 62");  // the 64th entry gets no row
  EXPECT_EQ(Cell(tab, 1, 65), "    62.00");
}

}  // namespace
}  // namespace vek5
