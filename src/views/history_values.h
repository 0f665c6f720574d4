// A player's last stored value of a history statistic, for the boxes whose value the save keeps
// only in its history (Zeph saves store no per-turn totals of their own).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/game_state.h"

namespace vek5 {

struct HistoryValue {
  int32_t Turn = 0;
  int32_t Value = 0;
};

// The value of the named statistic (as the graph names it) at the last turn the entry's history
// stores it; none when it stores none.
std::optional<HistoryValue> LastHistoryValue(const GameState& state, int32_t entry,
                                             std::string_view statistic);

// The text of a box that nothing in the save fills.
inline constexpr std::string_view kNotInThisSave = "not in this save";

// Fills a box from the history: the value in the pattern, the hint saying where it comes from;
// "not in this save" when the history holds none.
struct BoxText {
  std::string Text;
  std::string Hint;
};
BoxText HistoryBox(const GameState& state, int32_t entry, std::string_view statistic,
                   std::string_view pattern);

}  // namespace vek5
