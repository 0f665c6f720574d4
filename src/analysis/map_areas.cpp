// The areas after the map's plots: the land masses and water bodies as the game groups them.
// Only what the map needs is kept: their tiles, which add up to the map's plots, and the table of
// improvement keys each record ends with, by which base-game saves number their improvements.
#include <string_view>

#include "analysis/map_reading.h"

namespace vek5::map {
namespace {

constexpr int32_t kMaxAreaSlots = 100000;
constexpr int32_t kAreaListInts = 4;  // between the slot count and the slots
constexpr int32_t kAreaTiles = 8;
constexpr int32_t kAreaFixedBytes = 16 + 7 * 4 + 4 * 4 + 2;
constexpr int32_t kAreaPerEntryArrays = 5;
constexpr int32_t kAreaPairs = 2;
constexpr int32_t kMaxAreaImprovements = 1000;
constexpr int32_t kMaxKeyBytes = 63;
constexpr int32_t kEmptyRow = -1;
constexpr std::string_view kNoImprovement = "NO_IMPROVEMENT";

bool InRange(int64_t v, int64_t low, int64_t high) {
  return v >= low && v <= high;
}

// Reads one area record from pos; returns the position after it, or -1. The first record's keys
// go to `keys` when it is given.
int64_t ReadArea(const BodyBytes& b, int64_t pos, const PlotLayout& layout, int64_t& tiles,
                 std::vector<std::string_view>* keys) {
  const int64_t arrays = int64_t{kAreaPerEntryArrays} * kMapRecordEntries * 4 +
                         int64_t{kMapSlots} * kAreaPairs * 4 +
                         int64_t{kMapSlots} * layout.YieldCount * 4;
  if (!b.Has(pos, kAreaFixedBytes + arrays + 4)) return -1;
  tiles += b.I32(pos + kAreaTiles);
  pos += kAreaFixedBytes + arrays;
  const int32_t resources = b.I32(pos);
  if (!InRange(resources, 0, kMapMaxResources) || !b.Has(pos + 4, int64_t{resources} * 8 + 4))
    return -1;
  pos += 4 + int64_t{resources} * 8;
  const int32_t rows = b.I32(pos);
  pos += 4;
  if (!InRange(rows, 0, kMaxAreaImprovements)) return -1;
  for (int32_t r = 0; r < rows; ++r) {
    if (!b.Has(pos, 4)) return -1;
    const int32_t first = b.I32(pos);
    pos += 4;
    bool has_value = first != kEmptyRow;
    std::string_view key;
    if (layout.BuildKeys) {  // keys by text, as the builds of these saves
      if (!InRange(first, 1, kMaxKeyBytes) || !b.Has(pos, first)) return -1;
      key = b.Text(pos, first);
      pos += first;
      has_value = key != kNoImprovement;
    }
    if (has_value) {
      if (!b.Has(pos, 4)) return -1;
      pos += 4;
    }
    if (keys != nullptr) keys->push_back(has_value ? key : std::string_view());
  }
  return pos;
}

}  // namespace

AreaFacts ReadAreas(const BodyBytes& body, int64_t pos, const PlotLayout& layout) {
  AreaFacts facts;
  if (!body.Has(pos, 4)) return facts;
  const int32_t slots = body.I32(pos);
  const int64_t list_end = pos + 4 + int64_t{kAreaListInts} * 4 + int64_t{slots} * 4;
  if (!InRange(slots, 0, kMaxAreaSlots) || !body.Has(pos, list_end + 4 - pos)) return facts;
  const int32_t count = body.I32(list_end);
  if (!InRange(count, 0, slots)) return facts;
  pos = list_end + 4;
  int64_t tiles = 0;
  std::vector<std::string_view> keys;
  for (int32_t a = 0; a < count; ++a) {
    pos = ReadArea(body, pos, layout, tiles, a == 0 ? &keys : nullptr);
    if (pos < 0) break;
    if (a == 0) facts.ImprovementKeys = keys;
  }
  if (pos >= 0) facts.Tiles = tiles;
  return facts;
}

}  // namespace vek5::map
