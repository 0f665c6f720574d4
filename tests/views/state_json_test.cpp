#include "views/state_json.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "analysis/save5_analyse.h"
#include "model/reference_tables.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

// A strict little JSON reader, so that the tests check the document's structure and not only
// substrings of it.
struct Json {
  enum Kind { kNull, kBool, kNumber, kString, kArray, kObject } Type = kNull;
  bool Bool = false;
  double Number = 0;
  std::string String;
  std::vector<Json> Items;
  std::vector<std::pair<std::string, Json>> Members;

  const Json& operator[](size_t i) const { return Items.at(i); }
  const Json& operator[](const std::string& key) const {
    for (const auto& [k, v] : Members) {
      if (k == key) return v;
    }
    throw std::out_of_range("no key " + key);
  }
  bool Has(const std::string& key) const {
    for (const auto& member : Members) {
      if (member.first == key) return true;
    }
    return false;
  }
};

class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  Json Document() {
    Json value = Value();
    Space();
    if (pos_ != text_.size()) Fail("text after the document");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + " at " + std::to_string(pos_));
  }
  void Space() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  bool Take(char c) {
    Space();
    if (pos_ < text_.size() && text_[pos_] == c) return ++pos_, true;
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Fail(std::string("expected ") + c);
  }
  bool Word(const char* word) {
    const std::string w(word);
    if (text_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }
  std::string StringLiteral() {
    Expect('"');
    std::string out;
    while (true) {
      if (pos_ >= text_.size()) Fail("unterminated string");
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail("raw control character");
      if (c != '\\') {
        out += c;
        continue;
      }
      const char e = text_.at(pos_++);
      if (e == 'u') {
        const unsigned code = std::stoul(text_.substr(pos_, 4), nullptr, 16);
        pos_ += 4;
        out += code == 0xFFFD ? "\xEF\xBF\xBD" : std::string(1, static_cast<char>(code));
      } else if (e == 'n') {
        out += '\n';
      } else if (e == 't') {
        out += '\t';
      } else if (e == 'r') {
        out += '\r';
      } else if (e == '"' || e == '\\' || e == '/') {
        out += e;
      } else {
        Fail("bad escape");
      }
    }
  }
  Json Value() {
    Space();
    Json v;
    if (pos_ >= text_.size()) Fail("unexpected end");
    const char c = text_[pos_];
    if (c == '{') {
      v.Type = Json::kObject;
      ++pos_;
      if (Take('}')) return v;
      do {
        Space();
        std::string key = StringLiteral();
        Expect(':');
        v.Members.emplace_back(std::move(key), Value());
      } while (Take(','));
      Expect('}');
    } else if (c == '[') {
      v.Type = Json::kArray;
      ++pos_;
      if (Take(']')) return v;
      do v.Items.push_back(Value());
      while (Take(','));
      Expect(']');
    } else if (c == '"') {
      v.Type = Json::kString;
      v.String = StringLiteral();
    } else if (Word("true") || Word("false")) {
      v.Type = Json::kBool;
      v.Bool = text_[pos_ - 1] == 'e' && text_[pos_ - 2] == 'u';
    } else if (Word("null")) {
      v.Type = Json::kNull;
    } else {
      size_t used = 0;
      v.Type = Json::kNumber;
      v.Number = std::stod(text_.substr(pos_, 40), &used);
      pos_ += used;
    }
    return v;
  }

  const std::string& text_;
  size_t pos_ = 0;
};

Json Parse(const GameState& state) {
  const std::string text = StateToJson(state);
  return JsonReader(text).Document();
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

std::unique_ptr<GameState> TwoPlayerGame() {
  auto s = NewGameState();
  s->GameVersion = "1.0.3 \"beta\"";
  s->PlayerCount = 2;
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
  s->HistoryData[0][0][2] = 10;  // turns 2 and 3 are played; 3 holds 0
  s->HistoryData[0][0][9] = 5;   // outside the played turns but stored
  s->HistoryData[2][0][2] = 99;  // a data set beyond the entries
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

TEST(StateToJson, HistoryHoldsThePlayedTurnsAndStoredValuesPerEntry) {
  const Json json = Parse(*TwoPlayerGame());
  const Json& history = json["history"];
  ASSERT_EQ(history.Items.size(), 2u);  // one per entry, not per data set
  EXPECT_EQ(history[0].Members.size(), static_cast<size_t>(kReplayDatasetRows - 1));
  const Json& score = history[0]["Score"];
  ASSERT_EQ(score.Items.size(), 3u);
  EXPECT_EQ(score[0][0].Number, 2);
  EXPECT_EQ(score[0][1].Number, 10);
  EXPECT_EQ(score[1][0].Number, 3);
  EXPECT_EQ(score[1][1].Number, 0);
  EXPECT_EQ(score[2][0].Number, 9);
  EXPECT_FALSE(history[0].Has("Empty"));
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
