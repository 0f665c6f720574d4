// The short texts the window shows about the loaded save as a whole: its title and the status
// line after a load.
#pragma once

#include <span>
#include <string>

#include "model/game_state.h"

namespace vek5 {

inline constexpr char kProgramName[] = "Vek5 Save Analyser";

// "Zeph", "Exp1" or "base game".
std::string RuleSetName(const GameState& state);

// "zeph-turn238 - Greece (Alexander), turn 238/500 - Vek5 Save Analyser": the file's name
// without its extension, the civilization of the save's player with its leader when the player
// list names it, and the turn.
std::string WindowTitle(const GameState& state, const std::string& file_stem);

// "zeph-turn238.Vek5Save  |  Zeph  |  turn 238/500  |  loaded in 0.15 s"
std::string LoadStatusLine(const GameState& state, const std::string& file_name, double seconds);

// What a control holds, for its pop-up hint, where its caption alone does not say it.
struct ControlHint {
  const char* Control;
  const char* Hint;
};
std::span<const ControlHint> ControlHints();

}  // namespace vek5
