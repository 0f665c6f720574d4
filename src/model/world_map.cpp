#include "model/world_map.h"

#include <span>

#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr std::string_view kUnknownName = "Unknown";

// The name of a row of a table; empty for "none", "Unknown" for a row the table does not hold.
template <typename Row>
std::string_view RowName(std::span<const Row> table, int row) {
  if (row == kMapNone) return {};
  if (row < 0 || static_cast<size_t>(row) >= table.size()) return kUnknownName;
  return table[static_cast<size_t>(row)].NameEn;
}

std::span<const TMapFeatureRec> FeatureTable(MapRuleSet rules) {
  switch (rules) {
    case MapRuleSet::kBase:
      return MapFeatures;
    case MapRuleSet::kExp1:
      return MapFeaturesExp1;
    case MapRuleSet::kZeph:
      break;
  }
  return MapFeaturesZeph;
}

std::span<const TMapImprovementRec> ImprovementTable(MapRuleSet rules) {
  switch (rules) {
    case MapRuleSet::kBase:
      return MapImprovements;
    case MapRuleSet::kExp1:
      return MapImprovementsExp1;
    case MapRuleSet::kZeph:
      break;
  }
  return MapImprovementsZeph;
}

std::span<const TMapResourceRec> ResourceTable(MapRuleSet rules) {
  switch (rules) {
    case MapRuleSet::kBase:
      return MapResources;
    case MapRuleSet::kExp1:
      return MapResourcesExp1;
    case MapRuleSet::kZeph:
      break;
  }
  return MapResourcesZeph;
}

// The rule set's resource row of a row of the save's resource table, or -1.
int32_t ResourceInfoRow(const WorldMap& map, int16_t row) {
  if (row < 0 || static_cast<size_t>(row) >= map.Resources.size()) return -1;
  const int32_t info = map.Resources[static_cast<size_t>(row)].InfoRow;
  return info < static_cast<int32_t>(ResourceTable(map.Rules).size()) ? info : -1;
}

// The row holding the hash (the tables are short); -1 for 0 or a hash they do not hold.
template <typename Row>
int32_t RowOfHash(std::span<const Row> table, int32_t hash) {
  if (hash == 0) return -1;
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Hash == hash) return static_cast<int32_t>(row);
  }
  return -1;
}

}  // namespace

std::string_view PlotTypeName(int8_t row) {
  return RowName<TMapNameRec>(MapPlotTypes, row);
}
std::string_view TerrainName(int8_t row) {
  return RowName<TMapNameRec>(MapTerrains, row);
}
std::string_view RouteName(int8_t row) {
  return RowName<TMapNameRec>(MapRoutes, row);
}

std::string_view FeatureName(MapRuleSet rules, int8_t row) {
  return RowName(FeatureTable(rules), row);
}

std::string_view ImprovementName(MapRuleSet rules, int8_t row) {
  return RowName(ImprovementTable(rules), row);
}

std::string_view ResourceName(const WorldMap& map, int16_t row) {
  if (row == kMapNone) return {};
  const int32_t info = ResourceInfoRow(map, row);
  return info < 0 ? kUnknownName : ResourceTable(map.Rules)[static_cast<size_t>(info)].NameEn;
}

int FeatureRowCount(MapRuleSet rules) {
  return static_cast<int>(FeatureTable(rules).size());
}

int ImprovementRowCount(MapRuleSet rules) {
  return static_cast<int>(ImprovementTable(rules).size());
}

bool IsNaturalWonder(MapRuleSet rules, int8_t feature_row) {
  const std::span<const TMapFeatureRec> table = FeatureTable(rules);
  return feature_row >= 0 && static_cast<size_t>(feature_row) < table.size() &&
         table[static_cast<size_t>(feature_row)].NaturalWonder != 0;
}

ResourceClass ClassOfResource(const WorldMap& map, int16_t row) {
  const int32_t info = ResourceInfoRow(map, row);
  if (info < 0) return ResourceClass::kUnknown;
  const std::string_view name = ResourceTable(map.Rules)[static_cast<size_t>(info)].Class;
  if (name == "strategic") return ResourceClass::kStrategic;
  if (name == "luxury") return ResourceClass::kLuxury;
  return ResourceClass::kBonus;
}

int32_t FindMapFeatureRow(MapRuleSet rules, int32_t hash) {
  return RowOfHash(FeatureTable(rules), hash);
}

int32_t FindMapImprovementRow(MapRuleSet rules, int32_t hash) {
  return RowOfHash(ImprovementTable(rules), hash);
}

int32_t FindMapResourceRow(MapRuleSet rules, int32_t hash) {
  return RowOfHash(ResourceTable(rules), hash);
}

int32_t FindMapImprovementRowByKey(MapRuleSet rules, std::string_view key) {
  const std::span<const TMapImprovementRec> table = ImprovementTable(rules);
  for (size_t row = 0; row < table.size(); ++row) {
    if (table[row].Key == key) return static_cast<int32_t>(row);
  }
  return -1;
}

}  // namespace vek5
