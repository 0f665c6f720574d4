// What the series layer keeps of one save: its summary (the facts a table of saves shows) and
// its past (the history of its finished turns and its replay messages), which later saves of
// the same game must repeat. The image and the rest of the model are dropped once these are
// taken, so many saves fit in memory at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "container/save_image.h"
#include "model/game_state.h"

namespace vek5 {

struct PlayerScore {
  std::string Player;  // the Leaders entry's leader (or city-state) name
  int32_t Score = 0;
};

// Fields carry the model's names where the model has the value.
struct SaveSummary {
  std::string FileName;  // base name
  std::string FileDate;
  int64_t FileSize = 0;
  std::string Sha256;   // of the file's bytes, in hexadecimal
  std::string RuleSet;  // "Base", "Exp1" or "Zeph"
  int32_t SaveVersion = 0;
  std::string GameVersion;
  int32_t BuildNumber = 0;
  int32_t StartTurn = 0;
  int32_t CurrentTurn = 0;
  int32_t MaxTurns = 0;
  int32_t CurrentYear = 0;
  std::string CurrentDateText;  // the month
  std::string GameSpeedName;
  std::string WorldSizeName;
  std::string MapScriptName;
  std::string HandicapName;
  int32_t Majors = 0;
  int32_t Humans = 0;
  int32_t CityStates = 0;
  std::vector<std::string> HumanLeaders;
  std::vector<std::string> Players;  // every major player's leader name, in entry order
  // Scores are the history's "Score" series at the last finished turn; the game's own Score
  // field is the saving player's.
  PlayerScore ScoreLeader;
  std::vector<PlayerScore> HumanScores;
  int32_t Score = 0;
  int32_t SessionCounter = 0;
  int32_t ReloadsAtStartTurn = 0;
  int32_t PlaySessions = 0;  // as the Reloads tab computes them from the two above
  int32_t ReplayMessageCount = 0;
  bool GameOver = false;
  int32_t VictoryType = 0;
  bool BodyComplete = false;
  int32_t BodyLength = 0;  // bytes of the body read; all of it unless the file ends early
  std::vector<std::string> CutShort;  // the parts of the analysis a file that ends early left out
  int32_t GameType = kGameSinglePlayer;
  TLoadsRec Loads;
};

// History of the turns every later save must repeat: from the start turn to the turn before
// the save's own, whose record is still being written while that turn is played.
struct SavePast {
  int32_t FirstTurn = 0;
  int32_t Turns = 0;                     // finished turns held, from FirstTurn
  int32_t Sets = 0;                      // player data sets
  int32_t Series = 0;                    // series per set
  std::vector<int32_t> Values;           // [set][series][turn - FirstTurn]
  std::vector<std::string> SetNames;     // the player of each set
  std::vector<std::string> SeriesNames;  // display names of the series
  std::vector<TReplayMsgRec> Replay;

  int32_t Value(int32_t set, int32_t series, int32_t turn) const {
    return Values[(static_cast<size_t>(set) * static_cast<size_t>(Series) +
                   static_cast<size_t>(series)) *
                      static_cast<size_t>(Turns) +
                  static_cast<size_t>(turn - FirstTurn)];
  }
  bool HoldsTurn(int32_t turn) const { return turn >= FirstTurn && turn < FirstTurn + Turns; }
};

// One save of a batch: a file that failed to load keeps only its path, name and error.
struct SaveRecord {
  std::string Path;
  std::string Error;  // empty when the save was analysed
  SaveSummary Summary;
  SavePast Past;
  // Facts every save of one game shares; see GameKeyOf.
  std::string GameKey;
  std::vector<int32_t> StartRecord;  // the history of the start turn; empty before it ends

  bool Loaded() const { return Error.empty(); }
};

SaveSummary SummariseState(const SaveImage& image, const GameState& state, int64_t file_size);
SavePast PastOfState(const GameState& state);

// Loads, analyses and summarises one file; any failure becomes the record's Error.
SaveRecord SummariseSave(const std::string& path);

// The file name without its folder.
std::string BaseName(const std::string& path);

}  // namespace vek5
