// The shared real saves: two autosaves of one base game and two other games.
#include <gtest/gtest.h>

#include "series/series_result.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

constexpr const char* kSaves[] = {"base-turn50.Vek5Save", "base-turn95.Vek5Save",
                                  "zeph-hotseat-turn164.Vek5Save", "zeph-turn238.Vek5Save"};

TEST(RealSaveSeries, FourSavesThreeGamesOneContinuousPair) {
  std::vector<std::string> files;
  for (const char* name : kSaves) {
    files.push_back(testing::SharedSave(name));
    if (files.back().empty()) GTEST_SKIP() << "real saves not present";
  }
  // Given latest first: the order within a game comes from the turns.
  const SeriesResult result =
      MakeSeriesResult(AnalyseSaves({files[3], files[1], files[2], files[0]}));
  ASSERT_EQ(result.Games.size(), 3u);
  const Game& base = result.Games[1];
  ASSERT_EQ(base.Saves, (std::vector<size_t>{3, 1}));
  ASSERT_EQ(base.Verdicts.size(), 1u);
  EXPECT_EQ(base.Verdicts[0].Kind, VerdictKind::kContinuous);
  EXPECT_EQ(result.Games[0].Saves, (std::vector<size_t>{0}));
  EXPECT_EQ(result.Games[2].Saves, (std::vector<size_t>{2}));
  EXPECT_EQ(SeriesExitStatus(result), 0);

  // What the earlier save keeps of its past: its replay
  // and 50 finished turns of 31 players.
  const SaveRecord& turn50 = result.Saves[3];
  EXPECT_EQ(turn50.Past.Replay.size(), 187u);
  EXPECT_EQ(turn50.Past.Turns, 50);
  EXPECT_EQ(turn50.Past.Sets, 31);
  const SaveSummary& s = turn50.Summary;
  EXPECT_EQ(s.RuleSet, "Base");
  EXPECT_EQ(s.CurrentTurn, 50);
  EXPECT_EQ(s.MaxTurns, 500);
  EXPECT_EQ(s.Majors, 6);
  EXPECT_EQ(s.CityStates, 24);
  EXPECT_EQ(s.Humans, 1);
  EXPECT_EQ(s.SessionCounter, 3);
  EXPECT_EQ(s.ReplayMessageCount, 187);
  EXPECT_TRUE(s.BodyComplete);
  EXPECT_EQ(result.Saves[2].Summary.Humans, 4);  // the hotseat game
}

TEST(RealSaveSeries, ATruncatedCopyIsACutShortBodyOrAFailedRow) {
  const std::string path = testing::SharedSave(kSaves[0]);
  if (path.empty()) GTEST_SKIP() << "real saves not present";
  std::vector<uint8_t> bytes = testing::ReadFile(path);
  bytes.resize(bytes.size() * 2 / 3);
  const std::string cut = testing::TempPath("cut.Vek5Save");
  testing::WriteFile(cut, bytes);
  const SaveRecord record = SummariseSave(cut);
  ASSERT_TRUE(record.Loaded()) << record.Error;
  EXPECT_FALSE(record.Summary.BodyComplete);
}

}  // namespace
}  // namespace vek5
