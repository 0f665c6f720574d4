// Writes city records for test saves, laid out as each rule set and game build stores them: the
// name before the record's marker, the fields at their distances from the name, and after the
// marker the project, building and unit lists, the build queue and (keyed records) the
// specialists and religions. A record is a block of bytes that can go anywhere in a body; the
// blocks of several cities are simply laid one after the other.
//
// The record's check value is not written separately: as in the game's saves it is the first
// entry of the first building list ("BUILDING_FLOATING_GARDENS", by hash or by key length), at
// its place only while the project lists keep their standard lengths. A city whose first
// building is something else is therefore a record the analysis must skip.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vek5::testing {

enum class CityRecordForm {
  Base,          // base game, save without slot keys
  BaseSlotKeys,  // base game, save with slot keys
  Exp1,          // first expansion, build before 341540
  Exp1Late,      // first expansion, build 341540 or later
  Zeph,          // Zeph as first released
  ZephFinal,     // Zeph, final patch
};

inline constexpr char kCheckBuildingKey[] = "BUILDING_FLOATING_GARDENS";

struct CityBuilding {
  std::string Key;   // empty with Hash 0: a Zeph entry without a type
  int32_t Hash = 0;  // Zeph: 0 takes the key's hash; set it to write an unknown type
  int32_t Production = 0;
  int32_t Delay = 0;
  int32_t Value3 = 0;
  int32_t Date = -9999;
  int32_t Count = 0;
  int32_t FreeCount = 0;
};

struct CityUnit {
  std::string Key;
  int32_t Hash = 0;  // as for buildings
  int32_t Production = 0;
  int32_t Delay = 0;
};

struct CityQueueItem {
  int32_t Type = 0;
  int32_t Item = 0;
  int32_t Value = 0;
  uint8_t Flag1 = 0;
  uint8_t Flag2 = 0;
};

struct CityReligionEntry {
  int32_t Value0 = 0;
  int32_t ReligionId = 0;
  uint8_t Holy = 0;
  int32_t Followers = 0;
  int32_t Pressure = 0;
  int32_t TradeRoutes = 0;  // final-patch Zeph records only
};

// Final-patch Zeph records: the citizens block after the build queue. Lists by specialist kind
// in the save's order: default citizen, writer, artist, musician, scientist, merchant, engineer.
inline constexpr int kZephSpecialistKinds = 7;
struct ZephCitizens {
  bool Written = true;  // needs a queue: the block is found from the queue's marker
  int32_t Kinds = kZephSpecialistKinds;  // the stored count the reader checks
  int32_t WorkedTiles = 0;
  int32_t Unassigned = 0;
  std::array<int32_t, kZephSpecialistKinds> Specialists{};
  std::array<int32_t, kZephSpecialistKinds> Progress{};        // hundredths
  std::array<int32_t, kZephSpecialistKinds> BuildingPoints{};  // per turn
  bool OverrideReligionCount = false;  // write ReligionCount instead of Religions' size
  int32_t ReligionCount = 0;
};

struct CityDescription {
  std::string Name = "Athens";  // stored bytes, 8-bit length-prefixed
  int32_t Owner = 0;
  int32_t PreviousOwner = -1;
  int32_t OriginalOwner = 0;
  std::array<uint8_t, 10> Flags{};
  // Each array is written as its length followed by its values; later arrays read as zeros.
  std::vector<std::vector<int32_t>> YieldArrays;
  int32_t Food = 0, FoodExtra = 0, OverflowProduction = 0;
  int32_t Strength = 0, WLTKDTurns = 0, DisorderTurns = 0;
  int32_t Culture = 0, CultureStep = 0;
  // Stored parts: [0..2] always, [3] with stored faith, [4] without (else it is a yield value).
  std::array<int32_t, 5> CultureParts{};
  std::array<int32_t, 3> FaithParts{};  // the fourth faith part is a yield value
  int32_t CultureModifier = 0;
  int32_t X = 0, Y = 0, FoundedTurn = 0, CapturedTurn = 0, Population = 1, MaxPopulation = 1;
  // The int32 probed before the technology; -1 moves the technology 32 bytes further back.
  int32_t ResearchProbe = 0;
  int32_t ResearchingTech = 0;
  // Written in the standard count of the form (six in Zeph records, seven in keyed ones).
  std::array<int32_t, 7> ProjectProduction{};
  std::vector<CityBuilding> Buildings = {{kCheckBuildingKey}};
  std::vector<CityUnit> Units;
  bool HasQueue = true;
  std::vector<CityQueueItem> Queue;
  bool OverrideQueueCount = false;  // write QueueCount instead of Queue's size
  int32_t QueueCount = 0;
  // Keyed records only (final-patch Zeph records: Citizens).
  int32_t OtherSpecialists = 0;
  std::array<int32_t, 4> GPSpecialists{};
  std::array<int32_t, 4> GPPoints{};
  std::vector<CityReligionEntry> Religions;  // keyed and final-patch Zeph records
  ZephCitizens Citizens;
};

// One record as a block of bytes.
std::vector<uint8_t> WriteCityRecord(CityRecordForm form, const CityDescription& city);
// Several records, one after the other.
std::vector<uint8_t> WriteCityRecords(CityRecordForm form,
                                      const std::vector<CityDescription>& cities);

}  // namespace vek5::testing
