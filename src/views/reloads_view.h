// The Reloads tab: the sessions the save counts, the pre-sessions (reloads at the starting
// turn) that the user may correct, and the play sessions and their average length.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_state.h"
#include "views/tab_content.h"
#include "views/view_state.h"

namespace vek5 {

// What CheckValues gives for one text of PreSessions: either PlaySessions and AverageSessionTime,
// or, for a text that is not a whole number, the error text. On an error the window shows Error in
// a message box and leaves PlaySessions and AverageSessionTime as they are; the view state is not
// changed either.
struct CheckValuesResult {
  std::optional<std::string> Error;
  TabContent Content;  // PlaySessions and AverageSessionTime; empty when Error is set
};

// The analysis's proposal for PreSessions: the session starts at the starting turn, "%3d".
std::string PreSessionsText(const GameState& state);

// Reads the pre-sessions from the text of PreSessions (leading blanks skipped) and recomputes the
// play sessions and the average session time into the view state. The window calls it on
// every change of PreSessions.
CheckValuesResult CheckValues(const GameState& state, ViewState& view,
                              std::string_view pre_sessions_text);

// The whole tab right after a load: the kind of game and whose turn it is; SessionCount,
// PreSessions with the proposal, PlaySessions and AverageSessionTime computed from it; the loads
// set beside those the game needed; and the session starts grouped by turn under a one-line
// summary (SessionSummary, SessionListBox).
TabContent BuildReloadsContent(const GameState& state, ViewState& view);

// A line of the session list: a turn at which sessions started, its date as the Replay tab dates
// it, and the sessions by the numbers the game gave them ("Turn 228 (1590AD): loaded 5 times,
// sessions 27 to 31", "Turn 21 (3160BC): session 2").
std::string TurnLoadsLineText(ViewState& view, int32_t speed_index, int32_t turn,
                              const std::vector<int32_t>& numbers);

// "%6d:%02.2d:%02.2d" of hours, minutes and seconds.
std::string SessionTimeText(int32_t seconds);

}  // namespace vek5
