// The building and unit tables of a save's rule set, looked up by the display name the city
// records carry (the key in display form), as the city and statistics tabs need them.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/game_state.h"

namespace vek5 {

enum class RuleSet { Base, Exp1, Zeph };

// Zeph wins over the first expansion, which wins over the base game.
RuleSet RuleSetOf(const GameState& state);

// The columns of a building row the views read.
struct BuildingType {
  int32_t Cost = 0;
  int32_t Kind = 0;
  std::string_view NameRu;
};

// The first row of the rule set's building table whose key, in display form without
// "BUILDING_", equals the name; none when no row does.
std::optional<BuildingType> FindBuildingByName(RuleSet rules, std::string_view name);

// The cost of the first row of the rule set's unit table whose key, in display form without
// "UNIT_", equals the name; none when no row does.
std::optional<int32_t> FindUnitCostByName(RuleSet rules, std::string_view name);

}  // namespace vek5
