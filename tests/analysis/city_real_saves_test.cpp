// The city records of the shared real saves, read with the header facts each save is known to
// have (no player list: every owner slot is its own entry).
#include <gtest/gtest.h>

#include "analysis/city_layout.h"
#include "analysis/save5_analyse.h"
#include "analysis/sections.h"
#include "model/reference_tables.h"
#include "support/save_builder.h"

namespace vek5::testing {
namespace {

struct RealSave {
  std::string File;
  bool Zeph;
  std::string Layout;
  size_t Records;
  std::string FirstCity;
  int32_t FirstOwner;
};

class CityRealSaveTest : public ::testing::TestWithParam<RealSave> {};

TEST_P(CityRealSaveTest, FindsEveryCityRecord) {
  const RealSave& real = GetParam();
  const std::string path = SharedSave(real.File);
  if (path.empty()) GTEST_SKIP() << "shared saves not present";
  const SaveImage image = LoadSave(path);
  auto state = NewGameState();
  state->ZephPresent = state->Exp1Present = real.Zeph ? -1 : 0;
  state->SlotKeysPresent = -1;
  state->Build341540OrLater = state->Build379995OrLater = -1;
  EXPECT_EQ(SelectCityLayout(image, *state).Name, real.Layout);
  ReadCities(image, *state);

  ASSERT_EQ(state->CityNames.size(), real.Records);
  EXPECT_EQ(state->CityNames[0], real.FirstCity);
  EXPECT_EQ(state->CityOwners[0], real.FirstOwner);
  size_t filled = 0;
  for (size_t t = 0; t < state->CityNames.size(); ++t) {
    const std::string& name = state->CityNames[t];
    EXPECT_FALSE(name.empty()) << t;
    EXPECT_EQ(name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ_"), std::string::npos) << name;
    EXPECT_GE(state->CityOwners[t], 0) << name;
    EXPECT_LT(state->CityOwners[t], kMaxSlots) << name;
  }
  for (int p = 0; p < kMaxSlots; ++p) {
    filled += state->Cities[p].size();
    for (const TCityRec& city : state->Cities[p]) {
      EXPECT_GE(city.Population, 1) << city.Name;
      EXPECT_GE(city.MaxPopulation, city.Population) << city.Name;
      EXPECT_GE(city.CapturedTurn, city.FoundedTurn) << city.Name;
      EXPECT_GE(city.QueueLength, 0) << city.Name;
    }
  }
  EXPECT_EQ(filled, real.Records);
}

INSTANTIATE_TEST_SUITE_P(Saves, CityRealSaveTest,
                         ::testing::Values(RealSave{"base-turn95.Vek5Save", false,
                                                    "base game with slot keys", 43, "KYOTO", 0},
                                           RealSave{"zeph-hotseat-turn164.Vek5Save", true,
                                                    "Zeph, final patch", 22, "COPENHAGEN", 0},
                                           RealSave{"zeph-turn238.Vek5Save", true,
                                                    "Zeph, final patch", 46, "ATHENS", 0}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(CityRealSaveTest, ReadsACapturedCityOfTheLateZephGame) {
  const std::string path = SharedSave("zeph-turn238.Vek5Save");
  if (path.empty()) GTEST_SKIP() << "shared saves not present";
  const SaveImage image = LoadSave(path);
  auto state = NewGameState();
  state->ZephPresent = state->Exp1Present = -1;
  ReadCities(image, *state);
  ASSERT_EQ(state->Cities[2].size(), 11u);
  const TCityRec& jenne = state->Cities[2][10];
  EXPECT_EQ(jenne.Name, "JENNE");
  EXPECT_EQ(jenne.PreviousOwner, 5);
  EXPECT_EQ(jenne.OriginalOwner, 5);
  EXPECT_EQ(jenne.FoundedTurn, 26);
  EXPECT_EQ(jenne.CapturedTurn, 223);
  EXPECT_NE(jenne.Flags[kFlagOccupied], 0);
  EXPECT_EQ(state->Cities[0][0].Name, "ATHENS");
  EXPECT_EQ(state->Cities[0][0].Population, 34);
}

// What holds for every city of a final-patch Zeph save: every citizen is placed once, every
// citizen follows one religion or none, stored food lies below the growth threshold unless the
// city starves, culture lies below the next tile's threshold, and progress toward a great person
// is never negative.
class ZephCityIdentityTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ZephCityIdentityTest, HoldForEveryCity) {
  const std::string path = SharedSave(GetParam());
  if (path.empty()) GTEST_SKIP() << "shared saves not present";
  const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
  ASSERT_EQ(state->CityDetailsUnknown, 0);
  size_t cities = 0, with_religions = 0;
  for (int p = 0; p < kMaxSlots; ++p) {
    int32_t national = 0, occupied = 0, puppet = 0;
    for (const TCityRec& c : state->Cities[p]) {
      ++cities;
      SCOPED_TRACE(c.Name);
      ASSERT_NE(c.CitizensRead, 0);
      int64_t placed = int64_t{c.WorkedTiles} + c.UnassignedCitizens + c.OtherSpecialists;
      for (const int32_t n : c.GPSpecialists) placed += n;
      EXPECT_EQ(placed, c.Population);
      int64_t followers = 0;
      for (int32_t j = 0; j < c.ReligionCount; ++j) followers += c.Religions[j].Followers;
      EXPECT_EQ(followers, c.Population);
      ASSERT_GE(c.ReligionCount, 1);
      EXPECT_EQ(c.Religions[0].ReligionId, -1);  // the non-believers come first
      if (c.ReligionCount > 1) ++with_religions;
      for (int32_t j = 1; j < c.ReligionCount; ++j) {
        EXPECT_GE(c.Religions[j].ReligionId, 0);
        EXPECT_LT(c.Religions[j].ReligionId, kReligionKeyZephRows);
      }
      EXPECT_LE(c.Food, int64_t{c.FoodThreshold} * 100);
      EXPECT_GE(c.Culture, 0);
      EXPECT_LT(c.Culture, c.CultureThreshold);
      EXPECT_GE(c.WLTKDTurns, 0);
      EXPECT_LE(c.WLTKDTurns, 20);
      EXPECT_GE(c.DisorderTurns, 0);
      for (const int32_t points : c.GPPoints) EXPECT_GE(points, 0);
      if (c.Flags[kFlagPuppet] != 0) ++puppet;
      if (c.Flags[kFlagOccupied] != 0 && c.Flags[kFlagPuppet] == 0) ++occupied;
      // A city never lost was never captured.
      if (c.Flags[kFlagNeverLost] != 0) {
        EXPECT_LT(c.PreviousOwner, 0);
      }
    }
    // The three kinds add up to the cities.
    national = static_cast<int32_t>(state->Cities[p].size()) - occupied - puppet;
    EXPECT_EQ(state->Leaders[p].NationalCities, national);
    EXPECT_EQ(state->Leaders[p].OccupiedCities, occupied);
    EXPECT_EQ(state->Leaders[p].PuppetCities, puppet);
  }
  EXPECT_GT(cities, 0u);
  EXPECT_GT(with_religions, 0u);
}

// Values seen in the window for the late Zeph game: Athens, the human player's capital, and the
// cities Venice bought (puppets never captured, so not occupied) beside Brazil's captured one.
TEST(ZephCityValuesTest, MatchTheWindowOfTheLateGame) {
  const std::string path = SharedSave("zeph-turn238.Vek5Save");
  if (path.empty()) GTEST_SKIP() << "shared saves not present";
  const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
  const TCityRec& athens = state->Cities[0][0];
  ASSERT_EQ(athens.Name, "ATHENS");
  EXPECT_EQ(athens.Food, 33758);
  EXPECT_EQ(athens.FoodThreshold, 468);
  EXPECT_EQ(athens.FoodExtra, 187);
  EXPECT_EQ(athens.Culture, 123);
  EXPECT_EQ(athens.CultureStep, 41);
  EXPECT_EQ(athens.CultureThreshold, 155);
  EXPECT_EQ(athens.WLTKDTurns, 11);
  EXPECT_EQ(athens.WorkedTiles, 16);
  EXPECT_EQ(athens.GPSpecialists, (std::array<int32_t, kGreatPersonKinds>{2, 4, 4, 4, 2, 2}));
  EXPECT_EQ(athens.GPPoints[kGreatWriter], 12250);
  ASSERT_EQ(athens.ReligionCount, 6);
  EXPECT_EQ(athens.Religions[2].ReligionId, 9);  // Taoism, founded here
  EXPECT_EQ(athens.Religions[2].Followers, 27);
  EXPECT_NE(athens.Religions[2].Holy, 0);

  struct Counts {
    int32_t Entry, National, Occupied, Puppets;
  };
  for (const Counts& k : {Counts{2, 10, 0, 1}, Counts{3, 1, 0, 3}, Counts{4, 6, 0, 1}}) {
    EXPECT_EQ(state->Leaders[k.Entry].NationalCities, k.National) << k.Entry;
    EXPECT_EQ(state->Leaders[k.Entry].OccupiedCities, k.Occupied) << k.Entry;
    EXPECT_EQ(state->Leaders[k.Entry].PuppetCities, k.Puppets) << k.Entry;
  }
}

INSTANTIATE_TEST_SUITE_P(Saves, ZephCityIdentityTest,
                         ::testing::Values("zeph-hotseat-turn164.Vek5Save",
                                           "zeph-turn238.Vek5Save"),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace vek5::testing
