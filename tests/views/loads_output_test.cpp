// The loads in the JSON, and the passwords a save holds shown nowhere.
#include <gtest/gtest.h>

#include "analysis/save5_analyse.h"
#include "support/save_builder.h"
#include "views/json_reader.h"
#include "views/report.h"
#include "views/state_json.h"

namespace vek5 {
namespace {

std::unique_ptr<GameState> AnalyseGame(const testing::GameDescription& game) {
  return Save5Analyse(AssembleSave(testing::WriteSaveFile(game)));
}

TEST(LoadsJson, TheGameHoldsTheLoadsObject) {
  testing::GameDescription game;
  game.GameType = kGameHotseat;
  game.ActivePlayer = 1;
  game.Slots[1].Status = testing::kStatusHuman;
  game.SessionCounter = 1;
  game.ReplayMessages = {{3, "Session 2 starts"}, {3, "Session 3 starts"}, {7, "Session 4 starts"}};
  const auto state = AnalyseGame(game);
  const std::string text = StateToJson(*state);
  const Json json = JsonReader(text).Document();
  const Json& g = json["game"];
  EXPECT_EQ(g["GameType"].Number, kGameHotseat);
  EXPECT_EQ(g["ActivePlayer"].Number, 1);
  const Json& loads = g["Loads"];
  EXPECT_EQ(loads["Humans"].Number, 2);
  EXPECT_EQ(loads["Sessions"].Number, 1);
  EXPECT_EQ(loads["NeededLoads"].Type, Json::kNumber);
  EXPECT_EQ(loads["ExtraLoads"].Type, Json::kNull);  // a counter that does not count them
  EXPECT_FALSE(loads["Countable"].Bool);
  ASSERT_EQ(loads["PerTurn"].Items.size(), 2u);
  EXPECT_EQ(loads["PerTurn"][0][0].Number, 3);
  EXPECT_EQ(loads["PerTurn"][0][1].Number, 2);
  EXPECT_EQ(loads["PerTurn"][1][0].Number, 7);
  EXPECT_EQ(g["SessionNumbers"].Items.size(), 3u);
}

TEST(LoadsJson, OneHumanHasNoLoadsNeeded) {
  const auto state = AnalyseGame(testing::GameDescription{});
  const std::string text = StateToJson(*state);
  const Json loads = JsonReader(text).Document()["game"]["Loads"];
  EXPECT_EQ(loads["Humans"].Number, 1);
  EXPECT_EQ(loads["NeededLoads"].Type, Json::kNull);
  EXPECT_EQ(loads["ExtraLoads"].Type, Json::kNull);
  EXPECT_TRUE(loads["Countable"].Bool);
}

TEST(Passwords, AreNeitherReportedNorExported) {
  testing::GameDescription game;
  game.GameType = kGameEmail;
  game.AdminPassword = "AdminSecret17";
  game.HotseatPasswords = {"SeatSecret01", "SeatSecret02"};
  game.EmailAddresses = {"first@example.net"};
  const auto state = AnalyseGame(game);
  ASSERT_EQ(state->UserName, "Tester");  // the header after them was read in place
  const std::string outputs[] = {StateToJson(*state), BuildReport(*state)};
  for (const std::string& out : outputs) {
    for (const char* secret : {"AdminSecret17", "SeatSecret01", "SeatSecret02"}) {
      EXPECT_EQ(out.find(secret), std::string::npos) << secret;
    }
  }
}

}  // namespace
}  // namespace vek5
