// Verdicts of builder-made series: each kind of broken past is found where it was made.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "series/series_result.h"
#include "series_fixture.h"

namespace vek5 {
namespace {

using testing::ChangeHistory;
using testing::GameDescription;
using testing::SeriesFolder;
using testing::SeriesGame;
using testing::WriteGameSave;

SeriesResult Summarise(const std::string& folder) {
  return SummarisePaths({folder});
}

// The verdicts of the only game of a folder.
const Game& OnlyGame(const SeriesResult& result) {
  EXPECT_EQ(result.Games.size(), 1u);
  return result.Games.front();
}

TEST(Continuity, SavesThatRepeatTheirPastAreContinuous) {
  const std::string folder = SeriesFolder("continuous");
  for (const int32_t turn : {10, 20, 30}) {
    WriteGameSave(folder, "turn" + std::to_string(turn) + ".Vek5Save", SeriesGame(turn));
  }
  const SeriesResult result = Summarise(folder);
  const Game& game = OnlyGame(result);
  ASSERT_EQ(game.Verdicts.size(), 2u);
  for (const Verdict& verdict : game.Verdicts) {
    EXPECT_EQ(verdict.Kind, VerdictKind::kContinuous);
    EXPECT_FALSE(verdict.Turn());
  }
  EXPECT_EQ(SeriesExitStatus(result), 0);
}

TEST(Continuity, TheRecordOfTheSavesOwnTurnIsNotComparedYet) {
  // The record of the turn being played is still being written: a later save may hold other
  // values for it.
  const std::string folder = SeriesFolder("own-turn");
  GameDescription earlier = SeriesGame(10);
  ChangeHistory(earlier, 1, 2, 10, -5);
  WriteGameSave(folder, "a.Vek5Save", earlier);
  WriteGameSave(folder, "b.Vek5Save", SeriesGame(20));
  EXPECT_EQ(OnlyGame(Summarise(folder)).Verdicts.at(0).Kind, VerdictKind::kContinuous);
}

TEST(Continuity, AChangedHistoryValueIsFoundAtItsTurnSeriesAndPlayer) {
  const std::string folder = SeriesFolder("diverged");
  WriteGameSave(folder, "a.Vek5Save", SeriesGame(10));
  GameDescription later = SeriesGame(20);
  ChangeHistory(later, 1, 2, 7, 4242);
  ChangeHistory(later, 0, 3, 8, 4243);  // a later difference is not the first
  WriteGameSave(folder, "b.Vek5Save", later);
  WriteGameSave(folder, "c.Vek5Save", SeriesGame(30));

  const SeriesResult result = Summarise(folder);
  const Game& game = OnlyGame(result);
  ASSERT_EQ(game.Verdicts.size(), 2u);
  const Verdict& verdict = game.Verdicts[0];
  EXPECT_EQ(verdict.Kind, VerdictKind::kDiverged);
  ASSERT_TRUE(verdict.History);
  EXPECT_EQ(verdict.History->Turn, 7);
  EXPECT_EQ(verdict.History->Series, "Total Gold");
  EXPECT_EQ(verdict.History->Player, result.Saves[1].Past.SetNames.at(1));
  EXPECT_NE(verdict.History->Player, result.Saves[1].Past.SetNames.at(0));
  EXPECT_EQ(verdict.History->EarlierValue, testing::SeriesValue(1, 2, 7));
  EXPECT_EQ(verdict.History->LaterValue, 4242);
  EXPECT_EQ(verdict.Turn(), 7);
  // The save after the changed one differs from it again at the same place.
  EXPECT_EQ(game.Verdicts[1].Kind, VerdictKind::kDiverged);
  EXPECT_EQ(game.Verdicts[1].History->Turn, 7);
  EXPECT_EQ(SeriesExitStatus(result), 3);
}

TEST(Continuity, AnEarlierReplayThatIsNotAPrefixIsFound) {
  const struct {
    const char* Name;
    size_t Index;  // the message changed in the later save, or dropped when Drop
    bool Drop;
  } cases[] = {{"changed", 2, false}, {"dropped", 3, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string folder = SeriesFolder(std::string("replay-") + c.Name);
    const GameDescription earlier = SeriesGame(10);
    WriteGameSave(folder, "a.Vek5Save", earlier);
    GameDescription later = SeriesGame(20);
    if (c.Drop) {
      later.ReplayMessages.erase(later.ReplayMessages.begin() + static_cast<long>(c.Index));
    } else {
      later.ReplayMessages[c.Index].Text = "Something else";
    }
    WriteGameSave(folder, "b.Vek5Save", later);

    const SeriesResult result = Summarise(folder);
    const Verdict& verdict = OnlyGame(result).Verdicts.at(0);
    EXPECT_EQ(verdict.Kind, VerdictKind::kReplayDiffers);
    ASSERT_TRUE(verdict.Replay);
    EXPECT_EQ(verdict.Replay->Index, c.Index);
    ASSERT_TRUE(verdict.Replay->Earlier);
    EXPECT_EQ(verdict.Replay->Earlier->Text, earlier.ReplayMessages[c.Index].Text);
    ASSERT_TRUE(verdict.Replay->Later);
    EXPECT_EQ(verdict.Replay->Later->Text, later.ReplayMessages[c.Index].Text);
    EXPECT_EQ(verdict.Turn(), earlier.ReplayMessages[c.Index].Turn);
  }
}

TEST(Continuity, SavesOfOneTurn) {
  const struct {
    const char* Name;
    bool ChangeHistory;
    bool ChangeReplay;
    bool MoreMessages;
    VerdictKind Kind;
  } cases[] = {
      {"identical", false, false, false, VerdictKind::kContinuous},
      {"later in the turn", false, false, true, VerdictKind::kContinuous},
      {"other history", true, false, false, VerdictKind::kSameTurnOtherContent},
      {"other replay", false, true, false, VerdictKind::kSameTurnOtherContent},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string folder = SeriesFolder(std::string("same-turn-") + c.Name);
    WriteGameSave(folder, "a.Vek5Save", SeriesGame(15));
    GameDescription other = SeriesGame(15);
    if (c.ChangeHistory) ChangeHistory(other, 3, 1, 12, 99);
    if (c.ChangeReplay) other.ReplayMessages[1].Text = "Another event";
    if (c.MoreMessages) other.ReplayMessages.push_back({15, "Later in the same turn"});
    // Same turn: the file date orders them, then the path.
    WriteGameSave(folder, "b.Vek5Save", other);
    const SeriesResult result = Summarise(folder);
    const Verdict& verdict = OnlyGame(result).Verdicts.at(0);
    EXPECT_EQ(verdict.Kind, c.Kind);
    if (c.ChangeHistory) {
      EXPECT_EQ(verdict.Turn(), 12);
    }
  }
}

// A game loaded again at the turn it was saved at, and saved once more: the save that holds the
// beginning of the other goes first whatever the files' names and dates, and the loads between
// them are counted.
TEST(Continuity, AReloadAtTheSameTurnIsOrderedByWhatTheSavesHold) {
  const struct {
    const char* Name;
    const char* FirstSaveFile;  // the file of the game before it was loaded again
    const char* ReloadFile;
  } cases[] = {{"names in play order", "a.Vek5Save", "b.Vek5Save"},
               {"names against play order", "b.Vek5Save", "a.Vek5Save"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string folder = SeriesFolder(std::string("reload-same-turn-") + c.Name);
    GameDescription first = SeriesGame(15);
    first.SessionCounter = 1;
    GameDescription reloaded = SeriesGame(15);
    reloaded.SessionCounter = 2;
    reloaded.ReplayMessages.push_back({15, "Session 2 starts"});
    const std::string first_path = WriteGameSave(folder, c.FirstSaveFile, first);
    const std::string reload_path = WriteGameSave(folder, c.ReloadFile, reloaded);
    // The reload's file is the older one, so neither the date nor the name gives the order.
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(reload_path, now - std::chrono::hours(1));
    std::filesystem::last_write_time(first_path, now);

    const SeriesResult result = Summarise(folder);
    const Game& game = OnlyGame(result);
    ASSERT_EQ(game.Saves.size(), 2u);
    EXPECT_EQ(result.Saves[game.Saves[0]].Path, first_path);
    EXPECT_EQ(result.Saves[game.Saves[1]].Path, reload_path);
    const Verdict& verdict = game.Verdicts.at(0);
    EXPECT_EQ(verdict.Kind, VerdictKind::kContinuous);
    EXPECT_EQ(verdict.LoadsBetween, 1);
    EXPECT_EQ(SeriesExitStatus(result), 0);
  }
}

TEST(Continuity, LoadsBetweenSavesAreCountedOnlyWithOneHuman) {
  const struct {
    const char* Name;
    bool SecondHuman;
    std::optional<int32_t> Loads;
  } cases[] = {{"one human", false, 4}, {"two humans", true, std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string folder = SeriesFolder(std::string("loads-") + c.Name);
    GameDescription earlier = SeriesGame(10);
    GameDescription later = SeriesGame(20);
    earlier.SessionCounter = 3;
    later.SessionCounter = 7;
    if (c.SecondHuman) {
      earlier.Slots[1].Status = testing::kStatusHuman;
      later.Slots[1].Status = testing::kStatusHuman;
    }
    WriteGameSave(folder, "a.Vek5Save", earlier);
    WriteGameSave(folder, "b.Vek5Save", later);
    const SeriesResult result = Summarise(folder);
    const Verdict& verdict = OnlyGame(result).Verdicts.at(0);
    EXPECT_EQ(verdict.Kind, VerdictKind::kContinuous);
    EXPECT_EQ(verdict.LoadsBetween, c.Loads);
  }
}

TEST(Continuity, FewerSessionsInTheLaterSave) {
  const std::string folder = SeriesFolder("sessions");
  GameDescription earlier = SeriesGame(10);
  earlier.SessionCounter = 5;
  WriteGameSave(folder, "a.Vek5Save", earlier);
  GameDescription later = SeriesGame(20);
  later.SessionCounter = 4;
  WriteGameSave(folder, "b.Vek5Save", later);
  const SeriesResult result = Summarise(folder);
  const Verdict& verdict = OnlyGame(result).Verdicts.at(0);
  EXPECT_EQ(verdict.Kind, VerdictKind::kSessionsWentBack);
  EXPECT_EQ(verdict.EarlierSessions, 5);
  EXPECT_EQ(verdict.LaterSessions, 4);
  EXPECT_EQ(SeriesExitStatus(result), 3);
}

TEST(Continuity, AHistoryDifferenceOutweighsTheReplayAndTheSessions) {
  const std::string folder = SeriesFolder("priority");
  WriteGameSave(folder, "a.Vek5Save", SeriesGame(10));
  GameDescription later = SeriesGame(20);
  ChangeHistory(later, 2, 0, 4, 1);
  later.ReplayMessages[1].Text = "Other";
  later.SessionCounter = 1;
  WriteGameSave(folder, "b.Vek5Save", later);
  EXPECT_EQ(OnlyGame(Summarise(folder)).Verdicts.at(0).Kind, VerdictKind::kDiverged);
}

}  // namespace
}  // namespace vek5
