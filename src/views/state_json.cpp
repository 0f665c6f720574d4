#include "views/state_json.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <climits>
#include <cmath>
#include <deque>
#include <functional>
#include <ostream>
#include <span>
#include <string_view>
#include <unordered_set>

#include "model/city_names.h"
#include "model/naming.h"
#include "model/reference_tables.h"
#include "views/json_writer.h"
#include "views/loads_json.h"
#include "views/religion_names.h"

namespace vek5 {
namespace {

// Fields named after the model's own members, so the JSON keys cannot drift from them.
#define VEK5_INT(w, rec, field) (w).Key(#field).Int((rec).field)
#define VEK5_FLAG(w, rec, field) (w).Key(#field).Bool((rec).field != 0)
#define VEK5_TEXT(w, rec, field) (w).Key(#field).String((rec).field)

void IntList(JsonWriter& w, std::string_view key, std::span<const int32_t> values) {
  w.Key(key).BeginArray();
  for (const int32_t v : values) w.Int(v);
  w.EndArray();
}

void FlagList(JsonWriter& w, std::string_view key, std::span<const int32_t> values) {
  w.Key(key).BeginArray();
  for (const int32_t v : values) w.Bool(v != 0);
  w.EndArray();
}

// Rows of the technology and policy tables that the save's rule set uses.
int TechRowCount(const GameState& s) {
  if (s.ZephPresent) return kTechZephRows;
  return s.Exp1Present ? kTechExp1Rows : kTechRows;
}

std::string_view PolicyKey(const GameState& s, int row) {
  if (s.ZephPresent) return row < kPolicyZephRows ? PolicyInfoZeph[row].Key : "";
  return row < kPolicyRows ? PolicyInfo[row].Key : "";
}

int PolicyRowCount(const GameState& s) {
  return s.ZephPresent ? kPolicyZephRows : kPolicyRows;
}

std::span<const std::string_view> SeriesNames(const GameState& s) {
  // The trailing "Empty" of each list names no series.
  if (s.ZephPresent) return std::span(ReplayDatasetNamesZeph).first(kReplayDatasetZephRows - 1);
  return std::span(ReplayDatasetNames).first(kReplayDatasetRows - 1);
}

int32_t EntryCount(const GameState& s) {
  return std::clamp(s.PlayerCount, 0, kMaxSlots);
}

// Keys of an object must be unique: a name met again gets its slot number appended.
class UniqueKeys {
 public:
  // The key stays valid while this and the name live.
  std::string_view Of(const std::string& name, int slot) {
    if (used_.insert(name).second) return name;
    const std::string_view made = made_.emplace_back(name + "#" + std::to_string(slot));
    used_.insert(made);
    return made;
  }

 private:
  std::unordered_set<std::string_view> used_;
  std::deque<std::string> made_;  // a deque keeps the keys in place as it grows
};

constexpr std::string_view kVictoryNames[kVictoryTypes] = {"Time", "Science", "Domination",
                                                           "Cultural", "Diplomatic"};

void WriteSlots(JsonWriter& w, const GameState& s) {
  w.Key("Slots").BeginArray();
  for (int slot = 0; slot < kMaxSlots; ++slot) {
    if (s.SlotCivType[slot] < 0) continue;  // unlisted
    w.BeginObject();
    w.Key("Slot").Int(slot);
    w.Key("SlotCivType").Int(s.SlotCivType[slot]);
    w.Key("SlotLeaderType").Int(s.SlotLeaderType[slot]);
    w.Key("SlotMinorCivType").Int(s.SlotMinorCivType[slot]);
    w.Key("SlotStatus").Int(s.SlotStatus[slot]);
    w.Key("SlotIsMinor").Bool(s.SlotIsMinor[slot] != 0);
    w.Key("SlotCivKeys").String(s.SlotCivKeys[slot]);
    w.Key("SlotLeaderKeys").String(s.SlotLeaderKeys[slot]);
    w.Key("SlotMinorCivKeys").String(s.SlotMinorCivKeys[slot]);
    w.EndObject();
  }
  w.EndArray();
}

void WriteGame(JsonWriter& w, const GameState& s) {
  w.Key("game").BeginObject();
  VEK5_INT(w, s, SaveVersion);
  VEK5_TEXT(w, s, GameVersion);
  VEK5_TEXT(w, s, BuildText);
  VEK5_INT(w, s, BuildNumber);
  VEK5_FLAG(w, s, Build341540OrLater);
  VEK5_FLAG(w, s, Build379995OrLater);
  VEK5_FLAG(w, s, Exp1Present);
  VEK5_FLAG(w, s, ZephPresent);
  VEK5_FLAG(w, s, SlotKeysPresent);
  VEK5_FLAG(w, s, CityDetailsUnknown);
  VEK5_FLAG(w, s, BodyEndsEarly);
  VEK5_INT(w, s, BodyLength);
  VEK5_INT(w, s, BodyShareRead);
  VEK5_TEXT(w, s, PlayerCivName);
  VEK5_TEXT(w, s, HandicapName);
  VEK5_TEXT(w, s, StartEraName);
  VEK5_TEXT(w, s, CurrentEraName);
  VEK5_TEXT(w, s, GameSpeedName);
  VEK5_TEXT(w, s, WorldSizeName);
  VEK5_TEXT(w, s, MapScriptName);
  VEK5_TEXT(w, s, UserName);
  VEK5_INT(w, s, StartEraIndex);
  VEK5_INT(w, s, CurrentEraIndex);
  VEK5_INT(w, s, TurnsPlayed);
  VEK5_INT(w, s, StartTurn);
  VEK5_INT(w, s, CurrentTurn);
  VEK5_INT(w, s, MaxTurns);
  VEK5_INT(w, s, SpeedIndex);
  VEK5_INT(w, s, SpeedPercent);
  VEK5_INT(w, s, CurrentYear);
  VEK5_TEXT(w, s, CurrentDateText);
  VEK5_INT(w, s, PlayTime);
  VEK5_INT(w, s, PlayTimeSeconds);
  VEK5_INT(w, s, HandicapIndex);
  VEK5_INT(w, s, Score);
  VEK5_FLAG(w, s, GameOver);
  VEK5_INT(w, s, VictoryType);
  VEK5_INT(w, s, LevelMod1);
  VEK5_INT(w, s, LevelMod2);
  VEK5_INT(w, s, LevelMod4);
  VEK5_INT(w, s, LevelMod5);
  VEK5_INT(w, s, LevelMod6);
  VEK5_INT(w, s, LevelMod7);
  VEK5_INT(w, s, EraMod1);
  VEK5_INT(w, s, EraMod3);
  VEK5_INT(w, s, EraMod4);
  VEK5_INT(w, s, WorldSizeIndex);
  VEK5_INT(w, s, WorldSizePercent);
  VEK5_INT(w, s, PlayerCount);
  VEK5_INT(w, s, RealPlayerCount);
  VEK5_INT(w, s, GameType);
  VEK5_INT(w, s, SlotGameType);
  VEK5_INT(w, s, ActivePlayer);
  VEK5_INT(w, s, SessionCounter);
  VEK5_INT(w, s, ReloadsAtStartTurn);
  WriteLoadsJson(w, s.Loads);
  VEK5_INT(w, s, ReplayMessageCount);
  VEK5_INT(w, s, AngkorWatOwner);
  VEK5_INT(w, s, SistineChapelOwner);
  VEK5_INT(w, s, HagiaSophiaOwner);
  VEK5_INT(w, s, ForbiddenPalaceOwner);
  VEK5_INT(w, s, LeaningTowerOwner);

  w.Key("VictoryAllowed").BeginObject();
  for (int k = 0; k < kVictoryTypes; ++k) w.Key(kVictoryNames[k]).Bool(s.VictoryAllowed[k] != 0);
  w.EndObject();

  w.Key("GameOptions").BeginArray();
  for (int i = 0; i < kMaxGameOptions; ++i) {
    if (s.GameOptionNames[i].empty()) continue;
    w.BeginObject();
    w.Key("Name").String(s.GameOptionNames[i]);
    w.Key("Value").Int(s.GameOptionValues[i]);
    w.EndObject();
  }
  w.EndArray();

  w.Key("Dlc").BeginArray();
  for (int i = 0; i < kMaxDlcEntries; ++i) {
    if (s.DlcListed[i] != 0) w.String(s.DlcNames[i]);
  }
  w.EndArray();

  w.Key("DlcCivs").BeginArray();
  for (int k = 0; k < kMaxDlcCivs; ++k) {
    if (s.DlcCivNames[k].empty() && s.DlcLeaderNames[k].empty()) continue;
    w.BeginObject();
    w.Key("CivType").Int(kFirstDlcCivType + k);
    w.Key("CivName").String(s.DlcCivNames[k]);
    w.Key("LeaderType").Int(kFirstDlcLeaderType + k);
    w.Key("LeaderName").String(s.DlcLeaderNames[k]);
    w.EndObject();
  }
  w.EndArray();

  WriteSlots(w, s);
  IntList(w, "SessionTurns", s.SessionTurns);
  IntList(w, "SessionNumbers", s.SessionNumbers);
  w.Key("SessionListLines").BeginArray();
  for (const std::string& line : s.SessionListLines) w.String(line);
  w.EndArray();
  w.Key("GraphPlayerChecked").BeginArray();
  for (const bool checked : s.GraphPlayerChecked) w.Bool(checked);
  w.EndArray();

  w.Key("CityNames").BeginArray();
  for (size_t i = 0; i < s.CityNames.size(); ++i) {
    if (s.CityNames[i].empty()) continue;
    w.BeginObject();
    w.Key("Name").String(s.CityNames[i]);
    const int32_t row = i < s.CityNameRows.size() ? s.CityNameRows[i] : -1;
    w.Key("DisplayName").String(CityDisplayName(s.CityNames[i], row));
    w.Key("Owner").Int(i < s.CityOwners.size() ? s.CityOwners[i] : -1);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
}

void WriteBuildings(JsonWriter& w, const TCityRec& c) {
  UniqueKeys keys;
  w.Key("Buildings").BeginObject();
  for (int k = 0; k < kMaxBuildingSlots; ++k) {
    if (c.BuildingNames[k].empty()) continue;
    w.Key(keys.Of(c.BuildingNames[k], k)).BeginObject();
    w.Key("Slot").Int(k);
    w.Key("BuildingProduction").Int(c.BuildingProduction[k]);
    w.Key("BuildingDelay").Int(c.BuildingDelay[k]);
    w.Key("BuildingValue3").Int(c.BuildingValue3[k]);
    w.Key("BuildingDate").Int(c.BuildingDate[k]);
    w.Key("BuildingTurn").Int(c.BuildingTurn[k]);
    w.Key("BuildingCount").Int(c.BuildingCount[k]);
    w.Key("FreeBuildingCount").Int(c.FreeBuildingCount[k]);
    w.EndObject();
  }
  w.EndObject();
}

void WriteUnits(JsonWriter& w, const TCityRec& c) {
  UniqueKeys keys;
  w.Key("Units").BeginObject();
  for (int k = 0; k < kMaxUnitSlots; ++k) {
    if (c.UnitNames[k].empty()) continue;
    w.Key(keys.Of(c.UnitNames[k], k)).BeginObject();
    w.Key("Slot").Int(k);
    w.Key("UnitProduction").Int(c.UnitProduction[k]);
    w.Key("UnitDelay").Int(c.UnitDelay[k]);
    w.EndObject();
  }
  w.EndObject();
}

// kinds: the great-person kinds of the save's rule set.
void WriteCity(JsonWriter& w, const GameState& s, const TCityRec& c, size_t kinds) {
  w.BeginObject();
  VEK5_TEXT(w, c, Name);
  w.Key("DisplayName").String(CityDisplayName(c));
  VEK5_INT(w, c, X);
  VEK5_INT(w, c, Y);
  FlagList(w, "Flags", c.Flags);
  w.Key("NeverLost").Bool(c.Flags[kFlagNeverLost] != 0);
  w.Key("Puppet").Bool(c.Flags[kFlagPuppet] != 0);
  w.Key("Occupied").Bool(c.Flags[kFlagOccupied] != 0);
  w.Key("EverCapital").Bool(c.Flags[kFlagEverCapital] != 0);
  w.Key("Railroad").Bool(c.Flags[kFlagRailroad] != 0);
  VEK5_INT(w, c, Owner);
  VEK5_INT(w, c, PreviousOwner);
  VEK5_INT(w, c, OriginalOwner);
  VEK5_INT(w, c, Food);
  VEK5_INT(w, c, FoodExtra);
  VEK5_INT(w, c, FoodThreshold);
  VEK5_INT(w, c, OverflowProduction);
  VEK5_INT(w, c, Strength);
  VEK5_INT(w, c, WLTKDTurns);
  VEK5_INT(w, c, DisorderTurns);
  VEK5_INT(w, c, Culture);
  VEK5_INT(w, c, CultureStep);
  VEK5_INT(w, c, CultureThreshold);
  VEK5_INT(w, c, FoundedTurn);
  VEK5_INT(w, c, CapturedTurn);
  VEK5_INT(w, c, Population);
  VEK5_INT(w, c, MaxPopulation);
  VEK5_INT(w, c, ProductionType);
  VEK5_INT(w, c, ProductionItem);
  w.Key("Queue").BeginArray();
  for (int i = 0; i < std::clamp(c.QueueLength, 0, kQueueCapacity); ++i) {
    const TQueueEntry& q = c.Queue[i];
    w.BeginObject();
    VEK5_INT(w, q, Type);
    VEK5_INT(w, q, Item);
    VEK5_INT(w, q, Value);
    VEK5_FLAG(w, q, Flag1);
    VEK5_FLAG(w, q, Flag2);
    w.EndObject();
  }
  w.EndArray();
  VEK5_INT(w, c, QueueLength);
  IntList(w, "CultureParts", c.CultureParts);
  VEK5_INT(w, c, CultureModifier);
  IntList(w, "FaithParts", c.FaithParts);
  VEK5_FLAG(w, c, HasGarden);
  VEK5_FLAG(w, c, HasFloatingGardens);
  VEK5_FLAG(w, c, HasCourthouse);
  VEK5_FLAG(w, c, HasNationalEpic);
  VEK5_FLAG(w, c, HasWorldWonder);
  VEK5_FLAG(w, c, HasPalace);
  VEK5_INT(w, c, GreatPersonBonus);
  VEK5_INT(w, c, CultureBonus);
  VEK5_INT(w, c, CulturePerTurn);
  VEK5_INT(w, c, CultureBeforeBonus);
  VEK5_INT(w, c, FaithPerTurn);
  VEK5_INT(w, c, PopulationUnhappiness);
  VEK5_INT(w, c, SpecialistUnhappiness);
  WriteBuildings(w, c);
  w.Key("ProjectProduction").BeginObject();
  for (int r = 0; r < kProjectRows; ++r) w.Key(ProjectInfo[r].Name).Int(c.ProjectProduction[r]);
  w.EndObject();
  WriteUnits(w, c);
  w.Key("YieldArrays").BeginArray();
  for (const auto& yields : c.YieldArrays) {
    // Element 0 is the stored length, the values follow.
    const int n = std::clamp(yields[0], 0, kYieldArrayLength - 1);
    w.BeginArray();
    for (int k = 1; k <= n; ++k) w.Int(yields[k]);
    w.EndArray();
  }
  w.EndArray();
  IntList(w, "GPPoints", std::span(c.GPPoints).first(kinds));
  IntList(w, "GPRate", std::span(c.GPRate).first(kinds));
  w.Key("GPTurns").BeginArray();
  for (const float t : std::span(c.GPTurns).first(kinds)) w.Float(t);
  w.EndArray();
  VEK5_INT(w, c, OtherSpecialists);
  IntList(w, "GPSpecialists", std::span(c.GPSpecialists).first(kinds));
  IntList(w, "GPBuildings", std::span(c.GPBuildings).first(kinds));
  VEK5_FLAG(w, c, CitizensRead);
  VEK5_INT(w, c, WorkedTiles);
  VEK5_INT(w, c, UnassignedCitizens);
  VEK5_INT(w, c, ReligionCount);
  w.Key("Religions").BeginArray();
  for (int i = 0; i < std::clamp(c.ReligionCount, 0, kMaxCityReligions); ++i) {
    const TCityReligion& r = c.Religions[i];
    w.BeginObject();
    VEK5_INT(w, r, Value0);
    VEK5_INT(w, r, ReligionId);
    w.Key("ReligionName").String(ReligionName(s, r.ReligionId));
    VEK5_FLAG(w, r, Holy);
    VEK5_INT(w, r, Followers);
    VEK5_INT(w, r, Pressure);
    w.Key("Percent").Float(r.Percent);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
}

void WriteLog(JsonWriter& w, const TNotificationLog& log) {
  w.Key("Log").BeginObject();
  VEK5_INT(w, log, First);
  VEK5_INT(w, log, Stop);
  w.Key("Messages").BeginArray();
  for (int i = 0; i < kLogMessageSlots; ++i) {
    const TMessageRec& m = log.Messages[i];
    if (m.Text.empty() && m.Summary.empty()) continue;
    w.BeginObject();
    w.Key("Index").Int(i);
    VEK5_INT(w, m, Kind);
    VEK5_TEXT(w, m, Text);
    VEK5_TEXT(w, m, Summary);
    IntList(w, "Params", m.Params);
    VEK5_INT(w, m, Turn);
    VEK5_INT(w, m, Extra);
    VEK5_INT(w, m, Flag);
    VEK5_INT(w, m, Tail);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
}

void WritePlayer(JsonWriter& w, const GameState& s, int entry) {
  const TLeaderInfoRec& p = s.Leaders[entry];
  const int entries = EntryCount(s);
  w.BeginObject();
  w.Key("Entry").Int(entry);
  VEK5_INT(w, p, Slot);
  VEK5_TEXT(w, p, LeaderName);
  VEK5_TEXT(w, p, CivName);
  VEK5_TEXT(w, p, TraitName);
  VEK5_INT(w, p, CivType);
  VEK5_INT(w, p, LeaderType);
  VEK5_INT(w, p, SlotStatus);
  VEK5_FLAG(w, p, SlotIsMinor);
  VEK5_FLAG(w, p, Alive);
  VEK5_FLAG(w, p, EverAlive);
  VEK5_FLAG(w, p, AliveFromRecord);
  VEK5_INT(w, p, Team);
  VEK5_INT(w, p, CityCount);
  VEK5_INT(w, p, NationalCities);
  VEK5_INT(w, p, OccupiedCities);
  VEK5_INT(w, p, PuppetCities);
  VEK5_INT(w, p, Gold);
  VEK5_INT(w, p, DiploGold);
  VEK5_INT(w, p, ResearchingTech);
  // The rows in order, the one researched now first; null when the queue was not found.
  if (p.ResearchQueueLength < 0) {
    w.Key("ResearchQueue").Null();
  } else {
    const auto length = static_cast<size_t>(std::min(p.ResearchQueueLength, kMaxResearchQueue));
    IntList(w, "ResearchQueue", std::span(p.ResearchQueue).first(length));
  }
  VEK5_INT(w, p, ResearchOverflow);
  FlagList(w, "TechKnown", std::span(p.TechKnown).first(TechRowCount(s)));
  IntList(w, "TechProgress", std::span(p.TechProgress).first(TechRowCount(s)));
  w.Key("PolicyAdopted").BeginArray();
  for (int r = 0; r < PolicyRowCount(s); ++r) {
    if (s.PolicyAdopted[entry][r] != 0) w.String(PolicyKey(s, r));
  }
  w.EndArray();
  VEK5_INT(w, p, PolicyCount);
  VEK5_INT(w, p, PolicyCulture);
  VEK5_INT(w, p, PolicyCultureNeeded);
  VEK5_INT(w, p, TotalCulture);
  VEK5_INT(w, p, CultureFromCS);
  VEK5_INT(w, p, CultureGoldenAgeBonus);
  VEK5_INT(w, p, CultureFromHappiness);
  VEK5_INT(w, p, CultureBase);
  VEK5_INT(w, p, CulturePerTurn);
  VEK5_INT(w, p, Happiness);
  VEK5_INT(w, p, GoldenAgeProgress);
  VEK5_INT(w, p, GoldenAgeCount);
  VEK5_INT(w, p, GoldenAgeThreshold);
  VEK5_INT(w, p, GoldenAgeTurns);
  VEK5_INT(w, p, GreatGeneralPoints);
  VEK5_INT(w, p, GreatGeneralTotal);
  VEK5_INT(w, p, GreatGeneralThreshold);
  VEK5_INT(w, p, GPLimit);
  VEK5_INT(w, p, GreatPeopleBorn);
  VEK5_INT(w, p, Int1);
  VEK5_INT(w, p, Int2);
  VEK5_INT(w, p, Int3);
  VEK5_INT(w, p, Int4);
  VEK5_INT(w, p, CityUnhappiness);
  VEK5_INT(w, p, PopulationUnhappiness);
  VEK5_INT(w, p, SpecialistUnhappiness);
  VEK5_INT(w, p, OccupiedUnhappiness);
  VEK5_INT(w, p, Unhappiness);
  VEK5_INT(w, p, TotalHappiness);
  VEK5_INT(w, p, Faith);
  VEK5_INT(w, p, TotalFaith);
  VEK5_INT(w, p, FaithPerTurn);
  VEK5_INT(w, p, FaithFromCS);
  VEK5_INT(w, p, FaithFromCities);
  IntList(w, "Beliefs", p.Beliefs);
  // Indexed by player entry, so trimmed to the entries in use.
  FlagList(w, "CSFriend", std::span(p.CSFriend).first(entries));
  FlagList(w, "CSAlly", std::span(p.CSAlly).first(entries));
  const size_t kinds = s.ZephPresent != 0 ? kGreatPersonKinds : kClassicGreatPersonKinds;
  w.Key("cities").BeginArray();
  for (const TCityRec& city : s.Cities[entry]) {
    if (!city.Name.empty()) WriteCity(w, s, city, kinds);
  }
  w.EndArray();
  if (entry < static_cast<int>(s.PlayerLogs.size())) WriteLog(w, s.PlayerLogs[entry]);
  w.EndObject();
}

void WriteHistory(JsonWriter& w, const GameState& s, const std::function<void()>& after_entry) {
  const auto names = SeriesNames(s);
  const int sets = std::min({EntryCount(s), static_cast<int>(s.HistoryData.size()),
                             static_cast<int>(s.HistoryStored.size())});
  w.Key("history").BeginArray();
  for (int entry = 0; entry < sets; ++entry) {
    const THistorySet& set = s.HistoryData[entry];
    const THistoryStored& stored = s.HistoryStored[entry];
    w.BeginObject();
    for (size_t series = 0; series < names.size(); ++series) {
      // Exactly the pairs the save stored.
      w.Key(names[series]).BeginArray();
      // The count ends the walk at the last stored turn instead of the table's end.
      const std::bitset<kHistoryTurns>& turns = stored.Turns[series];
      for (size_t turn = 0, left = turns.count(); left > 0; ++turn) {
        if (!turns.test(turn)) continue;
        --left;
        w.IntPair(static_cast<int64_t>(turn), set[series][turn]);
      }
      w.EndArray();
    }
    w.EndObject();
    after_entry();
  }
  w.EndArray();
}

void WriteReplay(JsonWriter& w, const GameState& s) {
  const int count = std::clamp<int>(s.ReplayMessageCount, 0, s.ReplayMessages.size());
  w.Key("replay").BeginArray();
  for (int i = 0; i < count; ++i) {
    w.BeginObject();
    VEK5_INT(w, s.ReplayMessages[i], Turn);
    VEK5_TEXT(w, s.ReplayMessages[i], Text);
    w.EndObject();
  }
  w.EndArray();
}

void WriteLeague(JsonWriter& w, const GameState& s) {
  w.Key("league").BeginArray();
  for (const TLeagueProjectRec& project : s.LeagueProjects) {
    w.BeginObject();
    VEK5_INT(w, project, Type);
    // [slot, contribution] for every slot that contributed.
    w.Key("Contribution").BeginArray();
    for (int slot = 0; slot < kMaxSlots; ++slot) {
      if (project.Contribution[slot] == 0) continue;
      w.BeginArray();
      w.Int(slot);
      w.Int(project.Contribution[slot]);
      w.EndArray();
    }
    w.EndArray();
    VEK5_INT(w, project, Flag1);
    VEK5_INT(w, project, Flag2);
    VEK5_INT(w, project, Total);
    w.EndObject();
  }
  w.EndArray();
}

// The name of the entry that holds a slot, empty when none does.
std::string_view NameOfSlot(const GameState& s, int slot) {
  for (int e = 0; e < EntryCount(s); ++e) {
    if (s.Leaders[e].Slot == slot) return s.Leaders[e].LeaderName;
  }
  return {};
}

// The pantheons and religions of the religion section, in save order.
void WriteReligions(JsonWriter& w, const GameState& s) {
  w.Key("religions").BeginArray();
  for (const TReligionRec& r : s.Religions) {
    w.BeginObject();
    VEK5_INT(w, r, Type);
    w.Key("TypeName").String(ReligionTypeName(s, r.Type));
    VEK5_INT(w, r, Founder);
    VEK5_INT(w, r, HolyCityX);
    VEK5_INT(w, r, HolyCityY);
    VEK5_INT(w, r, FoundedTurn);
    VEK5_FLAG(w, r, Pantheon);
    VEK5_FLAG(w, r, Enhanced);
    VEK5_TEXT(w, r, CustomName);
    w.Key("Name").String(r.Pantheon != kFalse ? ReligionTypeName(s, r.Type)
                                              : ReligionName(s, r.Type));
    w.EndObject();
  }
  w.EndArray();
}

void WriteCityStates(JsonWriter& w, const GameState& s) {
  w.Key("cityStates").BeginArray();
  for (int cs = 0; cs < kMaxSlots; ++cs) {
    if (!IsMinor(s, cs)) continue;
    w.BeginObject();
    w.Key("Slot").Int(cs);
    w.Key("Name").String(NameOfSlot(s, cs));
    w.Key("Players").BeginArray();
    for (int player = 0; player < kMaxSlots; ++player) {
      if (!IsPlayer(s, player)) continue;
      w.BeginObject();
      w.Key("Slot").Int(player);
      w.Key("Name").String(NameOfSlot(s, player));
      w.Key("CSInfluence").Int(s.CSInfluence[cs][player]);
      w.Key("CSFriends").Bool(s.CSFriends[cs][player] != 0);
      w.Key("CSAllies").Bool(s.CSAllies[cs][player] != 0);
      w.EndObject();
    }
    w.EndArray();
    w.EndObject();
  }
  w.EndArray();
}

#undef VEK5_INT
#undef VEK5_FLAG
#undef VEK5_TEXT

// Length of the valid UTF-8 sequence starting at text[i], 0 when it is not one.
// The texts of the small integers a map layer holds, made once: a map's layers are its largest
// arrays after the history.
class SmallIntTexts {
 public:
  SmallIntTexts() {
    for (int v = INT8_MIN; v <= INT8_MAX; ++v) {
      const std::string text = std::to_string(v) + ",";
      Entry& e = entries_[static_cast<size_t>(v - INT8_MIN)];
      std::copy(text.begin(), text.end(), e.Text);
      e.Length = static_cast<uint8_t>(text.size());
    }
  }
  // The value's digits followed by a comma.
  std::string_view Of(int8_t v) const {
    const Entry& e = entries_[static_cast<size_t>(v - INT8_MIN)];
    return {e.Text, e.Length};
  }

 private:
  struct Entry {
    char Text[5];
    uint8_t Length;
  };
  std::array<Entry, 256> entries_{};
};

const SmallIntTexts& IntTexts() {
  static const SmallIntTexts texts;
  return texts;
}

// One value per plot, in plot order: [v0,v1,...].
template <typename Value>
void PlotLayer(JsonWriter& w, JsonWriter::LiteralKey key, const WorldMap& map, Value value) {
  const SmallIntTexts& texts = IntTexts();
  std::string array;
  array.reserve(map.Plots.size() * 3 + 2);
  array += '[';
  for (const MapPlot& plot : map.Plots) array.append(texts.Of(value(plot)));
  if (!map.Plots.empty()) array.pop_back();
  array += ']';
  w.Key(key).Raw(array);
}

template <typename Name>
void NameList(JsonWriter& w, JsonWriter::LiteralKey key, int rows, Name name) {
  w.Key(key).BeginArray();
  for (int row = 0; row < rows; ++row) w.String(name(row));
  w.EndArray();
}

// The map: its size and one array per layer, each row referred to by its index in the layer's
// list of names (-1 none, -2 unknown or not read).
void WriteMap(JsonWriter& w, const GameState& s) {
  const WorldMap& map = s.Map;
  w.Key("map");
  if (!map.Readable()) {
    w.Null();
    return;
  }
  w.BeginObject();
  w.Key("Width").Int(map.Width);
  w.Key("Height").Int(map.Height);
  w.Key("WrapX").Bool(map.WrapX);
  w.Key("WrapY").Bool(map.WrapY);
  NameList(w, "PlotTypeNames", kMapPlotTypeRows,
           [](int row) { return PlotTypeName(static_cast<int8_t>(row)); });
  NameList(w, "TerrainNames", kMapTerrainRows,
           [](int row) { return TerrainName(static_cast<int8_t>(row)); });
  NameList(w, "FeatureNames", FeatureRowCount(map.Rules),
           [&map](int row) { return FeatureName(map.Rules, static_cast<int8_t>(row)); });
  NameList(w, "ResourceNames", static_cast<int>(map.Resources.size()),
           [&map](int row) { return ResourceName(map, static_cast<int16_t>(row)); });
  NameList(w, "ImprovementNames", ImprovementRowCount(map.Rules),
           [&map](int row) { return ImprovementName(map.Rules, static_cast<int8_t>(row)); });
  NameList(w, "RouteNames", kMapRouteRows,
           [](int row) { return RouteName(static_cast<int8_t>(row)); });
  PlotLayer(w, "PlotType", map, [](const MapPlot& p) { return p.PlotType; });
  PlotLayer(w, "Terrain", map, [](const MapPlot& p) { return p.Terrain; });
  PlotLayer(w, "Feature", map, [](const MapPlot& p) { return p.Feature; });
  // Resource rows beyond an int8 are written as unknown; the game's tables hold 42.
  PlotLayer(w, "Resource", map, [](const MapPlot& p) {
    return p.Resource > INT8_MAX ? kMapUnknown : static_cast<int8_t>(p.Resource);
  });
  PlotLayer(w, "Improvement", map, [](const MapPlot& p) { return p.Improvement; });
  PlotLayer(w, "Route", map, [](const MapPlot& p) { return p.Route; });
  PlotLayer(w, "Owner", map, [](const MapPlot& p) { return p.Owner; });
  PlotLayer(w, "CityOwner", map, [](const MapPlot& p) { return p.CityOwner; });
  w.EndObject();
}

size_t Utf8SequenceLength(std::string_view text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
  const uint8_t b = byte(i);
  size_t length = 0;
  uint32_t min = 0;
  uint32_t code = 0;
  if (b < 0x80) return 1;
  if ((b & 0xE0) == 0xC0) {
    length = 2, min = 0x80, code = b & 0x1F;
  } else if ((b & 0xF0) == 0xE0) {
    length = 3, min = 0x800, code = b & 0x0F;
  } else if ((b & 0xF8) == 0xF0) {
    length = 4, min = 0x10000, code = b & 0x07;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (size_t i = 0; i < text.size();) {
    // A run of printable ASCII that needs no escape is copied whole.
    size_t plain = i;
    while (plain < text.size() && IsPlainJsonByte(text[plain])) ++plain;
    out.append(text.substr(i, plain - i));
    i = plain;
    if (i == text.size()) break;
    const char c = text[i];
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += "\\ufffd";
      ++i;
      continue;
    }
    if (length > 1) {
      out.append(text.substr(i, length));
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (static_cast<uint8_t>(c) < 0x20 || c == 0x7F) {
      out += fmt::format("\\u{:04x}", static_cast<unsigned>(static_cast<uint8_t>(c)));
    } else {
      out += c;
    }
    i += length;
  }
  out += '"';
}

namespace {

// About what a document takes: the game and its tables, each stored history value, each city.
constexpr size_t kJsonBaseBytes = size_t{1} << 20;
constexpr size_t kJsonBytesPerHistoryValue = 12;
constexpr size_t kJsonBytesPerCity = 8 << 10;
constexpr size_t kJsonBytesPerPlot = 8 * 3;

// Reserved up front, so that a document of several megabytes is not copied as it grows.
size_t JsonSizeEstimate(const GameState& s) {
  size_t values = 0;
  for (const THistoryStored& stored : s.HistoryStored) {
    for (const auto& turns : stored.Turns) values += turns.count();
  }
  size_t cities = 0;
  for (const auto& list : s.Cities) cities += list.size();
  return kJsonBaseBytes + values * kJsonBytesPerHistoryValue + cities * kJsonBytesPerCity +
         s.Map.Plots.size() * kJsonBytesPerPlot;
}

// A document written to a stream goes out in pieces of about this size, so that even the largest
// game's document never lies whole in memory: the same few pages are filled again and again.
constexpr size_t kJsonPieceBytes = size_t{256} << 10;

// Writes the document into out, calling `drain` after each player and each history entry
// (where a stream takes what is written so far).
void WriteDocument(const GameState& state, std::string& out, const std::function<void()>& drain) {
  JsonWriter w(out);
  w.BeginObject();
  WriteGame(w, state);
  w.Key("players").BeginArray();
  for (int entry = 0; entry < EntryCount(state); ++entry) {
    WritePlayer(w, state, entry);
    drain();
  }
  w.EndArray();
  WriteHistory(w, state, drain);
  WriteReplay(w, state);
  WriteLeague(w, state);
  WriteCityStates(w, state);
  WriteMap(w, state);
  WriteReligions(w, state);
  w.EndObject();
  out += '\n';
}

}  // namespace

std::string StateToJson(const GameState& state) {
  std::string out;
  out.reserve(JsonSizeEstimate(state));
  WriteDocument(state, out, [] {});
  return out;
}

void WriteStateJson(const GameState& state, std::ostream& stream) {
  std::string out;
  out.reserve(2 * kJsonPieceBytes);
  WriteDocument(state, out, [&stream, &out] {
    if (out.size() < kJsonPieceBytes) return;
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    out.clear();
  });
  stream.write(out.data(), static_cast<std::streamsize>(out.size()));
}

}  // namespace vek5
