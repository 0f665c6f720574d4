// The player log: one player's notification ring as dated lines, oldest first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// One dated event line, "TTTT<year> <month> <text>", the form the replay list and the player log
// share; they differ only in the text that stands for year 0. The date goes through Turn2Date
// and so moves the view's TurnsPlayed.
std::string EventLineText(ViewState& view, int32_t speed_index, int32_t turn, std::string_view text,
                          std::string_view year_zero);

// The "Player Log" tab for a Leaders entry (the selected item of PlayerLogSelect, -1 for none,
// which shows entry 0). The tab's two hidden check boxes change nothing in it, so they are no
// input here; their click only asks for the log again.
TabContent DrawPlayerLog(const GameState& state, ViewState& view, int32_t entry);

}  // namespace vek5
