// The `Loads` object of the JSON, written alike for one save and for the summaries.
#pragma once

#include "model/game_state.h"
#include "views/json_writer.h"

namespace vek5 {

// "Loads": {Humans, Sessions, NeededLoads, ExtraLoads, Countable, PerTurn: [[turn, sessions]]};
// NeededLoads and ExtraLoads are null where the save has none.
void WriteLoadsJson(JsonWriter& w, const TLoadsRec& loads);

}  // namespace vek5
