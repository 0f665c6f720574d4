#include "views/history_values.h"

#include <vector>

#include "model/format.h"
#include "views/graph_view.h"

namespace vek5 {

std::optional<HistoryValue> LastHistoryValue(const GameState& state, int32_t entry,
                                             std::string_view statistic) {
  if (entry < 0 || static_cast<size_t>(entry) >= state.HistoryStored.size() ||
      static_cast<size_t>(entry) >= state.HistoryData.size()) {
    return std::nullopt;
  }
  const std::vector<std::string> names = GraphStatisticNames(state);
  size_t series = 0;
  while (series < names.size() && names[series] != statistic) ++series;
  if (series >= names.size() || series >= static_cast<size_t>(kHistorySeries)) return std::nullopt;
  const auto& turns = state.HistoryStored[static_cast<size_t>(entry)].Turns[series];
  for (size_t t = turns.size(); t-- > 0;) {
    if (!turns.test(t)) continue;
    return HistoryValue{static_cast<int32_t>(t),
                        state.HistoryData[static_cast<size_t>(entry)][series][t]};
  }
  return std::nullopt;
}

BoxText HistoryBox(const GameState& state, int32_t entry, std::string_view statistic,
                   std::string_view pattern) {
  const std::optional<HistoryValue> value = LastHistoryValue(state, entry, statistic);
  if (!value)
    return {std::string(kNotInThisSave), "Neither the player's record nor the history holds it"};
  return {Format(pattern, value->Value),
          Format("From the history (%s), turn %d", std::string(statistic), value->Turn)};
}

}  // namespace vek5
