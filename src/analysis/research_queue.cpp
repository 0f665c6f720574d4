// What a player is researching. Just before a player's first city record the save writes the
// player's research queue (a count, then technology rows, the one researched now first), two
// int32 and two bytes, an empty list of city names and the header of the player's city list
// (five int32, a slot array, the record count). The queue is found by walking back from the
// record over that header, each step checked; where a check fails nothing is guessed.
#include <cstdint>

#include "analysis/city_layout.h"
#include "container/readers.h"

namespace vek5 {
namespace {

// The record's first byte lies this far before the position after the maximum population.
constexpr int32_t kRecordStartBeforeQ1 = 40;
// The list header: slot count, last index, free-list head, free-list count, next id, then the
// slots, then the record count just before the record.
constexpr int32_t kHeaderFixedBytes = 24;
constexpr int32_t kLastIndexAt = 4;
constexpr int32_t kFreeCountAt = 12;
constexpr int32_t kMinHeaderSlots = 8;
constexpr int32_t kMaxHeaderSlots = 512;
// From the queue's end to the header: two int32, two bytes and the empty name list's count.
constexpr int32_t kQueueEndBeforeHeader = 14;
constexpr int32_t kNameListBeforeHeader = 4;

// Where research was read before the queue was known: at fixed distances after the maximum
// population, further back when the probed int32 is -1.
constexpr int32_t kNoResearchProbe = -1;

int32_t TechRows(const GameState& state) {
  if (state.ZephPresent) return kTechZephRows;
  return state.Exp1Present ? kTechExp1Rows : kTechRows;
}

// The position of the list header's slot count: the first power-of-two slot count from 8 to 512
// whose header counts every index up to the last one as a record or a free entry; -1 for none.
int64_t FindListHeader(const SaveImage& save, int64_t record) {
  const int64_t records = PeekInt(save, record - 4);
  for (int32_t slots = kMinHeaderSlots; slots <= kMaxHeaderSlots; slots *= 2) {
    const int64_t header = record - kHeaderFixedBytes - 4 * int64_t{slots};
    if (PeekInt(save, header) != slots) continue;
    const int64_t free = PeekInt(save, header + kFreeCountAt);
    if (records + free == int64_t{PeekInt(save, header + kLastIndexAt)} + 1) return header;
  }
  return -1;
}

// The queue that ends at `end`: the smallest count n that stands before n valid rows.
bool ReadQueue(const SaveImage& save, int64_t end, int32_t rows, TLeaderInfoRec& leader) {
  for (int32_t n = 0; n <= kMaxResearchQueue; ++n) {
    const int64_t first = end - 4 * int64_t{n};
    if (PeekInt(save, first - 4) != n) continue;
    bool valid = true;
    for (int32_t k = 0; k < n && valid; ++k) {
      const int32_t row = PeekInt(save, first + 4 * int64_t{k});
      valid = row >= 0 && row < rows;
    }
    if (!valid) continue;
    for (int32_t k = 0; k < n; ++k) leader.ResearchQueue[k] = PeekInt(save, first + 4 * int64_t{k});
    leader.ResearchQueueLength = n;
    leader.ResearchingTech = n > 0 ? leader.ResearchQueue[0] : -1;
    return true;
  }
  return false;
}

bool ReadQueueBeforeRecord(const SaveImage& save, const GameState& state,
                           const CityRecordLayout& layout, int64_t record, int32_t records,
                           TLeaderInfoRec& leader) {
  if (PeekInt(save, record) != layout.RecordVersion || PeekInt(save, record - 4) != records) {
    return false;
  }
  const int64_t header = FindListHeader(save, record);
  if (header < 0 || PeekInt(save, header - kNameListBeforeHeader) != 0) return false;
  return ReadQueue(save, header - kQueueEndBeforeHeader, TechRows(state), leader);
}

}  // namespace

void ReadResearch(const SaveImage& save, const GameState& state, const CityRecordLayout& layout,
                  int32_t q1, int32_t records, TLeaderInfoRec& leader) {
  leader.ResearchQueueLength = -1;
  if (layout.RecordVersion == 0) {
    const bool none = PeekInt(save, int64_t{q1} - layout.ResearchProbe) == kNoResearchProbe;
    leader.ResearchingTech =
        PeekInt(save, int64_t{q1} - (none ? layout.ResearchBackNone : layout.ResearchBack));
    return;
  }
  const int64_t record = int64_t{q1} - kRecordStartBeforeQ1;
  if (!ReadQueueBeforeRecord(save, state, layout, record, records, leader)) {
    leader.ResearchingTech = -1;
  }
}

}  // namespace vek5
