#include "support/map_writer.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string_view>

#include "model/reference_tables.h"
#include "model/type_hash.h"

namespace vek5::testing {
namespace {

constexpr int kEntries = 80;  // per-player and per-team arrays of a record
constexpr int kAreaSlots = 64;

// Where a plot record holds its values, as the game writes each rule set.
struct RecordLayout {
  uint32_t Version;
  int32_t Fixed;
  int32_t Owner;  // then plot type, terrain, feature
  int32_t Resource;
  int32_t Improvement;
  int32_t Route;
  int32_t EastFlow;  // then the south-east and south-west edges' flows
  int32_t City;      // then the working city, forced worker, linked and buying cities
  int32_t Yields;
  int32_t YieldCount;
  int32_t Visibility;
  int32_t TeamOwner;
  int32_t Revealed;
  int32_t TeamImprovement;
  int32_t TeamRoute;
  bool Hashes;
};

constexpr RecordLayout kZeph{7,   1376, 55,  62,  66,  78,  81,   84,
                             124, 6,    536, 696, 777, 873, 1193, true};
constexpr RecordLayout kBase{8,   1200, 54,  58,  62,  66,  69,   72,
                             112, 4,    520, 680, 761, 857, 1017, false};
constexpr RecordLayout kExp1{10,  1205, 55,  59,  63,  67,  70,   73,
                             113, 6,    525, 685, 766, 862, 1022, false};

const RecordLayout& LayoutOf(Rules rules) {
  switch (rules) {
    case Rules::kBase:
      return kBase;
    case Rules::kExp1:
      return kExp1;
    case Rules::kZeph:
      break;
  }
  return kZeph;
}

template <typename Table>
int32_t RowOfKey(const Table& table, std::string_view key) {
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Key == key) return static_cast<int32_t>(row);
  }
  throw std::invalid_argument("no such key in the rule set's table: " + std::string(key));
}

int32_t FeatureRow(Rules rules, std::string_view key) {
  if (rules == Rules::kBase) return RowOfKey(MapFeatures, key);
  return rules == Rules::kExp1 ? RowOfKey(MapFeaturesExp1, key) : RowOfKey(MapFeaturesZeph, key);
}

bool IsWonderKey(Rules rules, std::string_view key) {
  if (key.empty()) return false;
  const int32_t row = FeatureRow(rules, key);
  if (rules == Rules::kBase) return MapFeatures[row].NaturalWonder != 0;
  return rules == Rules::kExp1 ? MapFeaturesExp1[row].NaturalWonder != 0
                               : MapFeaturesZeph[row].NaturalWonder != 0;
}

std::vector<std::string> DefaultImprovementKeys(Rules rules) {
  std::vector<std::string> keys;
  const auto add = [&keys](const auto& table) {
    for (const auto& row : table) keys.emplace_back(row.Key);
  };
  if (rules == Rules::kBase) {
    add(MapImprovements);
  } else if (rules == Rules::kExp1) {
    add(MapImprovementsExp1);
  } else {
    add(MapImprovementsZeph);
  }
  return keys;
}

class Record {
 public:
  explicit Record(size_t size) : bytes_(size, 0) {}
  template <typename T>
  void Put(size_t offset, T value) {
    std::memcpy(bytes_.data() + offset, &value, sizeof value);
  }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// A feature or improvement as the rule set stores it: a hash in Zeph, else a row (-1 none).
int32_t StoredImprovement(Rules rules, const std::vector<std::string>& keys,
                          const std::string& key) {
  if (rules == Rules::kZeph) return key.empty() ? 0 : TypeHash(key);
  if (key.empty()) return -1;
  const auto at = std::find(keys.begin(), keys.end(), key);
  if (at == keys.end()) throw std::invalid_argument("improvement not in the area table: " + key);
  return static_cast<int32_t>(at - keys.begin());
}

int32_t StoredFeature(Rules rules, const std::string& key) {
  if (rules == Rules::kZeph) return key.empty() ? 0 : TypeHash(key);
  return key.empty() ? -1 : FeatureRow(rules, key);
}

void WriteFixed(Record& r, const RecordLayout& l, Rules rules, const MapDescription& map,
                const std::vector<std::string>& improvement_keys, const PlotDescription& p,
                int32_t index) {
  r.Put<uint32_t>(0, l.Version);
  r.Put<int16_t>(4, static_cast<int16_t>(index % map.Width));
  r.Put<int16_t>(6, static_cast<int16_t>(index / map.Width));
  r.Put<int16_t>(13, p.TurnsOwned);
  r.Put<int8_t>(25, p.ResourceQuantity);
  r.Put<uint8_t>(45, p.RiverSouthWest);
  r.Put<uint8_t>(46, p.RiverEast);
  r.Put<uint8_t>(47, p.RiverSouthEast);
  r.Put<uint8_t>(49, p.ImprovementPillaged);
  r.Put<uint8_t>(50, p.RoutePillaged);
  r.Put<int8_t>(l.Owner, p.Owner);
  r.Put<int8_t>(l.Owner + 1, p.PlotType);
  r.Put<int8_t>(l.Owner + 2, p.Terrain);
  const int32_t feature = p.RawFeature.value_or(StoredFeature(rules, p.FeatureKey));
  if (l.Hashes) {
    r.Put<int32_t>(l.Owner + 3, feature);
  } else {
    r.Put<int8_t>(l.Owner + 3, static_cast<int8_t>(feature));
  }
  r.Put<int32_t>(l.Resource,
                 p.RawResource.value_or(p.ResourceKey.empty() ? 0 : TypeHash(p.ResourceKey)));
  const int32_t improvement =
      p.RawImprovement.value_or(StoredImprovement(rules, improvement_keys, p.ImprovementKey));
  if (l.Hashes) {
    r.Put<int32_t>(l.Improvement, improvement);
    r.Put<int32_t>(l.Improvement + 4, improvement);  // the last built here
    r.Put<int8_t>(l.Improvement + 8, -1);
  } else {
    r.Put<int8_t>(l.Improvement, static_cast<int8_t>(improvement));
  }
  for (int k = 1; k <= 3; ++k) r.Put<int8_t>(l.Route - k, -1);  // responsible players
  r.Put<int8_t>(l.Route, p.Route);
  r.Put<int8_t>(l.Route + 1, -1);
  r.Put<int8_t>(l.Route + 2, -1);
  r.Put<int8_t>(l.EastFlow, p.FlowEast);
  r.Put<int8_t>(l.EastFlow + 1, p.FlowSouthEast);
  r.Put<int8_t>(l.EastFlow + 2, p.FlowSouthWest);
  for (int k = 0; k < 5; ++k) r.Put<int32_t>(l.City + 8 * k, -1);
  r.Put<int32_t>(l.City, p.CityOwner);
  r.Put<int32_t>(l.City + 4, p.CityId);
  r.Put<int32_t>(l.City + 8, p.WorkingOwner);
  r.Put<int32_t>(l.City + 12, p.WorkingId);
  for (int k = 0; k < l.YieldCount; ++k) r.Put<int16_t>(l.Yields + 2 * k, p.Yields[k]);
  for (int t = 0; t < kEntries; ++t) {
    r.Put<int8_t>(l.TeamOwner + t, -1);
    r.Put<int16_t>(l.TeamRoute + 2 * t, -1);
    if (l.Hashes) {
      r.Put<int32_t>(l.TeamImprovement + 4 * t, 0);
    } else {
      r.Put<int16_t>(l.TeamImprovement + 2 * t, -1);
    }
  }
  for (const TeamSight& sight : p.Teams) {
    const int t = sight.Team;
    if (sight.Seen) {
      uint32_t word;
      std::memcpy(&word, r.Bytes().data() + l.Revealed + 4 * (t / 32), 4);
      r.Put<uint32_t>(l.Revealed + 4 * (t / 32), word | (1u << (t % 32)));
    }
    r.Put<int16_t>(l.Visibility + 2 * t, sight.SeesNow ? 1 : 0);
    r.Put<int8_t>(l.TeamOwner + t, sight.Owner);
    r.Put<int16_t>(l.TeamRoute + 2 * t, sight.Route);
    const int32_t seen = StoredImprovement(rules, improvement_keys, sight.ImprovementKey);
    if (l.Hashes) {
      r.Put<int32_t>(l.TeamImprovement + 4 * t, seen);
    } else {
      r.Put<int16_t>(l.TeamImprovement + 2 * t, static_cast<int16_t>(seen));
    }
  }
  r.Put<uint8_t>(l.Fixed - 1, p.Script ? 1 : 0);
}

void WriteTail(ByteWriter& out, Rules rules, const PlotDescription& p) {
  if (p.Script) out.Str(*p.Script);
  const int32_t builds = rules == Rules::kZeph ? 35 : 27;
  if (p.Builds.empty()) {
    out.Int(0);
  } else {
    out.Int(builds);
    out.Int(builds);
    for (int32_t k = 0; k < builds; ++k) {
      const bool started = static_cast<size_t>(k) < p.Builds.size();
      if (rules == Rules::kZeph) {
        out.Int(started ? TypeHash(p.Builds[k]) : 0);
        if (started) out.Short(10);
      } else {
        out.Str(started ? p.Builds[k] : "NO_BUILD");
        if (started) out.Short(10);
      }
    }
  }
  out.Zeros(2 * kEntries);
  out.Int(static_cast<int32_t>(p.Units.size()));
  for (const auto& [owner, id] : p.Units) {
    out.Int(owner);
    out.Int(id);
  }
  out.Byte(0);  // continent type
  if (rules == Rules::kZeph) {
    out.Int(2);
    out.Zeros(5 * 4);
  }
}

void WriteHeader(ByteWriter& out, const MapDescription& map,
                 const std::vector<PlotDescription>& plots) {
  int32_t land = 0;
  int32_t owned = 0;
  int32_t wonders = 0;
  std::vector<int32_t> counts(map.ResourceKeys.size(), 0);
  std::vector<int32_t> land_counts(map.ResourceKeys.size(), 0);
  for (const PlotDescription& p : plots) {
    land += p.PlotType != 3;
    owned += p.Owner >= 0;
    wonders += IsWonderKey(map.RuleSet, p.FeatureKey);
    const auto at = std::find(map.ResourceKeys.begin(), map.ResourceKeys.end(), p.ResourceKey);
    if (p.ResourceKey.empty() || at == map.ResourceKeys.end()) continue;
    ++counts[at - map.ResourceKeys.begin()];
    if (p.PlotType != 3) ++land_counts[at - map.ResourceKeys.begin()];
  }
  if (map.FirstResourceCount && !counts.empty()) counts[0] = *map.FirstResourceCount;
  out.Int(map.RuleSet == Rules::kZeph ? 1 : 4);
  out.Int(map.Width);
  out.Int(map.Height);
  out.Int(map.LandCount.value_or(land));
  out.Int(map.OwnedCount.value_or(owned));
  out.Int(map.NaturalWonderCount.value_or(wonders));
  out.Int(90);
  out.Int(-90);
  out.Byte(map.WrapX);
  out.Byte(map.WrapY);
  for (int k = 0; k < 16; ++k) out.Byte(static_cast<uint8_t>(0x30 + k));  // map identifier
  for (const std::vector<int32_t>* list : {&counts, &land_counts}) {
    out.Int(static_cast<int32_t>(map.ResourceKeys.size()));
    for (size_t r = 0; r < map.ResourceKeys.size(); ++r) {
      out.Int(TypeHash(map.ResourceKeys[r]));
      out.Int((*list)[r]);
    }
  }
}

// One area holding every plot, with the improvement table, then one landmass and the int32
// that ends the section.
void WriteAreas(ByteWriter& out, const MapDescription& map,
                const std::vector<std::string>& improvement_keys) {
  const auto list_header = [&out] {
    out.Int(kAreaSlots);
    for (int k = 0; k < 4; ++k) out.Int(0);
    for (int k = 0; k < kAreaSlots; ++k) out.Int(k == 0 ? 1 : 0);
    out.Int(1);
  };
  list_header();
  out.Int(map.RuleSet == Rules::kZeph ? 1 : 3);
  out.Int(1);
  out.Int(map.Width * map.Height);
  out.Int(0);
  out.Zeros(7 * 4 + 4 * 4 + 2);
  const int yields = map.RuleSet == Rules::kBase ? 4 : 6;
  out.Zeros((5 * kEntries + 64 * 2 + 64 * yields) * 4);
  out.Int(0);  // resources
  out.Int(static_cast<int32_t>(improvement_keys.size()));
  for (const std::string& key : improvement_keys) {
    if (map.RuleSet == Rules::kZeph) {
      out.Int(TypeHash(key));
      out.Int(0);
    } else {
      out.Str(key);
      out.Int(0);
    }
  }
  list_header();
  out.Int(1);
  out.Int(1);
  out.Int(map.Width * map.Height);
  out.Int(0);
  out.Int(0);
  out.Byte(0);
  out.Byte(0);
  out.Int(0);
}

}  // namespace

PlotDescription LandPlot(int8_t owner) {
  PlotDescription plot;
  plot.PlotType = 2;
  plot.Terrain = 0;
  plot.Owner = owner;
  return plot;
}

WrittenMap WriteMapSection(const MapDescription& map) {
  const RecordLayout& layout = LayoutOf(map.RuleSet);
  std::vector<PlotDescription> plots = map.Plots;
  plots.resize(static_cast<size_t>(map.Width * map.Height));
  const std::vector<std::string> improvement_keys =
      map.ImprovementKeys.empty() ? DefaultImprovementKeys(map.RuleSet) : map.ImprovementKeys;
  ByteWriter out;
  if (map.HintSize > 0) {
    out.Int(10);
    out.Int(map.HintSize);
    out.Zeros(static_cast<size_t>(map.HintSize - 8));
  }
  WrittenMap written;
  written.HeaderOffset = out.size();
  WriteHeader(out, map, plots);
  for (int32_t i = 0; i < static_cast<int32_t>(plots.size()); ++i) {
    written.PlotOffsets.push_back(out.size());
    Record record(static_cast<size_t>(layout.Fixed));
    WriteFixed(record, layout, map.RuleSet, map, improvement_keys, plots[i], i);
    out.Bytes(record.Bytes());
    WriteTail(out, map.RuleSet, plots[i]);
  }
  if (map.WriteAreas) WriteAreas(out, map, improvement_keys);
  written.Bytes = out.bytes();
  return written;
}

GameDescription GameWithMap(const MapDescription& map) {
  GameDescription game;
  game.BodySections.push_back(WriteMapSection(map).Bytes);
  return game;
}

int32_t PlotTerrainOffset(Rules rules) {
  return LayoutOf(rules).Owner + 2;
}
int32_t PlotFixedBytes(Rules rules) {
  return LayoutOf(rules).Fixed;
}

}  // namespace vek5::testing
