#include "views/city_queue_view.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>

#include "container/key_text.h"
#include "model/format.h"
#include "model/reference_tables.h"
#include "views/city_view.h"
#include "views/religion_names.h"

namespace vek5 {
namespace {

constexpr int32_t kNationalWonderCostPerCity = 30;
constexpr int32_t kCityStateCostPercent = 150;
constexpr int32_t kPlainPercent = 100;
constexpr int32_t kComputerSlotStatus = 1;
constexpr int kProductionItems = kProductionGridRows - 1;

constexpr std::array<std::string_view, kProductionGridColumns> kProductionHeadings = {
    "№", "Production", "Hammers", "Delay"};
constexpr std::array<std::string_view, kReligionGridColumns> kReligionHeadings = {
    "Religion", "Followers", "Points", "Percent", "Holy"};

// ---- Build queue ------------------------------------------------------------------------------

std::string Hex(int32_t value) {
  return Format("%08x", static_cast<uint32_t>(value));
}

template <typename Slots>
std::string SlotName(const Slots& names, int32_t slot) {
  if (slot < 0 || slot >= static_cast<int32_t>(names.size())) return {};
  return names[static_cast<size_t>(slot)];
}

template <typename Table>
std::string RowName(const Table& table, int32_t row) {
  if (row < 0 || row >= static_cast<int32_t>(table.size())) return {};
  return std::string(table[static_cast<size_t>(row)].Name);
}

std::optional<std::string> ZephUnitName(int32_t hash) {
  const int32_t row = FindUIndex(hash);
  if (row < 0 || row >= kUnitRows) return std::nullopt;
  return CutTextKey(UnitInfoZeph[static_cast<size_t>(row)].Key, "UNIT_");
}
std::optional<std::string> ZephBuildingName(int32_t hash) {
  const int32_t row = FindBIndex(hash);
  if (row < 0 || row >= kBuildingRows) return std::nullopt;
  return CutTextKey(BuildingInfoZeph[static_cast<size_t>(row)].Key, "BUILDING_");
}
std::optional<std::string> ZephProjectName(int32_t hash) {
  const int32_t row = FindPIndex(hash);
  if (row < 0 || row >= kProjectInfoRows) return std::nullopt;
  return RowName(ProjectInfo, row);
}
std::optional<std::string> ZephCommerceName(int32_t hash) {
  const int32_t row = FindCIndex(hash);
  if (row < 0 || row >= kCommerceInfoRows) return std::nullopt;
  return RowName(CommerceInfo, row);
}
std::optional<std::string> NoZephName(int32_t) {
  return std::nullopt;
}

std::string UnitSlotName(const TCityRec& city, int32_t item) {
  return SlotName(city.UnitNames, item);
}
std::string BuildingSlotName(const TCityRec& city, int32_t item) {
  return SlotName(city.BuildingNames, item);
}
std::string ProjectRowName(const TCityRec&, int32_t item) {
  return RowName(ProjectInfo, item);
}
std::string CommerceRowName(const TCityRec&, int32_t item) {
  return RowName(CommerceInfo, item);
}
std::string NoSlotName(const TCityRec&, int32_t) {
  return {};
}

// How each kind of queue entry is named. A Zeph save stores type hashes: an unknown hash shows
// as the label with the hash in hexadecimal. Other saves store the slot or table row.
struct QueueKind {
  std::string_view ZephLabel;
  std::optional<std::string> (*ZephName)(int32_t hash);
  std::string (*OtherName)(const TCityRec& city, int32_t item);
};

// Indexed by the entry's Type.
constexpr std::array<QueueKind, 5> kQueueKinds = {{
    {"Unit", ZephUnitName, UnitSlotName},
    {"Building", ZephBuildingName, BuildingSlotName},
    {"Project", ZephProjectName, ProjectRowName},
    // A specialist order: labelled by the first four letters of the word.
    {std::string_view("Specialist").substr(0, 4), NoZephName, NoSlotName},
    {"Commerce", ZephCommerceName, CommerceRowName},
}};

// ---- Costs ------------------------------------------------------------------------------------

const TLeaderInfoRec* LeaderOf(const GameState& state, int32_t entry) {
  if (entry < 0 || entry >= std::min(state.PlayerCount, kMaxSlots)) return nullptr;
  return &state.Leaders[static_cast<size_t>(entry)];
}

// Percentage factors applied one at a time, each truncating toward zero, in 64 bits so that no
// step can overflow; results that fit 32 bits are those of 32-bit arithmetic.
int32_t ScaleCost(const GameState& state, int64_t base, int32_t level, int32_t minor) {
  int64_t cost = base;
  for (const int32_t percent : {level, minor, state.SpeedPercent, state.EraMod3}) {
    cost = cost * percent / 100;
  }
  return static_cast<int32_t>(std::clamp<int64_t>(cost, INT32_MIN, INT32_MAX));
}

int32_t CityStatePercent(const TLeaderInfoRec* leader) {
  return leader != nullptr && leader->SlotIsMinor != 0 ? kCityStateCostPercent : kPlainPercent;
}

bool PaysDifficulty(const TLeaderInfoRec* leader) {
  return leader != nullptr && leader->SlotStatus == kComputerSlotStatus;
}

// ---- Grids ------------------------------------------------------------------------------------

template <size_t Columns>
GridContent& GridWithHeadings(TabContent& tab, std::string_view control, int rows,
                              const std::array<std::string_view, Columns>& headings) {
  GridContent& grid = tab.Grid(control, rows, static_cast<int>(Columns));
  for (size_t c = 0; c < Columns; ++c) grid.Cells[0][c] = std::string(headings[c]);
  for (size_t r = 1; r < grid.Cells.size(); ++r) {
    std::fill(grid.Cells[r].begin(), grid.Cells[r].end(), std::string());
  }
  return grid;
}

GridContent& EmptyProductionGrid(TabContent& tab) {
  return GridWithHeadings(tab, "ProductionGrid", kProductionGridRows, kProductionHeadings);
}
GridContent& EmptyReligionGrid(TabContent& tab) {
  return GridWithHeadings(tab, "ReligionGrid", kReligionGridRows, kReligionHeadings);
}

std::string HammersText(int32_t production, int32_t cost) {
  const double hammers = production / 100.0;
  if (cost > 0) return Format("%8.2f/%d", hammers, cost);
  return Format("%8.2f", hammers);
}

// Fills the production grid row by row; items beyond its data rows are dropped.
class ProductionRows {
 public:
  explicit ProductionRows(GridContent& grid) : grid_(grid) {}
  bool Full() const { return used_ >= kProductionItems; }
  void Add(const std::string& name, int32_t production, int32_t cost, std::string delay) {
    if (Full()) return;
    ++used_;
    std::vector<std::string>& row = grid_.Cells[static_cast<size_t>(used_)];
    row[0] = Format("%2d", used_);
    row[1] = name;
    row[2] = HammersText(production, cost);
    row[3] = std::move(delay);
  }

 private:
  GridContent& grid_;
  int used_ = 0;
};

}  // namespace

std::string QueueItemText(RuleSet rules, const TCityRec& city, const TQueueEntry& entry) {
  if (entry.Type < 0 || entry.Type >= static_cast<int32_t>(kQueueKinds.size())) return {};
  const QueueKind& kind = kQueueKinds[static_cast<size_t>(entry.Type)];
  if (rules != RuleSet::Zeph) return kind.OtherName(city, entry.Item);
  if (std::optional<std::string> name = kind.ZephName(entry.Item)) return *name;
  return std::string(kind.ZephLabel) + "(" + Hex(entry.Item) + ")";
}

int32_t BuildingCost(const GameState& state, int32_t entry, std::string_view building_name) {
  const std::optional<BuildingType> row = FindBuildingByName(RuleSetOf(state), building_name);
  if (!row) return 0;
  const TLeaderInfoRec* leader = LeaderOf(state, entry);
  int64_t base = row->Cost;
  if (row->Kind == kKindNationalWonder && leader != nullptr) {
    base += int64_t{kNationalWonderCostPerCity} * leader->CityCount;
  }
  const int32_t level =
      PaysDifficulty(leader) && row->Kind < kKindWorldWonder ? state.LevelMod4 : kPlainPercent;
  return ScaleCost(state, base, level, CityStatePercent(leader));
}

int32_t UnitCost(const GameState& state, int32_t entry, std::string_view unit_name) {
  const std::optional<int32_t> cost = FindUnitCostByName(RuleSetOf(state), unit_name);
  if (!cost) return 0;
  const TLeaderInfoRec* leader = LeaderOf(state, entry);
  const int32_t level = PaysDifficulty(leader) ? state.LevelMod4 : kPlainPercent;
  return ScaleCost(state, *cost, level, CityStatePercent(leader));
}

int32_t ProjectCost(const GameState& state, int32_t project_row) {
  if (project_row < 0 || project_row >= kProjectInfoRows) return 0;
  return ScaleCost(state, ProjectInfo[static_cast<size_t>(project_row)].Cost, kPlainPercent,
                   kPlainPercent);
}

void FillBuildQueue(const GameState& state, const TCityRec& city, TabContent& tab) {
  LinesContent& queue = tab.List("BuildingQueue");
  queue.Lines.clear();
  const RuleSet rules = RuleSetOf(state);
  const int32_t length = std::clamp(city.QueueLength, 0, kQueueCapacity);
  for (int32_t i = 0; i < length; ++i) {
    queue.Lines.push_back({QueueItemText(rules, city, city.Queue[static_cast<size_t>(i)])});
  }
  queue.DropDownCount = length;
  queue.Selected = length > 0 ? 0 : -1;
}

void FillProductionGrid(const GameState& state, int32_t entry, const TCityRec& city,
                        TabContent& tab) {
  ProductionRows rows(EmptyProductionGrid(tab));
  for (size_t k = 0; k < kMaxBuildingSlots && !rows.Full(); ++k) {
    if (city.BuildingProduction[k] <= 0 || city.BuildingCount[k] != 0 ||
        city.FreeBuildingCount[k] != 0) {
      continue;
    }
    rows.Add(city.BuildingNames[k], city.BuildingProduction[k],
             BuildingCost(state, entry, city.BuildingNames[k]),
             Format("%5d", city.BuildingDelay[k]));
  }
  for (size_t k = 0; k < kMaxUnitSlots && !rows.Full(); ++k) {
    if (city.UnitProduction[k] <= 0) continue;
    rows.Add(city.UnitNames[k], city.UnitProduction[k], UnitCost(state, entry, city.UnitNames[k]),
             Format("%5d", city.UnitDelay[k]));
  }
  for (int32_t r = 0; r < kProjectRows && !rows.Full(); ++r) {
    const int32_t production = city.ProjectProduction[static_cast<size_t>(r)];
    if (production <= 0) continue;
    rows.Add(RowName(ProjectInfo, r), production, ProjectCost(state, r), {});
  }
}

void FillReligionGrid(const GameState& state, const TCityRec& city, TabContent& tab) {
  GridContent& grid = EmptyReligionGrid(tab);
  if (state.CityDetailsUnknown != 0) return;
  const int32_t count = std::clamp(city.ReligionCount, 0, kMaxCityReligions);
  for (int32_t i = 0; i < count; ++i) {
    const TCityReligion& religion = city.Religions[static_cast<size_t>(i)];
    std::vector<std::string>& row = grid.Cells[static_cast<size_t>(i) + 1];
    row[0] = ReligionNameWithType(state, religion.ReligionId);
    row[1] = Format("%7d", religion.Followers);
    row[2] = Format("%7d", religion.Pressure);
    row[3] = Format("%7.2f", religion.Percent);
    row[4] = religion.Holy != 0 ? "  Yes" : "";
  }
}

void ClearCityQueueControls(TabContent& tab) {
  LinesContent& queue = tab.List("BuildingQueue");
  queue.Lines.clear();
  queue.Selected = -1;
  queue.DropDownCount = 0;
  EmptyProductionGrid(tab);
  EmptyReligionGrid(tab);
}

}  // namespace vek5
