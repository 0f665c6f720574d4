// The summary of many saves as text, CSV and JSON.
#include "views/series_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "series/series_fixture.h"
#include "views/json_reader.h"
#include "views/series_html.h"
#include "views/series_tree.h"
#include "views/series_words.h"

namespace vek5 {
namespace {

using testing::SeriesGame;
using testing::WriteGameSave;

// Three saves of one game (the last changed at turn 7), one of another game and a damaged
// file; one replay message holds a comma and quotes.
SeriesResult MixedFolder() {
  static const SeriesResult result = [] {
    const std::string folder = testing::SeriesFolder("report");
    testing::GameDescription first = SeriesGame(10);
    first.ReplayMessages.push_back({10, "He said \"hello, world\""});
    WriteGameSave(folder, "a.Vek5Save", first);
    testing::GameDescription second = SeriesGame(20);
    second.ReplayMessages.insert(second.ReplayMessages.begin() + 5,
                                 {10, "He said \"hello, world\""});
    WriteGameSave(folder, "b.Vek5Save", second);
    testing::GameDescription third = SeriesGame(30);
    testing::ChangeHistory(third, 1, 2, 7, 4242);
    WriteGameSave(folder, "c.Vek5Save", third);
    testing::GameDescription other = SeriesGame(5);
    other.MapScript = "Assets\\Maps\\Pangaea.lua";
    WriteGameSave(folder, "d.Vek5Save", other);
    testing::WriteFile(folder + "/e.Vek5Save", std::vector<uint8_t>(64, 1));
    return SummarisePaths({folder});
  }();
  return result;
}

// Splits CSV text into records of fields (RFC 4180: quoted fields may hold commas, quotes
// doubled and line breaks).
std::vector<std::vector<std::string>> ReadCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
  bool quoted = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = records.back().back();
    if (quoted) {
      if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      records.back().emplace_back();
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      records.emplace_back(1);
    } else {
      field += c;
    }
  }
  if (records.back().size() == 1 && records.back()[0].empty()) records.pop_back();
  return records;
}

TEST(CsvField, QuotesOnlyWhatNeedsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "plain"},
      {"a,b", "\"a,b\""},
      {"say \"x\"", "\"say \"\"x\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(CsvField(text), expected);
}

TEST(SeriesSummaryCsv, OneRowPerSaveUnderAHeaderRow) {
  const SeriesResult& result = MixedFolder();
  const auto records = ReadCsv(SeriesSummaryCsv(result));
  ASSERT_EQ(records.size(), result.Saves.size() + 1);
  const std::vector<std::string>& header = records[0];
  for (const auto& record : records) EXPECT_EQ(record.size(), header.size());
  const auto column = [&](const std::string& name) {
    const auto at = std::find(header.begin(), header.end(), name);
    EXPECT_NE(at, header.end()) << name;
    return static_cast<size_t>(at - header.begin());
  };
  EXPECT_EQ(records[1][column("FileName")], "a.Vek5Save");
  EXPECT_EQ(records[1][column("Game")], "1");
  EXPECT_EQ(records[1][column("Verdict")], "");
  EXPECT_EQ(records[1][column("CurrentTurn")], "10");
  EXPECT_EQ(records[2][column("Verdict")], "continuous");
  EXPECT_EQ(records[3][column("Verdict")], "diverged");
  EXPECT_EQ(records[3][column("VerdictTurn")], "7");
  EXPECT_EQ(records[3][column("VerdictSeries")], "Total Gold");
  EXPECT_EQ(records[3][column("VerdictPlayer")], result.Saves[2].Past.SetNames.at(1));
  EXPECT_EQ(records[4][column("Game")], "2");
  EXPECT_EQ(records[5][column("Game")], "");
  EXPECT_FALSE(records[5][column("Error")].empty());
  EXPECT_EQ(records[5][column("CurrentTurn")], "");
}

TEST(SeriesSummaryJson, SavesAndGamesWithTheirVerdicts) {
  const SeriesResult& result = MixedFolder();
  const Json json = JsonReader(SeriesSummaryJson(result)).Document();
  const Json& saves = json["saves"];
  ASSERT_EQ(saves.Items.size(), 5u);
  EXPECT_EQ(saves[0]["FileName"].String, "a.Vek5Save");
  EXPECT_EQ(saves[0]["CurrentTurn"].Number, 10);
  EXPECT_EQ(saves[0]["Game"].Number, 1);
  EXPECT_EQ(saves[0]["Verdict"].Type, Json::kNull);
  EXPECT_EQ(saves[0]["BodyComplete"].Type, Json::kBool);
  EXPECT_EQ(saves[0]["HumanLeaders"].Items.size(), 1u);
  EXPECT_EQ(saves[2]["Verdict"].String, "diverged");
  EXPECT_TRUE(saves[4].Has("Error"));
  EXPECT_FALSE(saves[4].Has("Game"));

  const Json& games = json["games"];
  ASSERT_EQ(games.Items.size(), 2u);
  EXPECT_EQ(games[0]["id"].Number, 1);
  ASSERT_EQ(games[0]["saves"].Items.size(), 3u);
  EXPECT_EQ(games[0]["saves"][2].String, result.Saves[2].Path);
  const Json& verdicts = games[0]["verdicts"];
  ASSERT_EQ(verdicts.Items.size(), 2u);
  EXPECT_EQ(verdicts[0]["earlier"].String, result.Saves[0].Path);
  EXPECT_EQ(verdicts[0]["later"].String, result.Saves[1].Path);
  EXPECT_EQ(verdicts[0]["kind"].String, "continuous");
  for (const char* key : {"turn", "series", "player"}) {
    EXPECT_EQ(verdicts[0][key].Type, Json::kNull) << key;
  }
  EXPECT_EQ(verdicts[1]["kind"].String, "diverged");
  EXPECT_EQ(verdicts[1]["turn"].Number, 7);
  EXPECT_EQ(verdicts[1]["series"].String, "Total Gold");
  EXPECT_EQ(verdicts[1]["player"].String, result.Saves[2].Past.SetNames.at(1));
  EXPECT_EQ(verdicts[1]["laterValue"].Number, 4242);
  EXPECT_TRUE(games[1]["verdicts"].Items.empty());
}

TEST(SeriesSummaryText, AlignedTableThenTheGames) {
  const SeriesResult& result = MixedFolder();
  const std::string text = SeriesSummaryText(result);
  std::istringstream lines(text);
  std::string header;
  std::getline(lines, header);
  const size_t verdict_column = header.find("Verdict");
  ASSERT_NE(verdict_column, std::string::npos);
  std::string row;
  for (int i = 0; i < 3; ++i) std::getline(lines, row);
  EXPECT_EQ(row.substr(verdict_column, 8), "diverged");  // the third save, aligned
  EXPECT_NE(text.find("Game 1 (3 saves)"), std::string::npos);
  EXPECT_NE(text.find("diverged: at turn 7 Total Gold of " + result.Saves[2].Past.SetNames.at(1) +
                      " is 1027 in b.Vek5Save, 4242 in c.Vek5Save"),
            std::string::npos);
  EXPECT_NE(text.find("Game 2 (1 save)"), std::string::npos);
}

TEST(SaveDetailsText, AFailedFileShowsItsError) {
  const SeriesResult& result = MixedFolder();
  EXPECT_NE(SaveDetailsText(result, 4).find("Error: "), std::string::npos);
  EXPECT_NE(SaveDetailsText(result, 2).find("Verdict: diverged: at turn 7"), std::string::npos);
  EXPECT_TRUE(VerdictIsWarning(result, 2));
  EXPECT_FALSE(VerdictIsWarning(result, 1));
  EXPECT_TRUE(VerdictIsWarning(result, 4));
}

TEST(SeriesWords, EveryVerdictAndGameInASentence) {
  const SeriesResult& result = MixedFolder();
  const Game& game = result.Games.at(0);
  const std::string continuous = VerdictExplanation(result, game, 0);
  EXPECT_NE(continuous.find("b.Vek5Save (turn 20) goes on from a.Vek5Save (turn 10)"),
            std::string::npos)
      << continuous;
  EXPECT_NE(continuous.find("The game was not loaded between the two saves"), std::string::npos);
  const std::string diverged = VerdictExplanation(result, game, 1);
  EXPECT_NE(diverged.find("At turn 7, Total Gold of " + result.Saves[2].Past.SetNames.at(1) +
                          " is 1027 in b.Vek5Save but 4242 in c.Vek5Save."),
            std::string::npos)
      << diverged;
  EXPECT_NE(diverged.find("c.Vek5Save was not played on from b.Vek5Save"), std::string::npos);
  EXPECT_EQ(GameVerdictText(result, game), "diverged at turn 7 in c.Vek5Save");
  EXPECT_EQ(GameVerdictText(result, result.Games.at(1)), "one save");
  EXPECT_EQ(TurnsCovered(result, game), "turns 10 to 30");
  EXPECT_NE(GameExplanation(result, game).find("breaks 1 time"), std::string::npos);

  // The summaries carry the same words.
  const std::string text = SeriesSummaryText(result);
  EXPECT_NE(text.find("Game 1 (3 saves): turns 10 to 30; diverged at turn 7 in c.Vek5Save"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find(diverged), std::string::npos);
  EXPECT_NE(SaveDetailsText(result, 2).find(diverged), std::string::npos);
  const Json json = JsonReader(SeriesSummaryJson(result)).Document();
  const Json& verdicts = json["games"][0]["verdicts"];
  EXPECT_EQ(verdicts[0]["explanation"].String, continuous);
  EXPECT_EQ(verdicts[1]["explanation"].String, diverged);
  EXPECT_EQ(verdicts[0]["loadsBetween"].Number, 0);
  EXPECT_EQ(json["games"][0]["verdict"].String, "diverged at turn 7 in c.Vek5Save");
  EXPECT_EQ(json["games"][1]["loads"].Type, Json::kNull);
}

TEST(SeriesTree, OneRowPerGameWithItsSavesThenTheFailedFiles) {
  const SeriesResult& result = MixedFolder();
  const std::vector<std::string> headers = SeriesTreeHeaders();
  EXPECT_EQ(std::vector<std::string>(headers.begin(), headers.begin() + 4),
            (std::vector<std::string>{"File", "Turn", "Verdict", "Loads"}));
  const std::vector<SeriesTreeRow> rows = SeriesTreeRows(result);
  ASSERT_EQ(rows.size(), 3u);  // two games, one failed file
  const SeriesTreeRow& game = rows[0];
  EXPECT_FALSE(game.Save);
  EXPECT_EQ(game.Cells[0].Text, "Game 1 (3 saves)");
  EXPECT_EQ(game.Cells[1].Text, "turns 10 to 30");
  EXPECT_EQ(game.Cells[kSeriesTreeVerdictColumn].Text, "diverged at turn 7 in c.Vek5Save");
  EXPECT_TRUE(game.Warning);
  EXPECT_EQ(game.Cells.back().Text, PlayersText(result.Saves[0].Summary));
  EXPECT_NE(game.Details.find(GameExplanation(result, result.Games[0])), std::string::npos);
  ASSERT_EQ(game.Saves.size(), 3u);
  EXPECT_EQ(game.Saves[0].Cells[kSeriesTreeVerdictColumn].Text, "first save of the game");
  EXPECT_EQ(game.Saves[1].Cells[kSeriesTreeVerdictColumn].Text, "continuous");
  EXPECT_EQ(game.Saves[1].Cells[3].Text, "0 loads");
  EXPECT_FALSE(game.Saves[1].Warning);
  EXPECT_EQ(game.Saves[2].Cells[kSeriesTreeVerdictColumn].Text, "diverged at turn 7");
  EXPECT_TRUE(game.Saves[2].Warning);
  EXPECT_EQ(game.Saves[2].Details, SaveDetailsText(result, 2));
  EXPECT_EQ(rows[1].Cells[kSeriesTreeVerdictColumn].Text, "one save");
  EXPECT_EQ(rows[2].Cells[0].Text, "e.Vek5Save");
  EXPECT_EQ(rows[2].Save, 4u);
  EXPECT_TRUE(rows[2].Warning);
}

// A copy of a save cut before its history: it stays in its game, its verdict compares what was
// read, and every summary says what the cut left out.
TEST(SeriesWords, ACutSaveSaysWhatItLeftOut) {
  const std::string folder = testing::SeriesFolder("report-cut");
  WriteGameSave(folder, "a.Vek5Save", SeriesGame(10));
  testing::GameDescription later = SeriesGame(20);
  std::vector<uint8_t> filler(400000);
  for (size_t i = 0; i < filler.size(); ++i) filler[i] = static_cast<uint8_t>((i * 7919) >> 5);
  later.BodySections.insert(later.BodySections.begin(), filler);
  WriteGameSave(folder, "b.Vek5Save", later);
  std::vector<uint8_t> cut = testing::WriteSaveFile(later);
  cut.resize(cut.size() / 2);
  testing::WriteFile(folder + "/c.Vek5Save", cut);

  const SeriesResult result = SummarisePaths({folder});
  ASSERT_EQ(result.Games.size(), 1u);
  const Game& game = result.Games[0];
  ASSERT_EQ(game.Saves, (std::vector<size_t>{0, 1, 2}));
  EXPECT_EQ(game.Verdicts.at(1).Kind, VerdictKind::kContinuous);
  const std::string sentence = CutSaveSentence(result.Saves[2].Summary);
  EXPECT_EQ(sentence.rfind("The file ends early: its body stops after 0.", 0), 0u) << sentence;
  EXPECT_NE(sentence.find("the whole history of every player (Graph)"), std::string::npos);
  EXPECT_EQ(CutSaveSentence(result.Saves[1].Summary), "");
  EXPECT_NE(SeriesSummaryText(result).find(sentence), std::string::npos);
  EXPECT_NE(SaveDetailsText(result, 2).find(sentence), std::string::npos);
  EXPECT_NE(SeriesSummaryHtml(result).find(HtmlEscape(sentence)), std::string::npos);
}

}  // namespace
}  // namespace vek5
