// The compact player list: one Leaders entry per slot in use, in slot order, with display names
// for the civilization, the leader (or the city-state) and the trait. Reads nothing of the save.
#include <span>
#include <string>
#include <vector>

#include "analysis/sections.h"
#include "container/key_text.h"
#include "container/text_encoding.h"
#include "model/naming.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr int32_t kStatusDead = 2;
constexpr int32_t kStatusHuman = 3;
constexpr int32_t kStatusUnused = 4;
// The last row of each name table names an unknown type.
constexpr int32_t kUnknownCivType = kCivNameRows - 1;
constexpr int32_t kUnknownLeaderType = kLeaderNameRows - 1;
constexpr int32_t kUnknownCityStateType = kCityStateNameRows - 1;

// A type read from the save as a row of a name table; out-of-range values name the unknown row.
int32_t NameRow(int32_t type, int32_t unknown_row) {
  return (type < 0 || type > unknown_row) ? unknown_row : type;
}

// The city-state names that the keys of a table's rows give, the last row (unknown) left out.
std::vector<std::string> RowCityStateNames(std::span<const TCSInfoRec> table) {
  std::vector<std::string> names;
  for (const TCSInfoRec& row : table.first(table.size() - 1)) {
    names.push_back(CutTextKey(CutTextKey(row.Key, "MINOR_CIV_"), "MINOR_"));
  }
  return names;
}

// The trait of the last city-state table row whose key names the city-state; keeps the given
// trait when no row does. row_names: RowCityStateNames of the table, made once for all games.
std::string TraitFromTable(std::span<const TCSInfoRec> table,
                           const std::vector<std::string>& row_names, const std::string& name,
                           std::string trait) {
  for (size_t r = row_names.size(); r-- > 0;) {
    if (name == row_names[r]) return CutTextKey(table[r].TraitKey, "MINOR_TRAIT_");
  }
  return trait;
}

void NameCityState(const GameState& state, int32_t slot, TLeaderInfoRec& entry) {
  // A save with per-slot keys stores no city-state type: until a table row carries its key, the
  // city-state is unknown rather than the first row's.
  const int32_t s = state.SlotKeysPresent
                        ? kUnknownCityStateType
                        : NameRow(state.SlotMinorCivType[slot], kUnknownCityStateType);
  std::string name(CityStateNames[s]);
  if (!state.SlotMinorCivKeys[slot].empty()) {
    name = CutTextKey(state.SlotMinorCivKeys[slot], "MINOR_CIV_");
  }
  name = CutTextKey(name, "MINOR_");
  std::string trait(CityStateTraitNames[s]);
  if (state.SlotKeysPresent && !state.Exp1Present && !state.ZephPresent) {
    for (int32_t k = 0; k < kUnknownCityStateType; ++k) {
      if (name == CityStateNames[k]) trait = CityStateTraitNames[k];
    }
  }
  if (state.Exp1Present) {
    static const std::vector<std::string> exp1_names = RowCityStateNames(CityStateInfo);
    trait = TraitFromTable(CityStateInfo, exp1_names, name, trait);
  }
  if (state.ZephPresent) {
    static const std::vector<std::string> zeph_names = RowCityStateNames(CityStateInfoZeph);
    trait = TraitFromTable(CityStateInfoZeph, zeph_names, name, trait);
  }
  entry.LeaderName = std::move(name);
  entry.TraitName = std::move(trait);
}

TLeaderInfoRec EntryOfSlot(const GameState& state, int32_t slot) {
  TLeaderInfoRec entry;
  entry.CivType = NameRow(state.SlotCivType[slot], kUnknownCivType);
  entry.CivName = GetCivName(state, entry.CivType);
  if (!state.SlotCivKeys[slot].empty()) {
    entry.CivName = CutTextKey(state.SlotCivKeys[slot], "CIVILIZATION_");
  }
  entry.LeaderType = NameRow(state.SlotLeaderType[slot], kUnknownLeaderType);
  entry.LeaderName = GetLeaderName(state, entry.LeaderType);
  if (!state.SlotLeaderKeys[slot].empty()) {
    entry.LeaderName = CutTextKey(state.SlotLeaderKeys[slot], "LEADER_");
  }
  entry.Slot = slot;
  entry.SlotStatus = state.SlotStatus[slot];
  entry.SlotIsMinor = state.SlotIsMinor[slot];
  entry.Alive = entry.SlotStatus == kStatusDead ? kFalse : kTrue;
  entry.Team = state.SlotTeam[slot];
  if (entry.SlotStatus == kStatusHuman) entry.TraitName = "Human";
  if (entry.SlotIsMinor != 0) NameCityState(state, slot, entry);
  // Keys are ASCII; whatever else a damaged save holds there still becomes UTF-8.
  entry.CivName = Utf8OrCp1251(entry.CivName);
  entry.LeaderName = Utf8OrCp1251(entry.LeaderName);
  return entry;
}

}  // namespace

void BuildPlayerList(GameState& state) {
  int32_t t = 0;
  state.RealPlayerCount = 0;
  state.GraphPlayerChecked.clear();
  for (int32_t slot = 0; slot < kMaxSlots; ++slot) {
    if (state.SlotCivType[slot] < 0 || state.SlotStatus[slot] == kStatusUnused) continue;
    TLeaderInfoRec& entry = state.Leaders[t];
    entry = EntryOfSlot(state, slot);
    state.GraphPlayerChecked.push_back(entry.CivType != kCivMinor &&
                                       entry.CivType != kCivBarbarian);
    if (IsPlayer(state, slot)) ++state.RealPlayerCount;
    ++t;
  }
  state.PlayerCount = t;
}

}  // namespace vek5
