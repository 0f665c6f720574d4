#include "model/cut_short.h"

#include <algorithm>
#include <span>

#include "model/naming.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

// Players named one by one up to this many; beyond, counted.
constexpr size_t kNamedPlayers = 6;

// "all 31 players", "Darius and Augustus", or "5 of 31 players".
std::string WhoseText(const std::vector<std::string>& whose, size_t of) {
  if (whose.size() == of) return of == 1 ? whose.front() : "all " + std::to_string(of) + " players";
  if (whose.size() > kNamedPlayers) {
    return std::to_string(whose.size()) + " of " + std::to_string(of) + " players";
  }
  std::string text;
  for (size_t i = 0; i < whose.size(); ++i) {
    if (i > 0) text += i + 1 == whose.size() ? " and " : ", ";
    text += whose[i];
  }
  return text;
}

// The players' entries for which a per-player part holds nothing.
template <typename Empty>
std::vector<std::string> EntriesWithout(const GameState& state, Empty empty) {
  std::vector<std::string> whose;
  const int32_t entries = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t e = 0; e < entries; ++e) {
    if (empty(static_cast<size_t>(e)))
      whose.push_back(state.Leaders[static_cast<size_t>(e)].LeaderName);
  }
  return whose;
}

// The names of the history series of the save's rule set; the tables' trailing "Empty" row is
// none.
std::span<const std::string_view> SeriesNames(const GameState& state) {
  const auto names = state.ZephPresent != 0
                         ? std::span<const std::string_view>(ReplayDatasetNamesZeph)
                         : std::span<const std::string_view>(ReplayDatasetNames);
  return names.first(std::min<size_t>(names.size() - 1, kHistorySeries));
}

// The history series that no player's data set holds.
std::vector<std::string> SeriesNoneHolds(const GameState& state) {
  const std::span<const std::string_view> names = SeriesNames(state);
  std::vector<std::string> missing;
  for (size_t s = 0; s < names.size(); ++s) {
    bool held = false;
    for (size_t d = 0; d < state.HistoryStored.size() && !held; ++d) {
      held = HistoryHoldsSeries(state, d, s);
    }
    if (!held) missing.emplace_back(names[s]);
  }
  return missing;
}

}  // namespace

std::vector<std::string> CutShortParts(const GameState& state) {
  std::vector<std::string> parts;
  if (!state.BodyEndsEarly) return parts;
  const size_t entries = static_cast<size_t>(std::clamp(state.PlayerCount, 0, kMaxSlots));
  const auto add = [&](const std::vector<std::string>& whose, const std::string& what,
                       const std::string& tabs) {
    if (!whose.empty())
      parts.push_back(what + " of " + WhoseText(whose, entries) + " (" + tabs + ")");
  };
  if (state.ReplayMessageCount > static_cast<int32_t>(state.ReplayMessages.size())) {
    parts.push_back("replay messages after the first " +
                    std::to_string(state.ReplayMessages.size()) + " of " +
                    std::to_string(state.ReplayMessageCount) + " (Replay)");
  }
  const std::vector<std::string> series = SeriesNoneHolds(state);
  if (series.size() == SeriesNames(state).size()) {
    parts.push_back("the whole history of every player (Graph)");
  } else if (!series.empty()) {
    std::string names;
    for (const std::string& name : series) names += (names.empty() ? "" : ", ") + name;
    parts.push_back("the history series " + names + " of every player (Graph)");
  }
  add(EntriesWithout(state, [&](size_t e) { return state.Cities[e].empty(); }), "the city records",
      "Leaders, Cities, Stats");
  add(EntriesWithout(state,
                     [&](size_t e) {
                       const auto& known = state.Leaders[e].TechKnown;
                       return IsPlayer(state, state.Leaders[e].Slot) &&
                              std::all_of(known.begin(), known.end(),
                                          [](int32_t k) { return k == 0; });
                     }),
      "the technologies and economy", "Player, Policy, Stats");
  add(EntriesWithout(state,
                     [&](size_t e) {
                       return e < state.PlayerLogs.size() &&
                              state.PlayerLogs[e].First == state.PlayerLogs[e].Stop;
                     }),
      "the notification logs", "Player Log");
  return parts;
}

}  // namespace vek5
