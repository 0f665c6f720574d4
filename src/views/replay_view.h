// The Replay tab: the save's replay and session messages, one dated line each, with the
// messages that start a play session in purple.
#pragma once

#include <string>
#include <string_view>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// The text as people read it: the "@" left where the game's icon markup stood removed, without
// the doubled blanks and empty list separators that leaves behind.
std::string TextWithoutIcons(std::string_view text);

// "%4d%s %s %s" of turn, date text, month and the text without icons; year 0 shows as the given
// literal.
std::string EventLineText(ViewState& view, int32_t speed_index, int32_t turn, std::string_view text,
                          std::string_view year_zero);

// True for the texts of session-start messages, in the languages the game writes them in.
bool IsSessionText(std::string_view text);

// ReplayList. Dates go through the views' turns-played count, which they may move.
TabContent BuildReplayContent(const GameState& state, ViewState& view);

}  // namespace vek5
