// The player log: one player's notification ring as dated lines, oldest first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// The "Player Log" tab for a Leaders entry (the selected item of PlayerLogSelect, -1 for none,
// which shows entry 0). The tab's two hidden check boxes change nothing in it, so they are no
// input here; their click only asks for the log again.
TabContent DrawPlayerLog(const GameState& state, ViewState& view, int32_t entry);

}  // namespace vek5
