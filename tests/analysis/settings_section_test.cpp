#include <gtest/gtest.h>

#include "analysis/header_fixture.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::ContentEntry;
using testing::GameDescription;

constexpr int32_t kExp1Package = 238506401;
constexpr int32_t kZephPackage = 1839232566;
constexpr int32_t kKoreaPackage = 288105138;
constexpr int32_t kIncaSpainPackage = -1232742946;

struct VersionCase {
  int32_t version;
  std::string build_text;
  std::string expected_game_version;
  int32_t expected_build;
  int32_t expected_341540;
  int32_t expected_379995;
};

TEST(ReadSettings, VersionDecidesGameVersionBuildAndBuildFlags) {
  const VersionCase cases[] = {
      {4, "999999", "Before 1.0.1.217", 0, kFalse, kFalse},
      {5, "999999", "1.0.1.217-221", 0, kFalse, kFalse},
      {6, "310700", "1.0.1.999 (310700)", 310700, kFalse, kFalse},
      {8, "341540", "1.0.1.999 (341540)", 341540, kTrue, kFalse},
      {8, "379995", "1.0.1.999 (379995)", 379995, kTrue, kTrue},
      {8, "", "1.0.1.999 ()", 0, kFalse, kFalse},
  };
  for (const VersionCase& c : cases) {
    SCOPED_TRACE(c.version);
    GameDescription game;
    game.SaveVersion = c.version;
    game.GameVersion = "1.0.1.999 (" + c.build_text + ")";
    game.BuildText = c.build_text;
    const auto state = Analyse(game);
    EXPECT_EQ(state->SaveVersion, c.version);
    EXPECT_EQ(state->GameVersion, c.expected_game_version);
    EXPECT_EQ(state->BuildNumber, c.expected_build);
    EXPECT_EQ(state->Build341540OrLater, c.expected_341540);
    EXPECT_EQ(state->Build379995OrLater, c.expected_379995);
    // The settings keys that follow are read from the right place.
    EXPECT_EQ(state->PlayerCivName, "Greece");
    EXPECT_EQ(state->MapScriptName, "Assets\\Maps\\Continents.lua");
  }
}

TEST(ReadSettings, ABuildTextThatIsNotANumberIsAnErrorNamingTheText) {
  for (const std::string text : {"40369x", "1.0", "99999999999", "-", "+-5"}) {
    SCOPED_TRACE(text);
    GameDescription game;
    game.BuildText = text;
    try {
      Analyse(game);
      ADD_FAILURE() << "no error";
    } catch (const AnalysisError& error) {
      EXPECT_NE(std::string(error.what()).find("\"" + text + "\""), std::string::npos)
          << error.what();
    }
  }
}

TEST(ReadSettings, SettingKeysAreShownWithoutPrefixes) {
  GameDescription game;
  game.CivKey = "CIVILIZATION_OTTOMAN";
  game.HandicapKey = "HANDICAP_DEITY";
  game.StartEraKey = "ERA_CLASSICAL";
  game.CurrentEraKey = "ERA_RENAISSANCE";
  game.GameSpeedKey = "GAMESPEED_EPIC";
  game.WorldSizeKey = "WORLDSIZE_HUGE";
  const auto state = Analyse(game);
  EXPECT_EQ(state->PlayerCivName, "Ottoman");
  EXPECT_EQ(state->HandicapName, "Deity");
  EXPECT_EQ(state->StartEraName, "Classical");
  EXPECT_EQ(state->CurrentEraName, "Renaissance");
  EXPECT_EQ(state->StartEraIndex, 1);
  EXPECT_EQ(state->CurrentEraIndex, 3);
  EXPECT_EQ(state->GameSpeedName, "Epic");
  EXPECT_EQ(state->WorldSizeName, "Huge");
}

TEST(ReadSettings, EraKeysAreLookedUpInTheTableOfTheRuleSet) {
  struct Case {
    std::vector<ContentEntry> content;
    int32_t expected_index;
  };
  const Case cases[] = {
      {{}, 0},                                 // base game: no post-modern era
      {{{kExp1Package, {"Expansion 1"}}}, 6},  // first expansion
      {{{kZephPackage, {"Expansion 2"}}}, 0},  // Zeph alone does not choose the table
  };
  for (const Case& c : cases) {
    GameDescription game;
    game.Content = c.content;
    game.StartEraKey = "ERA_POSTMODERN";
    const auto state = Analyse(game);
    EXPECT_EQ(state->StartEraIndex, c.expected_index);
    EXPECT_EQ(state->StartEraName, "Postmodern");
  }
}

TEST(ReadSettings, ContentListGivesNamesFlagsAndDownloadableCivilizationsInListOrder) {
  GameDescription game;
  game.Content = {{kIncaSpainPackage, {"Spain and Inca", "more"}},
                  {kKoreaPackage, {"Korea"}},
                  {12345, {}},
                  {kExp1Package, {"Expansion 1"}},
                  {kZephPackage, {"Expansion 2"}}};
  game.Slots[2] = {22, testing::kStatusComputer, 20, 0, 0, "", "", ""};
  game.Slots[3] = {21, testing::kStatusComputer, 21, 0, 0, "", "", ""};
  const auto state = Analyse(game);
  EXPECT_EQ(state->DlcCivNames[0], "Inca");
  EXPECT_EQ(state->DlcCivNames[1], "Spain");
  EXPECT_EQ(state->DlcCivNames[2], "Korea");
  EXPECT_EQ(state->DlcLeaderNames[2], "Sejong");
  EXPECT_EQ(state->DlcCivNames[3], "");
  EXPECT_EQ(state->DlcNames[0], "Spain and Inca");
  EXPECT_EQ(state->DlcNames[2], "");  // listed, without strings
  EXPECT_EQ(state->DlcListed[2], kTrue);
  EXPECT_EQ(state->DlcListed[5], kFalse);
  EXPECT_EQ(state->Exp1Present, kTrue);
  EXPECT_EQ(state->ZephPresent, kTrue);
  // Civilization types from 20 and leader types from 19 name them in that order.
  EXPECT_EQ(state->Leaders[2].CivName, "Korea");
  EXPECT_EQ(state->Leaders[2].LeaderName, "Isabella");
  EXPECT_EQ(state->Leaders[3].CivName, "Spain");
  EXPECT_EQ(state->Leaders[3].LeaderName, "Sejong");
}

TEST(ReadSettings, ContentBeyondNinetyNineEntriesIsReadButNotStored) {
  GameDescription game;
  for (int i = 0; i < 120; ++i) game.Content.push_back({1000 + i, {"Pack " + std::to_string(i)}});
  game.Content[110] = {kKoreaPackage, {"Korea"}};
  const auto state = Analyse(game);
  EXPECT_EQ(state->DlcNames[98], "Pack 98");
  EXPECT_EQ(state->DlcCivNames[0], "Korea");
  EXPECT_EQ(state->PlayerCount, 5);  // the slot lists after the content are read right
}

TEST(ReadSettings, RawTextsBecomeUtf8) {
  GameDescription game;
  game.UserName = "\xC8\xE2\xE0\xED";  // Windows-1251
  game.MapScript = "Карта.lua";        // already UTF-8
  const auto state = Analyse(game);
  EXPECT_EQ(state->UserName, "Иван");
  EXPECT_EQ(state->MapScriptName, "Карта.lua");
}

}  // namespace
}  // namespace vek5
