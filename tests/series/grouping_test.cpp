// Games told apart, saves put in turn order, failed files kept as rows, folders searched.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <set>

#include "series/save_search.h"
#include "series/series_result.h"
#include "series_fixture.h"

namespace vek5 {
namespace {

using testing::GameDescription;
using testing::SeriesFolder;
using testing::SeriesGame;
using testing::WriteGameSave;

std::vector<std::string> FileNames(const SeriesResult& result, const Game& game) {
  std::vector<std::string> names;
  for (const size_t save : game.Saves) names.push_back(BaseName(result.Saves[save].Path));
  return names;
}

GameDescription OtherGame(int32_t turn) {
  GameDescription game = SeriesGame(turn);
  game.MapScript = "Assets\\Maps\\Pangaea.lua";
  return game;
}

TEST(Grouping, TwoGamesInOneFolderWithADamagedFile) {
  // Names out of turn order, the two games interleaved, and a file that is no save.
  const std::string folder = SeriesFolder("two-games");
  WriteGameSave(folder, "a-late.Vek5Save", SeriesGame(30));
  WriteGameSave(folder, "b-other-early.Vek5Save", OtherGame(5));
  WriteGameSave(folder, "c-early.Vek5Save", SeriesGame(10));
  testing::WriteFile(folder + "/d-damaged.Vek5Save", std::vector<uint8_t>(300, 0x78));
  WriteGameSave(folder, "e-middle.vek5save", SeriesGame(20));
  WriteGameSave(folder, "f-other-late.Vek5Save", OtherGame(25));

  const SeriesResult result = SummarisePaths({folder});
  ASSERT_EQ(result.Saves.size(), 6u);
  EXPECT_EQ(BaseName(result.Saves[3].Path), "d-damaged.Vek5Save");
  EXPECT_FALSE(result.Saves[3].Loaded());
  EXPECT_FALSE(result.Saves[3].Error.empty());
  ASSERT_EQ(result.Games.size(), 2u);
  EXPECT_EQ(FileNames(result, result.Games[0]),
            (std::vector<std::string>{"c-early.Vek5Save", "e-middle.vek5save", "a-late.Vek5Save"}));
  EXPECT_EQ(FileNames(result, result.Games[1]),
            (std::vector<std::string>{"b-other-early.Vek5Save", "f-other-late.Vek5Save"}));
  for (const Game& game : result.Games) {
    for (const Verdict& verdict : game.Verdicts) EXPECT_EQ(verdict.Kind, VerdictKind::kContinuous);
  }
  EXPECT_EQ(GameOfEachSave(result.Games, result.Saves.size()),
            (std::vector<int32_t>{1, 2, 1, 0, 1, 2}));
  EXPECT_EQ(SeriesExitStatus(result), 1);  // the failed file decides
}

TEST(Grouping, WhatTellsGamesApart) {
  // Each change of what a game's saves share makes a second game; the score, the sessions, the
  // replay and the user name do not.
  const struct {
    const char* Name;
    void (*Change)(GameDescription&);
    bool SameGame;
  } cases[] = {
      {"speed", [](GameDescription& g) { g.GameSpeedKey = "GAMESPEED_QUICK"; }, false},
      {"world size", [](GameDescription& g) { g.WorldSizeKey = "WORLDSIZE_HUGE"; }, false},
      {"turn limit", [](GameDescription& g) { g.MaxTurns = 330; }, false},
      {"start turn", [](GameDescription& g) { g.StartTurn = 1, g.TurnsPlayed -= 1; }, false},
      {"a leader", [](GameDescription& g) { g.Slots[1].LeaderType = 15; }, false},
      {"a city-state", [](GameDescription& g) { g.Slots[23].MinorCivType = 5; }, false},
      {"start record", [](GameDescription& g) { testing::ChangeHistory(g, 0, 0, 0, 77); }, false},
      {"user and score",
       [](GameDescription& g) {
         g.UserName = "Someone";
         g.Score = 999;
         g.SessionCounter = 9;
       },
       true},
      {"a later turn's record", [](GameDescription& g) { testing::ChangeHistory(g, 0, 0, 5, 77); },
       true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string folder = SeriesFolder(std::string("apart-") + c.Name);
    WriteGameSave(folder, "a.Vek5Save", SeriesGame(10));
    GameDescription other = SeriesGame(20);
    c.Change(other);
    WriteGameSave(folder, "b.Vek5Save", other);
    const SeriesResult result = SummarisePaths({folder});
    ASSERT_EQ(result.Saves.size(), 2u);
    EXPECT_EQ(result.Games.size(), c.SameGame ? 1u : 2u);
  }
}

TEST(Grouping, ASaveAtItsStartTurnJoinsTheOnlyGameItCanBelongTo) {
  const std::string folder = SeriesFolder("start-turn");
  WriteGameSave(folder, "a.Vek5Save", SeriesGame(0));
  WriteGameSave(folder, "b.Vek5Save", SeriesGame(10));
  const SeriesResult one = SummarisePaths({folder});
  ASSERT_EQ(one.Games.size(), 1u);
  EXPECT_EQ(FileNames(one, one.Games[0]), (std::vector<std::string>{"a.Vek5Save", "b.Vek5Save"}));
  EXPECT_EQ(one.Games[0].Verdicts.at(0).Kind, VerdictKind::kContinuous);

  // With two games of the same settings and players it can belong to either: it stays apart.
  GameDescription other = SeriesGame(10);
  testing::ChangeHistory(other, 0, 0, 0, 77);
  WriteGameSave(folder, "c.Vek5Save", other);
  EXPECT_EQ(SummarisePaths({folder}).Games.size(), 3u);
}

TEST(SaveSearch, FoldersRecursivelyByExtensionFilesWhateverTheirName) {
  const std::string folder = SeriesFolder("search");
  std::filesystem::create_directories(folder + "/deeper/still");
  const std::vector<uint8_t> bytes = testing::WriteSaveFile(SeriesGame(3));
  for (const char* name : {"b.Vek5Save", "A.VEK5SAVE", "deeper/c.vek5save",
                           "deeper/still/d.Vek5Save", "notes.txt", "e.Vek5Save.bak"}) {
    testing::WriteFile(folder + "/" + name, bytes);
  }
  const std::string explicit_file = folder + "/notes.txt";
  const std::string missing = folder + "/absent.Vek5Save";
  const std::vector<std::string> files = FindSaveFiles({folder, explicit_file, missing});
  EXPECT_EQ(files,
            (std::vector<std::string>{
                folder + "/A.VEK5SAVE", folder + "/b.Vek5Save", folder + "/deeper/c.vek5save",
                folder + "/deeper/still/d.Vek5Save", explicit_file, missing}));
  EXPECT_TRUE(HasSaveExtension("x.vEk5sAvE"));
  EXPECT_FALSE(HasSaveExtension("Vek5Save"));
}

TEST(BatchAnalysis, ResultsKeepTheFilesOrderWhateverTheWorkers) {
  const std::string folder = SeriesFolder("batch");
  std::vector<std::string> files;
  for (int i = 0; i < 12; ++i) {
    // Sizes differ so that workers finish out of order.
    files.push_back(
        WriteGameSave(folder, "s" + std::to_string(i) + ".Vek5Save", SeriesGame(40 - 3 * i)));
  }
  files.push_back(folder + "/missing.Vek5Save");
  std::set<size_t> reported;
  BatchOptions options;
  options.Threads = 4;
  options.OnSave = [&](size_t index, const SaveRecord& record) {
    EXPECT_EQ(record.Path, files[index]);
    EXPECT_TRUE(reported.insert(index).second);
  };
  const std::vector<SaveRecord> records = AnalyseSaves(files, options);
  ASSERT_EQ(records.size(), files.size());
  for (size_t i = 0; i < files.size(); ++i) EXPECT_EQ(records[i].Path, files[i]);
  EXPECT_EQ(reported.size(), files.size());
  EXPECT_FALSE(records.back().Loaded());
  EXPECT_NE(records.back().Error.find("missing.Vek5Save"), std::string::npos);
  EXPECT_EQ(records[0].Summary.CurrentTurn, 40);

  std::atomic<bool> cancel{true};
  options.Cancel = &cancel;
  options.OnSave = nullptr;
  EXPECT_TRUE(AnalyseSaves(files, options).empty());
}

TEST(SaveSummary, HostileTurnsAndCountsStayInBounds) {
  const struct {
    int32_t TurnsPlayed;
    int32_t StartTurn;
    int32_t SessionCounter;
    int32_t Turns;  // finished turns kept
  } cases[] = {{0x7FFFFFFF, 0, 3, 1500},   {0x7FFFFFFF, 1, 3, 0}, {-5, -7, 3, 0},
               {3000, 0, INT32_MIN, 1500}, {10, 1600, 3, 0},      {10, 1495, INT32_MAX, 5}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.TurnsPlayed) + " " + std::to_string(c.StartTurn));
    GameDescription game = SeriesGame(12);
    game.TurnsPlayed = c.TurnsPlayed;
    game.StartTurn = c.StartTurn;
    game.SessionCounter = c.SessionCounter;
    const std::string path = testing::TempPath("hostile.Vek5Save");
    testing::WriteFile(path, testing::WriteSaveFile(game));
    const SaveRecord record = SummariseSave(path);
    ASSERT_TRUE(record.Loaded()) << record.Error;
    EXPECT_EQ(record.Past.Turns, c.Turns);
    EXPECT_EQ(record.Past.Values.size(),
              static_cast<size_t>(record.Past.Sets * record.Past.Series * record.Past.Turns));
    EXPECT_GE(record.Summary.PlaySessions, 0);
    // Compared with itself it is continuous.
    EXPECT_EQ(CompareSaves(record, record).Kind, VerdictKind::kContinuous);
  }
}

}  // namespace
}  // namespace vek5
