#include "support/city_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "model/type_hash.h"
#include "support/save_builder.h"

namespace vek5::testing {
namespace {

// How the game lays out a record of each form. Distances are from the marker m, from the start
// s of the name's length field, and from the two field positions B and Q.
struct Form {
  uint32_t Marker;
  int32_t ListFromMarker;     // L - m
  int32_t NameEndFromMarker;  // end of the name's bytes - m
  int32_t OwnerFromName;      // B - s
  int32_t FoodFromOwner;      // Q - B
  int YieldArrays;
  int32_t StrengthSkip;
  int32_t CultureBack;
  bool FaithStored;
  int32_t PositionBack;
  bool Hashes;
  int32_t ProjectSkip;
  int32_t ReligionSkip;
  bool Citizens;  // the citizens block follows the queue
};

Form FormOf(CityRecordForm form) {
  switch (form) {
    case CityRecordForm::Base:
      return {0x37AEAE99, 32, -680, -504, -134, 16, 44, 168, false, 76, false, 21, 0, false};
    case CityRecordForm::BaseSlotKeys:
      return {0x37AEAE99, 32, -680, -512, -134, 16, 44, 168, false, 76, false, 21, 0, false};
    case CityRecordForm::Exp1:
      return {0x18BF8791, 32, -848, -652, -134, 16, 44, 184, true, 88, false, 25, 25, false};
    case CityRecordForm::Exp1Late:
      return {0x18BF8791, 32, -848, -652, -134, 16, 44, 184, true, 88, false, 25, 29, false};
    case CityRecordForm::Zeph:
      return {0xF5010319, 8, -968, -680, -142, 18, 52, 192, true, 84, true, 33, 0, false};
    case CityRecordForm::ZephFinal:
      return {0xF5010319, 24, -1000, -680, -142, 18, 52, 192, true, 84, true, 33, 0, true};
  }
  throw std::logic_error("unknown city record form");
}

constexpr int kZephProjectSkipList = 7;
constexpr int kZephProjects = 6;
constexpr int kKeyedProjects = 7;
constexpr int32_t kZephQueueMarker = 0x57E5BD65;
constexpr char kQueueListKey[] = "PROMOTION_INSTA_HEAL";
constexpr size_t kMargin = 64;
constexpr std::array<const char*, kZephSpecialistKinds> kSpecialistKeys = {
    "SPECIALIST_CITIZEN",   "SPECIALIST_WRITER",   "SPECIALIST_ARTIST",  "SPECIALIST_MUSICIAN",
    "SPECIALIST_SCIENTIST", "SPECIALIST_MERCHANT", "SPECIALIST_ENGINEER"};
// Distances in the citizens block, from S (the specialist list's count).
constexpr size_t kUnassignedBeforeList = 99;    // then the worked tiles, then 91 bytes to S
constexpr size_t kListToBuildingPoints = 2548;  // the pair list without its count
constexpr size_t kListToReligions = 2604;
constexpr int32_t kReligionBlockVersion = 3;
constexpr int32_t kReligionEntryVersion = 2;

// Bytes placed at offsets relative to the marker; assembled into one block at the end.
class Canvas {
 public:
  void Put(int64_t at, const std::vector<uint8_t>& bytes) { patches_.push_back({at, bytes}); }
  void PutInt(int64_t at, int32_t v) {
    ByteWriter w;
    w.Int(v);
    Put(at, w.bytes());
  }
  std::vector<uint8_t> Assemble() const {
    int64_t lo = 0, hi = 0;
    for (const Patch& p : patches_) {
      lo = std::min(lo, p.At);
      hi = std::max(hi, p.At + static_cast<int64_t>(p.Bytes.size()));
    }
    const int64_t origin = static_cast<int64_t>(kMargin) - lo;
    std::vector<uint8_t> block(static_cast<size_t>(hi - lo) + 2 * kMargin, 0);
    std::vector<bool> used(block.size(), false);
    for (const Patch& p : patches_) {
      for (size_t i = 0; i < p.Bytes.size(); ++i) {
        const auto at = static_cast<size_t>(origin + p.At + static_cast<int64_t>(i));
        if (used[at]) throw std::logic_error("city record fields overlap");
        used[at] = true;
        block[at] = p.Bytes[i];
      }
    }
    return block;
  }

 private:
  struct Patch {
    int64_t At;
    std::vector<uint8_t> Bytes;
  };
  std::vector<Patch> patches_;
};

int32_t HashOf(const std::string& key, int32_t hash) {
  if (hash != 0 || key.empty()) return hash;
  return TypeHash(key);
}

// A Zeph list: hash and value, or a lone zero for an entry without a type.
template <typename Item, typename Value>
void HashList(ByteWriter& w, const std::vector<Item>& items, Value value) {
  w.Int(static_cast<int32_t>(items.size()));
  for (const Item& item : items) {
    const int32_t hash = HashOf(item.Key, item.Hash);
    w.Int(hash);
    if (hash != 0) w.Int(value(item));
  }
}

template <typename Item, typename Value>
void KeyList(ByteWriter& w, const std::vector<Item>& items, Value value) {
  w.Int(static_cast<int32_t>(items.size()));
  for (const Item& item : items) {
    w.Str(item.Key);
    w.Int(value(item));
  }
}

void OneKeyList(ByteWriter& w, const std::string& key) {
  w.Int(1);
  w.Str(key);
  w.Int(0);
}

void QueueBody(ByteWriter& w, const CityDescription& city) {
  w.Int(city.OverrideQueueCount ? city.QueueCount : static_cast<int32_t>(city.Queue.size()));
  for (const CityQueueItem& item : city.Queue) {
    w.Int(item.Type);
    w.Int(item.Item);
    w.Int(item.Value);
    w.Byte(item.Flag1);
    w.Byte(item.Flag2);
  }
}

void BuildingLists(ByteWriter& w, const CityDescription& city, bool hashes) {
  const auto& b = city.Buildings;
  if (hashes) {
    HashList(w, b, [](const CityBuilding& x) { return x.Production; });
    HashList(w, b, [](const CityBuilding& x) { return x.Delay; });
    HashList(w, b, [](const CityBuilding& x) { return x.Value3; });
    HashList(w, b, [](const CityBuilding& x) { return x.Date; });
    HashList(w, b, [](const CityBuilding& x) { return x.Count; });
    HashList(w, b, [](const CityBuilding& x) { return x.FreeCount; });
  } else {
    KeyList(w, b, [](const CityBuilding& x) { return x.Production; });
    KeyList(w, b, [](const CityBuilding& x) { return x.Delay; });
    KeyList(w, b, [](const CityBuilding& x) { return x.Value3; });
    KeyList(w, b, [](const CityBuilding& x) { return x.Date; });
    KeyList(w, b, [](const CityBuilding& x) { return x.Count; });
    KeyList(w, b, [](const CityBuilding& x) { return x.FreeCount; });
  }
}

// (type hash, value) pairs by specialist kind.
void SpecialistPairs(ByteWriter& w, const std::array<int32_t, kZephSpecialistKinds>& values) {
  for (size_t k = 0; k < values.size(); ++k) {
    w.Int(TypeHash(kSpecialistKeys[k]));
    w.Int(values[k]);
  }
}

void CitizensBlock(ByteWriter& w, const CityDescription& city) {
  const ZephCitizens& c = city.Citizens;
  w.Zeros(32);
  w.Int(c.Unassigned);
  w.Int(c.WorkedTiles);
  w.Zeros(kUnassignedBeforeList - 8);
  const size_t s = w.size();
  w.Int(c.Kinds);
  SpecialistPairs(w, c.Specialists);
  w.Int(kZephSpecialistKinds);
  SpecialistPairs(w, c.Progress);
  w.Zeros(s + kListToBuildingPoints - w.size());
  SpecialistPairs(w, c.BuildingPoints);
  w.Zeros(s + kListToReligions - w.size());
  w.Int(kReligionBlockVersion);
  w.Byte(0);
  w.Int(0);  // pressure modifier
  w.Int(c.OverrideReligionCount ? c.ReligionCount : static_cast<int32_t>(city.Religions.size()));
  for (const CityReligionEntry& r : city.Religions) {
    w.Int(kReligionEntryVersion);
    w.Int(r.ReligionId);
    w.Byte(r.Holy);
    w.Int(r.Followers);
    w.Int(r.Pressure);
    w.Int(r.TradeRoutes);
  }
}

std::vector<uint8_t> ZephLists(const CityDescription& city, const Form& f) {
  ByteWriter w;
  w.IntList(std::vector<int32_t>(kZephProjectSkipList, 0));
  w.IntList({city.ProjectProduction.begin(), city.ProjectProduction.begin() + kZephProjects});
  w.Zeros(static_cast<size_t>(f.ProjectSkip));
  BuildingLists(w, city, true);
  w.Int(0);  // a value and an empty list of triples before the units
  w.Int(0);
  HashList(w, city.Units, [](const CityUnit& u) { return u.Production; });
  HashList(w, city.Units, [](const CityUnit& u) { return u.Delay; });
  if (city.HasQueue) {
    w.Int(1);
    w.Int(kZephQueueMarker);
    w.Int(0);
    QueueBody(w, city);
    if (f.Citizens && city.Citizens.Written) CitizensBlock(w, city);
  }
  return w.bytes();
}

std::vector<uint8_t> KeyedLists(const CityDescription& city, const Form& f) {
  ByteWriter w;
  w.IntList({city.ProjectProduction.begin(), city.ProjectProduction.begin() + kKeyedProjects});
  w.Zeros(static_cast<size_t>(f.ProjectSkip));
  BuildingLists(w, city, false);
  w.Int(0);
  w.Int(static_cast<int32_t>(city.Units.size()));
  for (const CityUnit& unit : city.Units) {
    w.Str(unit.Key);
    w.Int(unit.Production);
    w.Int(unit.Delay);
    w.Int(0);
    w.Int(0);
  }
  if (city.HasQueue) {
    OneKeyList(w, kQueueListKey);
    QueueBody(w, city);
  }
  // Three key lists starting with the same building: the specialists lie before the second,
  // the religions after the third.
  OneKeyList(w, kCheckBuildingKey);
  w.Int(city.OtherSpecialists);
  for (const int32_t n : city.GPSpecialists) w.Int(n);
  w.Int(0);
  for (const int32_t n : city.GPPoints) w.Int(n);
  OneKeyList(w, kCheckBuildingKey);
  OneKeyList(w, kCheckBuildingKey);
  w.Zeros(static_cast<size_t>(f.ReligionSkip));
  w.Int(static_cast<int32_t>(city.Religions.size()));
  for (const CityReligionEntry& r : city.Religions) {
    w.Int(r.Value0);
    w.Int(r.ReligionId);
    w.Byte(r.Holy);
    w.Int(r.Followers);
    w.Int(r.Pressure);
  }
  return w.bytes();
}

}  // namespace

std::vector<uint8_t> WriteCityRecord(CityRecordForm form, const CityDescription& city) {
  const Form f = FormOf(form);
  Canvas canvas;
  canvas.PutInt(0, static_cast<int32_t>(f.Marker));
  canvas.Put(f.ListFromMarker, f.Hashes ? ZephLists(city, f) : KeyedLists(city, f));

  ByteWriter name;
  name.Str(city.Name);
  const int64_t s = f.NameEndFromMarker - static_cast<int64_t>(name.size());
  canvas.Put(s, name.bytes());

  // Around B: flags before it, owners at it, yield arrays after.
  const int64_t b = s + f.OwnerFromName;
  canvas.Put(b - 10, {city.Flags.begin(), city.Flags.end()});
  ByteWriter owners;
  owners.Int(city.Owner);
  owners.Int(city.PreviousOwner);
  owners.Int(city.OriginalOwner);
  canvas.Put(b, owners.bytes());
  ByteWriter yields;
  for (size_t k = 0; k < city.YieldArrays.size() && static_cast<int>(k) < f.YieldArrays; ++k) {
    yields.IntList(city.YieldArrays[k]);
  }
  if (yields.size() > 0) canvas.Put(b + 16, yields.bytes());

  // From Q: food, then forward to the strength, back to the culture, back to the position.
  int64_t q = b + f.FoodFromOwner;
  ByteWriter food;
  for (const int32_t v : {city.Food, city.FoodExtra, 0, city.OverflowProduction}) food.Int(v);
  canvas.Put(q, food.bytes());
  q += 16 + f.StrengthSkip;
  ByteWriter strength;
  for (const int32_t v :
       {city.Strength, 0, 0, 0, 0, city.WLTKDTurns, 0, 0, 0, city.DisorderTurns}) {
    strength.Int(v);
  }
  canvas.Put(q, strength.bytes());
  q += 40 - f.CultureBack;
  ByteWriter culture;
  for (const int32_t v : {city.Culture, city.CultureStep, city.CultureParts[0],
                          city.CultureParts[1], city.CultureParts[2]}) {
    culture.Int(v);
  }
  if (f.FaithStored) {
    culture.Int(city.CultureParts[3]);
    for (const int32_t v : city.FaithParts) culture.Int(v);
  } else {
    culture.Int(city.CultureParts[4]);
  }
  culture.Int(city.CultureModifier);
  canvas.Put(q, culture.bytes());
  q += static_cast<int64_t>(culture.size()) - f.PositionBack;
  ByteWriter position;
  for (const int32_t v : {city.X, city.Y, 0, 0, city.FoundedTurn, city.CapturedTurn,
                          city.Population, city.MaxPopulation}) {
    position.Int(v);
  }
  canvas.Put(q, position.bytes());
  const int64_t after_position = q + 32;
  canvas.PutInt(after_position - 96, city.ResearchProbe);
  canvas.PutInt(after_position - (city.ResearchProbe == -1 ? 146 : 114), city.ResearchingTech);
  return canvas.Assemble();
}

std::vector<uint8_t> WriteCityRecords(CityRecordForm form,
                                      const std::vector<CityDescription>& cities) {
  std::vector<uint8_t> all;
  for (const CityDescription& city : cities) {
    const std::vector<uint8_t> block = WriteCityRecord(form, city);
    all.insert(all.end(), block.begin(), block.end());
  }
  return all;
}

}  // namespace vek5::testing
