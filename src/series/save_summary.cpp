#include "series/save_summary.h"

#include <algorithm>
#include <climits>
#include <exception>
#include <filesystem>
#include <span>

#include "analysis/save5_analyse.h"
#include "model/cut_short.h"
#include "model/naming.h"
#include "model/reference_tables.h"
#include "series/file_checksum.h"
#include "series/game_grouping.h"

namespace vek5 {
namespace {

constexpr int32_t kStatusHuman = 3;
constexpr int32_t kScoreSeries = 0;

int32_t EntryCount(const GameState& state) {
  return std::clamp(state.PlayerCount, 0, kMaxSlots);
}

std::string RuleSetName(const GameState& state) {
  if (state.ZephPresent != 0) return "Zeph";
  if (state.Exp1Present != 0) return "Exp1";
  return "Base";
}

// The series a save's rule set names; the tables' trailing "Empty" row is none.
std::span<const std::string_view> SeriesNamesOf(const GameState& state) {
  const std::span<const std::string_view> names =
      state.ZephPresent != 0 ? std::span<const std::string_view>(ReplayDatasetNamesZeph)
                             : std::span<const std::string_view>(ReplayDatasetNames);
  return names.first(std::min<size_t>(names.size() - 1, kHistorySeries));
}

// The last turn whose history record is complete, or -1 when the save holds none.
int32_t LastFinishedTurn(const GameState& state) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(int64_t{state.CurrentTurn} - 1, -1, kHistoryTurns - 2));
}

int32_t ScoreOf(const GameState& state, int32_t entry) {
  const int32_t turn = LastFinishedTurn(state);
  if (turn < 0 || static_cast<size_t>(entry) >= state.HistoryData.size()) return 0;
  return state.HistoryData[static_cast<size_t>(entry)][kScoreSeries][static_cast<size_t>(turn)];
}

void CountPlayers(const GameState& state, SaveSummary& summary) {
  bool leader_found = false;
  for (int32_t e = 0; e < EntryCount(state); ++e) {
    const TLeaderInfoRec& entry = state.Leaders[static_cast<size_t>(e)];
    if (IsMinor(state, entry.Slot)) ++summary.CityStates;
    if (!IsPlayer(state, entry.Slot)) continue;
    ++summary.Majors;
    summary.Players.push_back(entry.LeaderName);
    const PlayerScore score{entry.LeaderName, ScoreOf(state, e)};
    if (!leader_found || score.Score > summary.ScoreLeader.Score) summary.ScoreLeader = score;
    leader_found = true;
    if (entry.SlotStatus != kStatusHuman) continue;
    ++summary.Humans;
    summary.HumanLeaders.push_back(entry.LeaderName);
    summary.HumanScores.push_back(score);
  }
}

bool HoldsAnyHistory(const GameState& state) {
  return std::any_of(state.HistoryStored.begin(), state.HistoryStored.end(),
                     [](const THistoryStored& stored) { return stored.Series.any(); });
}

}  // namespace

std::string BaseName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

SaveSummary SummariseState(const SaveImage& image, const GameState& state, int64_t file_size) {
  SaveSummary s;
  s.FileName = BaseName(image.FileName);
  s.FileDate = image.FileDate;
  s.FileSize = file_size;
  s.RuleSet = RuleSetName(state);
  s.SaveVersion = state.SaveVersion;
  s.GameVersion = state.GameVersion;
  s.BuildNumber = state.BuildNumber;
  s.StartTurn = state.StartTurn;
  s.CurrentTurn = state.CurrentTurn;
  s.MaxTurns = state.MaxTurns;
  s.CurrentYear = state.CurrentYear;
  s.CurrentDateText = state.CurrentDateText;
  s.GameSpeedName = state.GameSpeedName;
  s.WorldSizeName = state.WorldSizeName;
  s.MapScriptName = state.MapScriptName;
  s.HandicapName = state.HandicapName;
  CountPlayers(state, s);
  s.Score = state.Score;
  s.SessionCounter = state.SessionCounter;
  s.ReloadsAtStartTurn = state.ReloadsAtStartTurn;
  // In 64 bits: the stored session count may be any value.
  s.PlaySessions = static_cast<int32_t>(
      std::clamp<int64_t>(int64_t{state.SessionCounter} - state.ReloadsAtStartTurn, 0, INT32_MAX));
  s.ReplayMessageCount = state.ReplayMessageCount;
  s.GameOver = state.GameOver != 0;
  s.VictoryType = state.VictoryType;
  s.BodyComplete = !image.EndsEarly;
  s.BodyLength = image.BodyLength;
  s.CutShort = CutShortParts(state);
  s.GameType = state.GameType;
  s.Loads = state.Loads;
  return s;
}

SavePast PastOfState(const GameState& state) {
  SavePast past;
  past.FirstTurn = std::clamp(state.StartTurn, 0, kHistoryTurns - 1);
  past.Turns = std::max(LastFinishedTurn(state) - past.FirstTurn + 1, 0);
  // A file that ends before its history holds none: its zeros are not the game's past, and
  // would tell it apart from its own game.
  if (state.BodyEndsEarly != 0 && !HoldsAnyHistory(state)) past.Turns = 0;
  past.Sets = static_cast<int32_t>(std::min<size_t>(state.HistoryData.size(), kMaxSlots));
  const std::span<const std::string_view> series_names = SeriesNamesOf(state);
  past.Series = static_cast<int32_t>(series_names.size());
  past.SeriesNames.assign(series_names.begin(), series_names.end());
  past.Values.reserve(static_cast<size_t>(past.Sets) * static_cast<size_t>(past.Series) *
                      static_cast<size_t>(past.Turns));
  for (int32_t d = 0; d < past.Sets; ++d) {
    past.SetNames.push_back(d < EntryCount(state) ? state.Leaders[static_cast<size_t>(d)].LeaderName
                                                  : "Data set " + std::to_string(d + 1));
    const THistorySet& set = state.HistoryData[static_cast<size_t>(d)];
    for (int32_t s = 0; s < past.Series; ++s) {
      const THistoryRow& values = set[static_cast<size_t>(s)];
      for (int32_t t = past.FirstTurn; t < past.FirstTurn + past.Turns; ++t) {
        past.Values.push_back(values[static_cast<size_t>(t)]);
      }
    }
  }
  const size_t messages = std::min<size_t>(
      static_cast<size_t>(std::max(state.ReplayMessageCount, 0)), state.ReplayMessages.size());
  past.Replay.assign(state.ReplayMessages.begin(),
                     state.ReplayMessages.begin() + static_cast<std::ptrdiff_t>(messages));
  return past;
}

SaveRecord SummariseSave(const std::string& path) {
  SaveRecord record;
  record.Path = path;
  record.Summary.FileName = BaseName(path);
  try {
    std::error_code ignored;
    const auto file_size = std::filesystem::file_size(path, ignored);
    std::unique_ptr<GameState> state;
    {
      // The image goes as soon as the analysis is done; only the summary and the past stay.
      // The batch already gives each core a save of its own, so neither the markers' index nor
      // the analysis takes other threads.
      const SaveImage image = LoadSave(path);
      state = Save5Analyse(image, AnalysisThreads::kOne);
      record.Summary = SummariseState(
          image, *state,
          file_size == static_cast<uintmax_t>(-1) ? 0 : static_cast<int64_t>(file_size));
    }
    record.Summary.Sha256 = FileSha256(path);
    record.Past = PastOfState(*state);
    record.GameKey = GameKeyOf(*state);
    record.StartRecord = StartRecordOf(record.Past);
  } catch (const std::exception& error) {
    record.Error = error.what();
  }
  return record;
}

}  // namespace vek5
