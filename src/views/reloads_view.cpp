#include "views/reloads_view.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "model/calendar.h"
#include "model/format.h"
#include "views/loads_text.h"

namespace vek5 {
namespace {

// A signed whole number after optional leading blanks, as the pre-sessions box holds it;
// nothing may follow the digits.
std::optional<int32_t> ParseWholeNumber(std::string_view text) {
  const size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  std::string_view digits = text.substr(start);
  if (!digits.empty() && digits.front() == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits.front() == '-') return std::nullopt;
  }
  int32_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

// The kind of game, whose turn it is, and the loads set beside those the game needed.
void AddLoadFields(const GameState& state, TabContent& content) {
  std::string kind_hint;
  if (state.SlotGameType != state.GameType) {
    kind_hint = "The slot section says " + GameKindText(state.SlotGameType);
  }
  content.SetField("GameKind", GameKindText(state.GameType), kind_hint);
  content.SetField("TurnPlayer", TurnPlayerText(state));
  const TLoadsRec& loads = state.Loads;
  content.SetField("HumanPlayers", std::to_string(loads.Humans));
  content.SetField("NeededLoads", NeededLoadsText(loads));
  content.SetField("ExtraLoads", ExtraLoadsText(loads));
  content.SetField("LoadsNote", LoadsNoteText(loads, state.TurnsPlayed));
}

// One line per turn at which sessions started, numbered as the game numbers them; turns with
// more than one session in red.
void AddSessionsByTurn(const GameState& state, ViewState& view, TabContent& content) {
  content.SetField("SessionSummary", SessionSummaryText(state.Loads));
  LinesContent& lines = content.List("SessionListBox");
  for (const auto& [turn, count] : state.Loads.PerTurn) {
    std::vector<int32_t> numbers;
    for (size_t i = 0; i < state.SessionTurns.size() && i < state.SessionNumbers.size(); ++i) {
      if (state.SessionTurns[i] == turn) numbers.push_back(state.SessionNumbers[i]);
    }
    lines.Lines.push_back(
        {TurnLoadsLineText(view, state.SpeedIndex, turn, numbers), count > 1 ? kRed : kBlack});
  }
}

}  // namespace

std::string PreSessionsText(const GameState& state) {
  return Format("%3d", state.ReloadsAtStartTurn);
}

std::string SessionLineText(ViewState& view, int32_t speed_index, int32_t number, int32_t turn) {
  std::string month;
  const int32_t year = Turn2Date(view.TurnsPlayed, speed_index, turn, month);
  std::string line = Format("%3d%6d%s", number, turn, YearText(year, kYearZeroNarrow));
  if (!month.empty()) line += " " + month;
  return line;
}

std::string SessionNumbersText(const std::vector<int32_t>& numbers) {
  if (numbers.size() == 1) return "session " + std::to_string(numbers.front());
  bool consecutive = true;
  for (size_t i = 1; i < numbers.size(); ++i) consecutive &= numbers[i] == numbers[i - 1] + 1;
  if (consecutive && !numbers.empty()) {
    return "sessions " + std::to_string(numbers.front()) + " to " + std::to_string(numbers.back());
  }
  std::string text = "sessions";
  for (size_t i = 0; i < numbers.size(); ++i) {
    text += (i == 0 ? " " : ", ") + std::to_string(numbers[i]);
  }
  return text;
}

std::string TurnLoadsLineText(ViewState& view, int32_t speed_index, int32_t turn,
                              const std::vector<int32_t>& numbers) {
  std::string month;
  const int32_t year = Turn2Date(view.TurnsPlayed, speed_index, turn, month);
  std::string date(YearText(year, kYearZeroNarrow));
  date.erase(0, date.find_first_not_of(' '));
  if (!month.empty()) date += " " + month;
  std::string line = "Turn " + std::to_string(turn) + " (" + date + "): ";
  if (numbers.size() > 1) line += "loaded " + std::to_string(numbers.size()) + " times, ";
  return line + SessionNumbersText(numbers);
}

std::string SessionTimeText(int32_t seconds) {
  return Format("%6d:%02.2d:%02.2d", seconds / 3600, (seconds / 60) % 60, seconds % 60);
}

CheckValuesResult CheckValues(const GameState& state, ViewState& view,
                              std::string_view pre_sessions_text) {
  CheckValuesResult result;
  const std::optional<int32_t> pre_sessions = ParseWholeNumber(pre_sessions_text);
  if (!pre_sessions) {
    result.Error = Format("'%s' is not a valid integer value", std::string(pre_sessions_text));
    return result;
  }
  view.ReloadsAtStartTurn = *pre_sessions;
  // In 64 bits: a negative pre-sessions count must not overflow the difference.
  const int64_t play_sessions = int64_t{state.SessionCounter} - *pre_sessions;
  view.PlaySessions = static_cast<int32_t>(std::clamp<int64_t>(play_sessions, 0, INT32_MAX));
  view.AverageSessionSeconds =
      view.PlaySessions > 0 ? state.PlayTimeSeconds / view.PlaySessions : 0;
  result.Content.SetField("PlaySessions", Format("%6d", view.PlaySessions));
  result.Content.SetField("AverageSessionTime", SessionTimeText(view.AverageSessionSeconds));
  return result;
}

TabContent BuildReloadsContent(const GameState& state, ViewState& view) {
  TabContent content;
  content.SetField("SessionCount", Format("%6d", state.SessionCounter));
  const std::string proposal = PreSessionsText(state);
  content.SetField("PreSessions", proposal);
  // The proposal is always a number, so this never fails.
  const CheckValuesResult values = CheckValues(state, view, proposal);
  for (const FieldContent& field : values.Content.Fields) {
    content.SetField(field.Control, field.Text, field.Hint);
  }
  AddLoadFields(state, content);
  AddSessionsByTurn(state, view, content);
  return content;
}

}  // namespace vek5
