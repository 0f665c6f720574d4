// The loads a save counts, set beside the loads its game needed (see TLoadsRec), and the session
// starts of the replay grouped by turn.
#include <algorithm>
#include <climits>
#include <map>
#include <optional>

#include "analysis/sections.h"
#include "model/naming.h"

namespace vek5 {
namespace {

constexpr int32_t kStatusHuman = 3;
constexpr size_t kScoreSeries = 0;
// A counter below this share of the human turns did not count the game's loads: a server that
// hands the save out resets it (1 session over 41 turns of 3 humans). The real saves that count
// them lie within a fifth of the human turns.
constexpr int64_t kCountedSharePercent = 50;

int32_t EntryCount(const GameState& state) {
  return std::clamp(state.PlayerCount, 0, kMaxSlots);
}

bool IsHuman(const GameState& state, const TLeaderInfoRec& leader) {
  return leader.SlotStatus == kStatusHuman && IsPlayer(state, leader.Slot);
}

// The last turn for which the save stored any of the entry's series other than Score; -1 when
// none. A player's series stop when he leaves the game, while his Score goes on.
int32_t LastPlayedTurn(const GameState& state, size_t entry) {
  if (entry >= state.HistoryStored.size()) return -1;
  const THistoryStored& stored = state.HistoryStored[entry];
  int32_t last = -1;
  for (size_t series = 0; series < kHistorySeries; ++series) {
    if (series == kScoreSeries || !stored.Series.test(series)) continue;
    const auto& turns = stored.Turns[series];
    for (int32_t t = kHistoryTurns - 1; t > last; --t) {
      if (turns.test(static_cast<size_t>(t))) {
        last = t;
        break;
      }
    }
  }
  return last;
}

// The last turn a human played when he has left the game; none while he is in it. He has left
// when his series stop before the last turn the game's history holds for anyone.
std::optional<int32_t> LeftAfterTurn(const GameState& state, size_t entry, int32_t history_end) {
  const int32_t last = LastPlayedTurn(state, entry);
  if (last < 0 || last >= history_end) return std::nullopt;
  return last;
}

// Turns of the game's played turns (start turn to the turn before the current one) at which a
// player whose last turn is `last` was in the game.
int64_t TurnsInGame(const GameState& state, std::optional<int32_t> last) {
  const int64_t first = state.StartTurn;
  int64_t end = int64_t{state.CurrentTurn} - 1;
  if (last) end = std::min<int64_t>(end, *last);
  return std::max<int64_t>(end - first + 1, 0);
}

std::vector<std::pair<int32_t, int32_t>> SessionsPerTurn(const GameState& state) {
  std::map<int32_t, int32_t> per_turn;
  for (const int32_t turn : state.SessionTurns) ++per_turn[turn];
  return {per_turn.begin(), per_turn.end()};
}

}  // namespace

void CountLoads(GameState& state) {
  TLoadsRec& loads = state.Loads;
  loads = TLoadsRec{};
  loads.Sessions = state.SessionCounter;
  loads.PerTurn = SessionsPerTurn(state);

  int32_t history_end = -1;
  for (int32_t e = 0; e < EntryCount(state); ++e) {
    history_end = std::max(history_end, LastPlayedTurn(state, static_cast<size_t>(e)));
  }
  int64_t needed = 0;
  for (int32_t e = 0; e < EntryCount(state); ++e) {
    if (!IsHuman(state, state.Leaders[static_cast<size_t>(e)])) continue;
    ++loads.Humans;
    needed += TurnsInGame(state, LeftAfterTurn(state, static_cast<size_t>(e), history_end));
  }
  if (loads.Humans <= 1) {
    // Every session is a load of the one player's; a save holds at least the one it was
    // written in.
    loads.Countable = loads.Sessions >= 1 ? kTrue : kFalse;
    return;
  }
  const int32_t needed_loads = static_cast<int32_t>(std::min<int64_t>(needed, INT32_MAX));
  loads.NeededLoads = needed_loads;
  const bool countable =
      int64_t{loads.Sessions} * 100 >= int64_t{needed_loads} * kCountedSharePercent;
  loads.Countable = countable ? kTrue : kFalse;
  if (countable) loads.ExtraLoads = loads.Sessions - needed_loads;
}

}  // namespace vek5
