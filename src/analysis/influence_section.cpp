// City-state influence: one record per city-state, the influence of every player slot with it,
// and from it the friends and the ally.
#include <array>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"

namespace vek5 {
namespace {

using namespace world;

struct InfluenceLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;
  int32_t expected;  // the value after the marker that makes an occurrence a city-state record
  int32_t skip;      // bytes from that value's end to the row of influences
};

constexpr std::array<InfluenceLayout, 5> kInfluenceLayouts = {{
    {RuleSet::kBase, BuildStage::kAny, false, 1, 2688},
    // Late base-game builds: the row of influences starts 12 bytes later. Measured on the
    // record's structure and a single non-zero value, so kept as a row of its own.
    {RuleSet::kBase, BuildStage::k379995, false, 1, 2700},
    {RuleSet::kExp1, BuildStage::kAny, false, 32, 2424},
    {RuleSet::kExp1, BuildStage::k341540, false, 32, 2428},
    {RuleSet::kZeph, BuildStage::kAny, false, 38, 2500},
}};

constexpr int32_t kRecordMarker = markers::kInfluenceRecord;
constexpr int32_t kMaxOccurrences = 1001;
// Influence is stored times 100: above 30.00 a friend, from 60.00 on the highest is the ally.
constexpr int32_t kFriendAbove = 3000;
constexpr int32_t kAllyFrom = 6000;
constexpr int32_t kNoInfluenceYet = -99999;

void ReadInfluenceRow(const SaveImage& save, GameState& state, int row, int32_t& pos) {
  auto& influence = state.CSInfluence[row];
  int best = 0;
  int32_t highest = kNoInfluenceYet;
  for (int i = 0; i < kMaxSlots; ++i) {
    influence[i] = ReadInt(save, pos);
    if (influence[i] > kFriendAbove) state.CSFriends[row][i] = kTrue;
    if (influence[i] > highest) {
      highest = influence[i];
      best = i;
    }
  }
  if (influence[best] >= kAllyFrom) {
    state.CSAllies[row][best] = kTrue;
    state.CSFriends[row][best] = kFalse;
  }
}

}  // namespace

void ReadInfluence(const SaveImage& save, GameState& state) {
  const InfluenceLayout& layout = ChooseLayout<InfluenceLayout>(kInfluenceLayouts, state);
  int32_t pos = save.BodyOffset;
  int row = 0;
  // Records beyond the table's 64 rows are ignored.
  for (int i = 0; i < kMaxOccurrences && row < kMaxSlots; ++i) {
    pos = FindInt(save, kRecordMarker, pos);
    if (pos == 0) return;
    ReadInt(save, pos);
    ReadInt(save, pos);
    if (ReadInt(save, pos) != layout.expected) continue;
    pos = Offset(pos, layout.skip);
    ReadInfluenceRow(save, state, row, pos);
    ++row;
  }
}

}  // namespace vek5
