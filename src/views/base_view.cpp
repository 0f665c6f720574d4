#include "views/base_view.h"

#include <algorithm>

#include "model/calendar.h"
#include "model/format.h"
#include "model/naming.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

// Outcome texts by victory type; VictoryType -1 is a loss, other values are unknown.
constexpr std::string_view kLossText = "Loss";
constexpr std::string_view kUnknownOutcomeText = "Unknown";
constexpr std::string_view kOutcomeTexts[kVictoryTypes] = {"Time", "Science", "Domination",
                                                           "Culture", "Diplomatic"};

// A year, a blank and a month, as the Base tab shows its dates.
std::string BaseDateText(int32_t year, std::string_view month) {
  return YearText(year, kYearZeroNarrow) + " " + std::string(month);
}

// Each name once: a save may store one option under two records.
template <size_t N>
void AddListedNames(LinesContent& list, const std::array<std::string, N>& names,
                    const std::array<int32_t, N>& listed) {
  for (size_t i = 0; i < N; ++i) {
    if (listed[i] == 0) continue;
    const bool shown = std::any_of(list.Lines.begin(), list.Lines.end(),
                                   [&](const ColoredLine& line) { return line.Text == names[i]; });
    if (!shown) list.Lines.push_back({names[i], kBlack});
  }
}

}  // namespace

std::string PlayingTimeText(int32_t play_time_tenths) {
  const int32_t tenths = play_time_tenths % 10;
  const int32_t seconds = play_time_tenths / 10;
  const int32_t minutes = play_time_tenths / 600;
  const int32_t hours = minutes / 60;
  return Format("%6d:%02.2d:%02.2d,%1d", hours, minutes % 60, seconds % 60, tenths);
}

std::string GameStatusText(int32_t game_over, int32_t victory_type) {
  if (game_over == 0) return "Incomplete";
  if (victory_type == -1) return std::string(kLossText);
  if (victory_type >= 0 && victory_type < kVictoryTypes) {
    return std::string(kOutcomeTexts[victory_type]);
  }
  return std::string(kUnknownOutcomeText);
}

TabContent BuildBaseContent(const GameState& state, ViewState& view) {
  TabContent content;
  content.SetField("GameVersionE", state.GameVersion);
  content.SetField("SaveIndexE", Format("%5d", state.SaveVersion));
  content.SetField("CivNameE", state.PlayerCivName);
  content.SetField("LevelE", state.HandicapName);
  content.SetField("StartingEraE", state.StartEraName);
  content.SetField("CurrentEraE", state.CurrentEraName);
  content.SetField("Game5SpeedE", state.GameSpeedName);
  content.SetField("World5SizeE", state.WorldSizeName);
  content.SetField("Map5ScriptE", state.MapScriptName);
  content.SetField("CurrentTurn", Format("%4d/%3d", state.CurrentTurn, state.MaxTurns));
  content.SetField("CurrentDate", BaseDateText(state.CurrentYear, state.CurrentDateText));
  content.SetField("StartTurnE", Format("%4d", state.StartTurn));
  std::string start_month;
  const int32_t start_year =
      Turn2Date(view.TurnsPlayed, state.SpeedIndex, state.StartTurn, start_month);
  content.SetField("StartDateE", BaseDateText(start_year, start_month));
  content.SetField("PlayTime", PlayingTimeText(state.PlayTime));
  content.SetField("GameScore", Format("%6d", state.Score));
  content.SetField("ProjectedScore",
                   Format("%8d", FinalScore(state.Score, state.CurrentTurn, state.MaxTurns)));
  content.SetField("GameStatus", GameStatusText(state.GameOver, state.VictoryType));
  content.SetField("UserNameE", state.UserName);

  for (int k = 0; k < kVictoryTypes; ++k) {
    content.SetCheck(kVictoryChecks[k], state.VictoryAllowed[k] != 0);
  }
  AddListedNames(content.List("GameOptionBox"), state.GameOptionNames, state.GameOptionValues);
  AddListedNames(content.List("DLCBox"), state.DlcNames, state.DlcListed);
  return content;
}

std::vector<std::string> PlayerSelectorItems(const GameState& state) {
  // One item per entry in use, even if an entry were left unnamed: an item index must stay an
  // entry index for the views that read the selectors.
  const int32_t entries = std::clamp(state.PlayerCount, 0, kMaxSlots);
  std::vector<std::string> items;
  items.reserve(static_cast<size_t>(entries));
  for (int32_t e = 0; e < entries; ++e) items.push_back(state.Leaders[e].LeaderName);
  return items;
}

}  // namespace vek5
