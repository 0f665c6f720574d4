// The replay statistics of every player: one block per player, each a list of series of
// (turn, value) pairs, copied into the dense history table.
#include <string_view>

#include "analysis/sections.h"
#include "analysis/world_layout.h"

namespace vek5 {
namespace {

using namespace world;

// The last series key of a player's replay block; the block's data follow it directly.
constexpr std::string_view kLastSeriesKey = "REPLAYDATASET_MILITARYMIGHT";
// Turn index kHistoryTurns - 1 is never written.
constexpr int32_t kStoredTurns = kHistoryTurns - 1;
constexpr int32_t kPairBytes = 8;

void ReadSeries(const SaveImage& save, int32_t& pos, std::array<int32_t, kHistoryTurns>* values) {
  const int32_t pairs = CountThatFits(save, pos, ReadInt(save, pos), kPairBytes);
  for (int32_t i = 0; i < pairs; ++i) {
    const int32_t turn = std::max(ReadInt(save, pos), 0);
    const int32_t value = ReadInt(save, pos);
    if (values && turn < kStoredTurns) (*values)[turn] = value;
  }
}

// Adds zeroed sets up to count; room for all is reserved, but only the sets added are touched.
void HoldSets(GameState& state, size_t count) {
  if (state.HistoryData.size() >= count) return;
  state.HistoryData.reserve(kMaxSlots);
  state.HistoryData.resize(count);
}

}  // namespace

void ReadHistory(const SaveImage& save, GameState& state) {
  HoldSets(state, static_cast<size_t>(ListedEntries(state)));
  int32_t pos = save.BodyOffset;
  for (int d = 0; d < kMaxSlots; ++d) {
    pos = FindStr(save, kLastSeriesKey, Offset(pos, 1));
    if (pos == 0) return;
    HoldSets(state, static_cast<size_t>(d) + 1);
    pos = Offset(pos, static_cast<int32_t>(kLastSeriesKey.size()));
    const int32_t series = CountThatFits(save, pos, ReadInt(save, pos), 4);
    // Series beyond the table's room are read past and dropped.
    for (int32_t s = 0; s < series; ++s) {
      ReadSeries(save, pos, s < kHistorySeries ? &state.HistoryData[d][s] : nullptr);
    }
  }
}

}  // namespace vek5
