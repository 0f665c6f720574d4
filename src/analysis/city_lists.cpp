// The lists of a city record after its core fields: project production, six building lists, the
// unit lists, the build queue, and (keyed records) specialists, great-person points and
// religions; then the per-city values that follow from them.
#include <algorithm>
#include <climits>
#include <cmath>
#include <string>
#include <string_view>

#include "analysis/city_layout.h"
#include "analysis/searched_markers.h"
#include "container/key_text.h"
#include "container/readers.h"
#include "container/text_encoding.h"
#include "model/calendar.h"
#include "model/format.h"

namespace vek5 {
namespace {

// A Zeph queue follows a hash list whose first entry is this value.
constexpr int32_t kZephQueueMarker = markers::kZephQueue;
constexpr int32_t kZephQueueListBack = 4;
// A keyed queue follows a key list whose first key is this.
constexpr std::string_view kQueueListKey = markers::kQueueListKey;
constexpr int32_t kQueueListBack = 8;
// Keyed records end with key lists that start with this key; the specialists lie before the
// second, the religions after the third.
constexpr std::string_view kLateListKey = markers::kLateListKey;
constexpr int32_t kSpecialistsBack = 48;
constexpr int32_t kReligionListBack = 8;
constexpr int32_t kReligionSearchAhead = 10;
constexpr int32_t kNoBuildingDate = -9999;
constexpr int32_t kNoQueueType = -1;

constexpr std::string_view kBuildingPrefix = "BUILDING_";
constexpr std::string_view kUnitPrefix = "UNIT_";

void MoveBy(int32_t& pos, int64_t bytes) {
  pos = static_cast<int32_t>(std::clamp<int64_t>(int64_t{pos} + bytes, INT32_MIN, INT32_MAX));
}

void SkipInts(int32_t& pos, int32_t count) {
  if (count > 0) MoveBy(pos, int64_t{count} * 4);
}

// Every entry of a list takes at least four bytes, so no more entries than the bytes left can
// hold are worth reading: beyond the image everything reads as zero.
int32_t BoundedCount(const SaveImage& save, int32_t pos, int32_t count) {
  if (count <= 0) return 0;
  const int64_t left = std::max<int64_t>(int64_t{save.DataLength} - pos, 0);
  return static_cast<int32_t>(std::min<int64_t>(count, left / 4 + 1));
}

// Building and unit lists share the slot bound of their arrays.
static_assert(kMaxBuildingSlots == kMaxUnitSlots);

// A hash list: entries of (hash, value), where a zero hash stands alone and takes no slot.
template <typename OnEntry>
void ReadHashList(const SaveImage& save, int32_t& pos, int32_t count, OnEntry on_entry) {
  int slot = 0;
  for (int32_t i = BoundedCount(save, pos, count); i > 0; --i) {
    const int32_t hash = ReadInt(save, pos);
    if (hash == 0) continue;
    const int32_t value = ReadInt(save, pos);
    if (slot < kMaxBuildingSlots) on_entry(slot, hash, value);
    ++slot;
  }
}

// A key list: entries of (key, value), each taking a slot.
template <typename OnEntry>
void ReadKeyList(const SaveImage& save, int32_t& pos, int32_t count, OnEntry on_entry) {
  int slot = 0;
  for (int32_t i = BoundedCount(save, pos, count); i > 0; --i, ++slot) {
    const std::string_view key = ReadStrView(save, pos);
    const int32_t value = ReadInt(save, pos);
    if (slot < kMaxBuildingSlots) on_entry(slot, key, value);
  }
}

void SkipKeyList(const SaveImage& save, int32_t& pos) {
  ReadKeyList(save, pos, ReadInt(save, pos), [](int, std::string_view, int32_t) {});
}

std::string DisplayName(std::string_view key, std::string_view prefix) {
  return Utf8OrCp1251(CutTextKey(key, prefix));
}

// The display names of a table's rows, made once: every city's lists name the same types.
template <typename Table>
std::vector<std::string> RowNames(const Table& table, std::string_view prefix) {
  std::vector<std::string> names;
  names.reserve(table.size());
  for (const auto& row : table) names.push_back(DisplayName(row.Key, prefix));
  return names;
}

// A Zeph type hash as a name: the table's key when the hash is known, else its hex digits.
std::string HashName(int32_t hash, int32_t row, const std::vector<std::string>& row_names) {
  if (row >= 0 && row < static_cast<int32_t>(row_names.size())) return row_names[row];
  return Format("%08x", static_cast<uint32_t>(hash));
}

const std::vector<std::string>& BuildingNames() {
  static const std::vector<std::string> names = RowNames(BuildingInfoZeph, kBuildingPrefix);
  return names;
}

const std::vector<std::string>& UnitNames() {
  static const std::vector<std::string> names = RowNames(UnitInfoZeph, kUnitPrefix);
  return names;
}

void RecordBuildingDate(const GameState& state, TCityRec& city, int slot, int32_t year) {
  city.BuildingDate[slot] = year;
  if (year > kNoBuildingDate) city.BuildingTurn[slot] = Date2Turn(state.SpeedIndex, year);
}

void ReadProjectProduction(const SaveImage& save, const CityRecordLayout& layout, TCityRec& city,
                           int32_t& pos) {
  if (layout.ListForm == CityListForm::Hashes) SkipInts(pos, ReadInt(save, pos));
  const int32_t count = std::max(ReadInt(save, pos), 0);
  const int32_t stored = std::min(count, kProjectRows);
  for (int32_t i = 0; i < stored; ++i) city.ProjectProduction[i] = ReadInt(save, pos);
  SkipInts(pos, count - stored);
  MoveBy(pos, layout.ProjectSkip);
}

void ReadQueueBody(const SaveImage& save, TCityRec& city, int32_t& pos) {
  city.QueueLength = std::clamp(ReadInt(save, pos), 0, kQueueCapacity);
  for (int32_t k = 0; k < city.QueueLength; ++k) {
    TQueueEntry& entry = city.Queue[k];
    entry.Type = ReadInt(save, pos);
    entry.Item = ReadInt(save, pos);
    entry.Value = ReadInt(save, pos);
    entry.Flag1 = static_cast<uint8_t>(ReadChar(save, pos));
    entry.Flag2 = static_cast<uint8_t>(ReadChar(save, pos));
  }
  if (city.QueueLength == 0) city.Queue[0].Type = kNoQueueType;
  city.ProductionType = city.Queue[0].Type;
  city.ProductionItem = city.Queue[0].Item;
}

void ClearBuildingFlags(TCityRec& city) {
  city.HasGarden = city.HasFloatingGardens = city.HasCourthouse = kFalse;
  city.HasNationalEpic = city.HasWorldWonder = city.HasPalace = kFalse;
}

// ----- Zeph records: lists of type hashes -----

// Returns the position of the queue's marker, 0 when there is none. next_record: the marker of
// the next city record, 0 when there is none.
int32_t ReadHashLists(const SaveImage& save, const GameState& state, TCityRec& city, int32_t& pos,
                      int32_t first_count, int32_t next_record) {
  ReadHashList(save, pos, first_count, [&](int slot, int32_t hash, int32_t value) {
    city.BuildingNames[slot] = HashName(hash, FindBIndex(hash), BuildingNames());
    city.BuildingProduction[slot] = value;
  });
  ReadHashList(save, pos, ReadInt(save, pos),
               [&](int slot, int32_t, int32_t v) { city.BuildingDelay[slot] = v; });
  ReadHashList(save, pos, ReadInt(save, pos),
               [&](int slot, int32_t, int32_t v) { city.BuildingValue3[slot] = v; });
  ReadHashList(save, pos, ReadInt(save, pos),
               [&](int slot, int32_t, int32_t v) { RecordBuildingDate(state, city, slot, v); });
  ReadHashList(save, pos, ReadInt(save, pos),
               [&](int slot, int32_t, int32_t v) { city.BuildingCount[slot] = v; });
  ReadHashList(save, pos, ReadInt(save, pos),
               [&](int slot, int32_t, int32_t v) { city.FreeBuildingCount[slot] = v; });

  SkipInts(pos, 1);
  SkipInts(pos, std::clamp<int64_t>(int64_t{ReadInt(save, pos)} * 3, 0, INT32_MAX));

  ReadHashList(save, pos, ReadInt(save, pos), [&](int slot, int32_t hash, int32_t value) {
    city.UnitNames[slot] = HashName(hash, FindUIndex(hash), UnitNames());
    city.UnitProduction[slot] = value;
  });
  ReadHashList(save, pos, ReadInt(save, pos),
               [&](int slot, int32_t, int32_t v) { city.UnitDelay[slot] = v; });

  // A queue past the next record's marker is that record's.
  int32_t q = FindInt(save, kZephQueueMarker, pos);
  if (next_record >= 1 && q > next_record) q = 0;
  if (q >= 1) {
    pos = q - kZephQueueListBack;
    const int32_t count = ReadInt(save, pos);  // read before pos is taken for the bound
    for (int32_t i = BoundedCount(save, pos, count); i > 0; --i) {
      if (ReadInt(save, pos) != 0) SkipInts(pos, 1);
    }
    ReadQueueBody(save, city, pos);
  }
  ClearBuildingFlags(city);
  return std::max(q, 0);
}

// ----- Other records: lists of text keys -----

struct WonderOwnerKey {
  std::string_view Key;
  int32_t GameState::*Owner;
};
// A city's wonders are bits in this order.
constexpr WonderOwnerKey kWonderOwnerKeys[] = {
    {"BUILDING_ANGKOR_WAT", &GameState::AngkorWatOwner},
    {"BUILDING_SISTINE_CHAPEL", &GameState::SistineChapelOwner},
    {"BUILDING_HAGIA_SOPHIA", &GameState::HagiaSophiaOwner},
    {"BUILDING_LEANING_TOWER", &GameState::LeaningTowerOwner},
    {"BUILDING_FORBIDDEN_PALACE", &GameState::ForbiddenPalaceOwner},
};
static_assert(std::size(kWonderOwnerKeys) <= sizeof(CityWonders) * CHAR_BIT);

struct BuildingFlagKey {
  std::string_view Key;
  int32_t TCityRec::*Flag;
};
constexpr BuildingFlagKey kBuildingFlagKeys[] = {
    {"BUILDING_FLOATING_GARDENS", &TCityRec::HasFloatingGardens},
    {"BUILDING_GARDEN", &TCityRec::HasGarden},
    {"BUILDING_COURTHOUSE", &TCityRec::HasCourthouse},
    {"BUILDING_NATIONAL_EPIC", &TCityRec::HasNationalEpic},
    {"BUILDING_PALACE", &TCityRec::HasPalace},
};
constexpr std::string_view kGardenKey = "BUILDING_GARDEN";

// What a building present in the city means for its owner (the wonders) and its flags.
void NoteBuildingPresent(const CityRecordLayout& layout, TCityRec& city, CityWonders& wonders,
                         std::string_view key) {
  for (size_t k = 0; k < std::size(kWonderOwnerKeys); ++k) {
    if (key == kWonderOwnerKeys[k].Key) wonders |= static_cast<CityWonders>(1u << k);
  }
  for (const BuildingFlagKey& flag : kBuildingFlagKeys) {
    if (key == flag.Key) city.*flag.Flag = kTrue;
  }
  // Saves list buildings in an order of their own (content-pack wonders where the table has
  // fillers), so the table row is the one with the entry's key, not the entry's position.
  if (!layout.KeyBuildingTable) return;
  const int32_t found = FindBuildingRowByKey(*layout.KeyBuildingTable, key);
  if (found < 0) return;
  const TBuildingInfoRec& row = (*layout.KeyBuildingTable)[static_cast<size_t>(found)];
  if (row.GPKind >= 1 && row.GPKind <= kClassicGreatPersonKinds) {
    city.GPBuildings[row.GPKind - 1] += row.GPPoints;
  }
  if (row.Kind == kKindWorldWonder) city.HasWorldWonder = kTrue;
}

// Returns the named wonders the city holds.
CityWonders ReadKeyLists(const SaveImage& save, const GameState& state,
                         const CityRecordLayout& layout, TCityRec& city, int32_t& pos,
                         int32_t first_count, CityListNames& names) {
  CityWonders wonders = 0;
  ReadKeyList(save, pos, first_count, [&](int slot, std::string_view key, int32_t v) {
    city.BuildingNames[slot] = names.Buildings.Name(static_cast<size_t>(slot), key);
    city.BuildingProduction[slot] = v;
  });
  ReadKeyList(save, pos, ReadInt(save, pos),
              [&](int slot, std::string_view, int32_t v) { city.BuildingDelay[slot] = v; });
  ReadKeyList(save, pos, ReadInt(save, pos),
              [&](int slot, std::string_view, int32_t v) { city.BuildingValue3[slot] = v; });
  ReadKeyList(save, pos, ReadInt(save, pos), [&](int slot, std::string_view, int32_t v) {
    RecordBuildingDate(state, city, slot, v);
  });

  ClearBuildingFlags(city);
  city.GPBuildings = {};
  ReadKeyList(save, pos, ReadInt(save, pos), [&](int slot, std::string_view key, int32_t v) {
    city.BuildingCount[slot] = v;
    if (v > 0) NoteBuildingPresent(layout, city, wonders, key);
  });
  ReadKeyList(save, pos, ReadInt(save, pos), [&](int slot, std::string_view key, int32_t v) {
    city.FreeBuildingCount[slot] = v;
    if (v > 0 && key == kGardenKey) city.HasGarden = kTrue;
  });

  SkipInts(pos, 1);
  int slot = 0;
  const int32_t units = ReadInt(save, pos);  // read before pos is taken for the bound
  for (int32_t i = BoundedCount(save, pos, units); i > 0; --i, ++slot) {
    const std::string_view key = ReadStrView(save, pos);
    const int32_t production = ReadInt(save, pos);
    const int32_t delay = ReadInt(save, pos);
    SkipInts(pos, 2);
    if (slot >= kMaxUnitSlots) continue;
    city.UnitNames[slot] = names.Units.Name(static_cast<size_t>(slot), key);
    city.UnitProduction[slot] = production;
    city.UnitDelay[slot] = delay;
  }

  const int32_t q = FindStr(save, kQueueListKey, pos);
  if (q >= 1) {
    pos = q - kQueueListBack;
    SkipKeyList(save, pos);
    ReadQueueBody(save, city, pos);
  }
  return wonders;
}

// The specialists lie before the second of the late key lists. A search that finds nothing
// ends the chain: searching again from the start would read another city's values.
int32_t ReadSpecialists(const SaveImage& save, TCityRec& city, int32_t pos) {
  const int32_t first = FindStr(save, kLateListKey, pos);
  if (first < 1) return 0;
  const int32_t second = FindStr(save, kLateListKey, first + 1);
  if (second < 1) return 0;
  pos = second - kSpecialistsBack;
  city.OtherSpecialists = ReadInt(save, pos);
  for (int k = 0; k < kClassicGreatPersonKinds; ++k) city.GPSpecialists[k] = ReadInt(save, pos);
  SkipInts(pos, 1);
  for (int k = 0; k < kClassicGreatPersonKinds; ++k) city.GPPoints[k] = ReadInt(save, pos);
  return pos;
}

void ReadReligions(const SaveImage& save, const CityRecordLayout& layout, TCityRec& city,
                   int32_t pos) {
  city.ReligionCount = 0;
  for (TCityReligion& religion : city.Religions) {
    const float percent = religion.Percent;  // not reset: kept beyond the count
    religion = TCityReligion{};
    religion.Percent = percent;
  }
  if (pos < 1 || !layout.ReadsReligions) return;
  const int32_t found = FindStr(save, kLateListKey, pos + kReligionSearchAhead);
  if (found < 1) return;
  pos = found - kReligionListBack;
  SkipKeyList(save, pos);
  MoveBy(pos, layout.ReligionSkip);
  const int32_t count = std::min(ReadInt(save, pos), kMaxCityReligions);
  for (int32_t j = 0; j < count; ++j) {
    ReadCityReligion(save, pos, city.Religions[j]);
  }
  city.ReligionCount = count;
  SetReligionShares(city);
}

}  // namespace

void ReadCityReligion(const SaveImage& save, int32_t& pos, TCityReligion& religion) {
  religion.Value0 = ReadInt(save, pos);
  religion.ReligionId = ReadInt(save, pos);
  religion.Holy = static_cast<uint8_t>(ReadChar(save, pos));
  religion.Followers = ReadInt(save, pos);
  religion.Pressure = ReadInt(save, pos);
}

namespace {

int32_t ScalePercent(int64_t x, int64_t percent) {
  return static_cast<int32_t>(x * percent / 100);
}

void ComputeFoodThreshold(const GameState& state, const TLeaderInfoRec& leader, TCityRec& city) {
  constexpr int32_t kMaxGrowthPopulation = 100;
  const int32_t n =
      city.Population < 1 || city.Population > kMaxGrowthPopulation ? 1 : city.Population;
  const double grown = n - 1;
  int32_t x = static_cast<int32_t>(std::trunc(std::pow(grown, 1.5) + 8.0 * grown + 15.0));
  x = ScalePercent(x, leader.SlotStatus == 1 ? state.LevelMod2 : 100);
  x = ScalePercent(x, leader.SlotIsMinor != 0 ? 150 : 100);
  x = ScalePercent(x, state.SpeedPercent);
  x = ScalePercent(x, state.EraMod1);
  city.FoodThreshold = x;
}

}  // namespace

// Every city is of exactly one kind, so the three counts add up to the cities: a city lost and
// liberated is neither never-lost nor occupied, and counts as national.
void CountCityKinds(TLeaderInfoRec& leader, const TCityRec& city) {
  const bool puppet = city.Flags[kFlagPuppet] != 0;
  const bool occupied = city.Flags[kFlagOccupied] != 0 && !puppet;
  if (puppet) ++leader.PuppetCities;
  if (occupied) ++leader.OccupiedCities;
  if (!puppet && !occupied) ++leader.NationalCities;
}

void NoteWonderOwners(GameState& state, int32_t p, CityWonders wonders) {
  for (size_t k = 0; k < std::size(kWonderOwnerKeys); ++k) {
    if ((wonders >> k) & 1u) state.*kWonderOwnerKeys[k].Owner = p;
  }
}

const std::string& ListedKeyNames::Name(size_t slot, std::string_view key) {
  if (slot < last_.size() && last_[slot] && last_[slot]->first == key) return last_[slot]->second;
  auto known = names_.find(key);
  if (known == names_.end()) known = names_.emplace(key, DisplayName(key, prefix_)).first;
  if (slot >= last_.size()) last_.resize(slot + 1, nullptr);
  last_[slot] = &*known;
  return known->second;
}

CityListNames NewCityListNames() {
  return {ListedKeyNames(kBuildingPrefix), ListedKeyNames(kUnitPrefix)};
}

CityWonders ReadCityLists(const SaveImage& save, const GameState& state,
                          const CityRecordLayout& layout, int32_t p, TCityRec& city,
                          int32_t list_pos, int32_t next_record, CityListNames& names) {
  int32_t pos = list_pos;
  ReadProjectProduction(save, layout, city, pos);
  const int32_t first_count = ReadInt(save, pos);
  CityWonders wonders = 0;
  if (layout.ListForm == CityListForm::Hashes) {
    const int32_t queue_marker = ReadHashLists(save, state, city, pos, first_count, next_record);
    if (!layout.DetailsKnown) return wonders;
    ReadZephCitizens(save, city, queue_marker, next_record);
  } else {
    wonders = ReadKeyLists(save, state, layout, city, pos, first_count, names);
    ReadReligions(save, layout, city, ReadSpecialists(save, city, pos));
  }
  ComputeFoodThreshold(state, state.Leaders[p], city);
  return wonders;
}

void SetReligionShares(TCityRec& city) {
  const int32_t count = std::clamp(city.ReligionCount, 0, kMaxCityReligions);
  int64_t pressure_sum = 0;
  for (int32_t j = 0; j < count; ++j) pressure_sum += city.Religions[j].Pressure;
  for (int32_t j = 0; j < count; ++j) {
    TCityReligion& religion = city.Religions[j];
    // Without any pressure there is no share to give.
    religion.Percent = pressure_sum == 0 ? 0.0f
                                         : static_cast<float>(int64_t{religion.Pressure} * 100 /
                                                              static_cast<double>(pressure_sum));
  }
}

}  // namespace vek5
