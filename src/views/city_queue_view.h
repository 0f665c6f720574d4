// The lower half of the Cities tab: the build queue, the production grid with the full cost of
// each partly produced item, and the religions of the city.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/type_names.h"

namespace vek5 {

// The text of one queue entry under the rule set; empty for an item the rule set cannot name.
std::string QueueItemText(RuleSet rules, const TCityRec& city, const TQueueEntry& entry);

// Full production costs as the entry pays them: base cost scaled by difficulty, city-state,
// game speed and starting era. 0 when the name matches no row of the rule set's table.
int32_t BuildingCost(const GameState& state, int32_t entry, std::string_view building_name);
int32_t UnitCost(const GameState& state, int32_t entry, std::string_view unit_name);
int32_t ProjectCost(const GameState& state, int32_t project_row);

// BuildingQueue, ProductionGrid and ReligionGrid for a city of the entry.
void FillBuildQueue(const GameState& state, const TCityRec& city, TabContent& tab);
void FillProductionGrid(const GameState& state, int32_t entry, const TCityRec& city,
                        TabContent& tab);
void FillReligionGrid(const GameState& state, const TCityRec& city, TabContent& tab);

// The three controls with no item and empty data rows.
void ClearCityQueueControls(TabContent& tab);

}  // namespace vek5
