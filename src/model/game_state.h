// The game-state model: everything one analysis learns from a save.
// A fresh GameState is filled by every analysis; nothing carries over from an earlier save.
#pragma once

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/world_map.h"

namespace vek5 {

// Capacities of the model. Lists in a save longer than these are read and stored up to them.
inline constexpr int kMaxSlots = 64;
static_assert(kMapSlots == kMaxSlots, "the map's holdings are kept per player slot");
inline constexpr int kMaxCitiesPerPlayer = 500;
inline constexpr int kMaxCityNames = 500;
inline constexpr int kMaxBuildingSlots = 150;
inline constexpr int kMaxUnitSlots = 150;
inline constexpr int kHistorySeries = 27;
inline constexpr int kHistoryTurns = 1501;
inline constexpr int kMaxReplayMessages = 65536;
inline constexpr int kMaxSessionTurns = 65536;
inline constexpr int kLogRingSize = 100;
inline constexpr int kLogMessageSlots = 101;
inline constexpr int kPlayerLogCount = 65;
inline constexpr int kMaxTechRows = 81;
inline constexpr int kMaxResearchQueue = 100;
inline constexpr int kMaxPolicyRows = 111;
inline constexpr int kBeliefSlots = 7;
inline constexpr int kMaxDlcEntries = 99;
inline constexpr int kMaxDlcCivs = 50;
inline constexpr int kVictoryTypes = 5;
inline constexpr int kMaxGameOptions = 24;
inline constexpr int kLeagueProjectCount = 3;
inline constexpr int kQueueCapacity = 20;
inline constexpr int kCityFlagCount = 10;
inline constexpr int kYieldArrayCount = 18;
inline constexpr int kYieldArrayLength = 7;
inline constexpr int kCultureParts = 5;
inline constexpr int kFaithParts = 4;
// Great-person kinds of the model, in this order: artist, scientist, merchant, engineer (every
// rule set), then writer and musician (Zeph only).
inline constexpr int kGreatPersonKinds = 6;
inline constexpr int kClassicGreatPersonKinds = 4;
inline constexpr int kGreatArtist = 0;
inline constexpr int kGreatScientist = 1;
inline constexpr int kGreatMerchant = 2;
inline constexpr int kGreatEngineer = 3;
inline constexpr int kGreatWriter = 4;
inline constexpr int kGreatMusician = 5;
inline constexpr int kProjectRows = 7;
inline constexpr int kMaxCityReligions = 13;
inline constexpr int kMaxReligionRecords = 64;
inline constexpr int kReligionNameBytes = 128;

// Flags of the model hold -1 for true and 0 for false.
inline constexpr int32_t kTrue = -1;
inline constexpr int32_t kFalse = 0;

struct TLeaderInfoRec {
  std::string LeaderName;
  std::string CivName;
  std::string TraitName;
  int32_t CivType = 0;
  int32_t LeaderType = 0;
  int32_t Slot = 0;
  int32_t SlotStatus = 0;
  int32_t SlotIsMinor = 0;
  // Whether the player is in the game: from his record in the body where it names its slot and
  // holds flags that agree (AliveFromRecord), else from the slot status, which can stay
  // "alive" after the last city fell.
  int32_t Alive = kTrue;
  int32_t EverAlive = kTrue;
  int32_t AliveFromRecord = kFalse;
  int32_t Team = 0;  // the slot's team, whose technology table the entry shares
  int32_t CityCount = 0;
  int32_t NationalCities = 0;
  int32_t OccupiedCities = 0;
  int32_t PuppetCities = 0;
  int32_t Gold = 0;
  int32_t DiploGold = 0;
  int32_t ResearchingTech = 0;  // technology row researched now; -1 when it cannot be told
  // The research queue, its first entry ResearchingTech: 0 entries when nothing is researched,
  // -1 when the save's queue was not found.
  int32_t ResearchQueueLength = -1;
  std::array<int32_t, kMaxResearchQueue> ResearchQueue{};
  int32_t ResearchOverflow = 0;
  std::array<int32_t, kMaxTechRows> TechKnown{};
  std::array<int32_t, kMaxTechRows> TechProgress{};
  int32_t PolicyCount = 0;
  int32_t PolicyCulture = 0;
  int32_t PolicyCultureNeeded = 0;
  int32_t TotalCulture = 0;
  int32_t CultureFromCS = 0;
  int32_t CultureGoldenAgeBonus = 0;
  int32_t CultureFromHappiness = 0;
  int32_t CultureBase = 0;
  int32_t CulturePerTurn = 0;
  int32_t Happiness = 0;
  int32_t GoldenAgeProgress = 0;
  int32_t GoldenAgeCount = 0;
  int32_t GoldenAgeThreshold = 0;
  int32_t GoldenAgeTurns = 0;
  int32_t GreatGeneralPoints = 0;
  int32_t GreatGeneralTotal = 0;
  int32_t GreatGeneralThreshold = 0;
  int32_t GPLimit = 0;
  int32_t GreatPeopleBorn = 0;
  int32_t Int1 = 0;
  int32_t Int2 = 0;
  int32_t Int3 = 0;
  int32_t Int4 = 0;
  int32_t CityUnhappiness = 0;
  int32_t PopulationUnhappiness = 0;
  int32_t SpecialistUnhappiness = 0;
  int32_t OccupiedUnhappiness = 0;
  int32_t Unhappiness = 0;
  int32_t TotalHappiness = 0;
  int32_t Faith = 0;
  int32_t TotalFaith = 0;
  int32_t FaithPerTurn = 0;
  int32_t FaithFromCS = 0;
  int32_t FaithFromCities = 0;
  std::array<int32_t, kBeliefSlots> Beliefs{};
  std::array<int32_t, kMaxSlots> CSFriend{};
  std::array<int32_t, kMaxSlots> CSAlly{};
};

// Kinds of game the header names.
inline constexpr int32_t kGameSinglePlayer = 0;
inline constexpr int32_t kGameNetwork = 1;
inline constexpr int32_t kGameHotseat = 2;
inline constexpr int32_t kGameEmail = 3;

// The loads a save counts, set beside the loads its game needed. With one human every session
// is a load of that human's; with several each human turn needs a load of its own (a game passed
// from player to player is loaded once per human and turn), so the counter is compared with the
// human turns of the turns played.
struct TLoadsRec {
  int32_t Humans = 0;    // human players of the game, those who left included
  int32_t Sessions = 0;  // the save's session counter
  // One per human turn over the turns played; none with one human.
  std::optional<int32_t> NeededLoads;
  // Sessions - NeededLoads (below 0 when fewer); none without NeededLoads or when uncounted.
  std::optional<int32_t> ExtraLoads;
  int32_t Countable = kTrue;  // kFalse: far fewer sessions than human turns (a reset counter)
  // Session starts of the replay grouped by turn, in turn order: (turn, sessions started).
  std::vector<std::pair<int32_t, int32_t>> PerTurn;
};

struct TReplayMsgRec {
  int32_t Turn = 0;
  std::string Text;
};

struct TMessageRec {
  int32_t Kind = 0;
  std::string Text;
  std::string Summary;
  std::array<int32_t, 4> Params{};
  int32_t Turn = 0;
  int32_t Extra = 0;
  int32_t Flag = 0;
  int32_t Tail = 0;
};

struct TNotificationLog {
  int32_t First = 0;
  int32_t Stop = 0;
  std::array<TMessageRec, kLogMessageSlots> Messages{};
};

struct TLeagueProjectRec {
  int32_t Type = -1;
  std::array<int32_t, kMaxSlots> Contribution{};
  int32_t Flag1 = 0;
  int32_t Flag2 = 0;
  int32_t Total = 0;
};

struct TQueueEntry {
  int32_t Type = 0;
  int32_t Item = 0;
  int32_t Value = 0;
  int32_t Flag1 = 0;
  int32_t Flag2 = 0;
};

// A pantheon or religion as the religion section records it (first expansion and Zeph).
struct TReligionRec {
  int32_t Type = 0;       // the religion's type, as the cities' ReligionId numbers it
  int32_t Founder = 0;    // the founding player, as read (a Leaders entry)
  int32_t HolyCityX = 0;  // the holy city's plot; meaningless for a pantheon
  int32_t HolyCityY = 0;
  int32_t FoundedTurn = 0;
  int32_t Pantheon = 0;
  int32_t Enhanced = 0;
  std::string CustomName;  // the name its founder gave it; empty when he kept the type's name
};

struct TCityReligion {
  int32_t Value0 = 0;
  int32_t ReligionId = 0;
  int32_t Holy = 0;
  int32_t Followers = 0;
  int32_t Pressure = 0;
  float Percent = 0;
};

// Indexes into TCityRec::Flags.
inline constexpr int kFlagNeverLost = 0;
inline constexpr int kFlagPuppet = 3;
inline constexpr int kFlagOccupied = 5;
inline constexpr int kFlagEverCapital = 7;
inline constexpr int kFlagRailroad = 8;

struct TCityRec {
  std::string Name;      // as read, with a stored key cut down to its last words
  int32_t NameRow = -1;  // row of CityNameInfo when the stored name is a known key
  int32_t X = 0;
  int32_t Y = 0;
  std::array<int32_t, kCityFlagCount> Flags{};
  int32_t Owner = 0;
  int32_t PreviousOwner = -1;
  int32_t OriginalOwner = -1;
  int32_t Food = 0;
  int32_t FoodExtra = 0;
  int32_t FoodThreshold = 0;
  int32_t OverflowProduction = 0;
  int32_t Strength = 0;
  int32_t WLTKDTurns = 0;
  int32_t DisorderTurns = 0;
  int32_t Culture = 0;
  int32_t CultureStep = 0;
  int32_t CultureThreshold = 0;
  int32_t FoundedTurn = 0;
  int32_t CapturedTurn = 0;
  int32_t Population = 0;
  int32_t MaxPopulation = 0;
  int32_t ProductionType = 0;
  int32_t ProductionItem = 0;
  std::array<TQueueEntry, kQueueCapacity> Queue{};
  int32_t QueueLength = 0;
  std::array<int32_t, kCultureParts> CultureParts{};
  int32_t CultureModifier = 0;
  std::array<int32_t, kFaithParts> FaithParts{};
  int32_t HasGarden = 0;
  int32_t HasFloatingGardens = 0;
  int32_t HasCourthouse = 0;
  int32_t HasNationalEpic = 0;
  int32_t HasWorldWonder = 0;
  int32_t HasPalace = 0;
  int32_t GreatPersonBonus = 0;
  int32_t CultureBonus = 0;
  int32_t CulturePerTurn = 0;
  int32_t CultureBeforeBonus = 0;
  int32_t FaithPerTurn = 0;
  int32_t PopulationUnhappiness = 0;
  int32_t SpecialistUnhappiness = 0;
  std::array<std::string, kMaxBuildingSlots> BuildingNames{};
  std::array<int32_t, kMaxBuildingSlots> BuildingProduction{};
  std::array<int32_t, kMaxBuildingSlots> BuildingDelay{};
  std::array<int32_t, kMaxBuildingSlots> BuildingValue3{};
  std::array<int32_t, kMaxBuildingSlots> BuildingDate{};
  std::array<int32_t, kMaxBuildingSlots> BuildingTurn{};
  std::array<int32_t, kMaxBuildingSlots> BuildingCount{};
  std::array<int32_t, kMaxBuildingSlots> FreeBuildingCount{};
  std::array<int32_t, kProjectRows> ProjectProduction{};
  std::array<std::string, kMaxUnitSlots> UnitNames{};
  std::array<int32_t, kMaxUnitSlots> UnitProduction{};
  std::array<int32_t, kMaxUnitSlots> UnitDelay{};
  std::array<std::array<int32_t, kYieldArrayLength>, kYieldArrayCount> YieldArrays{};
  std::array<int32_t, kGreatPersonKinds> GPPoints{};
  std::array<int32_t, kGreatPersonKinds> GPRate{};
  std::array<float, kGreatPersonKinds> GPTurns{};
  int32_t OtherSpecialists = 0;
  std::array<int32_t, kGreatPersonKinds> GPSpecialists{};
  std::array<int32_t, kGreatPersonKinds> GPBuildings{};
  // Zeph records: whether the citizens block after the queue was found, and the citizens it
  // places outside the specialist slots.
  int32_t CitizensRead = 0;
  int32_t WorkedTiles = 0;
  int32_t UnassignedCitizens = 0;
  int32_t ReligionCount = 0;
  std::array<TCityReligion, kMaxCityReligions> Religions{};
};

constexpr std::array<int32_t, kMaxSlots> FilledSlots(int32_t value) {
  std::array<int32_t, kMaxSlots> a{};
  a.fill(value);
  return a;
}

// Slot k at index k: a game without teams puts every slot in a team of its own.
constexpr std::array<int32_t, kMaxSlots> SlotNumbers() {
  std::array<int32_t, kMaxSlots> a{};
  for (int k = 0; k < kMaxSlots; ++k) a[k] = k;
  return a;
}

// The values of one history series by absolute turn. It holds the turns up to the last one
// written, so a short game keeps little; a turn beyond them, or never written, reads 0.
class THistoryRow {
 public:
  int32_t operator[](size_t turn) const { return turn < values_.size() ? values_[turn] : 0; }
  // Turns from kHistoryTurns on are not kept.
  void Set(size_t turn, int32_t value) {
    if (turn >= static_cast<size_t>(kHistoryTurns)) return;
    if (turn >= values_.size()) values_.resize(turn + 1, 0);
    values_[turn] = value;
  }
  // Makes room for the turns before `turns` at once, for a reader that knows how far it goes.
  void Extend(size_t turns) {
    const size_t kept = std::min(turns, static_cast<size_t>(kHistoryTurns));
    if (kept > values_.size()) values_.resize(kept);
  }

 private:
  std::vector<int32_t> values_;
};

// History values of one player data set: [series][absolute turn].
using THistorySet = std::array<THistoryRow, kHistorySeries>;

// What the save stored for one data set: the series its block held and, per series, the turns
// that have a value. A turn the save did not store reads 0 in the values.
struct THistoryStored {
  std::bitset<kHistorySeries> Series;
  std::array<std::bitset<kHistoryTurns>, kHistorySeries> Turns;
};

struct GameState {
  // Version, rule set and settings.
  int32_t SaveVersion = 0;
  std::string GameVersion;
  std::string BuildText;
  int32_t BuildNumber = 0;
  int32_t Build341540OrLater = 0;
  int32_t Build379995OrLater = 0;
  int32_t Exp1Present = 0;
  int32_t ZephPresent = 0;
  int32_t SlotKeysPresent = 0;
  // Set when the save's city layout is not known to hold food, culture, celebration, disorder,
  // great-person and religion values where the reader looks: the views leave them empty.
  int32_t CityDetailsUnknown = 0;
  std::string PlayerCivName;
  std::string HandicapName;
  std::string StartEraName;
  std::string CurrentEraName;
  std::string GameSpeedName;
  std::string WorldSizeName;
  std::string MapScriptName;
  std::string UserName;
  int32_t StartEraIndex = 0;
  int32_t CurrentEraIndex = 0;
  std::array<std::string, kMaxDlcEntries> DlcNames{};
  std::array<int32_t, kMaxDlcEntries> DlcListed{};
  std::array<std::string, kMaxDlcCivs> DlcCivNames{};
  std::array<std::string, kMaxDlcCivs> DlcLeaderNames{};
  std::array<int32_t, kVictoryTypes> VictoryAllowed{};
  std::array<std::string, kMaxGameOptions> GameOptionNames{};
  std::array<int32_t, kMaxGameOptions> GameOptionValues{};
  // The kind of game (kGameSinglePlayer ...): the header's byte and its copy in the slot section.
  int32_t GameType = kGameSinglePlayer;
  int32_t SlotGameType = kGameSinglePlayer;
  int32_t ActivePlayer = 0;  // the slot whose turn it is

  // The file as loaded: a save that ends early holds only the first BodyLength bytes of its
  // body, and everything read from beyond them is missing. BodyShareRead is the percent of the
  // compressed body the file held, -1 when that cannot be known.
  int32_t BodyEndsEarly = 0;
  int32_t BodyLength = 0;
  int32_t BodyShareRead = -1;

  // Turns, time and modifiers.
  int32_t TurnsPlayed = 0;
  int32_t StartTurn = 0;
  int32_t CurrentTurn = 0;
  int32_t MaxTurns = 0;
  int32_t SpeedIndex = 2;
  int32_t SpeedPercent = 0;
  int32_t CurrentYear = 0;
  std::string CurrentDateText;
  int32_t PlayTime = 0;
  int32_t PlayTimeSeconds = 0;
  int32_t HandicapIndex = 0;
  int32_t Score = 0;
  int32_t GameOver = 0;
  int32_t VictoryType = 0;
  int32_t LevelMod1 = 0;
  int32_t LevelMod2 = 0;
  int32_t LevelMod4 = 0;
  int32_t LevelMod5 = 0;
  int32_t LevelMod6 = 0;
  int32_t LevelMod7 = 0;
  int32_t EraMod1 = 0;
  int32_t EraMod3 = 0;
  int32_t EraMod4 = 0;
  int32_t WorldSizeIndex = 3;
  int32_t WorldSizePercent = 0;

  // Player slots, indexed by the save's slot number. A negative civilization type is unlisted.
  std::array<int32_t, kMaxSlots> SlotCivType = FilledSlots(-1);
  std::array<int32_t, kMaxSlots> SlotLeaderType{};
  std::array<int32_t, kMaxSlots> SlotMinorCivType{};
  std::array<int32_t, kMaxSlots> SlotStatus{};
  std::array<int32_t, kMaxSlots> SlotIsMinor{};
  std::array<int32_t, kMaxSlots> SlotTeam = SlotNumbers();
  std::array<std::string, kMaxSlots> SlotCivKeys{};
  std::array<std::string, kMaxSlots> SlotLeaderKeys{};
  std::array<std::string, kMaxSlots> SlotMinorCivKeys{};

  // Players: entries of the compacted player list.
  std::array<TLeaderInfoRec, kMaxSlots> Leaders{};
  int32_t PlayerCount = 0;
  int32_t RealPlayerCount = 0;

  // Lists and matrices.
  std::array<std::array<int32_t, kMaxPolicyRows>, kMaxSlots> PolicyAdopted{};
  std::array<std::array<int32_t, kMaxSlots>, kMaxSlots> CSInfluence{};
  std::array<std::array<int32_t, kMaxSlots>, kMaxSlots> CSFriends{};
  std::array<std::array<int32_t, kMaxSlots>, kMaxSlots> CSAllies{};
  // [Leaders entry] -> series values, zero-initialised, and what the save stored of them
  // (parallel). A model from NewGameState() holds kMaxSlots sets; the analysis holds one per
  // Leaders entry, so a save takes only the memory its history needs.
  std::vector<THistorySet> HistoryData;
  std::vector<THistoryStored> HistoryStored;
  std::vector<TReplayMsgRec> ReplayMessages;  // at most kMaxReplayMessages
  int32_t ReplayMessageCount = 0;
  std::vector<int32_t> SessionTurns;  // at most kMaxSessionTurns
  // The number of each of those sessions, as its message gives it ("Session 2 starts"); counted
  // back from the session counter for a message that names none.
  std::vector<int32_t> SessionNumbers;
  int32_t SessionCounter = 0;
  int32_t ReloadsAtStartTurn = 0;
  TLoadsRec Loads;
  // [Leaders entry] -> notification log. A model from NewGameState() holds kPlayerLogCount logs;
  // the analysis holds one per Leaders entry (each is over 10 KB).
  std::vector<TNotificationLog> PlayerLogs;
  std::array<TLeagueProjectRec, kLeagueProjectCount> LeagueProjects{};
  int32_t AngkorWatOwner = -1;
  int32_t SistineChapelOwner = -1;
  int32_t HagiaSophiaOwner = -1;
  int32_t ForbiddenPalaceOwner = -1;
  int32_t LeaningTowerOwner = -1;
  std::vector<TReligionRec> Religions;  // in save order, at most kMaxReligionRecords

  // What the window shows as the analysis leaves it: the Reloads tab's session lines and the
  // graph's player check-list (one item per Leaders entry, checked for major players).
  std::vector<std::string> SessionListLines;
  std::vector<bool> GraphPlayerChecked;

  // Cities: per Leaders entry, the records in save order (at most kMaxCitiesPerPlayer each;
  // Leaders[p].CityCount equals Cities[p].size()).
  std::array<std::vector<TCityRec>, kMaxSlots> Cities{};
  std::vector<std::string> CityNames;  // every accepted city in file order, at most kMaxCityNames
  std::vector<int32_t> CityOwners;     // owner slot as stored, parallel to CityNames
  std::vector<int32_t> CityNameRows;   // row of CityNameInfo or -1, parallel to CityNames

  // The world map; Map.Status says whether the save held a readable one.
  WorldMap Map;
};

// Room for the history of the given number of data sets.
inline void SizeHistory(GameState& state, size_t sets) {
  state.HistoryData.resize(sets);
  state.HistoryStored.resize(sets);
}

// A fresh model with room for every notification log. Large, so it lives on the heap.
inline std::unique_ptr<GameState> NewGameState() {
  auto state = std::make_unique<GameState>();
  state->PlayerLogs.resize(kPlayerLogCount);
  return state;
}

// Whether the save stored a series for the data set (an entry without a block stores none).
inline bool HistoryHoldsSeries(const GameState& state, size_t set, size_t series) {
  return set < state.HistoryStored.size() && series < kHistorySeries &&
         state.HistoryStored[set].Series.test(series);
}

}  // namespace vek5
