// Whether each player is alive, from his record in the body. The header's slot status is not
// updated when a player loses his last city, so the record is the better source; it is trusted
// only where it names its own slot, which also guards against layouts that moved the fields.
#include <array>
#include <span>

#include "analysis/sections.h"
#include "analysis/world_layout.h"

namespace vek5 {
namespace {

using namespace world;

// Distances before the economy record's marker: the alive byte (the "ever alive" byte follows
// it) and the int32 holding the record's own slot number.
struct AliveLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;
  int32_t alive_before_marker;
  int32_t slot_before_marker;
};

constexpr std::array<AliveLayout, 3> kAliveLayouts = {{
    {RuleSet::kBase, BuildStage::kAny, false, 822, 804},
    {RuleSet::kExp1, BuildStage::kAny, false, 1159, 1136},
    {RuleSet::kZeph, BuildStage::kAny, false, 1883, 1860},
}};

// The two bytes read as flags: 0 or 1 each, and a player listed in the game has lived. Zeros
// there (a listed player who never lived) are what a record that is not laid out as expected
// gives for slot 0, whose slot check zeros pass as well.
bool AreAliveFlags(int32_t alive, int32_t ever_alive) {
  return (alive == 0 || alive == 1) && ever_alive == 1;
}

void ReadRecordFlags(const SaveImage& save, const AliveLayout& layout, const PlayerRecord& record,
                     TLeaderInfoRec& leader) {
  if (PeekInt(save, int64_t{record.Marker} - layout.slot_before_marker) != record.Slot) return;
  const int64_t at = int64_t{record.Marker} - layout.alive_before_marker;
  const int32_t alive = ByteAt(save, at);
  const int32_t ever_alive = ByteAt(save, at + 1);
  if (!AreAliveFlags(alive, ever_alive)) return;
  leader.Alive = alive != 0 ? kTrue : kFalse;
  leader.EverAlive = ever_alive != 0 ? kTrue : kFalse;
  leader.AliveFromRecord = kTrue;
}

}  // namespace

void ReadAliveFlags(const SaveImage& save, GameState& state,
                    std::span<const PlayerRecord> records) {
  const AliveLayout& layout = ChooseLayout<AliveLayout>(kAliveLayouts, state);
  for (const PlayerRecord& record : records) {
    const int entry = EntryOfSlot(state, record.Slot);
    if (entry >= 0) ReadRecordFlags(save, layout, record, state.Leaders[entry]);
  }
}

}  // namespace vek5
