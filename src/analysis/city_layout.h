// Where the fields of a city record lie. A record has no usable header: it is found by a marker in
// its middle, and its fields sit at distances from that marker and from the city's name that
// differ by rule set and game build. Each known layout is one row of kCityRecordLayouts; one row
// is chosen per save, so a later game version is supported by adding a row.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "analysis/searched_markers.h"
#include "container/save_image.h"
#include "model/game_state.h"
#include "model/reference_tables.h"

namespace vek5 {

enum class RuleSet { Base, Exp1, Zeph };
// A save condition a layout row may demand.
enum class Needs { Any, Set, Clear };
// How a record stores its buildings and units: as type hashes (Zeph) or as text keys.
enum class CityListForm { Hashes, Keys };

struct CityRecordLayout {
  std::string_view Name;
  // When the row applies.
  RuleSet Rules;
  Needs SlotKeys;
  Needs Build341540;
  bool Probed;  // chosen only when some occurrence of the marker passes this row's check
  // Finding the record: m is the marker's position, s the start of the name's length field.
  int32_t Marker;
  int32_t CheckOffset;  // the int32 at m + CheckOffset must equal CheckValue
  int32_t CheckValue;
  int32_t ListOffset;     // L = m + ListOffset
  int32_t NameEndOffset;  // n0 = m + NameEndOffset
  int32_t OwnerOffset;    // B = s + OwnerOffset
  int32_t FoodOffset;     // Q = B + FoodOffset
  // Fields around B and Q.
  int32_t YieldArrayCount;
  int32_t StrengthSkip;      // from after the overflow production to the strength
  int32_t CultureBack;       // from after the disorder turns back to the culture
  bool FaithStored;          // the culture block also holds faith amounts
  int32_t PositionBack;      // from after the culture modifier back to the map position
  int32_t ResearchProbe;     // from after the maximum population back to the int32 probed
  int32_t ResearchBack;      // ... back to the technology being researched
  int32_t ResearchBackNone;  // ... when the probed int32 is -1
  int32_t PuppetFlagByte;    // which of the ten flag bytes says "puppet"
  // Food, culture, celebration, disorder, the city flags and (hash form) the citizens block
  // after the queue are known to lie where this row reads them.
  bool DetailsKnown;
  // The lists after L.
  CityListForm ListForm;
  int32_t ProjectSkip;   // bytes between the project production and the first building list
  int32_t ReligionSkip;  // bytes between the key list before the religions and their count
  bool ReadsReligions;
  const std::array<TBuildingInfoRec, kBuildingRows>* KeyBuildingTable;  // key form only
  // The int32 that starts a record, where the player's research queue is read before the first
  // record; 0: the research is read at the fixed distances after the maximum population.
  int32_t RecordVersion = 0;
};

inline constexpr int32_t kZephCityMarker = markers::kZephRecord;
inline constexpr int32_t kExp1CityMarker = markers::kExp1Record;
inline constexpr int32_t kBaseCityMarker = markers::kBaseRecord;
// The type hash of "BUILDING_FLOATING_GARDENS": the first entry of a Zeph city's building list.
inline constexpr int32_t kZephCityCheck = 0x40B10B7E;
// The key length of "BUILDING_FLOATING_GARDENS", the first entry of a keyed building list.
inline constexpr int32_t kKeyCityCheck = 25;

// In final-patch Zeph records the byte where other records keep the puppet flag says whether the
// city's production is automated; the puppet flag lies three bytes later.
inline constexpr int kFinalZephPuppetByte = 6;

// Rows are tried in order; the first whose conditions hold is used. Columns in the order of
// CityRecordLayout's fields.
// clang-format off
inline constexpr CityRecordLayout kCityRecordLayouts[] = {
  // name, rules, slot keys, build 341540, probed,
  //   marker, check at, check value, L, n0, B, Q,
  //   yields, strength skip, culture back, faith, position back, research probe/back/back none,
  //   puppet flag byte, details known,
  //   list form, project skip, religion skip, religions, building table, record version
  {"Zeph, final patch", RuleSet::Zeph, Needs::Any, Needs::Any, true,
     kZephCityMarker, 121, kZephCityCheck, 24, -1000, -680, -142,
     18, 52, 192, true, 84, 96, 114, 146,
     kFinalZephPuppetByte, true,
     CityListForm::Hashes, 33, 0, false, nullptr, 6},
  {"Zeph", RuleSet::Zeph, Needs::Any, Needs::Any, false,
     kZephCityMarker, 105, kZephCityCheck, 8, -968, -680, -142,
     18, 52, 192, true, 84, 96, 114, 146,
     kFlagPuppet, false,
     CityListForm::Hashes, 33, 0, false, nullptr},
  {"first expansion, build 341540 or later", RuleSet::Exp1, Needs::Any, Needs::Set, false,
     kExp1CityMarker, 93, kKeyCityCheck, 32, -848, -652, -134,
     16, 44, 184, true, 88, 96, 114, 146,
     kFlagPuppet, true,
     CityListForm::Keys, 25, 29, true, &BuildingInfoExp1},
  {"first expansion", RuleSet::Exp1, Needs::Any, Needs::Clear, false,
     kExp1CityMarker, 93, kKeyCityCheck, 32, -848, -652, -134,
     16, 44, 184, true, 88, 96, 114, 146,
     kFlagPuppet, true,
     CityListForm::Keys, 25, 25, true, &BuildingInfoExp1},
  {"base game with slot keys", RuleSet::Base, Needs::Set, Needs::Any, false,
     kBaseCityMarker, 89, kKeyCityCheck, 32, -680, -512, -134,
     16, 44, 168, false, 76, 96, 114, 146,
     kFlagPuppet, true,
     CityListForm::Keys, 21, 0, false, &BuildingInfo, 14},
  {"base game", RuleSet::Base, Needs::Clear, Needs::Any, false,
     kBaseCityMarker, 89, kKeyCityCheck, 32, -680, -504, -134,
     16, 44, 168, false, 76, 96, 114, 146,
     kFlagPuppet, true,
     CityListForm::Keys, 21, 0, false, &BuildingInfo, 14},
};
// clang-format on

constexpr bool PuppetBytesInRange() {
  for (const CityRecordLayout& layout : kCityRecordLayouts) {
    if (layout.PuppetFlagByte < 0 || layout.PuppetFlagByte >= kCityFlagCount) return false;
  }
  return true;
}
static_assert(PuppetBytesInRange());

// The row for this save; every save gets one (the unprobed row of its rule set at worst).
const CityRecordLayout& SelectCityLayout(const SaveImage& save, const GameState& state);

// What the player is researching, read with the player's first city record: q1 is the position
// after the record's maximum population, `records` the number of records the save holds for the
// player.
void ReadResearch(const SaveImage& save, const GameState& state, const CityRecordLayout& layout,
                  int32_t q1, int32_t records, TLeaderInfoRec& leader);

// One entry of a city's religion list, read from pos on.
void ReadCityReligion(const SaveImage& save, int32_t& pos, TCityReligion& religion);

// The display names of the keys the cities' lists hold, each made once: the cities of a game
// name the same few hundred types again and again.
class ListedKeyNames {
 public:
  explicit ListedKeyNames(std::string_view prefix) : prefix_(prefix) {}
  // The name of the key at this place of a list.
  const std::string& Name(size_t slot, std::string_view key);

 private:
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  std::string_view prefix_;
  std::unordered_map<std::string, std::string, KeyHash, std::equal_to<>> names_;
  // The key and name last found at each place: the next city's list most often has it there.
  std::vector<const std::pair<const std::string, std::string>*> last_;
};

// What the cities' lists share, kept from one city to the next.
struct CityListNames {
  ListedKeyNames Buildings;
  ListedKeyNames Units;
};
CityListNames NewCityListNames();

// The world wonders whose owners the game state names, a bit each.
using CityWonders = uint8_t;

// The lists and per-city values that follow a record's core fields, read from L on, for city
// slot `city` of Leaders entry p. next_record: the marker of the next city record, 0 when none is
// known; what lies beyond it belongs to that record. Returns the named wonders the city holds.
CityWonders ReadCityLists(const SaveImage& save, const GameState& state,
                          const CityRecordLayout& layout, int32_t p, TCityRec& city,
                          int32_t list_pos, int32_t next_record, CityListNames& names);

// Names Leaders entry p as the owner of each of the wonders.
void NoteWonderOwners(GameState& state, int32_t p, CityWonders wonders);

// National: never lost. Occupied: annexed, so occupied and not a puppet; a puppet bought rather
// than captured is not occupied, so occupied cities minus puppets would undercount.
void CountCityKinds(TLeaderInfoRec& leader, const TCityRec& city);

// A city record the walk accepted for an entry's list.
struct AcceptedCity {
  int32_t Marker;
  int32_t OwnerPos;  // B
  int32_t Entry;
  std::string Name;
  int32_t NameRow;
  int32_t NextRecord = 0;  // the marker of the next record that passes the check; 0: none
};

// The cities are read in three steps, so that the entries' lists can be read on several threads:
// the walk over the records, each entry's list, and what follows from all of them.
struct FoundCities {
  const CityRecordLayout* Layout = nullptr;
  std::vector<AcceptedCity> Accepted;                   // in file order
  std::array<std::vector<int32_t>, kMaxSlots> OfEntry;  // each entry's records in Accepted
  std::vector<CityWonders> Wonders;                     // per accepted record, once read
};
// Clears what an earlier reading left, picks the layout row and walks the records, noting every
// city's name and owner.
FoundCities WalkCities(const SaveImage& save, GameState& state);
// Reads the records of Leaders entry p into its list. Entries may be read at the same time, each
// on one thread: one touches only its own list, its leader's research and its records' wonders.
void ReadEntryCities(const SaveImage& save, GameState& state, FoundCities& found, int32_t p,
                     CityListNames& names);
// The wonders' owners (a wonder in several records goes to the last one's owner) and each
// leader's counts of cities.
void FinishCities(GameState& state, const FoundCities& found);

// The citizens block of a final-patch Zeph record: specialists, great-person progress and
// building points, religions. Found from the position of the queue's marker (0: no queue); a
// record without the block keeps these fields empty.
// next_record: the marker of the next city record, 0 when there is none.
void ReadZephCitizens(const SaveImage& save, TCityRec& city, int32_t queue_marker,
                      int32_t next_record);

// Each religion's share of the summed pressure of the city's religions, in percent.
void SetReligionShares(TCityRec& city);

}  // namespace vek5
