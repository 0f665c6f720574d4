// The city records of the shared real saves, read with the header facts each save is known to
// have (no player list: every owner slot is its own entry).
#include <gtest/gtest.h>

#include "analysis/city_layout.h"
#include "analysis/sections.h"
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

}  // namespace
}  // namespace vek5::testing
