// The city records: each is found by a marker inside it, checked, named by scanning back for the
// name's length field, and read at the distances of the save's layout row.
#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "analysis/city_layout.h"
#include "analysis/sections.h"
#include "container/marker_occurrences.h"
#include "container/readers.h"
#include "container/text_encoding.h"
#include "model/city_names.h"

namespace vek5 {
namespace {

// Marker occurrences the loop looks at before it gives up.
constexpr int kMaxCityMarkerTries = 10001;
// How far back from the name's end the scan looks for the length field's high byte.
constexpr int32_t kMaxNameScan = 99;
// From the end of a name to the next search: the rest of the record is never a city.
constexpr int32_t kAfterNameSkip = 1024 + 12;
// After a record that is not a city.
constexpr int32_t kAfterMarkerSkip = 12;
constexpr int32_t kFlagsBack = 22;
constexpr int32_t kFlagsToYields = 16;
constexpr int32_t kMaxYieldLength = kYieldArrayLength - 1;

bool Holds(Needs needs, int32_t flag) {
  return needs == Needs::Any || (needs == Needs::Set) == (flag != 0);
}

RuleSet RuleSetOf(const GameState& state) {
  if (state.ZephPresent) return RuleSet::Zeph;
  if (state.Exp1Present) return RuleSet::Exp1;
  return RuleSet::Base;
}

bool PassesCheck(const SaveImage& save, const CityRecordLayout& layout, int32_t m) {
  return PeekInt(save, int64_t{m} + layout.CheckOffset) == layout.CheckValue;
}

// The first marker at or after pos that passes the row's check; 0 when there is none.
int32_t NextCheckedMarker(const SaveImage& save, const CityRecordLayout& layout,
                          MarkerOccurrences& occurrences, int32_t pos) {
  for (int32_t m = occurrences.Next(pos); m > 0; m = m < INT32_MAX ? occurrences.Next(m + 1) : 0) {
    if (PassesCheck(save, layout, m)) return m;
  }
  return 0;
}

// Whether any occurrence of the row's marker passes the row's check.
bool ProbeFires(const SaveImage& save, const CityRecordLayout& layout,
                MarkerOccurrences& occurrences) {
  return NextCheckedMarker(save, layout, occurrences, save.BodyOffset) > 0;
}

// The start of the name's length field: the first zero byte before the name's end is the
// field's high byte. None when there is no zero byte within reach.
std::optional<int32_t> FindNameStart(const SaveImage& save, int64_t name_end) {
  for (int32_t e = 1; e <= kMaxNameScan; ++e) {
    if (ByteAt(save, name_end - e) == 0) return static_cast<int32_t>(name_end - e - 3);
  }
  return std::nullopt;
}

// A stored name may be a text key; the city is called by the part after the key.
struct NameKeyCut {
  std::string_view Key;
  size_t Drop;  // characters dropped from the key's start: the key and the separator after it
};
constexpr NameKeyCut kNameKeyCuts[] = {{"CITY_NAME", 10}, {"CITYSTATE", 10}, {"VEK5", 5}};

std::string CutNameKeys(std::string name) {
  for (const NameKeyCut& cut : kNameKeyCuts) {
    const size_t k = name.find(cut.Key);
    if (k != std::string::npos) name = name.substr(std::min(name.size(), k + cut.Drop));
  }
  return name;
}

// The Leaders entry of an owner slot; an owner without an entry uses its number as the entry.
int32_t EntryOfOwner(const GameState& state, int32_t owner) {
  const int32_t listed = std::clamp(state.PlayerCount, 0, kMaxSlots);
  for (int32_t e = 0; e < listed; ++e) {
    if (state.Leaders[e].Slot == owner) return e;
  }
  return owner;
}

void ReadYieldArrays(const SaveImage& save, const CityRecordLayout& layout, TCityRec& city,
                     int32_t& pos) {
  const int count = std::min<int>(layout.YieldArrayCount, kYieldArrayCount);
  for (int k = 0; k < count; ++k) {
    const int32_t n = PeekInt(save, pos);
    // A negative length reads nothing and stays where it is, so no later array reads anything.
    if (n < 0 || n > kMaxYieldLength) break;
    for (int32_t i = 0; i <= n; ++i) city.YieldArrays[k][i] = ReadInt(save, pos);
  }
}

void Skip(int32_t& pos, int32_t bytes) {
  pos = static_cast<int32_t>(std::clamp<int64_t>(int64_t{pos} + bytes, INT32_MIN, INT32_MAX));
}

void SkipInts(const SaveImage& save, int32_t& pos, int count) {
  for (int i = 0; i < count; ++i) ReadInt(save, pos);
}

// The fields read relative to B: owners, flags and yield arrays.
void ReadOwnerBlock(const SaveImage& save, const CityRecordLayout& layout, TCityRec& city,
                    int32_t pos) {
  ReadInt(save, pos);  // the owner, already known
  city.PreviousOwner = ReadInt(save, pos);
  city.OriginalOwner = ReadInt(save, pos);
  Skip(pos, -kFlagsBack);
  for (int32_t& flag : city.Flags) flag = static_cast<uint8_t>(ReadChar(save, pos));
  city.Flags[kFlagPuppet] = city.Flags[static_cast<size_t>(layout.PuppetFlagByte)];
  Skip(pos, kFlagsToYields);
  ReadYieldArrays(save, layout, city, pos);
}

// The fields read relative to Q; returns the position after the maximum population.
int32_t ReadFoodBlock(const SaveImage& save, const CityRecordLayout& layout, TCityRec& city,
                      int32_t pos) {
  city.Food = ReadInt(save, pos);
  city.FoodExtra = ReadInt(save, pos);
  SkipInts(save, pos, 1);
  city.OverflowProduction = ReadInt(save, pos);

  Skip(pos, layout.StrengthSkip);
  city.Strength = ReadInt(save, pos);
  SkipInts(save, pos, 4);
  city.WLTKDTurns = ReadInt(save, pos);
  SkipInts(save, pos, 3);
  city.DisorderTurns = ReadInt(save, pos);

  Skip(pos, -layout.CultureBack);
  city.Culture = ReadInt(save, pos);
  city.CultureStep = ReadInt(save, pos);
  for (int i = 0; i < 3; ++i) city.CultureParts[i] = ReadInt(save, pos);
  if (layout.FaithStored) {
    city.CultureParts[3] = ReadInt(save, pos);
    for (int i = 0; i < 3; ++i) city.FaithParts[i] = ReadInt(save, pos);
    city.FaithParts[3] = city.YieldArrays[4][6];
    city.CultureModifier = ReadInt(save, pos);
    city.CultureParts[4] = city.YieldArrays[4][5];
  } else {
    city.CultureParts[3] = 0;
    city.FaithParts = {};
    city.CultureParts[4] = ReadInt(save, pos);
    city.CultureModifier = ReadInt(save, pos);
  }

  Skip(pos, -layout.PositionBack);
  city.X = ReadInt(save, pos);
  city.Y = ReadInt(save, pos);
  SkipInts(save, pos, 2);
  city.FoundedTurn = ReadInt(save, pos);
  city.CapturedTurn = ReadInt(save, pos);
  city.Population = ReadInt(save, pos);
  city.MaxPopulation = ReadInt(save, pos);
  return pos;
}

void ResetCities(GameState& state) {
  state.AngkorWatOwner = state.SistineChapelOwner = state.HagiaSophiaOwner = -1;
  state.ForbiddenPalaceOwner = state.LeaningTowerOwner = -1;
  for (int p = 0; p < kMaxSlots; ++p) {
    TLeaderInfoRec& leader = state.Leaders[p];
    leader.CityCount = leader.NationalCities = leader.OccupiedCities = leader.PuppetCities = 0;
    state.Cities[p].clear();
  }
  state.CityNames.clear();
  state.CityOwners.clear();
  state.CityNameRows.clear();
}

// The layout row, with the occurrences of the probed markers remembered in `walked` so that
// reading the records does not search the body for them again.
const CityRecordLayout& SelectLayout(const SaveImage& save, const GameState& state,
                                     std::optional<MarkerOccurrences>& walked) {
  const RuleSet rules = RuleSetOf(state);
  const CityRecordLayout* fallback = nullptr;
  for (const CityRecordLayout& layout : kCityRecordLayouts) {
    if (layout.Rules != rules || !Holds(layout.SlotKeys, state.SlotKeysPresent) ||
        !Holds(layout.Build341540, state.Build341540OrLater)) {
      continue;
    }
    if (!layout.Probed) return layout;
    if (!walked || walked->Marker() != layout.Marker) {
      walked.emplace(save, layout.Marker, save.BodyOffset);
    }
    if (ProbeFires(save, layout, *walked)) return layout;
    if (!fallback) fallback = &layout;
  }
  // Only reached if a rule set had nothing but probed rows; its first one is the best guess.
  return fallback ? *fallback : kCityRecordLayouts[0];
}

}  // namespace

const CityRecordLayout& SelectCityLayout(const SaveImage& save, const GameState& state) {
  std::optional<MarkerOccurrences> walked;
  return SelectLayout(save, state, walked);
}

namespace {

// Walks the records in file order, noting every city's name and owner, and returns the records
// that go into the entries' lists.
std::vector<AcceptedCity> WalkCityRecords(const SaveImage& save, GameState& state,
                                          const CityRecordLayout& layout,
                                          MarkerOccurrences& occurrences) {
  std::vector<AcceptedCity> accepted;
  size_t awaiting_next = 0;  // the accepted records from here on do not know their next record
  std::array<int, kMaxSlots> per_entry{};
  int32_t pos = save.BodyOffset;
  for (int iteration = 0; iteration < kMaxCityMarkerTries; ++iteration) {
    const int32_t m = occurrences.Next(pos);
    if (m == 0) break;
    const int32_t past_marker = m > INT32_MAX - kAfterMarkerSkip ? INT32_MAX : m + kAfterMarkerSkip;
    pos = past_marker;
    if (!PassesCheck(save, layout, m)) continue;
    for (; awaiting_next < accepted.size(); ++awaiting_next) accepted[awaiting_next].NextRecord = m;
    const std::optional<int32_t> name_start =
        FindNameStart(save, int64_t{m} + layout.NameEndOffset);
    if (!name_start) continue;
    const int32_t s = *name_start;
    int32_t name_pos = s;
    const std::string stored = Utf8OrEmpty(ReadUStr(save, name_pos));
    const int32_t name_row = FindCityNameRow(stored);
    std::string name = CutNameKeys(stored);
    const int32_t owner_pos = s + layout.OwnerOffset;
    const int32_t owner = PeekInt(save, owner_pos);
    state.CityNames.push_back(name);
    state.CityOwners.push_back(owner);
    state.CityNameRows.push_back(name_row);

    if (owner >= 0 && owner < kMaxSlots) {
      const int32_t p = EntryOfOwner(state, owner);
      if (per_entry[p] < kMaxCitiesPerPlayer) {
        ++per_entry[p];
        accepted.push_back({m, owner_pos, p, std::move(name), name_row});
      }
    }

    if (static_cast<int>(state.CityNames.size()) >= kMaxCityNames) break;
    // Past the rest of this record; never back to or before its own marker.
    const int64_t next = int64_t{name_pos} + kAfterNameSkip;
    pos = static_cast<int32_t>(std::clamp<int64_t>(next, past_marker, INT32_MAX));
  }
  if (awaiting_next < accepted.size()) {
    const int32_t next = NextCheckedMarker(save, layout, occurrences, pos);
    for (; awaiting_next < accepted.size(); ++awaiting_next)
      accepted[awaiting_next].NextRecord = next;
  }
  return accepted;
}

}  // namespace

FoundCities WalkCities(const SaveImage& save, GameState& state) {
  ResetCities(state);
  FoundCities found;
  std::optional<MarkerOccurrences> walked;
  found.Layout = &SelectLayout(save, state, walked);
  const CityRecordLayout& layout = *found.Layout;
  state.CityDetailsUnknown = layout.DetailsKnown ? kFalse : kTrue;
  if (!walked || walked->Marker() != layout.Marker) {
    walked.emplace(save, layout.Marker, save.BodyOffset);
  }
  found.Accepted = WalkCityRecords(save, state, layout, *walked);
  found.Wonders.assign(found.Accepted.size(), 0);
  for (size_t i = 0; i < found.Accepted.size(); ++i) {
    found.OfEntry[found.Accepted[i].Entry].push_back(static_cast<int32_t>(i));
  }
  return found;
}

void ReadEntryCities(const SaveImage& save, GameState& state, FoundCities& found, int32_t p,
                     CityListNames& names) {
  const CityRecordLayout& layout = *found.Layout;
  const std::vector<int32_t>& records = found.OfEntry[p];
  std::vector<TCityRec>& cities = state.Cities[p];
  // The records are large: the list gets its final size before any is read.
  cities.reserve(records.size());
  for (const int32_t i : records) {
    const AcceptedCity& record = found.Accepted[i];
    TCityRec& city = cities.emplace_back();
    city.Name = record.Name;
    city.NameRow = record.NameRow;
    city.Owner = p;
    ReadOwnerBlock(save, layout, city, record.OwnerPos);
    const int32_t q1 = ReadFoodBlock(save, layout, city, record.OwnerPos + layout.FoodOffset);
    if (cities.size() == 1) {
      ReadResearch(save, state, layout, q1, static_cast<int32_t>(records.size()), state.Leaders[p]);
    }
    found.Wonders[i] = ReadCityLists(save, state, layout, p, city,
                                     record.Marker + layout.ListOffset, record.NextRecord, names);
  }
}

void FinishCities(GameState& state, const FoundCities& found) {
  // In file order, so that a wonder held by several records goes to the last one's owner.
  for (size_t i = 0; i < found.Accepted.size(); ++i) {
    NoteWonderOwners(state, found.Accepted[i].Entry, found.Wonders[i]);
  }
  // Records of hash lists whose details are unknown end before their kind can be told.
  const CityRecordLayout& layout = *found.Layout;
  const bool kinds_known = layout.ListForm != CityListForm::Hashes || layout.DetailsKnown;
  for (int p = 0; p < kMaxSlots; ++p) {
    TLeaderInfoRec& leader = state.Leaders[p];
    if (kinds_known) {
      for (const TCityRec& city : state.Cities[p]) CountCityKinds(leader, city);
    }
    leader.CityCount = static_cast<int32_t>(state.Cities[p].size());
  }
}

void ReadCities(const SaveImage& save, GameState& state) {
  FoundCities found = WalkCities(save, state);
  CityListNames names = NewCityListNames();
  for (int32_t p = 0; p < kMaxSlots; ++p) ReadEntryCities(save, state, found, p, names);
  FinishCities(state, found);
}

}  // namespace vek5
