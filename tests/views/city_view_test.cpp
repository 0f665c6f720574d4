#include "views/city_view.h"

#include <gtest/gtest.h>

#include "city_fixture.h"

namespace vek5 {
namespace {

using testing::AddCity;
using testing::AddPlayer;
using testing::FieldHint;
using testing::FieldText;
using testing::ListTexts;
using testing::SmallGame;

class CityViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state_ = SmallGame();
    alice_ = AddPlayer(*state_, 0, "Alice");
    bob_ = AddPlayer(*state_, 3, "Bob");
    state_->Leaders[static_cast<size_t>(alice_)].GPLimit = 300;
  }
  TCityRec& City() {
    if (state_->Cities[0].empty()) AddCity(*state_, alice_, "Athens");
    return state_->Cities[0][0];
  }
  TabContent Show() { return ChooseCity(*state_, view_, alice_, 0); }

  std::unique_ptr<GameState> state_;
  ViewState view_;
  int32_t alice_ = 0;
  int32_t bob_ = 0;
};

TEST_F(CityViewTest, DatesHaveNoWidthAndYearZeroIsOneAD) {
  struct Case {
    int32_t turn;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {0, " 0/500 (4000BC)"},         {115, " 115/500 (1AD)"},        {160, " 160/500 (1000AD)"},
      {441, " 441/500 (2020AD Jul)"}, {442, " 442/500 (2021AD Jan)"}, {90, " 90/500 (625BC)"},
  };
  for (const Case& c : cases) {
    City().FoundedTurn = c.turn;
    City().CapturedTurn = c.turn;
    City().PreviousOwner = 0;
    const TabContent tab = Show();
    EXPECT_EQ(FieldText(tab, "CityFoundE"), c.shown) << c.turn;
    EXPECT_EQ(FieldText(tab, "LastCapturedE"), c.shown) << c.turn;
  }
}

TEST_F(CityViewTest, StatusListsTheFiveFlagsInOrder) {
  struct Case {
    std::vector<int> flags;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {{}, ""},
      {{kFlagPuppet, kFlagRailroad}, "Puppet; Railroad"},
      {{kFlagNeverLost}, "Never Lost; "},
      {{kFlagRailroad, kFlagOccupied, kFlagEverCapital, kFlagPuppet, kFlagNeverLost},
       "Never Lost; Puppet; Occupied; Ever Capital; Railroad"},
      {{1, 2, 4, 6, 9}, ""},
  };
  for (const Case& c : cases) {
    City().Flags = {};
    for (int flag : c.flags) City().Flags[static_cast<size_t>(flag)] = kTrue;
    EXPECT_EQ(FieldText(Show(), "CityStatusE"), c.shown);
  }
}

TEST_F(CityViewTest, NumbersUseTheirWidthsAndHundredths) {
  TCityRec& city = City();
  city.Population = 7;
  city.MaxPopulation = 9;
  city.X = 12;
  city.Y = 34;
  city.OverflowProduction = 1234;
  city.Food = 1550;
  city.FoodThreshold = 30;
  city.FoodExtra = 2;
  city.Culture = 40;
  city.CultureThreshold = 100;
  city.CultureStep = 3;
  city.Strength = 1875;
  city.WLTKDTurns = 5;
  city.DisorderTurns = 0;
  city.CulturePerTurn = -250;
  city.FaithPerTurn = 4;
  const TabContent tab = Show();
  EXPECT_EQ(FieldText(tab, "PopE"), "  7 (9)");
  EXPECT_EQ(FieldText(tab, "CityXYE"), "  12;34");
  EXPECT_EQ(FieldText(tab, "CityOverflowE"), "  12.34");
  EXPECT_EQ(FieldText(tab, "FoodE"), "  15.50/30(2)");
  EXPECT_EQ(FieldText(tab, "CultureE"), "  40/100 (Step 3)");
  EXPECT_EQ(FieldText(tab, "CityStrengthE"), "  18.75");
  EXPECT_EQ(FieldText(tab, "WLTKDE"), "  5");
  EXPECT_EQ(FieldText(tab, "DisorderE"), "  0");
  EXPECT_EQ(FieldText(tab, "OutCultureE"), "  -2.50");
  EXPECT_EQ(FieldText(tab, "OutFaithE"), "      4");
  for (const char* box : {"OutFoodE", "OutProdE", "OutGoldE", "OutScienceE"}) {
    EXPECT_EQ(FieldText(tab, box), "") << box;
  }
}

TEST_F(CityViewTest, GreatPersonBoxesAndHints) {
  TCityRec& city = City();
  city.GPPoints = {12345, 0, 50, 100};
  city.GPRate = {250, 0, 5, 1000};
  city.GPTurns = {7.5f, 9999.0f, 0.0f, 1.0f};
  city.GPBuildings = {3, 0, 1, 2};
  city.GPSpecialists = {2, 0, 1, 0};
  city.GreatPersonBonus = 25;
  const TabContent tab = Show();
  EXPECT_EQ(FieldText(tab, "GPLimitE"), "   300");
  EXPECT_EQ(FieldText(tab, "GAPointsE"), " 123.45");
  EXPECT_EQ(FieldHint(tab, "GAPointsE"), "7.50 turns");
  // No points per turn: no stand-in count of turns.
  EXPECT_EQ(FieldHint(tab, "GSPointsE"), "No points per turn: no great person is on the way");
  EXPECT_EQ(FieldText(tab, "GMPointsE"), "   0.50");
  EXPECT_EQ(FieldText(tab, "GARateE"), " 2.50");
  EXPECT_EQ(FieldText(tab, "GERateE"), "10.00");
  EXPECT_EQ(FieldHint(tab, "GARateE"), "Buildings: 3, Specs: 6, Percent: 125");
  EXPECT_EQ(FieldHint(tab, "GSRateE"), "Buildings: 0, Specs: 0, Percent: 125");
}

// Points beyond the limit the analysis computes would give a negative count of turns.
TEST_F(CityViewTest, PointsBeyondTheLimitShowNoTurns) {
  TCityRec& city = City();
  city.GPPoints = {31000, 30050, 29900, 0};
  city.GPRate = {500, 500, 100, 0};
  city.GPTurns = {-2.0f, 0.0f, 1.0f, 9999.0f};
  const TabContent tab = Show();
  ASSERT_EQ(FieldText(tab, "GPLimitE"), "   300");
  EXPECT_EQ(FieldText(tab, "GAPointsE"), " 310.00");
  const std::string beyond =
      "Turns unknown: the points exceed the limit of 300 that the analysis computes";
  EXPECT_EQ(FieldHint(tab, "GAPointsE"), beyond);
  EXPECT_EQ(FieldHint(tab, "GSPointsE"), beyond);
  EXPECT_EQ(FieldHint(tab, "GMPointsE"), "1.00 turns");
  for (const char* box : {"GAPointsE", "GSPointsE", "GMPointsE", "GEPointsE"}) {
    EXPECT_EQ(FieldHint(tab, box).find('-'), std::string::npos) << box;
  }
}

// A final-patch Zeph city shows everything the other rule sets show, plus the writer and
// musician and every citizen's place.
TEST_F(CityViewTest, ZephCityShowsFoodCultureGreatPeopleAndCitizens) {
  state_->ZephPresent = kTrue;
  TCityRec& city = City();
  city.Food = 1250;
  city.FoodThreshold = 55;
  city.FoodExtra = 3;
  city.Culture = 20;
  city.CultureThreshold = 25;
  city.CultureStep = 1;
  city.WLTKDTurns = 7;
  city.DisorderTurns = 1;
  city.CitizensRead = kTrue;
  city.WorkedTiles = 5;
  city.UnassignedCitizens = 1;
  city.OtherSpecialists = 2;
  city.GPSpecialists = {1, 2, 0, 0, 3, 4};
  city.GPPoints = {100, 200, 300, 400, 500, 600};
  city.GPRate = {300, 600, 0, 0, 900, 1200};
  city.GPTurns = {1.0f, 2.0f, 9999.0f, 9999.0f, 3.0f, 4.0f};
  city.GPBuildings = {0, 0, 0, 0, 0, 1};
  const TabContent tab = Show();
  EXPECT_EQ(FieldText(tab, "FoodE"), "  12.50/55(3)");
  EXPECT_EQ(FieldText(tab, "CultureE"), "  20/25 (Step 1)");
  EXPECT_EQ(FieldText(tab, "WLTKDE"), "  7");
  EXPECT_EQ(FieldText(tab, "DisorderE"), "  1");
  EXPECT_EQ(FieldText(tab, "GPLimitE"), "   300");
  EXPECT_EQ(FieldText(tab, "GWPointsE"), "   5.00");
  EXPECT_EQ(FieldHint(tab, "GWPointsE"), "3.00 turns");
  EXPECT_EQ(FieldText(tab, "GMuPointsE"), "   6.00");
  EXPECT_EQ(FieldText(tab, "GMuRateE"), "12.00");
  EXPECT_EQ(FieldHint(tab, "GMuRateE"), "Buildings: 1, Specs: 12, Percent: 100");
  EXPECT_EQ(FieldText(tab, "GAPointsE"), "   1.00");
  EXPECT_EQ(FieldText(tab, "GEPointsE"), "   4.00");
  EXPECT_EQ(FieldText(tab, "SpecialistsE"), "W3 A1 Mu4 S2 M0 E0 C2, T5 U1");
  EXPECT_EQ(FieldHint(tab, "SpecialistsE"),
            "Writers 3, artists 1, musicians 4, scientists 2, merchants 0, engineers 0, default "
            "citizens 2, worked tiles 5, unassigned 1");
}

TEST_F(CityViewTest, ZephCityWithoutItsCitizensBlockShowsNoGreatPeople) {
  state_->ZephPresent = kTrue;
  TCityRec& city = City();
  city.WLTKDTurns = 4;
  city.GPPoints = {100, 200, 300, 400, 500, 600};
  const TabContent tab = Show();
  EXPECT_EQ(FieldText(tab, "WLTKDE"), "  4");
  for (const char* box : {"GPLimitE", "GAPointsE", "GWPointsE", "GMuRateE", "SpecialistsE"}) {
    EXPECT_EQ(FieldText(tab, box), "") << box;
  }
}

// Outside Zeph the writer and musician boxes stay empty.
TEST_F(CityViewTest, OtherRuleSetsShowFourGreatPersonKinds) {
  TCityRec& city = City();
  city.OtherSpecialists = 1;
  city.GPSpecialists = {2, 0, 1, 0, 5, 5};
  const TabContent tab = Show();
  EXPECT_EQ(FieldText(tab, "GAPointsE"), "   0.00");
  EXPECT_EQ(FieldText(tab, "GWPointsE"), "");
  EXPECT_EQ(FieldText(tab, "GMuRateE"), "");
  EXPECT_EQ(FieldText(tab, "SpecialistsE"), "A2 S0 M1 E0, O1");
}

// Zeph as first released: where its records keep these values is not known.
TEST_F(CityViewTest, UnknownCityDetailsHideCultureFoodAndGreatPersonFields) {
  state_->ZephPresent = kTrue;
  state_->CityDetailsUnknown = kTrue;
  TCityRec& city = City();
  city.Flags[kFlagPuppet] = kTrue;
  city.Population = 3;
  city.Strength = 900;
  city.CulturePerTurn = 300;
  city.FaithPerTurn = 2;
  city.CitizensRead = kTrue;
  city.GPTurns = {7.5f, 7.5f, 7.5f, 7.5f};
  city.PreviousOwner = 3;
  const TabContent tab = Show();
  for (const char* box : {"CultureE", "FoodE", "WLTKDE", "DisorderE", "GPLimitE", "GAPointsE",
                          "GSPointsE", "GMPointsE", "GEPointsE", "GARateE", "GSRateE", "GMRateE",
                          "GERateE", "GWPointsE", "GMuPointsE", "SpecialistsE"}) {
    EXPECT_EQ(FieldText(tab, box), "") << box;
    EXPECT_EQ(FieldHint(tab, box), "") << box;
  }
  EXPECT_EQ(FieldText(tab, "CityFoundE"), " 0/500 (4000BC)");
  EXPECT_EQ(FieldText(tab, "CityStatusE"), "Puppet; ");
  EXPECT_EQ(FieldText(tab, "PopE"), "  3 (0)");
  EXPECT_EQ(FieldText(tab, "CityStrengthE"), "   9.00");
  EXPECT_EQ(FieldText(tab, "OutCultureE"), "   3.00");
  EXPECT_EQ(FieldText(tab, "OutFaithE"), "      2");
  EXPECT_EQ(FieldText(tab, "PreviousOwnerE"), "Bob");
}

TEST_F(CityViewTest, OwnersAreTheEntriesHoldingTheSavedSlot) {
  // Alice holds slot 0 and Bob slot 3: slots 1 and 3 would name the wrong player or nobody if
  // taken as entries.
  struct Case {
    int32_t previous, original;
    std::string previous_shown, original_shown, captured;
  };
  const std::vector<Case> cases = {
      {3, 0, "Bob", "Alice", " 115/500 (1AD)"},
      {1, 3, "", "Bob", " 115/500 (1AD)"},
      {-1, 1, "", "", ""},
      {70, -5, "", "", " 115/500 (1AD)"},
      {64, 2147483647, "", "", " 115/500 (1AD)"},
  };
  City().CapturedTurn = 115;
  for (const Case& c : cases) {
    City().PreviousOwner = c.previous;
    City().OriginalOwner = c.original;
    const TabContent tab = Show();
    EXPECT_EQ(FieldText(tab, "PreviousOwnerE"), c.previous_shown) << c.previous;
    EXPECT_EQ(FieldText(tab, "OriginalOwnerE"), c.original_shown) << c.original;
    EXPECT_EQ(FieldText(tab, "LastCapturedE"), c.captured) << c.previous;
  }
}

TEST_F(CityViewTest, DatesMoveTheViewsTurnsPlayedOnly) {
  struct Case {
    int32_t founded, captured, turns_played;
  };
  // The capture date is worked out after the founding date, even when not shown.
  const std::vector<Case> cases = {
      {-1, 10, 0}, {600, 0, 500}, {-1, 600, 500}, {600, -2, 0}, {100, 200, 123},
  };
  state_->TurnsPlayed = 77;
  for (const Case& c : cases) {
    view_.TurnsPlayed = 123;
    City().FoundedTurn = c.founded;
    City().CapturedTurn = c.captured;
    Show();
    EXPECT_EQ(view_.TurnsPlayed, c.turns_played) << c.founded << "/" << c.captured;
  }
  EXPECT_EQ(state_->TurnsPlayed, 77);
}

TEST_F(CityViewTest, BuildingsListedByYearThenFreeBuildingsInBlue) {
  TCityRec& city = City();
  auto building = [&city](size_t k, std::string name, int32_t date, int32_t turn, int32_t count,
                          int32_t free) {
    city.BuildingNames[k] = std::move(name);
    city.BuildingDate[k] = date;
    city.BuildingTurn[k] = turn;
    city.BuildingCount[k] = count;
    city.FreeBuildingCount[k] = free;
  };
  for (size_t k = 0; k < kMaxBuildingSlots; ++k) city.BuildingDate[k] = 100000;
  building(0, "Library", -1000, 75, 1, 0);
  building(1, "Monument", -2350, 41, 1, 0);
  building(2, "Granary", -1000, 75, 1, 0);  // same year as slot 0: listed after it
  building(3, "Palace", -9999, 0, 1, 1);    // no date: first, without numbers; also free
  building(4, "Walls", -3000, 20, 0, 0);    // not built
  building(5, "National Treasury Of Wonders", 1944, 300, 1, 0);
  building(6, "Shrine", -4000, 0, 0, 2);  // free only
  const TabContent tab = Show();
  const LinesContent* list = tab.FindList("BuildingsList");
  ASSERT_NE(list, nullptr);
  const std::vector<ColoredLine> expected = {
      {"Palace                  ", kBlack},
      {"Monument                  2350BC    41", kBlack},
      {"Library                   1000BC    75", kBlack},
      {"Granary                   1000BC    75", kBlack},
      {"National Treasury Of Wonders  1944AD   300", kBlack},
      {"Palace", kBlue},
      {"Shrine", kBlue},
  };
  ASSERT_EQ(list->Lines.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(list->Lines[i].Text, expected[i].Text) << i;
    EXPECT_EQ(list->Lines[i].Color, expected[i].Color) << i;
  }
}

TEST_F(CityViewTest, BuildingNamesArePaddedByCharacters) {
  City().BuildingNames[0] = "Пирамиды";
  City().BuildingCount[0] = 1;
  City().BuildingDate[0] = -9999;
  EXPECT_EQ(ListTexts(Show(), "BuildingsList"),
            std::vector<std::string>{"Пирамиды                "});
}

TEST_F(CityViewTest, CityBoxListsTheCitiesAndOpensAtMostTwentyLines) {
  for (int count : {1, 20, 35}) {
    state_->Cities[1].clear();
    for (int c = 0; c < count; ++c) AddCity(*state_, bob_, "City " + std::to_string(c));
    const LinesContent box = CityBoxContent(*state_, bob_);
    EXPECT_EQ(static_cast<int>(box.Lines.size()), count);
    EXPECT_EQ(box.Lines.back().Text, "City " + std::to_string(count - 1));
    EXPECT_EQ(box.DropDownCount, std::min(count, 20));
    EXPECT_EQ(box.Selected, 0);
  }
}

TEST_F(CityViewTest, ChoosingAPlayerShowsItsFirstCity) {
  AddCity(*state_, bob_, "Sparta").Population = 4;
  AddCity(*state_, bob_, "Corinth").Population = 6;
  const TabContent tab = PlayerCityChoose(*state_, view_, bob_);
  EXPECT_EQ(ListTexts(tab, "CityBox"), (std::vector<std::string>{"Sparta", "Corinth"}));
  EXPECT_EQ(FieldText(tab, "PopE"), "  4 (0)");
  EXPECT_EQ(FieldText(ChooseCity(*state_, view_, bob_, 1), "PopE"), "  6 (0)");
  // A negative selection is the first item.
  EXPECT_EQ(FieldText(ChooseCity(*state_, view_, bob_, -1), "PopE"), "  4 (0)");
}

void ExpectBlank(const TabContent& tab) {
  ASSERT_FALSE(tab.Fields.empty());
  for (const FieldContent& field : tab.Fields) {
    EXPECT_EQ(field.Text, "") << field.Control;
    EXPECT_EQ(field.Hint, "") << field.Control;
  }
  for (const char* box : {"CityFoundE", "CityStatusE", "GAPointsE", "GARateE", "OutCultureE",
                          "OutFaithE", "LastCapturedE", "GPLimitE"}) {
    EXPECT_NE(tab.FindField(box), nullptr) << box;
  }
  for (const LinesContent& list : tab.Lists) {
    EXPECT_TRUE(list.Lines.empty()) << list.Control;
    EXPECT_EQ(list.Selected, -1) << list.Control;
  }
  EXPECT_NE(tab.FindList("BuildingsList"), nullptr);
  EXPECT_NE(tab.FindList("BuildingQueue"), nullptr);
  for (const char* name : {"ProductionGrid", "ReligionGrid"}) {
    const GridContent* grid = tab.FindGrid(name);
    ASSERT_NE(grid, nullptr) << name;
    for (size_t r = 1; r < grid->Cells.size(); ++r) {
      for (const std::string& cell : grid->Cells[r]) EXPECT_EQ(cell, "") << name << " row " << r;
    }
  }
}

TEST_F(CityViewTest, PlayerWithoutCitiesGetsABlankView) {
  view_.TurnsPlayed = 42;
  const TabContent tab = PlayerCityChoose(*state_, view_, bob_);
  ExpectBlank(tab);
  ASSERT_NE(tab.FindList("CityBox"), nullptr);
  EXPECT_EQ(view_.TurnsPlayed, 42);
}

TEST_F(CityViewTest, SelectionsOutsideTheModelGiveABlankView) {
  City().FoundedTurn = 10;
  ExpectBlank(ChooseCity(*state_, view_, alice_, 1));
  ExpectBlank(ChooseCity(*state_, view_, 2, 0));   // beyond PlayerCount
  ExpectBlank(ChooseCity(*state_, view_, 64, 0));  // beyond every entry
  // A city count larger than the records held does not reach past them.
  state_->Leaders[0].CityCount = 400;
  ExpectBlank(ChooseCity(*state_, view_, alice_, 1));
  EXPECT_EQ(CityListLength(*state_, alice_), 1);
}

}  // namespace
}  // namespace vek5
