#include "views/leaders_view.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "model/format.h"
#include "model/naming.h"

namespace vek5 {
namespace {

constexpr std::string_view kLeadersHeader[] = {
    "\xE2\x84\x96", "Civilization", "Leader", "Trait", "Alive", "Cities (Nat/Occ/Pup)"};
constexpr int kTeamColumn = 6;

int32_t EntriesInUse(const GameState& state) {
  return std::clamp(state.PlayerCount, 0, kMaxSlots);
}

// The name each slot is shown under: the LeaderName of the entry made for it, empty when the
// slot has no entry.
std::array<std::string, kMaxSlots> NamesBySlot(const GameState& state) {
  std::array<std::string, kMaxSlots> names{};
  for (int32_t e = 0; e < EntriesInUse(state); ++e) {
    const TLeaderInfoRec& entry = state.Leaders[e];
    if (entry.Slot >= 0 && entry.Slot < kMaxSlots && names[entry.Slot].empty()) {
      names[entry.Slot] = entry.LeaderName;
    }
  }
  return names;
}

// Teams are worth a column only in a team game: when two major players share one.
bool MajorsShareATeam(const GameState& state) {
  std::vector<int32_t> teams;
  for (int32_t e = 0; e < EntriesInUse(state); ++e) {
    const TLeaderInfoRec& entry = state.Leaders[e];
    if (!IsPlayer(state, entry.Slot)) continue;
    if (std::find(teams.begin(), teams.end(), entry.Team) != teams.end()) return true;
    teams.push_back(entry.Team);
  }
  return false;
}

template <typename Test>
std::vector<int32_t> SlotsWhere(const GameState& state, Test test) {
  std::vector<int32_t> slots;
  for (int32_t slot = 0; slot < kMaxSlots; ++slot) {
    if (test(state, slot)) slots.push_back(slot);
  }
  return slots;
}

std::string InfluenceText(const GameState& state, int32_t city_state, int32_t player) {
  std::string text = Format("%7.2f", state.CSInfluence[city_state][player] / 100.0);
  if (state.CSFriends[city_state][player] != 0) text += " (Friends)";
  if (state.CSAllies[city_state][player] != 0) text += " (Allies)";
  return text;
}

}  // namespace

TabContent BuildLeadersContent(const GameState& state) {
  // One row per entry and a column only for what the save holds: a team column in team games.
  const bool teams = MajorsShareATeam(state);
  const int32_t entries = EntriesInUse(state);
  const int columns = static_cast<int>(std::size(kLeadersHeader)) + (teams ? 1 : 0);
  TabContent content;
  GridContent& grid = content.Grid("LeadersGrid", entries + 1, columns);
  for (size_t c = 0; c < std::size(kLeadersHeader); ++c) {
    grid.Cells[0][c] = std::string(kLeadersHeader[c]);
  }
  for (int32_t e = 0; e < entries; ++e) {
    const TLeaderInfoRec& entry = state.Leaders[e];
    std::vector<std::string>& row = grid.Cells[e + 1];
    row[0] = Format("%2d", e + 1);
    row[1] = entry.CivName;
    row[2] = entry.LeaderName;
    row[3] = entry.TraitName;
    if (entry.Alive == kFalse) row[4] = "Dead";
    row[5] = Format("%3d (%d/%d/%d)", entry.CityCount, entry.NationalCities, entry.OccupiedCities,
                    entry.PuppetCities);
    if (teams && IsPlayer(state, entry.Slot)) row[kTeamColumn] = Format("%d", entry.Team);
  }
  if (teams) grid.Cells[0][kTeamColumn] = "Team";
  return content;
}

TabContent BuildCityStateContent(const GameState& state) {
  // Rows and columns are the slots; each header is the name of the entry made for that slot, so
  // a slot without an entry keeps its values under an empty header instead of shifting the
  // names of the slots after it.
  TabContent content;
  GridContent& grid = content.Grid("CSGrid", kCSGridSize, kCSGridSize);
  const std::array<std::string, kMaxSlots> names = NamesBySlot(state);
  const std::vector<int32_t> players = SlotsWhere(state, IsPlayer);
  const std::vector<int32_t> city_states = SlotsWhere(state, IsMinor);

  for (size_t c = 0; c < players.size(); ++c) grid.Cells[0][c + 1] = names[players[c]];
  for (size_t r = 0; r < city_states.size(); ++r) {
    std::vector<std::string>& row = grid.Cells[r + 1];
    row[0] = names[city_states[r]];
    if (state.SlotKeysPresent == 0) continue;
    for (size_t c = 0; c < players.size(); ++c) {
      row[c + 1] = InfluenceText(state, city_states[r], players[c]);
    }
  }
  return content;
}

}  // namespace vek5
