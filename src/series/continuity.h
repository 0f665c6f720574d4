// Whether a later save of a game repeats the past of an earlier one. A save keeps the history
// of every finished turn and every replay message; a later save of the same game holds the
// same values and begins its replay with the same messages. A save that does not was played
// on from an earlier point: a reload.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "series/save_summary.h"

namespace vek5 {

enum class VerdictKind {
  kContinuous,
  kDiverged,
  kReplayDiffers,
  kSameTurnOtherContent,
  kSessionsWentBack,
};

// "continuous", "diverged", "replay differs", "same turn, other content", "sessions went back".
std::string_view VerdictName(VerdictKind kind);

// The first history value that differs between two saves.
struct HistoryDifference {
  int32_t Turn = 0;
  std::string Series;
  std::string Player;
  int32_t EarlierValue = 0;
  int32_t LaterValue = 0;
};

// The first replay message of the earlier save that the later one does not repeat. A side
// without a message at that position has none.
struct ReplayDifference {
  size_t Index = 0;
  std::optional<TReplayMsgRec> Earlier;
  std::optional<TReplayMsgRec> Later;
};

struct Verdict {
  VerdictKind Kind = VerdictKind::kContinuous;
  std::optional<HistoryDifference> History;
  std::optional<ReplayDifference> Replay;
  int32_t EarlierSessions = 0;
  int32_t LaterSessions = 0;
  // Loads of the game between the two saves (the difference of their session counts), for a
  // game with one human, where every session is a load of that player; none when several
  // humans share the counter or when it went back.
  std::optional<int32_t> LoadsBetween;

  // The turn a verdict points at: the differing history turn, else the turn of the first
  // differing replay message; none for the other kinds.
  std::optional<int32_t> Turn() const;
};

// The first difference over the finished turns both saves hold, turn by turn.
std::optional<HistoryDifference> FirstHistoryDifference(const SavePast& earlier,
                                                        const SavePast& later);
// Empty when every message of the earlier save begins the later save's replay.
std::optional<ReplayDifference> FirstReplayDifference(const SavePast& earlier,
                                                      const SavePast& later);

// Whether the earlier save holds the beginning of what the later one holds: its replay begins
// the later replay and its session count is not above the later one's. Orders saves of one turn.
bool BeginsWith(const SaveRecord& earlier, const SaveRecord& later);

// Compares two analysed saves of one game, earlier first in the game's order. A history that
// differs outweighs a replay that differs, which outweighs sessions that went back; saves of
// one turn whose pasts differ are "same turn, other content".
Verdict CompareSaves(const SaveRecord& earlier, const SaveRecord& later);

}  // namespace vek5
