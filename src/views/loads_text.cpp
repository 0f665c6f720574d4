#include "views/loads_text.h"

#include <algorithm>
#include <cstdlib>

namespace vek5 {
namespace {

constexpr const char* kGameKinds[] = {"Single player", "Network", "Hotseat", "E-mail"};

std::string Plural(int64_t count, const std::string& one, const std::string& many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string HumanTurnsText(const TLoadsRec& loads) {
  return Plural(loads.NeededLoads.value_or(0), "human turn", "human turns");
}

}  // namespace

std::string GameKindText(int32_t game_type) {
  if (game_type >= 0 && game_type < static_cast<int32_t>(std::size(kGameKinds))) {
    return kGameKinds[game_type];
  }
  return "Unknown (" + std::to_string(game_type) + ")";
}

std::string TurnPlayerText(const GameState& state) {
  const std::string slot = "slot " + std::to_string(state.ActivePlayer);
  for (int32_t e = 0; e < std::clamp(state.PlayerCount, 0, kMaxSlots); ++e) {
    const TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(e)];
    if (leader.Slot == state.ActivePlayer) return leader.LeaderName + " (" + slot + ")";
  }
  return slot;
}

std::string NeededLoadsText(const TLoadsRec& loads) {
  return loads.NeededLoads ? std::to_string(*loads.NeededLoads) : std::string();
}

std::string ExtraLoadsText(const TLoadsRec& loads) {
  if (!loads.Countable) return "this save does not count its loads";
  return loads.ExtraLoads ? std::to_string(*loads.ExtraLoads) : std::string();
}

std::string LoadsShortText(const TLoadsRec& loads) {
  const std::string sessions = Plural(loads.Sessions, "session", "sessions");
  if (!loads.Countable) {
    if (!loads.NeededLoads) return "not counted: " + sessions;
    return "not counted: " + sessions + " for " + HumanTurnsText(loads);
  }
  if (!loads.NeededLoads) return sessions + ", one human";
  const int32_t extra = loads.ExtraLoads.value_or(0);
  return std::to_string(loads.Sessions) + " of " + std::to_string(*loads.NeededLoads) +
         " needed (" + (extra > 0 ? "+" : "") + std::to_string(extra) + ")";
}

std::string LoadsNoteText(const TLoadsRec& loads, int32_t turns_played) {
  const std::string sessions = Plural(loads.Sessions, "session", "sessions");
  if (!loads.NeededLoads) {
    if (!loads.Countable) return "This save does not count its loads: it holds no session.";
    return "One human player: every session is a load of the game, so the save was loaded " +
           Plural(loads.Sessions, "time", "times") + ".";
  }
  const std::string humans = Plural(loads.Humans, "human", "humans");
  const std::string needed =
      "one load per human turn (" + humans + " over " + Plural(turns_played, "turn", "turns") +
      " played, each counted up to the last turn he was in the game: " + HumanTurnsText(loads) +
      ")";
  if (!loads.Countable) {
    return "This save does not count its loads: it holds " + sessions + " where the game needed " +
           needed + ". Whatever passed it from player to player reset its counter.";
  }
  const int32_t extra = loads.ExtraLoads.value_or(0);
  std::string beyond;
  if (extra > 0) {
    beyond = Plural(extra, "load", "loads") +
             " beyond that: reloads, crashes or a player taking a turn twice.";
  } else if (extra < 0) {
    beyond =
        Plural(-int64_t{extra}, "load", "loads") +
        " fewer: some turns were played in one load (several humans at one computer), or loads "
        "went uncounted.";
  } else {
    beyond = "none beyond that.";
  }
  return "An estimate: a game of several humans is loaded once by each human each turn, so it "
         "needed " +
         needed + "; the save counts " + sessions + ", " + beyond +
         " The turn under way when the save was written is not counted, and a human who left "
         "the game counts until the last turn of his history.";
}

std::string SessionSummaryText(const TLoadsRec& loads) {
  std::string text = Plural(loads.Sessions, "session", "sessions");
  if (loads.PerTurn.empty()) return text + "; the replay holds no session messages";
  int32_t busy_turns = 0;
  std::pair<int32_t, int32_t> most = loads.PerTurn.front();
  for (const auto& turn : loads.PerTurn) {
    if (turn.second > 1) ++busy_turns;
    if (turn.second > most.second) most = turn;
  }
  if (busy_turns == 0) return text + "; no turn with more than one session";
  return text + "; " + Plural(busy_turns, "turn", "turns") +
         " with more than one session; most: turn " + std::to_string(most.first) + ", " +
         std::to_string(most.second);
}

}  // namespace vek5
