// Religions as the game names them: by the name their founder gave them where he gave one, else
// by their type. Cities number their religions by type; the religion records tell who founded
// which, where and when.
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"

namespace vek5 {

// The name of the religion type; unknown types and the non-believers (-1; 13 outside Zeph) are
// no religion ("Atheism").
std::string ReligionTypeName(const GameState& state, int32_t religion_id);

// The record of the religion founded with the type (pantheons left out), or null.
const TReligionRec* FoundedReligion(const GameState& state, int32_t religion_id);

// The founder's name for the religion where he gave it one, else the type's name.
std::string ReligionName(const GameState& state, int32_t religion_id);

// The name with the type after it where the two differ: "Ittoism (Buddhism)".
std::string ReligionNameWithType(const GameState& state, int32_t religion_id);

// Where and when a founded religion began: "founded turn 66, holy city Rome"; empty for a type
// no record founded. The holy city is named when a city record stands on its plot.
std::string ReligionFounding(const GameState& state, int32_t religion_id);

}  // namespace vek5
