#include "views/window_texts.h"

#include <algorithm>

#include "model/format.h"

namespace vek5 {
namespace {

std::string TurnText(const GameState& state) {
  return Format("turn %d/%d", state.CurrentTurn, state.MaxTurns);
}

// The civilization of the save's player, with the leader of the first entry of that
// civilization when there is one.
std::string PlayerText(const GameState& state) {
  const int entries = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int e = 0; e < entries; ++e) {
    const TLeaderInfoRec& entry = state.Leaders[static_cast<size_t>(e)];
    if (!state.PlayerCivName.empty() && entry.CivName == state.PlayerCivName &&
        !entry.LeaderName.empty()) {
      return state.PlayerCivName + " (" + entry.LeaderName + ")";
    }
  }
  return state.PlayerCivName;
}

}  // namespace

std::string RuleSetName(const GameState& state) {
  if (state.ZephPresent) return "Zeph";
  if (state.Exp1Present) return "Exp1";
  return "base game";
}

std::string WindowTitle(const GameState& state, const std::string& file_stem) {
  std::string title = file_stem + " - ";
  const std::string player = PlayerText(state);
  if (!player.empty()) title += player + ", ";
  return title + TurnText(state) + " - " + kProgramName;
}

std::string LoadStatusLine(const GameState& state, const std::string& file_name, double seconds) {
  return file_name + "  |  " + RuleSetName(state) + "  |  " + TurnText(state) + "  |  " +
         Format("loaded in %.2f s", seconds);
}

}  // namespace vek5
