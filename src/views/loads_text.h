// The loads of a save in words, the same on the Reloads tab, in the report and in the summaries:
// the kind of game, the loads set beside those the game needed, and the session starts by turn.
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"

namespace vek5 {

// "Single player", "Network", "Hotseat", "E-mail"; "Unknown (7)" for another value.
std::string GameKindText(int32_t game_type);

// The player whose turn it is: "Harald Bluetooth (slot 1)", or "slot 9" for a slot not listed.
std::string TurnPlayerText(const GameState& state);

// "656", or empty with one human.
std::string NeededLoadsText(const TLoadsRec& loads);

// The loads beyond one per human turn ("5", "-12"), "this save does not count its loads", or
// empty with one human whose sessions are counted.
std::string ExtraLoadsText(const TLoadsRec& loads);

// A short form for tables: "34 sessions, one human", "644 of 656 needed (-12)",
// "not counted: 1 session for 123 human turns".
std::string LoadsShortText(const TLoadsRec& loads);

// What the loads mean and why they are an estimate, in plain sentences.
std::string LoadsNoteText(const TLoadsRec& loads, int32_t turns_played);

// "34 sessions; 3 turns with more than one session; most: turn 228, 5", or "...; the replay
// holds no session messages".
std::string SessionSummaryText(const TLoadsRec& loads);

}  // namespace vek5
