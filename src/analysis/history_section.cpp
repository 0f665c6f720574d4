// The replay statistics of every player: one block per player, each a list of series of
// (turn, value) pairs, copied into the history table of the player's Leaders entry. A
// block lies in its slot's record, after the record's economy block, so it belongs to the slot of
// the last record before it.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

using namespace world;

// The last series key of a player's replay block; the block's data follow it directly.
constexpr std::string_view kLastSeriesKey = markers::kLastSeriesKey;
// Turn index kHistoryTurns - 1 is never written.
constexpr int32_t kStoredTurns = kHistoryTurns - 1;
constexpr int32_t kPairBytes = 8;
// A save holds at most one block per slot.
constexpr int32_t kMaxBlocks = kMaxSlots;

struct SeriesTarget {
  THistoryRow* values = nullptr;  // none: read past
  std::bitset<kHistoryTurns>* turns = nullptr;
};

void ReadSeries(const SaveImage& save, int32_t& pos, SeriesTarget into) {
  const int32_t pairs = ReadCountThatFits(save, pos, kPairBytes);
  if (into.values && pairs > 0) {
    // The pairs lie wholly within the image (the count is bounded so): read straight from it,
    // the row sized once for the last turn.
    const uint8_t* const data = save.SaveBuffer.data() + pos;
    const auto int_at = [data](int32_t pair, int32_t field) {
      int32_t v;
      std::memcpy(&v, data + int64_t{pair} * kPairBytes + field * 4, 4);
      return v;
    };
    int32_t last_turn = -1;
    for (int32_t i = 0; i < pairs; ++i) last_turn = std::max(last_turn, int_at(i, 0));
    into.values->Extend(static_cast<size_t>(std::min(last_turn, kStoredTurns - 1) + 1));
    for (int32_t i = 0; i < pairs; ++i) {
      const int32_t turn = std::max(int_at(i, 0), 0);
      if (turn >= kStoredTurns) continue;
      into.values->Set(static_cast<size_t>(turn), int_at(i, 1));
      (*into.turns)[static_cast<size_t>(turn)] = true;
    }
  }
  pos = Offset(pos, int64_t{pairs} * kPairBytes);
}

// Number of series in a player's block: one per name but the trailing "Empty".
int32_t SeriesPerBlock(const GameState& state) {
  return state.ZephPresent ? kReplayDatasetZephRows - 1 : kReplayDatasetRows - 1;
}

// The barbarians record no score: their block holds one series fewer and starts with the
// second series, so it is stored from the second name on.
int32_t FirstSeriesOfBlock(const GameState& state, int entry, int32_t series) {
  const bool barbarians = state.Leaders[entry].CivType == kCivBarbarian;
  return barbarians && series == SeriesPerBlock(state) - 1 ? 1 : 0;
}

// The Leaders entry of the slot whose record is the last one before the block, or -1.
int EntryOfBlock(const GameState& state, std::span<const PlayerRecord> records, int32_t block) {
  const auto after =
      std::upper_bound(records.begin(), records.end(), block,
                       [](int32_t pos, const PlayerRecord& r) { return pos < r.Marker; });
  if (after == records.begin()) return -1;
  return EntryOfSlot(state, std::prev(after)->Slot);
}

// Reads the block whose series count is at pos into the entry's set (none: read past).
void ReadBlock(const SaveImage& save, GameState& state, int entry, int32_t& pos) {
  const int32_t series = ReadCountThatFits(save, pos, 4);
  const int32_t first = entry >= 0 ? FirstSeriesOfBlock(state, entry, series) : 0;
  for (int32_t s = 0; s < series; ++s) {
    const int32_t at = first + s;
    // Series beyond the table's room are read past and dropped.
    SeriesTarget into;
    if (entry >= 0 && at < kHistorySeries) {
      THistoryStored& stored = state.HistoryStored[entry];
      stored.Series.set(static_cast<size_t>(at));
      into = {&state.HistoryData[entry][at], &stored.Turns[at]};
    }
    ReadSeries(save, pos, into);
  }
}

}  // namespace

void ReadHistory(const SaveImage& save, GameState& state, std::span<const PlayerRecord> records) {
  const auto entries = static_cast<size_t>(ListedEntries(state));
  SizeHistory(state, entries);
  std::vector<bool> given(entries, false);
  int32_t pos = save.BodyOffset;
  for (int32_t k = 0; k < kMaxBlocks; ++k) {
    pos = FindStr(save, kLastSeriesKey, Offset(pos, 1));
    if (pos == 0) return;
    // Without any record to place them by, the blocks are taken as the entries' in order.
    int entry = records.empty() ? k : EntryOfBlock(state, records, pos);
    // A block of a slot without an entry is dropped; so is a second block of the same slot.
    if (entry >= static_cast<int>(entries) || (entry >= 0 && given[entry])) entry = -1;
    if (entry >= 0) given[entry] = true;
    pos = Offset(pos, static_cast<int32_t>(kLastSeriesKey.size()));
    ReadBlock(save, state, entry, pos);
  }
}

}  // namespace vek5
