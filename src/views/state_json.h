// The whole game state as JSON, the public interface that users script against.
//
// Shape: one object with "game" (game-wide values and the slot table), "players" (one object per
// Leaders entry in entry order, with its cities and notification log), "history" (per entry, per
// series name, [turn, value] pairs), "replay", "league" and "cityStates". Keys are the model's
// field names; flags are booleans; values kept in hundredths stay integers as stored; empty
// slots and records beyond the counts are left out.
#pragma once

#include <ostream>
#include <string>

#include "model/game_state.h"

namespace vek5 {

std::string StateToJson(const GameState& state);
// The same document written to a stream a piece at a time.
void WriteStateJson(const GameState& state, std::ostream& stream);

// Appends text as a JSON string literal (quotes included). Bytes that are not valid UTF-8
// become U+FFFD, so the output is always valid JSON.
void AppendJsonString(std::string& out, std::string_view text);

// Printable ASCII that a JSON string holds as it is.
constexpr bool IsPlainJsonByte(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 0x20 && b < 0x7F && c != '"' && c != '\\';
}

}  // namespace vek5
