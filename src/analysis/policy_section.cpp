// Adopted policies: one table per player slot of (policy hash, adopted byte) entries, found by
// the hash of the first policy and told apart from other lists by the two counts before it.
#include <array>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"
#include "model/reference_tables.h"
#include "model/type_hash.h"

namespace vek5 {
namespace {

using namespace world;

struct PolicyLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;
  int32_t entries;  // policies in the table; the int32 just before the table holds it
  int32_t version;  // the int32 before the count
};

constexpr std::array<PolicyLayout, 3> kPolicyLayouts = {{
    {RuleSet::kBase, BuildStage::kAny, false, kPolicyRows, 5},
    {RuleSet::kExp1, BuildStage::kAny, false, kPolicyRows, 5},
    {RuleSet::kZeph, BuildStage::kAny, false, kPolicyZephRows, 2},
}};

// The hash of policy 0, which is the table's first entry.
constexpr int32_t kTableMarker = markers::kPolicyTable;
static_assert(kTableMarker == static_cast<int32_t>(0xAAF91295));
static_assert(kPolicyZephRows <= kMaxPolicyRows);
// Each slot's table comes with several other lists that start with the same hash.
constexpr int32_t kMaxOccurrences = 10001;

bool IsPolicyTable(const SaveImage& save, const PolicyLayout& layout, int32_t at) {
  return PeekInt(save, int64_t{at} - 4) == layout.entries &&
         PeekInt(save, int64_t{at} - 8) == layout.version;
}

}  // namespace

void ReadPolicies(const SaveImage& save, GameState& state) {
  const PolicyLayout& layout = ChooseLayout<PolicyLayout>(kPolicyLayouts, state);
  int32_t pos = save.BodyOffset;
  int32_t slot = 0;  // the k-th table found belongs to slot k
  for (int i = 0; i < kMaxOccurrences && slot < kMaxSlots; ++i) {
    pos = FindInt(save, kTableMarker, Offset(pos, 1));
    if (pos == 0) return;
    if (!IsPolicyTable(save, layout, pos)) continue;
    const int entry = EntryOfSlot(state, slot);
    for (int32_t k = 0; k < layout.entries; ++k) {
      ReadInt(save, pos);
      const int32_t adopted = ReadBool(save, pos);
      if (entry >= 0) state.PolicyAdopted[entry][k] = adopted;
    }
    ++slot;
  }
}

}  // namespace vek5
