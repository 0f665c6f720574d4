// Small game states with hand-made players and cities for the content builders' tests.
#pragma once

#include <memory>
#include <string>

#include "model/game_state.h"
#include "views/tab_content.h"

namespace vek5::testing {

// A base-game state at standard speed with neutral cost modifiers and no players.
inline std::unique_ptr<GameState> SmallGame() {
  std::unique_ptr<GameState> state = NewGameState();
  state->SpeedIndex = 2;
  state->MaxTurns = 500;
  state->SpeedPercent = 100;
  state->EraMod3 = 100;
  state->LevelMod4 = 100;
  return state;
}

// Adds a Leaders entry holding the save slot; returns the entry.
inline int32_t AddPlayer(GameState& state, int32_t slot, std::string name) {
  const int32_t entry = state.PlayerCount++;
  TLeaderInfoRec& leader = state.Leaders[static_cast<size_t>(entry)];
  leader.Slot = slot;
  leader.LeaderName = std::move(name);
  leader.SlotStatus = 3;
  return entry;
}

// Appends a city record to the entry; returns it for further setting.
inline TCityRec& AddCity(GameState& state, int32_t entry, std::string name) {
  std::vector<TCityRec>& cities = state.Cities[static_cast<size_t>(entry)];
  cities.emplace_back();
  cities.back().Name = std::move(name);
  state.Leaders[static_cast<size_t>(entry)].CityCount = static_cast<int32_t>(cities.size());
  return cities.back();
}

inline std::string FieldText(const TabContent& tab, std::string_view control) {
  const FieldContent* field = tab.FindField(control);
  return field == nullptr ? "<missing " + std::string(control) + ">" : field->Text;
}

inline std::string FieldHint(const TabContent& tab, std::string_view control) {
  const FieldContent* field = tab.FindField(control);
  return field == nullptr ? "<missing " + std::string(control) + ">" : field->Hint;
}

inline std::vector<std::string> ListTexts(const TabContent& tab, std::string_view control) {
  std::vector<std::string> texts;
  if (const LinesContent* list = tab.FindList(control)) {
    for (const ColoredLine& line : list->Lines) texts.push_back(line.Text);
  }
  return texts;
}

}  // namespace vek5::testing
