#include <set>
#include <string>

#include <gtest/gtest.h>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "support/save_builder.h"
#include "views/city_view.h"
#include "views/stats_view.h"

namespace vek5 {
namespace {

// Every player and city of the real saves gives a city and a statistics tab.
TEST(RealSaveViews, EveryPlayerAndCityHasItsTabs) {
  for (const char* name :
       {"base-turn95.Vek5Save", "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "real saves not present";
    const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
    ViewState view = FreshViewState(*state);
    for (int32_t entry = 0; entry < state->PlayerCount; ++entry) {
      const TabContent first = PlayerCityChoose(*state, view, entry);
      const LinesContent* box = first.FindList("CityBox");
      ASSERT_NE(box, nullptr);
      const int32_t cities = CityListLength(*state, entry);
      EXPECT_EQ(static_cast<int32_t>(box->Lines.size()), cities) << name << " " << entry;
      for (int32_t city = 0; city < cities; ++city) {
        const TabContent tab = ChooseCity(*state, view, entry, city);
        ASSERT_NE(tab.FindField("CityFoundE"), nullptr);
        EXPECT_FALSE(tab.FindField("CityFoundE")->Text.empty()) << name << " " << entry;
      }
      for (int32_t language : {kStatsEnglish, kStatsRussian}) {
        const TabContent stats = PlayerStats(*state, entry, language);
        ASSERT_NE(stats.FindList("CitiesStats"), nullptr);
        EXPECT_FALSE(stats.FindList("CitiesStats")->Lines.at(0).Text.empty());
      }
    }
  }
}

// Cities stored by a key of the game's texts show the game's name in the city selector; a
// stored key is never shown cut down when the game has a name for it.
TEST(RealSaveViews, CitySelectorShowsTheGamesNames) {
  std::set<std::string> shown;
  for (const char* name : {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                           "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "real saves not present";
    const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
    for (int32_t entry = 0; entry < state->PlayerCount; ++entry) {
      for (const ColoredLine& line : CityBoxContent(*state, entry).Lines) {
        shown.insert(line.Text);
        EXPECT_EQ(line.Text.find('_'), std::string::npos) << name << ": " << line.Text;
      }
    }
  }
  EXPECT_TRUE(shown.contains("Kyoto"));
  EXPECT_TRUE(shown.contains("Rio de Janeiro"));
  EXPECT_FALSE(shown.contains("KYOTO"));
}

// Every city of the final-patch Zeph saves shows its food, culture, celebration and disorder,
// great-person progress, citizens and religions; the leaders grid counts its kinds of cities.
TEST(RealSaveViews, ZephCitiesShowTheirDetails) {
  for (const char* name : {"zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "real saves not present";
    const std::unique_ptr<GameState> state = Save5Analyse(LoadSave(path));
    ViewState view = FreshViewState(*state);
    for (int32_t entry = 0; entry < state->PlayerCount; ++entry) {
      for (int32_t city = 0; city < CityListLength(*state, entry); ++city) {
        const TabContent tab = ChooseCity(*state, view, entry, city);
        for (const char* box :
             {"FoodE", "CultureE", "WLTKDE", "DisorderE", "GWPointsE", "GAPointsE", "GMuPointsE",
              "GSPointsE", "GMPointsE", "GEPointsE", "SpecialistsE"}) {
          EXPECT_FALSE(tab.FindField(box)->Text.empty()) << name << " " << box;
        }
        EXPECT_FALSE(tab.FindGrid("ReligionGrid")->Cells[1][0].empty()) << name;
      }
    }
  }
}

}  // namespace
}  // namespace vek5
