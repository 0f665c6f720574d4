// The lists of a city record: buildings, units, queue, specialists and religions, and the values
// that follow from them.
#include <gtest/gtest.h>

#include "analysis/city_fixture.h"
#include "analysis/sections.h"
#include "model/calendar.h"
#include "model/reference_tables.h"

namespace vek5::testing {
namespace {

class CityListTest : public CityFormTest {};

CityDescription CityWithLists() {
  CityDescription c;
  c.Buildings = {
      {kCheckBuildingKey, 0, 10, 1, 2, -9999, 0, 0},
      {"BUILDING_MONUMENT", 0, 2500, 3, 4, -2000, 1, 0},
      {"BUILDING_GARDEN", 0, 0, 0, 0, -9999, 0, 0},
  };
  c.Units = {{"UNIT_SETTLER", 0, 4000, 2}, {"UNIT_WORKER", 0, 700, 1}};
  c.Queue = {{1, 12, 5, 1, 0}, {0, 3, 0, 0, 1}};
  return c;
}

TEST_P(CityListTest, ReadsBuildingsUnitsAndQueue) {
  const GameState& s = Read({CityWithLists()});
  ASSERT_EQ(s.Cities[0].size(), 1u);
  const TCityRec& c = s.Cities[0][0];
  EXPECT_EQ(c.BuildingNames[0], "Floating Gardens");
  EXPECT_EQ(c.BuildingNames[1], "Monument");
  EXPECT_EQ(c.BuildingProduction[0], 10);
  EXPECT_EQ(c.BuildingProduction[1], 2500);
  EXPECT_EQ(c.BuildingDelay[1], 3);
  EXPECT_EQ(c.BuildingValue3[1], 4);
  EXPECT_EQ(c.BuildingDate[0], -9999);
  EXPECT_EQ(c.BuildingTurn[0], 0);  // no year: no turn
  EXPECT_EQ(c.BuildingDate[1], -2000);
  EXPECT_EQ(c.BuildingTurn[1], Date2Turn(2, -2000));
  EXPECT_EQ(c.BuildingCount[1], 1);
  EXPECT_EQ(c.UnitNames[0], "Settler");
  EXPECT_EQ(c.UnitNames[1], "Worker");
  EXPECT_EQ(c.UnitProduction[0], 4000);
  EXPECT_EQ(c.UnitDelay[1], 1);
  ASSERT_EQ(c.QueueLength, 2);
  EXPECT_EQ(c.Queue[0].Type, 1);
  EXPECT_EQ(c.Queue[0].Item, 12);
  EXPECT_EQ(c.Queue[0].Value, 5);
  EXPECT_EQ(c.Queue[0].Flag1, 1);
  EXPECT_EQ(c.Queue[1].Flag2, 1);
  EXPECT_EQ(c.ProductionType, 1);
  EXPECT_EQ(c.ProductionItem, 12);
}

struct QueueCase {
  int32_t Stored;
  int32_t Length;
};

TEST_P(CityListTest, LimitsTheQueueCount) {
  for (const QueueCase& q : {QueueCase{25, 20}, QueueCase{-3, 0}, QueueCase{0, 0}}) {
    CityDescription c;
    c.Queue.assign(25, CityQueueItem{2, 7, 0, 0, 0});
    c.OverrideQueueCount = true;
    c.QueueCount = q.Stored;
    const GameState& s = Read({c});
    ASSERT_EQ(s.Cities[0].size(), 1u);
    const TCityRec& city = s.Cities[0][0];
    EXPECT_EQ(city.QueueLength, q.Length) << q.Stored;
    EXPECT_EQ(city.ProductionType, q.Length > 0 ? 2 : -1) << q.Stored;
    if (q.Length == 20) {
      EXPECT_EQ(city.Queue[19].Item, 7);
    }
  }
}

TEST_P(CityListTest, LeavesTheQueueAloneWithoutItsMarker) {
  CityDescription c = CityWithLists();
  c.HasQueue = false;
  const GameState& s = Read({c});
  ASSERT_EQ(s.Cities[0].size(), 1u);
  EXPECT_EQ(s.Cities[0][0].QueueLength, 0);
  EXPECT_EQ(s.Cities[0][0].ProductionType, 0);
}

TEST_P(CityListTest, SurvivesHugeListCounts) {
  CityDescription c = CityWithLists();
  c.OverrideQueueCount = true;
  c.QueueCount = INT32_MAX;
  c.Buildings.front().Date = INT32_MAX;
  c.Units = {{"UNIT_WORKER", 0, INT32_MIN, INT32_MAX}};
  const GameState& s = Read({c, c});
  EXPECT_EQ(s.Cities[0].size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Forms, CityListTest, ::testing::ValuesIn(AllForms()),
                         [](const auto& info) { return info.param.Name; });

// ----- Zeph: lists of hashes -----

TEST(CityHashListTest, ZeroHashesTakeNoSlotAndUnknownHashesShowTheirDigits) {
  const FormCase& form = AllForms()[5];
  CityDescription c;
  c.Buildings = {
      {kCheckBuildingKey, 0, 11}, {"", 0, 99}, {"", 0x1234ABCD, 22}, {"BUILDING_MONUMENT", 0, 33}};
  c.Units = {{"", 0, 5}, {"", static_cast<int32_t>(0xFEDCBA98), 44}, {"UNIT_WORKER", 0, 55}};
  const SaveImage image = ImageOf(WriteCityRecord(form.Form, c));
  auto state = StateFor(form);
  ReadCities(image, *state);
  ASSERT_EQ(state->Cities[0].size(), 1u);
  const TCityRec& city = state->Cities[0][0];
  EXPECT_EQ(city.BuildingNames[1], "1234ABCD");
  EXPECT_EQ(city.BuildingProduction[1], 22);
  EXPECT_EQ(city.BuildingNames[2], "Monument");
  EXPECT_EQ(city.BuildingProduction[2], 33);
  EXPECT_EQ(city.BuildingNames[3], "");
  EXPECT_EQ(city.UnitNames[0], "FEDCBA98");
  EXPECT_EQ(city.UnitNames[1], "Worker");
  EXPECT_EQ(city.UnitProduction[1], 55);
}

// Zeph as first released: where its records keep these values is not known.
TEST(CityHashListTest, FirstZephRecordsSetNoFlagsOwnersThresholdOrCounters) {
  const FormCase& form = AllForms()[4];
  CityDescription c;
  c.Buildings = {{kCheckBuildingKey}, {"BUILDING_HAGIA_SOPHIA", 0, 0, 0, 0, -9999, 1}};
  c.Flags[0] = 1;
  c.Population = 5;
  const SaveImage image = ImageOf(WriteCityRecord(form.Form, c));
  auto state = StateFor(form);
  ReadCities(image, *state);
  ASSERT_EQ(state->Cities[0].size(), 1u);
  EXPECT_EQ(state->HagiaSophiaOwner, -1);
  EXPECT_EQ(state->Cities[0][0].HasWorldWonder, 0);
  EXPECT_EQ(state->Cities[0][0].FoodThreshold, 0);
  EXPECT_EQ(state->Leaders[0].NationalCities, 0);
}

// ----- Other saves: lists of keys -----

class KeyedCityTest : public CityFormTest {};

const std::array<TBuildingInfoRec, kBuildingRows>& TableOf(const FormCase& form) {
  return form.Exp1 ? BuildingInfoExp1 : BuildingInfo;
}

TEST_P(KeyedCityTest, SetsFlagsAndWonderOwnersFromBuildingsPresent) {
  CityDescription first;
  first.Owner = 1;
  first.Buildings = {{kCheckBuildingKey, 0, 0, 0, 0, -9999, 1},
                     {"BUILDING_HAGIA_SOPHIA", 0, 0, 0, 0, -9999, 1},
                     {"BUILDING_COURTHOUSE", 0, 0, 0, 0, -9999, 1},
                     {"BUILDING_PALACE", 0, 0, 0, 0, -9999, 1},
                     {"BUILDING_NATIONAL_EPIC", 0, 0, 0, 0, -9999, 0},
                     {"BUILDING_GARDEN", 0, 0, 0, 0, -9999, 0, 1}};
  CityDescription later = first;
  later.Name = "Later";
  later.Owner = 2;
  later.Buildings = {{kCheckBuildingKey}, {"BUILDING_HAGIA_SOPHIA", 0, 0, 0, 0, -9999, 2}};
  const GameState& s = Read({first, later});
  const TCityRec& c = s.Cities[1][0];
  EXPECT_EQ(c.HasFloatingGardens, -1);
  EXPECT_EQ(c.HasCourthouse, -1);
  EXPECT_EQ(c.HasPalace, -1);
  EXPECT_EQ(c.HasNationalEpic, 0);  // listed, but none present
  EXPECT_EQ(c.HasGarden, -1);       // received for free
  EXPECT_EQ(c.FreeBuildingCount[5], 1);
  EXPECT_EQ(s.HagiaSophiaOwner, 2);  // the later city in the file wins
  EXPECT_EQ(s.AngkorWatOwner, -1);
  EXPECT_EQ(s.Cities[2][0].HasCourthouse, 0);
  // The file's order, not the players' order.
  first.Owner = 2;
  later.Owner = 1;
  EXPECT_EQ(Read({first, later}).HagiaSophiaOwner, 1);
}

TEST_P(KeyedCityTest, TakesGreatPersonPointsAndWorldWondersFromTheRowWithTheKey) {
  // Saves list buildings in their own order: a wonder at position 1 is still found by its key,
  // and the table row at position 1 (whatever it is) adds nothing.
  const auto& table = TableOf(GetParam());
  int wonder_row = -1;
  for (int r = 2; r < kBuildingRows && wonder_row < 0; ++r) {
    if (table[r].Kind == kKindWorldWonder && table[r].GPKind >= 1) wonder_row = r;
  }
  ASSERT_GE(wonder_row, 2);
  CityDescription c;
  c.Buildings = {{kCheckBuildingKey},
                 {std::string(table[wonder_row].Key), 0, 0, 0, 0, -9999, 1},
                 {"BUILDING_NO_SUCH_THING", 0, 0, 0, 0, -9999, 1}};
  const GameState& s = Read({c});
  const TCityRec& city = s.Cities[0][0];
  EXPECT_EQ(city.HasWorldWonder, -1);
  std::array<int32_t, kGreatPersonKinds> expected{};
  expected[table[wonder_row].GPKind - 1] = table[wonder_row].GPPoints;
  EXPECT_EQ(city.GPBuildings, expected);
}

TEST_P(KeyedCityTest, ReadsSpecialistsAndReligionsWithShares) {
  CityDescription c;
  c.OtherSpecialists = 1;
  c.GPSpecialists = {2, 3, 4, 5};
  c.GPPoints = {600, 700, 800, 900};
  c.Religions = {{9, 2, 1, 4, 300}, {9, 5, 0, 1, 100}};
  const GameState& s = Read({c});
  const TCityRec& city = s.Cities[0][0];
  EXPECT_EQ(city.OtherSpecialists, 1);
  // The writer and musician kinds are Zeph's alone.
  EXPECT_EQ(city.GPSpecialists, (std::array<int32_t, kGreatPersonKinds>{2, 3, 4, 5, 0, 0}));
  EXPECT_EQ(city.GPPoints, (std::array<int32_t, kGreatPersonKinds>{600, 700, 800, 900, 0, 0}));
  if (!GetParam().Exp1) {
    EXPECT_EQ(city.ReligionCount, 0);  // the base game has no religions
    return;
  }
  ASSERT_EQ(city.ReligionCount, 2);
  EXPECT_EQ(city.Religions[0].ReligionId, 2);
  EXPECT_EQ(city.Religions[0].Holy, 1);
  EXPECT_EQ(city.Religions[0].Followers, 4);
  EXPECT_FLOAT_EQ(city.Religions[0].Percent, 75.0f);
  EXPECT_FLOAT_EQ(city.Religions[1].Percent, 25.0f);
}

TEST_P(KeyedCityTest, GivesNoSharesWithoutPressureAndCapsTheReligionCount) {
  if (!GetParam().Exp1) GTEST_SKIP() << "no religions in this rule set";
  CityDescription none;
  none.Religions = {{0, 1, 0, 3, 0}, {0, 2, 0, 3, 0}};
  CityDescription many;
  many.Name = "Many";
  many.Owner = 1;
  many.Religions.assign(15, CityReligionEntry{0, 1, 0, 1, 10});
  const GameState& s = Read({none, many});
  EXPECT_EQ(s.Cities[0][0].ReligionCount, 2);
  EXPECT_EQ(s.Cities[0][0].Religions[0].Percent, 0.0f);
  EXPECT_EQ(s.Cities[0][0].Religions[1].Percent, 0.0f);
  EXPECT_EQ(s.Cities[1][0].ReligionCount, kMaxCityReligions);
  EXPECT_FLOAT_EQ(s.Cities[1][0].Religions[12].Percent, 100.0f / 13);
}

TEST_P(KeyedCityTest, ComputesTheFoodThreshold) {
  struct Case {
    int32_t Population;
    int entry;  // 0 a computer player, 4 a city-state
    int32_t SlotStatus, LevelMod2, SpeedPercent, EraMod1;
    int32_t Expected;
  };
  const Case cases[] = {
      {5, 0, 0, 100, 100, 100, 55},                                  // Trunc(8 + 32 + 15)
      {1, 0, 0, 100, 100, 100, 15},   {0, 0, 0, 100, 100, 100, 15},  // below 1 counts as 1
      {101, 0, 0, 100, 100, 100, 15},                                // above 100 counts as 1
      {5, 0, 1, 60, 100, 100, 33},                                   // 55 * 60 / 100
      {5, 4, 0, 60, 100, 100, 82},                                   // a city-state: 55 * 150 / 100
      {5, 0, 0, 100, 67, 50, 18},  // 55 * 67 / 100 = 36, * 50 / 100
  };
  for (const Case& k : cases) {
    CityDescription c;
    c.Population = k.Population;
    c.Owner = k.entry == 4 ? 22 : 0;
    image_ = ImageOf(WriteCityRecord(GetParam().Form, c));
    state_ = StateFor(GetParam());
    state_->Leaders[k.entry].SlotStatus = k.SlotStatus;
    state_->LevelMod2 = k.LevelMod2;
    state_->SpeedPercent = k.SpeedPercent;
    state_->EraMod1 = k.EraMod1;
    ReadCities(image_, *state_);
    ASSERT_EQ(state_->Cities[k.entry].size(), 1u);
    EXPECT_EQ(state_->Cities[k.entry][0].FoodThreshold, k.Expected) << k.Population;
  }
}

// Occupied counts annexed cities only; a puppet that was not captured is no occupied city
// either, so subtracting the puppets from the occupied cities would undercount.
TEST_P(KeyedCityTest, CountsNationalPuppetAndOccupiedCities) {
  CityDescription national;
  national.Flags[0] = 1;
  CityDescription captured_puppet;
  captured_puppet.Name = "Captured puppet";
  captured_puppet.Flags[3] = 1;
  captured_puppet.Flags[5] = 1;
  CityDescription bought_puppet;
  bought_puppet.Name = "Bought puppet";
  bought_puppet.Flags[3] = 1;
  CityDescription occupied;
  occupied.Name = "Occupied";
  occupied.Flags[5] = 1;
  // Lost and liberated: neither never lost nor occupied, and still the player's own.
  CityDescription liberated;
  liberated.Name = "Liberated";
  const GameState& s = Read({national, captured_puppet, bought_puppet, occupied, liberated});
  EXPECT_EQ(s.Leaders[0].CityCount, 5);
  EXPECT_EQ(s.Leaders[0].NationalCities, 2);
  EXPECT_EQ(s.Leaders[0].PuppetCities, 2);
  EXPECT_EQ(s.Leaders[0].OccupiedCities, 1);
}

INSTANTIATE_TEST_SUITE_P(KeyedForms, KeyedCityTest,
                         ::testing::Values(AllForms()[0], AllForms()[1], AllForms()[2],
                                           AllForms()[3]),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace vek5::testing
