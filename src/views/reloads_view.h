// The Reloads tab: the sessions the save counts, the pre-sessions (reloads at the starting
// turn) that the user may correct, and the play sessions and their average length.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// The whole tab right after a load: SessionCount, PreSessions with the proposal, PlaySessions and
// AverageSessionTime computed from it, and SessionListBox.
TabContent BuildReloadsContent(const GameState& state, ViewState& view);

// A line of the session list: session number, the turn it started at and that turn's date, as
// the Replay tab dates it ("  3    17 3320BC").
std::string SessionLineText(ViewState& view, int32_t speed_index, int32_t number, int32_t turn);

// "%6d:%02.2d:%02.2d" of hours, minutes and seconds.
std::string SessionTimeText(int32_t seconds);

}  // namespace vek5
