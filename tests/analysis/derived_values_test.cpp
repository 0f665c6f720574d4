// Derived player and city values, computed on models prepared by hand.
#include <gtest/gtest.h>

#include <memory>

#include "analysis/sections.h"
#include "model/game_state.h"

namespace vek5 {
namespace {

constexpr int kPolicyTradition = 6;
constexpr int kPolicyDemocracy = 47;
constexpr int kPolicyMandateOfHeaven = 20;
constexpr int kPolicyFreedom = 42;

// Entry 0 is the major player of slot 0; entry 1 the city-state of slot 22.
std::unique_ptr<GameState> TwoPlayers() {
  auto s = NewGameState();
  s->PlayerCount = 2;
  s->SpeedPercent = 100;
  s->LevelMod5 = s->LevelMod6 = s->LevelMod7 = 100;
  s->SlotCivType[0] = 3;
  s->SlotCivType[22] = 18;
  s->Leaders[0].Slot = 0;
  s->Leaders[1].Slot = 22;
  s->Leaders[1].SlotIsMinor = 1;
  return s;
}

TCityRec& AddCity(GameState& s, int p, int32_t population = 1) {
  TCityRec& c = s.Cities[p].emplace_back();
  c.Name = "City";
  c.Population = population;
  s.Leaders[p].CityCount = static_cast<int32_t>(s.Cities[p].size());
  return c;
}

TEST(DerivedValuesTest, CultureThreshold) {
  struct Case {
    int32_t Step;
    bool Tradition, Minor, AngkorWat;
    int32_t SpeedPercent;
    int32_t Expected;
  };
  const Case cases[] = {
      {1, false, false, false, 100, 25},  // Trunc(10^1.1 + 15) = 27
      {0, false, false, false, 100, 15},
      {-1, false, false, false, 100, 15},  // out of range counts as 0
      {1001, false, false, false, 100, 15},
      {10, false, false, false, 100, 170},  // Trunc(100^1.1 + 15) = 173
      {1, true, false, false, 100, 20},     // Trunc(10^0.825 + 15) = 21
      {1, false, true, false, 100, 40},     // 27 * 150 / 100
      {1, false, false, true, 100, 20},     // 27 * 75 / 100
      {1, false, false, false, 300, 80},    // 27 * 3
  };
  for (const Case& k : cases) {
    auto s = TwoPlayers();
    s->SpeedPercent = k.SpeedPercent;
    const int p = k.Minor ? 1 : 0;
    s->PolicyAdopted[p][kPolicyTradition] = k.Tradition ? -1 : 0;
    if (k.AngkorWat) s->AngkorWatOwner = p;
    AddCity(*s, p).CultureStep = k.Step;
    ComputeDerivedValues(*s);
    EXPECT_EQ(s->Cities[p][0].CultureThreshold, k.Expected) << k.Step << " " << k.Tradition;
  }
}

TEST(DerivedValuesTest, GoldenAgeThreshold) {
  struct Case {
    int32_t GoldenAges, Cities, Expected;
  };
  for (const Case& k : {Case{0, 1, 500}, Case{2, 5, 1040}, Case{0, 0, 495}, Case{1, 3, 765}}) {
    auto s = TwoPlayers();
    s->Leaders[0].GoldenAgeCount = k.GoldenAges;
    s->Leaders[0].CityCount = k.Cities;
    ComputeDerivedValues(*s);
    EXPECT_EQ(s->Leaders[0].GoldenAgeThreshold, k.Expected) << k.GoldenAges << " " << k.Cities;
  }
}

struct UnhappinessCase {
  std::string Name;
  int32_t Specialists;
  bool Democracy, Occupied, Courthouse, Human;
  int32_t LeaderType;
  int32_t City, Population, Specialist, Occupation, Total;
};

class UnhappinessTest : public ::testing::TestWithParam<UnhappinessCase> {};

TEST_P(UnhappinessTest, SumsCitiesAndScalesByDifficulty) {
  const UnhappinessCase& k = GetParam();
  auto s = TwoPlayers();
  s->Exp1Present = -1;
  s->LevelMod7 = 50;
  TCityRec& c = AddCity(*s, 0, 6);
  c.GPSpecialists = {k.Specialists, 0, 0, 0};
  c.Flags[kFlagNeverLost] = k.Occupied ? 0 : 1;
  c.Flags[kFlagOccupied] = k.Occupied ? 1 : 0;
  c.HasCourthouse = k.Courthouse ? -1 : 0;
  s->PolicyAdopted[0][kPolicyDemocracy] = k.Democracy ? -1 : 0;
  s->Leaders[0].SlotStatus = k.Human ? 1 : 3;
  s->Leaders[0].LeaderType = k.LeaderType;
  s->Leaders[0].TotalHappiness = 20;
  ComputeDerivedValues(*s);
  const TLeaderInfoRec& e = s->Leaders[0];
  EXPECT_EQ(e.CityUnhappiness, k.City);
  EXPECT_EQ(e.PopulationUnhappiness, k.Population);
  EXPECT_EQ(e.SpecialistUnhappiness, k.Specialist);
  EXPECT_EQ(e.OccupiedUnhappiness, k.Occupation);
  EXPECT_EQ(e.Unhappiness, k.Total);
  EXPECT_EQ(e.Happiness, 20 - k.Total);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnhappinessTest,
    ::testing::Values(
        // Population 6, two specialists: 3 for the city, 40 and 20 per citizen kind, x 100 x 100.
        UnhappinessCase{"Plain", 2, false, false, false, false, 0, 300, 400000, 200000, 0, 9},
        // Democracy: three specialists count as two, and citizens as population - 4.
        UnhappinessCase{"Democracy", 3, true, false, false, false, 0, 300, 200000, 200000, 0, 7},
        // Occupied without a courthouse: 134 % and 5 more.
        UnhappinessCase{"Occupied", 2, false, true, false, false, 0, 0, 536000, 268000, 5, 13},
        // Occupied with a courthouse (first expansion): the city counts again.
        UnhappinessCase{"Courthouse", 2, false, true, true, false, 0, 300, 400000, 200000, 0, 9},
        // A human player: everything at LevelMod7 = 50 %.
        UnhappinessCase{"Human", 2, false, false, false, true, 0, 150, 200000, 100000, 0, 4},
        // Leader type 8: citizens at half, the city at double.
        UnhappinessCase{"LeaderType8", 2, false, false, false, false, 8, 600, 200000, 100000, 0,
                        9}),
    [](const auto& info) { return info.param.Name; });

TEST(DerivedValuesTest, WideSumsKeepTheTotalRight) {
  auto s = TwoPlayers();
  s->LevelMod6 = 160;
  for (int i = 0; i < kMaxCitiesPerPlayer; ++i) {
    TCityRec& c = AddCity(*s, 0, 1000);
    c.Flags[kFlagOccupied] = 1;  // 134 %
  }
  ComputeDerivedValues(*s);
  // 500 x 10,000 x 134 x 160 = 107,200,000,000: beyond 32 bits, yet the total is exact.
  EXPECT_EQ(s->Leaders[0].PopulationUnhappiness, INT32_MAX);
  EXPECT_EQ(s->Leaders[0].Unhappiness, 1072000 + 500 * 5);
}

TEST(DerivedValuesTest, ExtremeCultureSaturatesInsteadOfOverflowing) {
  // Parts and modifier as large as a damaged save can make them, in every city of a player.
  auto s = TwoPlayers();
  for (int i = 0; i < kMaxCitiesPerPlayer; ++i) {
    TCityRec& c = AddCity(*s, 0);
    c.CultureParts.fill(INT32_MAX);
    c.CultureModifier = INT32_MAX;
  }
  ComputeDerivedValues(*s);
  EXPECT_EQ(s->Cities[0][0].CultureBeforeBonus, INT32_MAX);
  EXPECT_EQ(s->Cities[0][0].CulturePerTurn, INT32_MAX);
  EXPECT_EQ(s->Leaders[0].CultureBase, INT32_MAX);
  EXPECT_EQ(s->Leaders[0].CulturePerTurn, INT32_MAX);
}

TEST(DerivedValuesTest, GreatPersonRatesAndTurns) {
  auto s = TwoPlayers();
  s->PolicyAdopted[0][kPolicyFreedom] = -1;
  s->Leaders[0].GPLimit = 100;
  TCityRec& c = AddCity(*s, 0);
  c.HasGarden = -1;
  c.GPSpecialists = {1, 0, 0, 0};
  c.GPBuildings = {1, 2, 0, 0};
  c.GPPoints = {1000, 0, 0, 0};
  ComputeDerivedValues(*s);
  const TCityRec& r = s->Cities[0][0];
  EXPECT_EQ(r.GreatPersonBonus, 50);
  EXPECT_EQ(r.GPRate[0], 600);  // 150 x (3 + 1)
  EXPECT_EQ(r.GPRate[1], 300);
  EXPECT_FLOAT_EQ(r.GPTurns[0], 9000.0f / 600);
  EXPECT_FLOAT_EQ(r.GPTurns[1], 10000.0f / 300);
  EXPECT_EQ(r.GPRate[2], 0);
  EXPECT_EQ(r.GPTurns[2], 9999.0f);
}

TEST(DerivedValuesTest, CultureAndFaithPerTurnSkipCitiesInDisorder) {
  auto s = TwoPlayers();
  s->Exp1Present = -1;
  s->SistineChapelOwner = 0;
  s->PolicyAdopted[0][kPolicyMandateOfHeaven] = -1;
  s->Leaders[0].TotalHappiness = 11;
  s->Leaders[0].GoldenAgeTurns = 3;
  TCityRec& calm = AddCity(*s, 0, 0);
  calm.CultureParts = {2, 1, 1, 1, 1};
  calm.CultureModifier = 10;
  calm.FaithParts = {1, 2, 0, 0};
  TCityRec& riot = AddCity(*s, 0, 0);
  riot.CultureParts = {5, 0, 0, 0, 0};
  riot.FaithParts = {4, 0, 0, 0};
  riot.DisorderTurns = 2;
  ComputeDerivedValues(*s);
  const TLeaderInfoRec& e = s->Leaders[0];
  EXPECT_EQ(s->Cities[0][0].CultureBonus, 35);
  EXPECT_EQ(s->Cities[0][0].CulturePerTurn, 6 * 135);
  EXPECT_EQ(s->Cities[0][1].CulturePerTurn, 5 * 125);
  EXPECT_EQ(s->Cities[0][1].FaithPerTurn, 4);
  EXPECT_EQ(e.CultureBase, 8);  // 810 / 100, the city in disorder left out
  EXPECT_EQ(e.FaithFromCities, 3);
  EXPECT_EQ(e.CultureFromHappiness, 5);   // happiness 11 / 2
  EXPECT_EQ(e.CultureGoldenAgeBonus, 2);  // 13 x 20 / 100
  EXPECT_EQ(e.CulturePerTurn, 15);
  EXPECT_EQ(e.FaithPerTurn, 3);
}

TEST(DerivedValuesTest, CityStateFriendsAndAlliesByEra) {
  struct Case {
    std::string Trait;
    bool Friend, Ally;
    int32_t Era, Culture, Faith;
  };
  const Case cases[] = {
      {"Cultured", false, true, 2, 12, 0},  // an ally is never also a friend
      {"Cultured", true, false, 0, 3, 0},  {"Cultured", true, false, 5, 13, 0},
      {"Religious", true, false, 1, 0, 2}, {"Religious", false, true, 4, 0, 16},
      {"Maritime", true, true, 2, 0, 0},
  };
  for (const Case& k : cases) {
    auto s = TwoPlayers();
    s->Exp1Present = -1;
    s->CurrentEraIndex = k.Era;
    s->Leaders[1].TraitName = k.Trait;
    s->CSFriends[22][0] = k.Friend ? -1 : 0;
    s->CSAllies[22][0] = k.Ally ? -1 : 0;
    ComputeDerivedValues(*s);
    const TLeaderInfoRec& e = s->Leaders[0];
    EXPECT_EQ(e.CSFriend[1], k.Friend ? -1 : 0);
    EXPECT_EQ(e.CSAlly[1], k.Ally ? -1 : 0);
    EXPECT_EQ(e.CSFriend[0], 0);  // a major player is never a city-state
    EXPECT_EQ(e.CultureFromCS, k.Culture) << k.Trait << k.Era;
    EXPECT_EQ(e.FaithFromCS, k.Faith) << k.Trait << k.Era;
  }
}

// The city reader counts occupied cities without their puppets; nothing subtracts them again.
TEST(DerivedValuesTest, KeepsTheCityCountersOfTheReader) {
  auto s = TwoPlayers();
  s->Leaders[0].OccupiedCities = 3;
  s->Leaders[0].PuppetCities = 1;
  ComputeDerivedValues(*s);
  EXPECT_EQ(s->Leaders[0].OccupiedCities, 3);
  EXPECT_EQ(s->Leaders[0].PuppetCities, 1);
}

}  // namespace
}  // namespace vek5
