#include "views/state_json.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "analysis/searched_markers.h"
#include "model/reference_tables.h"
#include "support/sample_games.h"
#include "support/save_builder.h"
#include "views/json_reader.h"

namespace vek5 {
namespace {

Json Parse(const GameState& state) {
  const std::string text = StateToJson(state);
  return JsonReader(text).Document();
}

// Every layout the builder makes and the real saves.
std::vector<std::vector<uint8_t>> SampleAndSharedFiles() {
  std::vector<std::vector<uint8_t>> files;
  for (const testing::SampleGame& sample : testing::SampleGames()) {
    files.push_back(testing::WriteSaveFile(sample.Game));
  }
  for (const char* name : {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                           "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (!path.empty()) files.push_back(testing::ReadFile(path));
  }
  return files;
}

// The markers indexed by the load as the body inflates, or by the analysis from the finished
// image: the same analysis.
TEST(StateToJson, TheSameWhicheverIndexesTheMarkers) {
  const std::vector<std::string> patterns = markers::SearchedPatterns();
  for (const std::vector<uint8_t>& file : SampleAndSharedFiles()) {
    const SaveImage indexed = AssembleSave(file, patterns);
    ASSERT_TRUE(indexed.Markers.Covers(indexed.SaveBuffer.data(), indexed.DataLength));
    EXPECT_EQ(StateToJson(*Save5Analyse(indexed)), StateToJson(*Save5Analyse(AssembleSave(file))));
  }
}

// The body's sections read side by side on the machine's cores or one after the other.
TEST(StateToJson, TheSameOnOneThreadAsOnAllCores) {
  for (const std::vector<uint8_t>& file : SampleAndSharedFiles()) {
    const SaveImage image = AssembleSave(file);
    EXPECT_EQ(StateToJson(*Save5Analyse(image, AnalysisThreads::kAllCores)),
              StateToJson(*Save5Analyse(image, AnalysisThreads::kOne)));
  }
}

TEST(AppendJsonString, EscapesAndKeepsValidUtf8) {
  struct Case {
    std::string Text;
    std::string Json;
  };
  const Case cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\nnext\ttab\x01", "\"line\\nnext\\ttab\\u0001\""},
      {"Русский №", "\"Русский №\""},
      {"bad\xff byte", "\"bad\\ufffd byte\""},
      {"cut \xd0", "\"cut \\ufffd\""},
      {"overlong \xc0\xaf", "\"overlong \\ufffd\\ufffd\""},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendJsonString(out, c.Text);
    EXPECT_EQ(out, c.Json);
  }
}

// A value as the analysis leaves one the save stored.
void StoreHistory(GameState& s, int set, int series, int turn, int32_t value) {
  s.HistoryData[set][series].Set(turn, value);
  s.HistoryStored[set].Series.set(series);
  s.HistoryStored[set].Turns[series].set(turn);
}

std::unique_ptr<GameState> TwoPlayerGame() {
  auto s = NewGameState();
  s->GameVersion = "1.0.3 \"beta\"";
  s->PlayerCount = 2;
  SizeHistory(*s, 3);  // one data set more than the entries
  s->StartTurn = 2;
  s->CurrentTurn = 4;
  s->VictoryAllowed[2] = kTrue;
  s->GameOptionNames[0] = "Quick Combat";
  s->GameOptionValues[0] = 1;
  s->Leaders[0].LeaderName = "Harald";
  s->Leaders[0].Slot = 0;
  s->Leaders[1].LeaderName = "Геневa";
  s->Leaders[1].Slot = 5;
  s->Leaders[1].SlotIsMinor = kTrue;
  s->Leaders[0].TechKnown[3] = kTrue;
  s->Leaders[0].TechProgress[4] = 1234;
  s->PolicyAdopted[0][0] = kTrue;
  s->PolicyAdopted[0][2] = kTrue;
  TCityRec city;
  city.Name = "Copenhagen";
  city.Flags[kFlagPuppet] = kTrue;
  city.BuildingNames[0] = "Monument";
  city.BuildingCount[0] = 1;
  city.BuildingNames[7] = "Monument";  // two slots under one name stay apart
  city.BuildingProduction[7] = 500;
  city.UnitNames[1] = "Warrior";
  city.UnitProduction[1] = 700;
  city.QueueLength = 1;
  city.Queue[0] = {1, 7, 0, kTrue, 0};
  s->Cities[0].push_back(city);
  // Turns 2 and 3 are played: 2 is stored, 3 is not, and 0 is stored at the current turn 4.
  StoreHistory(*s, 0, 0, 2, 10);
  StoreHistory(*s, 0, 0, 4, 0);
  StoreHistory(*s, 0, 0, 9, 5);   // beyond the played turns but stored
  StoreHistory(*s, 2, 0, 2, 99);  // a data set beyond the entries
  s->Leaders[0].Team = 0;
  s->Leaders[1].Team = 4;
  s->Leaders[0].ResearchQueueLength = 2;
  s->Leaders[0].ResearchQueue[0] = 12;
  s->Leaders[0].ResearchQueue[1] = 30;
  s->Leaders[0].ResearchingTech = 12;
  s->ReplayMessages = {{3, "Session started"}, {4, "unused"}};
  s->ReplayMessageCount = 1;
  return s;
}

TEST(StateToJson, PlayersCitiesAndFlagsFollowTheModel) {
  const Json json = Parse(*TwoPlayerGame());
  EXPECT_EQ(json["game"]["GameVersion"].String, "1.0.3 \"beta\"");
  EXPECT_EQ(json["game"]["ZephPresent"].Type, Json::kBool);
  EXPECT_TRUE(json["game"]["VictoryAllowed"]["Domination"].Bool);
  EXPECT_FALSE(json["game"]["VictoryAllowed"]["Time"].Bool);
  EXPECT_EQ(json["game"]["GameOptions"][0]["Name"].String, "Quick Combat");

  const Json& players = json["players"];
  ASSERT_EQ(players.Items.size(), 2u);
  EXPECT_EQ(players[1]["Slot"].Number, 5);
  EXPECT_EQ(players[1]["LeaderName"].String, "Геневa");
  EXPECT_TRUE(players[1]["SlotIsMinor"].Bool);
  EXPECT_EQ(players[1]["Team"].Number, 4);
  ASSERT_EQ(players[0]["ResearchQueue"].Items.size(), 2u);
  EXPECT_EQ(players[0]["ResearchQueue"][1].Number, 30);
  EXPECT_TRUE(players[1].Has("ResearchQueue"));
  EXPECT_EQ(players[1]["ResearchQueue"].Type, Json::kNull);  // no queue found
  EXPECT_EQ(players[0]["TechKnown"].Items.size(), static_cast<size_t>(kTechRows));
  EXPECT_TRUE(players[0]["TechKnown"][3].Bool);
  EXPECT_EQ(players[0]["TechProgress"][4].Number, 1234);
  ASSERT_EQ(players[0]["PolicyAdopted"].Items.size(), 2u);
  EXPECT_EQ(players[0]["PolicyAdopted"][1].String, PolicyInfo[2].Key);
  EXPECT_EQ(players[0]["CSFriend"].Items.size(), 2u);

  const Json& city = players[0]["cities"][0];
  EXPECT_EQ(city["Name"].String, "Copenhagen");
  EXPECT_TRUE(city["Puppet"].Bool);
  EXPECT_FALSE(city["Occupied"].Bool);
  EXPECT_EQ(city["Buildings"]["Monument"]["BuildingCount"].Number, 1);
  EXPECT_EQ(city["Buildings"]["Monument#7"]["BuildingProduction"].Number, 500);
  EXPECT_EQ(city["Units"]["Warrior"]["UnitProduction"].Number, 700);
  ASSERT_EQ(city["Queue"].Items.size(), 1u);
  EXPECT_TRUE(city["Queue"][0]["Flag1"].Bool);
  EXPECT_TRUE(players[1]["cities"].Items.empty());

  ASSERT_EQ(json["replay"].Items.size(), 1u);
  EXPECT_EQ(json["replay"][0]["Text"].String, "Session started");
}

TEST(StateToJson, HistoryListsExactlyThePairsTheSaveStoredPerEntry) {
  const Json json = Parse(*TwoPlayerGame());
  const Json& history = json["history"];
  ASSERT_EQ(history.Items.size(), 2u);  // one per entry, not per data set
  EXPECT_EQ(history[0].Members.size(), static_cast<size_t>(kReplayDatasetRows - 1));
  const Json& score = history[0]["Score"];
  ASSERT_EQ(score.Items.size(), 3u);
  const int32_t pairs[3][2] = {{2, 10}, {4, 0}, {9, 5}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(score[i][0].Number, pairs[i][0]) << i;
    EXPECT_EQ(score[i][1].Number, pairs[i][1]) << i;
  }
  EXPECT_TRUE(history[0]["Gold Per Turn"].Items.empty());
  EXPECT_TRUE(history[1]["Score"].Items.empty());  // an entry without a block
  EXPECT_FALSE(history[0].Has("Empty"));
}

// A stream gets the same document, also when it goes out in several pieces (a full history of
// both entries is most of a megabyte of text).
TEST(WriteStateJson, WritesTheDocumentOfStateToJson) {
  const auto state = TwoPlayerGame();
  for (size_t entry = 0; entry < state->HistoryData.size(); ++entry) {
    for (size_t series = 0; series < kHistorySeries; ++series) {
      state->HistoryStored[entry].Series.set(series);
      for (size_t turn = 0; turn + 1 < kHistoryTurns; ++turn) {
        state->HistoryData[entry][series].Set(turn, static_cast<int32_t>(turn * series) - 7);
        state->HistoryStored[entry].Turns[series].set(turn);
      }
    }
  }
  const std::string whole = StateToJson(*state);
  ASSERT_GT(whole.size(), size_t{768} << 10);
  std::ostringstream stream;
  WriteStateJson(*state, stream);
  EXPECT_EQ(stream.str(), whole);
}

TEST(StateToJson, TablesFollowTheRuleSet) {
  struct Case {
    bool Exp1;
    bool Zeph;
    size_t TechRows;
    size_t SeriesCount;
  };
  const Case cases[] = {{false, false, kTechRows, kReplayDatasetRows - 1},
                        {true, false, kTechExp1Rows, kReplayDatasetRows - 1},
                        {true, true, kTechZephRows, kReplayDatasetZephRows - 1}};
  for (const Case& c : cases) {
    auto state = TwoPlayerGame();
    state->Exp1Present = c.Exp1 ? kTrue : kFalse;
    state->ZephPresent = c.Zeph ? kTrue : kFalse;
    const Json json = Parse(*state);
    EXPECT_EQ(json["players"][0]["TechKnown"].Items.size(), c.TechRows);
    EXPECT_EQ(json["history"][0].Members.size(), c.SeriesCount);
    // Writers and musicians are Zeph's.
    const Json& city = json["players"][0]["cities"][0];
    for (const char* list : {"GPPoints", "GPRate", "GPTurns", "GPSpecialists", "GPBuildings"}) {
      EXPECT_EQ(city[list].Items.size(), c.Zeph ? 6u : 4u) << list;
    }
    EXPECT_EQ(city["CitizensRead"].Type, Json::kBool);
    EXPECT_EQ(city["WorkedTiles"].Type, Json::kNumber);
    if (c.Zeph) {
      EXPECT_EQ(json["players"][0]["PolicyAdopted"][1].String, PolicyInfoZeph[2].Key);
      EXPECT_TRUE(json["history"][0].Has("GPT International Trade"));
    }
  }
}

TEST(StateToJson, RealSavesGiveWellFormedDocuments) {
  for (const char* name : {"base-turn95.Vek5Save", "zeph-turn238.Vek5Save"}) {
    const std::string path = testing::SharedSave(name);
    if (path.empty()) GTEST_SKIP() << "shared saves not present";
    const auto state = Save5Analyse(LoadSave(path));
    const Json json = Parse(*state);
    EXPECT_EQ(json["players"].Items.size(), static_cast<size_t>(state->PlayerCount)) << name;
  }
}

}  // namespace
}  // namespace vek5
