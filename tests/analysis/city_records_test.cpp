// Finding city records and reading their core fields, for every record form.
#include <gtest/gtest.h>

#include "analysis/city_fixture.h"
#include "analysis/city_layout.h"
#include "analysis/sections.h"
#include "model/city_names.h"
#include "support/save_builder.h"

namespace vek5::testing {
namespace {

class CityRecordTest : public CityFormTest {};

CityDescription FullCity() {
  CityDescription c;
  c.Name = "Sparta";
  c.Owner = 1;
  c.PreviousOwner = 3;
  c.OriginalOwner = 2;
  c.Flags = {1, 0, 0, 0, 0, 0, 0, 1, 1, 0};
  c.YieldArrays = {{10, 20}, {}, {5}, {1, 2, 3}, {7, 8, 9, 10, 11, 12}};
  c.Food = 1234;
  c.FoodExtra = 56;
  c.OverflowProduction = 789;
  c.Strength = 1500;
  c.WLTKDTurns = 4;
  c.DisorderTurns = 2;
  c.Culture = 321;
  c.CultureStep = 7;
  c.CultureParts = {1, 2, 3, 4, 5};
  c.FaithParts = {6, 7, 8};
  c.CultureModifier = 15;
  c.X = 31;
  c.Y = 17;
  c.FoundedTurn = 12;
  c.CapturedTurn = 40;
  c.Population = 5;
  c.MaxPopulation = 6;
  c.ResearchingTech = 44;
  c.ProjectProduction = {100, 200, 0, 0, 0, 300, 0};
  return c;
}

TEST_P(CityRecordTest, ReadsNameOwnerAndCoreFields) {
  const GameState& s = Read({FullCity()});
  ASSERT_EQ(s.CityNames, std::vector<std::string>{"Sparta"});
  EXPECT_EQ(s.CityOwners, std::vector<int32_t>{1});
  ASSERT_EQ(s.Leaders[1].CityCount, 1);
  ASSERT_EQ(s.Cities[1].size(), 1u);
  const TCityRec& c = s.Cities[1][0];
  EXPECT_EQ(c.Name, "Sparta");
  EXPECT_EQ(c.Owner, 1);
  EXPECT_EQ(c.PreviousOwner, 3);
  EXPECT_EQ(c.OriginalOwner, 2);
  EXPECT_EQ(c.Flags, (std::array<int32_t, 10>{1, 0, 0, 0, 0, 0, 0, 1, 1, 0}));
  EXPECT_EQ(c.YieldArrays[0], (std::array<int32_t, 7>{2, 10, 20, 0, 0, 0, 0}));
  EXPECT_EQ(c.YieldArrays[2], (std::array<int32_t, 7>{1, 5, 0, 0, 0, 0, 0}));
  EXPECT_EQ(c.YieldArrays[4], (std::array<int32_t, 7>{6, 7, 8, 9, 10, 11, 12}));
  EXPECT_EQ(c.Food, 1234);
  EXPECT_EQ(c.FoodExtra, 56);
  EXPECT_EQ(c.OverflowProduction, 789);
  EXPECT_EQ(c.Strength, 1500);
  EXPECT_EQ(c.WLTKDTurns, 4);
  EXPECT_EQ(c.DisorderTurns, 2);
  EXPECT_EQ(c.Culture, 321);
  EXPECT_EQ(c.CultureStep, 7);
  EXPECT_EQ(c.CultureModifier, 15);
  if (GetParam().Form == CityRecordForm::Base || GetParam().Form == CityRecordForm::BaseSlotKeys) {
    EXPECT_EQ(c.CultureParts, (std::array<int32_t, 5>{1, 2, 3, 0, 5}));
    EXPECT_EQ(c.FaithParts, (std::array<int32_t, 4>{0, 0, 0, 0}));
  } else {
    // The last culture and faith parts are the yield values of array 4.
    EXPECT_EQ(c.CultureParts, (std::array<int32_t, 5>{1, 2, 3, 4, 11}));
    EXPECT_EQ(c.FaithParts, (std::array<int32_t, 4>{6, 7, 8, 12}));
  }
  EXPECT_EQ(c.X, 31);
  EXPECT_EQ(c.Y, 17);
  EXPECT_EQ(c.FoundedTurn, 12);
  EXPECT_EQ(c.CapturedTurn, 40);
  EXPECT_EQ(c.Population, 5);
  EXPECT_EQ(c.MaxPopulation, 6);
  EXPECT_EQ(s.Leaders[1].ResearchingTech, 44);
  EXPECT_EQ(c.ProjectProduction[0], 100);
  EXPECT_EQ(c.ProjectProduction[1], 200);
  EXPECT_EQ(c.ProjectProduction[5], 300);
}

TEST_P(CityRecordTest, MapsOwnerSlotsToEntries) {
  CityDescription city_state = FullCity();
  city_state.Name = "Geneva";
  city_state.Owner = 23;  // listed as entry 5
  CityDescription unlisted = FullCity();
  unlisted.Name = "Lost";
  unlisted.Owner = 40;  // no entry has slot 40: the number is used as the entry
  CityDescription nobody = FullCity();
  nobody.Name = "Ruin";
  nobody.Owner = -1;
  CityDescription beyond = FullCity();
  beyond.Name = "Far";
  beyond.Owner = 64;
  const GameState& s = Read({city_state, nobody, unlisted, beyond});
  EXPECT_EQ(s.CityNames, (std::vector<std::string>{"Geneva", "Ruin", "Lost", "Far"}));
  EXPECT_EQ(s.CityOwners, (std::vector<int32_t>{23, -1, 40, 64}));
  ASSERT_EQ(s.Cities[5].size(), 1u);
  EXPECT_EQ(s.Cities[5][0].Owner, 5);
  ASSERT_EQ(s.Cities[40].size(), 1u);
  EXPECT_EQ(s.Cities[40][0].Name, "Lost");
  int total = 0;
  for (const auto& cities : s.Cities) total += static_cast<int>(cities.size());
  EXPECT_EQ(total, 2);
}

TEST_P(CityRecordTest, SkipsRecordsWithoutCheckOrName) {
  CityDescription wrong_check = FullCity();
  wrong_check.Name = "Unchecked";
  wrong_check.Buildings = {{"BUILDING_COURTHOUSE"}};
  CityDescription nameless = FullCity();
  nameless.Name = std::string(120, 'x');  // no length field within reach of the scan
  CityDescription good = FullCity();
  good.Name = "Kept";
  const GameState& s = Read({wrong_check, nameless, good});
  EXPECT_EQ(s.CityNames, std::vector<std::string>{"Kept"});
  EXPECT_EQ(s.Leaders[1].CityCount, 1);
}

TEST_P(CityRecordTest, CountsCitiesPerPlayerInFileOrderAndReadsResearchOnce) {
  CityDescription first = FullCity();
  first.Name = "First";
  first.ResearchProbe = -1;  // the technology lies 32 bytes further back
  first.ResearchingTech = 9;
  CityDescription second = FullCity();
  second.Name = "Second";
  second.ResearchingTech = 30;
  const GameState& s = Read({first, second});
  ASSERT_EQ(s.Leaders[1].CityCount, 2);
  EXPECT_EQ(s.Cities[1][0].Name, "First");
  EXPECT_EQ(s.Cities[1][1].Name, "Second");
  EXPECT_EQ(s.Leaders[1].ResearchingTech, 9);
}

TEST_P(CityRecordTest, StopsYieldArraysAtAnOverlongLength) {
  CityDescription c = FullCity();
  c.YieldArrays = {{1}, {1, 2, 3, 4, 5, 6, 7}, {9}};
  const GameState& s = Read({c});
  ASSERT_EQ(s.Cities[1].size(), 1u);
  EXPECT_EQ(s.Cities[1][0].YieldArrays[0], (std::array<int32_t, 7>{1, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(s.Cities[1][0].YieldArrays[1], (std::array<int32_t, 7>{}));
  EXPECT_EQ(s.Cities[1][0].YieldArrays[2], (std::array<int32_t, 7>{}));
}

INSTANTIATE_TEST_SUITE_P(Forms, CityRecordTest, ::testing::ValuesIn(AllForms()),
                         [](const auto& info) { return info.param.Name; });

// ----- Names -----

struct NameCase {
  std::string Stored;
  std::string Shown;    // as read, keys cut down
  std::string Display;  // as the game shows it
};

class CityNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(CityNameTest, CutsKeyPrefixesAndFindsTheGamesName) {
  CityDescription c;
  c.Name = GetParam().Stored;
  const FormCase& form = AllForms()[0];
  const SaveImage image = ImageOf(WriteCityRecord(form.Form, c));
  auto state = StateFor(form);
  ReadCities(image, *state);
  ASSERT_EQ(state->CityNames.size(), 1u);
  EXPECT_EQ(state->CityNames[0], GetParam().Shown);
  EXPECT_EQ(state->Cities[0][0].Name, GetParam().Shown);
  EXPECT_EQ(CityDisplayName(state->Cities[0][0]), GetParam().Display);
  ASSERT_EQ(state->CityNameRows.size(), 1u);
  EXPECT_EQ(state->CityNameRows[0], state->Cities[0][0].NameRow);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CityNameTest,
    ::testing::Values(NameCase{"TXT_KEY_CITY_NAME_Kyoto", "Kyoto", "Kyoto"},
                      NameCase{"TXT_KEY_CITY_NAME_RIO_DE_JANEIRO", "RIO_DE_JANEIRO",
                               "Rio de Janeiro"},
                      NameCase{"TXT_KEY_CITYSTATE_GENEVA", "GENEVA", "Geneva"},
                      NameCase{"TXT_KEY_VEK5_HAVEN", "HAVEN", "HAVEN"},
                      NameCase{"TXT_KEY_VEK5_OSLO_TITLE", "OSLO_TITLE", "Quebec City"},
                      NameCase{"New Town", "New Town", "New Town"},
                      NameCase{"Sankt-Peterburg", "Sankt-Peterburg", "Sankt-Peterburg"},
                      NameCase{"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
                               "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0",
                               "\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0"},
                      NameCase{"Bad\xFF", "", ""}, NameCase{"X_CITY_NAME", "", ""}));

// ----- Choice of layout -----

TEST(CityLayoutTest, ZephFinalFormIsChosenOnlyWhenAMarkerPassesItsCheck) {
  const FormCase& zeph = AllForms()[4];
  const SaveImage first_release = ImageOf(WriteCityRecord(CityRecordForm::Zeph, {}));
  EXPECT_EQ(SelectCityLayout(first_release, *StateFor(zeph)).Name, "Zeph");
  const SaveImage final_patch = ImageOf(WriteCityRecord(CityRecordForm::ZephFinal, {}));
  EXPECT_EQ(SelectCityLayout(final_patch, *StateFor(zeph)).Name, "Zeph, final patch");
  auto state = StateFor(zeph);
  ReadCities(final_patch, *state);
  EXPECT_EQ(state->CityNames, std::vector<std::string>{"Athens"});
}

TEST(CityLayoutTest, KeyedFormsFollowRuleSetSlotKeysAndBuild) {
  const SaveImage empty = ImageOf({});
  EXPECT_EQ(SelectCityLayout(empty, *StateFor(AllForms()[0])).Name, "base game");
  EXPECT_EQ(SelectCityLayout(empty, *StateFor(AllForms()[1])).Name, "base game with slot keys");
  EXPECT_EQ(SelectCityLayout(empty, *StateFor(AllForms()[2])).Name, "first expansion");
  EXPECT_EQ(SelectCityLayout(empty, *StateFor(AllForms()[3])).Name,
            "first expansion, build 341540 or later");
  EXPECT_EQ(SelectCityLayout(empty, *StateFor(AllForms()[4])).Name, "Zeph");
}

// ----- Bounds -----

TEST(CityLimitsTest, StopsAfterFiveHundredNamedRecords) {
  std::vector<CityDescription> cities(kMaxCityNames + 3);
  for (size_t i = 0; i < cities.size(); ++i) {
    cities[i].Name = "C" + std::to_string(i);
    cities[i].Owner = static_cast<int32_t>(i % 2);
  }
  const FormCase& form = AllForms()[5];
  const SaveImage image = ImageOf(WriteCityRecords(form.Form, cities));
  auto state = StateFor(form);
  ReadCities(image, *state);
  ASSERT_EQ(state->CityNames.size(), static_cast<size_t>(kMaxCityNames));
  EXPECT_EQ(state->CityNames.back(), "C499");
  EXPECT_EQ(state->Leaders[0].CityCount + state->Leaders[1].CityCount, kMaxCityNames);
}

TEST(CityLimitsTest, ARecordNearTheEndOfTheImageReadsOnlyInsideIt) {
  for (const FormCase& form : AllForms()) {
    std::vector<uint8_t> bytes = WriteCityRecord(form.Form, {});
    // Cut the block right after the first building list's count: every later list reads zeros.
    SaveImage image = ImageOf({});
    image.SaveBuffer = bytes;
    image.SaveBuffer.resize(bytes.size() - 120);
    image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
    image.BodyOffset = 0;
    auto state = StateFor(form);
    ReadCities(image, *state);
    EXPECT_LE(state->CityNames.size(), 1u) << form.Name;
  }
}

TEST(CityLimitsTest, ArbitraryBytesAroundPassingMarkersStayInsideTheImage) {
  for (const FormCase& form : AllForms()) {
    auto state = StateFor(form);
    const CityRecordLayout& layout = SelectCityLayout(ImageOf({}), *state);
    std::vector<uint8_t> bytes(200000);
    uint32_t seed = 12345;
    for (uint8_t& b : bytes) {
      seed = seed * 1103515245u + 12345u;
      b = static_cast<uint8_t>(seed >> 16);
    }
    // Markers that pass their check every 3000 bytes, one right at the end.
    ByteWriter w;
    w.Bytes(bytes);
    for (size_t at = 1500; at + 4 <= bytes.size(); at += 3000) {
      w.PutInt(at, layout.Marker);
      if (at + layout.CheckOffset + 4 <= bytes.size()) {
        w.PutInt(at + layout.CheckOffset, layout.CheckValue);
      }
    }
    SaveImage image;
    image.SaveBuffer = w.bytes();
    image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
    image.BodyOffset = 0;
    ReadCities(image, *state);
    ComputeDerivedValues(*state);
    EXPECT_LE(state->CityNames.size(), static_cast<size_t>(kMaxCityNames)) << form.Name;
  }
}

}  // namespace
}  // namespace vek5::testing
