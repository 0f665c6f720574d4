// Display names of leaders and civilizations, slot tests and the projected final score.
#pragma once

#include <cstdint>
#include <string>

namespace vek5 {

struct GameState;

std::string GetLeaderName(const GameState& state, int32_t leader_type);
std::string GetCivName(const GameState& state, int32_t civ_type);
// A major player in the game: a listed civilization that is neither a city-state nor the
// barbarians, in a slot that is in use.
bool IsPlayer(const GameState& state, int32_t slot);
bool IsMinor(const GameState& state, int32_t slot);
// The score projected to the end of the game; 0 when nothing of the game is played yet.
int32_t FinalScore(int32_t score, int32_t current_turn, int32_t max_turns);

}  // namespace vek5
