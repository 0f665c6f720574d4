#include "views/leaders_view.h"

#include <gtest/gtest.h>

#include "view_test_helpers.h"

namespace vek5 {
namespace {

using testing::GridOf;

constexpr int32_t kCivMinorType = 18;
constexpr int32_t kCivBarbarianType = 19;

void AddEntry(GameState& state, int32_t slot, int32_t civ_type, int32_t status,
              const std::string& name) {
  state.SlotCivType[slot] = civ_type;
  state.SlotStatus[slot] = status;
  TLeaderInfoRec& entry = state.Leaders[state.PlayerCount++];
  entry.Slot = slot;
  entry.Team = slot;  // a game without teams
  entry.SlotStatus = status;
  entry.Alive = status == 2 ? kFalse : kTrue;  // as the player list sets it before the records
  entry.LeaderName = name;
}

TEST(LeadersContent, OneRowPerEntryAndNoEmptyColumns) {
  auto state = NewGameState();
  AddEntry(*state, 0, 5, 3, "Oda Nobunaga");
  state->Leaders[0].CivName = "Japan";
  state->Leaders[0].TraitName = "Human";
  state->Leaders[0].CityCount = 5;
  state->Leaders[0].NationalCities = 3;
  state->Leaders[0].OccupiedCities = 1;
  state->Leaders[0].PuppetCities = 1;
  AddEntry(*state, 1, 2, 2, "Augustus");
  state->Leaders[1].CivName = "Rome";
  state->Leaders[1].CityCount = 0;
  // A stale name past the count must not show.
  state->Leaders[2].LeaderName = "Stale";

  const TabContent content = BuildLeadersContent(*state);
  const GridContent& grid = GridOf(content, "LeadersGrid");
  ASSERT_EQ(grid.Cells.size(), 3u);
  EXPECT_EQ(grid.Cells[0], (std::vector<std::string>{"\xE2\x84\x96", "Civilization", "Leader",
                                                     "Trait", "Alive", "Cities (Nat/Occ/Pup)"}));
  EXPECT_EQ(grid.Cells[1],
            (std::vector<std::string>{" 1", "Japan", "Oda Nobunaga", "Human", "", "  5 (3/1/1)"}));
  EXPECT_EQ(grid.Cells[2][2], "Augustus");
  EXPECT_EQ(grid.Cells[2][3], "");
  EXPECT_EQ(grid.Cells[2][4], "Dead");
  EXPECT_EQ(grid.Cells[2][5], "  0 (0/0/0)");
}

// The slot status stays "alive" when a player loses his last city; his record says otherwise.
TEST(LeadersContent, APlayerWhoseRecordSaysDeadShowsDead) {
  auto state = NewGameState();
  AddEntry(*state, 0, 5, 1, "Oda Nobunaga");
  state->Leaders[0].Alive = kFalse;
  AddEntry(*state, 1, 2, 2, "Augustus");
  state->Leaders[1].Alive = kTrue;  // the record says alive, whatever the slot status
  const TabContent content = BuildLeadersContent(*state);
  const GridContent& grid = GridOf(content, "LeadersGrid");
  EXPECT_EQ(grid.Cells[1][4], "Dead");
  EXPECT_EQ(grid.Cells[2][4], "");
}

TEST(LeadersContent, ATeamColumnOnlyWhenTwoMajorsShareATeam) {
  struct Case {
    const char* name;
    std::vector<int32_t> teams;  // of slots 0 (human), 1 (computer), 3 (barbarians), 4 (city-state)
    std::vector<std::string> column;  // header, then rows 1 to 4
  };
  const Case cases[] = {
      {"teams of their own", {0, 1, 3, 4}, {}},
      {"barbarians and a city-state in a major's team", {0, 1, 0, 1}, {}},
      {"two majors in one team", {2, 2, 3, 4}, {"Team", "2", "2", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto state = NewGameState();
    AddEntry(*state, 0, 5, 3, "Oda Nobunaga");
    AddEntry(*state, 1, 2, 1, "Augustus");
    AddEntry(*state, 3, kCivBarbarianType, 1, "Barbarian");
    AddEntry(*state, 4, kCivMinorType, 1, "Geneva");
    for (size_t e = 0; e < c.teams.size(); ++e) state->Leaders[e].Team = c.teams[e];
    const TabContent content = BuildLeadersContent(*state);
    const GridContent& grid = GridOf(content, "LeadersGrid");
    ASSERT_EQ(grid.Cells[0].size(), c.column.empty() ? 6u : 7u);
    for (size_t row = 0; row < c.column.size(); ++row) {
      EXPECT_EQ(grid.Cells[row][6], c.column[row]) << row;
    }
  }
}

TEST(LeadersContent, HostileCountsStayInsideTheGrid) {
  auto state = NewGameState();
  state->PlayerCount = 1000;
  const TabContent many = BuildLeadersContent(*state);
  EXPECT_EQ(GridOf(many, "LeadersGrid").Cells.size(), 65u);
  state->PlayerCount = -1;
  const TabContent none = BuildLeadersContent(*state);
  EXPECT_EQ(GridOf(none, "LeadersGrid").Cells.size(), 1u);
}

// Slots: 0 human, 1 computer, 2 unused civilization, 3 barbarians, 4 and 5 city-states.
std::unique_ptr<GameState> GameWithCityStates() {
  auto state = NewGameState();
  AddEntry(*state, 0, 5, 3, "Oda Nobunaga");
  AddEntry(*state, 1, 2, 1, "Augustus");
  state->SlotCivType[2] = 3;
  state->SlotStatus[2] = 4;
  AddEntry(*state, 3, kCivBarbarianType, 1, "Barbarian");
  AddEntry(*state, 4, kCivMinorType, 1, "Geneva");
  AddEntry(*state, 5, kCivMinorType, 1, "Sidon");
  state->SlotKeysPresent = kTrue;
  state->CSInfluence[4][0] = 3150;
  state->CSFriends[4][0] = kTrue;
  state->CSInfluence[5][1] = 6000;
  state->CSFriends[5][1] = kTrue;
  state->CSAllies[5][1] = kTrue;
  state->CSInfluence[5][0] = -1234;
  return state;
}

TEST(CityStateContent, MajorPlayersAcrossCityStatesDownWithInfluenceAndStatus) {
  auto state = GameWithCityStates();
  const TabContent content = BuildCityStateContent(*state);
  const GridContent& grid = GridOf(content, "CSGrid");
  ASSERT_EQ(grid.Cells.size(), 65u);
  ASSERT_EQ(grid.Cells[0].size(), 65u);
  // Neither the unused slot nor the barbarians get a column.
  EXPECT_EQ(grid.Cells[0][0], "");
  EXPECT_EQ(grid.Cells[0][1], "Oda Nobunaga");
  EXPECT_EQ(grid.Cells[0][2], "Augustus");
  EXPECT_EQ(grid.Cells[0][3], "");
  EXPECT_EQ(grid.Cells[1][0], "Geneva");
  EXPECT_EQ(grid.Cells[2][0], "Sidon");
  EXPECT_EQ(grid.Cells[3][0], "");
  EXPECT_EQ(grid.Cells[1][1], "  31.50 (Friends)");
  EXPECT_EQ(grid.Cells[1][2], "   0.00");
  EXPECT_EQ(grid.Cells[2][1], " -12.34");
  EXPECT_EQ(grid.Cells[2][2], "  60.00 (Friends) (Allies)");
  EXPECT_EQ(grid.Cells[1][3], "");
}

TEST(CityStateContent, WithoutSlotKeysShowsOnlyTheHeaders) {
  auto state = GameWithCityStates();
  state->SlotKeysPresent = kFalse;
  const TabContent content = BuildCityStateContent(*state);
  const GridContent& grid = GridOf(content, "CSGrid");
  EXPECT_EQ(grid.Cells[0][1], "Oda Nobunaga");
  EXPECT_EQ(grid.Cells[2][0], "Sidon");
  for (size_t r = 1; r < grid.Cells.size(); ++r) {
    for (size_t c = 1; c < grid.Cells[r].size(); ++c) EXPECT_EQ(grid.Cells[r][c], "") << r << c;
  }
}

TEST(CityStateContent, ACityStateSlotWithoutEntryKeepsNamesOnTheirOwnValues) {
  auto state = NewGameState();
  AddEntry(*state, 0, 5, 3, "Oda Nobunaga");
  state->SlotCivType[1] = kCivMinorType;  // a city-state slot the player list left out
  state->SlotStatus[1] = 4;
  AddEntry(*state, 2, kCivMinorType, 1, "Sidon");
  state->SlotKeysPresent = kTrue;
  state->CSInfluence[1][0] = 100;
  state->CSInfluence[2][0] = 4200;
  const TabContent content = BuildCityStateContent(*state);
  const GridContent& grid = GridOf(content, "CSGrid");
  EXPECT_EQ(grid.Cells[1][0], "");
  EXPECT_EQ(grid.Cells[1][1], "   1.00");
  EXPECT_EQ(grid.Cells[2][0], "Sidon");
  EXPECT_EQ(grid.Cells[2][1], "  42.00");
}

TEST(CityStateContent, EntriesPastTheCountAddNoHeaders) {
  auto state = NewGameState();
  AddEntry(*state, 0, 5, 3, "Oda Nobunaga");
  AddEntry(*state, 1, kCivMinorType, 1, "Sidon");
  // A player slot the list left out, and a named record past the count that points at it.
  state->SlotCivType[3] = 5;
  state->SlotStatus[3] = 1;
  state->Leaders[2].LeaderName = "Stale";
  state->Leaders[2].Slot = 3;
  const TabContent content = BuildCityStateContent(*state);
  const GridContent& grid = GridOf(content, "CSGrid");
  EXPECT_EQ(grid.Cells[0][1], "Oda Nobunaga");
  EXPECT_EQ(grid.Cells[0][2], "");
  EXPECT_EQ(grid.Cells[1][0], "Sidon");
}

}  // namespace
}  // namespace vek5
