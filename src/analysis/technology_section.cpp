// Known technologies: one table per team with a known flag, a second byte and the research
// progress per technology; every player of a team knows what its team knows. Zeph saves find
// the table by the first technology's hash; the other rule sets by a building key in a list that
// lies at a fixed distance before it.
#include <array>
#include <string_view>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"
#include "model/reference_tables.h"
#include "model/type_hash.h"

namespace vek5 {
namespace {

using namespace world;

enum class TableSearch {
  kFirstTechHash,  // the table's hashes start with the first technology's hash
  kBuildingKey,    // a (key, int32) list holding the building key precedes the table
};

struct TechnologyLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;
  TableSearch search;
  int32_t max_occurrences;
  int32_t fixed_count;  // technologies when the save stores no count; 0: the count is stored
  int32_t max_count;    // a stored count outside 1..max_count ends the step
  // Building-key search: the check values after the key's list, and the table's distance.
  int32_t unset_check1;
  int32_t unset_check2;
  int32_t era_check;
  int32_t table_after_list;
};

constexpr std::array<TechnologyLayout, 3> kTechnologyLayouts = {{
    {RuleSet::kBase, BuildStage::kAny, false, TableSearch::kBuildingKey, 101, kTechRows, kTechRows,
     32, 48, 304, 308},
    {RuleSet::kExp1, BuildStage::kAny, false, TableSearch::kBuildingKey, 101, 0, kTechExp1Rows, 32,
     48, 304, 308},
    {RuleSet::kZeph, BuildStage::kAny, false, TableSearch::kFirstTechHash, kMaxSlots, 0,
     kTechZephRows, 0, 0, 0, 0},
}};

constexpr int32_t kFirstTechHash = markers::kFirstTechHash;
static_assert(kFirstTechHash == static_cast<int32_t>(0x77BF7761));
// The hash list starts after a version int32 and the count.
constexpr int32_t kHashListBeforeCount = 8;

constexpr std::string_view kBuildingKey = markers::kBuildingKey;
// The key's text and the int32 that follows it.
constexpr int32_t kKeyEntryBytes = static_cast<int32_t>(kBuildingKey.size()) + 4;
constexpr int32_t kMaxListEntries = 101;
// The list's entries are keys; a value below this where a key's length would be ends it.
constexpr int32_t kSmallestKeyLength = 10;

// Skips the (key, int32) entries that follow the building key's own entry, and the value that
// ends the list.
void SkipRestOfKeyList(const SaveImage& save, int32_t& pos) {
  for (int32_t i = 0; i < kMaxListEntries; ++i) {
    if (ReadInt(save, pos) < kSmallestKeyLength) return;
    pos = Offset(pos, -4);
    ReadStr(save, pos);
    ReadInt(save, pos);
  }
}

bool PassesTableChecks(const SaveImage& save, const TechnologyLayout& layout, int32_t pos) {
  const int32_t era = PeekInt(save, int64_t{pos} + layout.era_check);
  return PeekInt(save, int64_t{pos} + layout.unset_check1) == -1 &&
         PeekInt(save, int64_t{pos} + layout.unset_check2) == -1 && (era == 1 || era == 2);
}

// One table's known flags and progress; technologies beyond the stored count stay 0.
struct TechTable {
  std::array<int32_t, kMaxTechRows> Known{};
  std::array<int32_t, kMaxTechRows> Progress{};
};

TechTable ReadTable(const SaveImage& save, int32_t count, int32_t& pos) {
  TechTable table;
  for (int32_t k = 0; k < count; ++k) table.Known[k] = ReadBool(save, pos);
  pos = Offset(pos, count);
  for (int32_t k = 0; k < count; ++k) table.Progress[k] = ReadInt(save, pos);
  return table;
}

// Every entry of the team shares its table.
void GiveToTeam(GameState& state, int32_t team, const TechTable& table) {
  const int32_t listed = ListedEntries(state);
  for (int32_t e = 0; e < listed; ++e) {
    TLeaderInfoRec& leader = state.Leaders[e];
    if (leader.Team != team) continue;
    leader.TechKnown = table.Known;
    leader.TechProgress = table.Progress;
  }
}

// Moves pos from a found marker to the technologies' known flags and returns their count, or 0
// when the occurrence is no table (-1 when its count ends the whole step).
int32_t LocateTable(const SaveImage& save, const TechnologyLayout& layout, int32_t& pos) {
  if (layout.search == TableSearch::kFirstTechHash) {
    pos = Offset(pos, -kHashListBeforeCount);
    ReadInt(save, pos);
  } else {
    pos = Offset(pos, kKeyEntryBytes);
    SkipRestOfKeyList(save, pos);
    if (!PassesTableChecks(save, layout, pos)) return 0;
    pos = Offset(pos, layout.table_after_list);
    ReadInt(save, pos);
    if (layout.fixed_count > 0) return layout.fixed_count;
  }
  const int32_t count = ReadInt(save, pos);
  if (count < 1 || count > layout.max_count) return -1;
  pos = Offset(pos, int64_t{count} * 4);
  return count;
}

int32_t FindMarker(const SaveImage& save, const TechnologyLayout& layout, int32_t pos) {
  if (layout.search == TableSearch::kFirstTechHash) return FindInt(save, kFirstTechHash, pos);
  return FindStr(save, kBuildingKey, pos);
}

}  // namespace

void ReadTechnologies(const SaveImage& save, GameState& state) {
  const TechnologyLayout& layout = ChooseLayout<TechnologyLayout>(kTechnologyLayouts, state);
  int32_t pos = save.BodyOffset;
  int32_t team = 0;  // the k-th table found belongs to team k
  for (int32_t i = 0; i < layout.max_occurrences && team < kMaxSlots; ++i) {
    pos = FindMarker(save, layout, Offset(pos, 1));
    if (pos == 0) return;
    const int32_t count = LocateTable(save, layout, pos);
    if (count < 0) return;
    if (count == 0) continue;
    GiveToTeam(state, team, ReadTable(save, count, pos));
    ++team;
  }
}

}  // namespace vek5
