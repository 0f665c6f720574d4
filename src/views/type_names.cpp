#include "views/type_names.h"

#include <string>
#include <unordered_map>

#include "container/key_text.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

// Display name -> first row carrying it. Built once per table: the tables never change, and a
// refresh looks up every building of every city, far too often to cut the keys each time.
using NameIndex = std::unordered_map<std::string, int32_t>;

template <typename Table>
NameIndex IndexByShownName(const Table& table, std::string_view prefix) {
  NameIndex index;
  for (size_t row = 0; row < table.size(); ++row) {
    // emplace keeps the first row of a repeated name.
    index.emplace(CutTextKey(table[row].Key, prefix), static_cast<int32_t>(row));
  }
  return index;
}

// The row of the table whose display name equals the name, or null.
template <typename Table>
const typename Table::value_type* FindShown(const Table& table, const NameIndex& index,
                                            std::string_view name) {
  const auto it = index.find(std::string(name));
  return it == index.end() ? nullptr : &table[static_cast<size_t>(it->second)];
}

template <typename Row>
std::optional<BuildingType> BuildingColumns(const Row* row) {
  if (row == nullptr) return std::nullopt;
  return BuildingType{row->Cost, row->Kind, row->NameRu};
}

template <typename Row>
std::optional<int32_t> UnitCost(const Row* row) {
  if (row == nullptr) return std::nullopt;
  return row->Cost;
}

}  // namespace

RuleSet RuleSetOf(const GameState& state) {
  if (state.ZephPresent != 0) return RuleSet::Zeph;
  if (state.Exp1Present != 0) return RuleSet::Exp1;
  return RuleSet::Base;
}

std::optional<BuildingType> FindBuildingByName(RuleSet rules, std::string_view name) {
  static const NameIndex base = IndexByShownName(BuildingInfo, "BUILDING_");
  static const NameIndex exp1 = IndexByShownName(BuildingInfoExp1, "BUILDING_");
  static const NameIndex zeph = IndexByShownName(BuildingInfoZeph, "BUILDING_");
  switch (rules) {
    case RuleSet::Zeph:
      return BuildingColumns(FindShown(BuildingInfoZeph, zeph, name));
    case RuleSet::Exp1:
      return BuildingColumns(FindShown(BuildingInfoExp1, exp1, name));
    case RuleSet::Base:
      break;
  }
  return BuildingColumns(FindShown(BuildingInfo, base, name));
}

std::optional<int32_t> FindUnitCostByName(RuleSet rules, std::string_view name) {
  static const NameIndex base = IndexByShownName(UnitInfo, "UNIT_");
  static const NameIndex exp1 = IndexByShownName(UnitInfoExp1, "UNIT_");
  static const NameIndex zeph = IndexByShownName(UnitInfoZeph, "UNIT_");
  switch (rules) {
    case RuleSet::Zeph:
      return UnitCost(FindShown(UnitInfoZeph, zeph, name));
    case RuleSet::Exp1:
      return UnitCost(FindShown(UnitInfoExp1, exp1, name));
    case RuleSet::Base:
      break;
  }
  return UnitCost(FindShown(UnitInfo, base, name));
}

}  // namespace vek5
