// Final-patch Zeph city records: flags, food and culture values, the citizens block after the
// queue (specialists, great-person progress and building points, religions) and the counters.
#include <gtest/gtest.h>

#include <climits>

#include "analysis/city_fixture.h"
#include "analysis/sections.h"
#include "container/readers.h"
#include "model/type_hash.h"

namespace vek5::testing {
namespace {

const FormCase& FinalZeph() {
  return AllForms()[5];
}

GameState& ReadFinal(SaveImage& image, std::unique_ptr<GameState>& state,
                     const std::vector<CityDescription>& cities) {
  image = ImageOf(WriteCityRecords(FinalZeph().Form, cities));
  state = StateFor(FinalZeph());
  ReadCities(image, *state);
  return *state;
}

// A city of population 9: 4 worked tiles, 1 default citizen, writer 1, scientist 2, engineer 1.
CityDescription CityWithCitizens() {
  CityDescription c;
  c.Population = c.MaxPopulation = 9;
  c.Food = 1234;
  c.FoodExtra = 7;
  c.Culture = 40;
  c.CultureStep = 3;
  c.WLTKDTurns = 12;
  c.DisorderTurns = 2;
  c.Citizens.WorkedTiles = 4;
  c.Citizens.Unassigned = 0;
  c.Citizens.Specialists = {1, 1, 0, 0, 2, 0, 1};
  c.Citizens.Progress = {0, 1500, 2500, 3500, 4500, 5500, 6500};
  c.Citizens.BuildingPoints = {0, 1, 2, 3, 4, 5, 6};
  c.Religions = {{0, -1, 0, 2, 0, 0}, {0, 12, 1, 7, 300, 1}};
  return c;
}

TEST(FinalZephCityTest, ReadsTheCitizensBlockByKind) {
  SaveImage image;
  std::unique_ptr<GameState> state;
  const GameState& s = ReadFinal(image, state, {CityWithCitizens()});
  ASSERT_EQ(s.Cities[0].size(), 1u);
  const TCityRec& c = s.Cities[0][0];
  EXPECT_EQ(s.CityDetailsUnknown, 0);
  EXPECT_NE(c.CitizensRead, 0);
  EXPECT_EQ(c.WorkedTiles, 4);
  EXPECT_EQ(c.UnassignedCitizens, 0);
  EXPECT_EQ(c.OtherSpecialists, 1);
  // Model order: artist, scientist, merchant, engineer, writer, musician.
  EXPECT_EQ(c.GPSpecialists, (std::array<int32_t, kGreatPersonKinds>{0, 2, 0, 1, 1, 0}));
  EXPECT_EQ(c.GPPoints,
            (std::array<int32_t, kGreatPersonKinds>{2500, 4500, 5500, 6500, 1500, 3500}));
  EXPECT_EQ(c.GPBuildings, (std::array<int32_t, kGreatPersonKinds>{2, 4, 5, 6, 1, 3}));
  ASSERT_EQ(c.ReligionCount, 2);
  EXPECT_EQ(c.Religions[0].ReligionId, -1);
  EXPECT_EQ(c.Religions[0].Followers, 2);
  EXPECT_EQ(c.Religions[1].ReligionId, 12);
  EXPECT_EQ(c.Religions[1].Holy, 1);
  EXPECT_EQ(c.Religions[1].Followers, 7);
  EXPECT_EQ(c.Religions[1].Pressure, 300);
  EXPECT_FLOAT_EQ(c.Religions[1].Percent, 100.0f);
  // The core values the views used to leave out, and the threshold computed from them.
  EXPECT_EQ(c.Food, 1234);
  EXPECT_EQ(c.FoodExtra, 7);
  EXPECT_EQ(c.Culture, 40);
  EXPECT_EQ(c.CultureStep, 3);
  EXPECT_EQ(c.WLTKDTurns, 12);
  EXPECT_EQ(c.DisorderTurns, 2);
  EXPECT_EQ(c.FoodThreshold, 101);  // Trunc(8^1.5 + 64 + 15)
}

// Each record finds its own block, so neighbouring cities do not mix.
TEST(FinalZephCityTest, ReadsEachCitysOwnBlock) {
  CityDescription first = CityWithCitizens();
  CityDescription second;
  second.Name = "Sparta";
  second.Population = 3;
  second.Citizens.WorkedTiles = 3;
  second.Religions = {{0, -1, 0, 3, 0, 0}};
  SaveImage image;
  std::unique_ptr<GameState> state;
  const GameState& s = ReadFinal(image, state, {first, second});
  ASSERT_EQ(s.Cities[0].size(), 2u);
  EXPECT_EQ(s.Cities[0][0].WorkedTiles, 4);
  EXPECT_EQ(s.Cities[0][1].WorkedTiles, 3);
  EXPECT_EQ(s.Cities[0][1].GPPoints, (std::array<int32_t, kGreatPersonKinds>{}));
  EXPECT_EQ(s.Cities[0][1].ReligionCount, 1);
}

// A record whose block is missing or not a list of seven kinds keeps the fields empty, and does
// not borrow the next city's block or queue.
TEST(FinalZephCityTest, LeavesTheFieldsEmptyWithoutAnAcceptedBlock) {
  struct Case {
    const char* What;
    bool Written;
    bool HasQueue;
    int32_t Kinds;
  };
  const Case cases[] = {
      {"six kinds", true, true, 6}, {"no block", false, true, 7}, {"no queue", true, false, 7}};
  for (const Case& k : cases) {
    CityDescription broken = CityWithCitizens();
    broken.Citizens.Written = k.Written;
    broken.HasQueue = k.HasQueue;
    broken.Citizens.Kinds = k.Kinds;
    CityDescription next = CityWithCitizens();
    next.Name = "Sparta";
    next.Queue = {{1, 5}};
    SaveImage image;
    std::unique_ptr<GameState> state;
    const GameState& s = ReadFinal(image, state, {broken, next});
    ASSERT_EQ(s.Cities[0].size(), 2u) << k.What;
    const TCityRec& c = s.Cities[0][0];
    EXPECT_EQ(c.CitizensRead, 0) << k.What;
    EXPECT_EQ(c.WorkedTiles, 0) << k.What;
    EXPECT_EQ(c.OtherSpecialists, 0) << k.What;
    EXPECT_EQ(c.GPPoints, (std::array<int32_t, kGreatPersonKinds>{})) << k.What;
    EXPECT_EQ(c.ReligionCount, 0) << k.What;
    EXPECT_EQ(c.QueueLength, 0) << k.What;  // nor the next city's queue
    EXPECT_EQ(c.Food, 1234) << k.What;      // the core values do not depend on the block
    EXPECT_NE(s.Cities[0][1].CitizensRead, 0) << k.What;
  }
}

TEST(FinalZephCityTest, BoundsTheReligionCount) {
  struct Case {
    int32_t Stored;
    int32_t Read;
  };
  // Past the capacity, past the end of the image, negative.
  const Case cases[] = {{14, kMaxCityReligions}, {INT32_MAX, kMaxCityReligions}, {-5, 0}};
  for (const Case& k : cases) {
    CityDescription c = CityWithCitizens();
    c.Citizens.OverrideReligionCount = true;
    c.Citizens.ReligionCount = k.Stored;
    SaveImage image;
    std::unique_ptr<GameState> state;
    const GameState& s = ReadFinal(image, state, {c});
    EXPECT_EQ(s.Cities[0][0].ReligionCount, k.Read) << k.Stored;
    if (k.Read > 1) {
      EXPECT_EQ(s.Cities[0][0].Religions[1].Followers, 7) << k.Stored;
    }
  }
}

// A count running past the end of the image reads only the entries the image holds.
TEST(FinalZephCityTest, ReadsNoReligionEntryBeyondTheImage) {
  CityDescription c = CityWithCitizens();
  c.Citizens.OverrideReligionCount = true;
  c.Citizens.ReligionCount = 5;
  SaveImage image = ImageOf(WriteCityRecord(FinalZeph().Form, c));
  // Cut the image right after the second entry.
  const int32_t block = FindInt(image, TypeHash("SPECIALIST_CITIZEN"), image.BodyOffset) - 4;
  ASSERT_GT(block, 0);
  image.DataLength = block + 2604 + 13 + 2 * 21;
  image.SaveBuffer.resize(static_cast<size_t>(image.DataLength));
  auto state = StateFor(FinalZeph());
  ReadCities(image, *state);
  ASSERT_EQ(state->Cities[0].size(), 1u);
  EXPECT_EQ(state->Cities[0][0].ReligionCount, 2);
}

// The puppet flag is its own byte; the byte other records use for it is another flag here.
TEST(FinalZephCityTest, CountsNationalOccupiedAndPuppetCities) {
  constexpr size_t kNeverLost = 0, kAutomated = 3, kOccupied = 5, kPuppet = 6;
  CityDescription national;
  national.Flags[kNeverLost] = 1;
  national.Flags[kAutomated] = 1;
  CityDescription annexed;
  annexed.Name = "Annexed";
  annexed.Flags[kOccupied] = 1;
  CityDescription captured_puppet;
  captured_puppet.Name = "Captured puppet";
  captured_puppet.Flags[kOccupied] = 1;
  captured_puppet.Flags[kPuppet] = 1;
  CityDescription bought_puppet;
  bought_puppet.Name = "Bought puppet";
  bought_puppet.Flags[kPuppet] = 1;
  SaveImage image;
  std::unique_ptr<GameState> state;
  const GameState& s = ReadFinal(image, state, {national, annexed, captured_puppet, bought_puppet});
  ASSERT_EQ(s.Cities[0].size(), 4u);
  EXPECT_EQ(s.Cities[0][0].Flags[kFlagPuppet], 0);
  EXPECT_NE(s.Cities[0][3].Flags[kFlagPuppet], 0);
  EXPECT_EQ(s.Cities[0][3].Flags[kFlagOccupied], 0);
  EXPECT_EQ(s.Leaders[0].NationalCities, 1);
  EXPECT_EQ(s.Leaders[0].OccupiedCities, 1);
  EXPECT_EQ(s.Leaders[0].PuppetCities, 2);
}

TEST(FinalZephCityTest, FirstZephLayoutLeavesTheDetailsUnknown) {
  const SaveImage image = ImageOf(WriteCityRecord(AllForms()[4].Form, CityWithCitizens()));
  auto state = StateFor(AllForms()[4]);
  ReadCities(image, *state);
  ASSERT_EQ(state->Cities[0].size(), 1u);
  EXPECT_NE(state->CityDetailsUnknown, 0);
  EXPECT_EQ(state->Cities[0][0].CitizensRead, 0);
}

}  // namespace
}  // namespace vek5::testing
