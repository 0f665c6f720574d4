// What the world sections share (in their own namespace, so that these small helpers cannot
// clash with those of other sections): the choice of a layout row by rule set, build and probe,
// the mapping of a save slot to its Leaders entry, and bounds for counts read from the save.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>

#include "container/readers.h"
#include "container/save_image.h"
#include "model/game_state.h"

namespace vek5::world {

enum class RuleSet { kBase, kExp1, kZeph };

// Builds from which some layouts changed, oldest first. A layout row names the oldest build
// stage it applies to.
enum class BuildStage { kAny = 0, k341540 = 1, k379995 = 2 };

inline RuleSet RuleSetOf(const GameState& state) {
  if (state.ZephPresent) return RuleSet::kZeph;
  if (state.Exp1Present) return RuleSet::kExp1;
  return RuleSet::kBase;
}

inline BuildStage BuildStageOf(const GameState& state) {
  if (state.Build379995OrLater) return BuildStage::k379995;
  if (state.Build341540OrLater) return BuildStage::k341540;
  return BuildStage::kAny;
}

// The row of a layout table for this save: among the rows of the save's rule set, the last one
// whose build stage the save has reached and whose probe (when the row has one) accepts the
// save. Rows are listed oldest first; every rule set has a row without probe for kAny.
// Probe is called as probe(save, row) and returns true when the save has that row's layout.
template <typename Row, typename Probe>
const Row& ChooseLayout(std::span<const Row> rows, const SaveImage& save, const GameState& state,
                        Probe probe) {
  const RuleSet rule_set = RuleSetOf(state);
  const BuildStage stage = BuildStageOf(state);
  const Row* chosen = &rows.front();
  for (const Row& row : rows) {
    if (row.rule_set != rule_set || row.stage > stage) continue;
    if (row.needs_probe && !probe(save, row)) continue;
    chosen = &row;
  }
  return *chosen;
}

template <typename Row>
const Row& ChooseLayout(std::span<const Row> rows, const GameState& state) {
  return ChooseLayout(rows, SaveImage{}, state, [](const SaveImage&, const Row&) { return false; });
}

// Number of Leaders entries the header listed, within the model's capacity.
inline int32_t ListedEntries(const GameState& state) {
  return std::clamp(state.PlayerCount, 0, kMaxSlots);
}

// The Leaders entry of a save slot, or -1 when the slot has no entry. Tables stored once per
// slot go to the entry of their slot, so city-states and the barbarians keep their own.
inline int EntryOfSlot(const GameState& state, int32_t slot) {
  if (slot < 0 || slot >= kMaxSlots) return -1;
  const int32_t listed = ListedEntries(state);
  for (int e = 0; e < listed; ++e) {
    if (state.Leaders[e].Slot == slot) return e;
  }
  return -1;
}

// A count read from the save, bounded by the items of at least item_bytes bytes each that fit
// between pos and the end of the image. A count of 0 or less is an empty list.
inline int32_t CountThatFits(const SaveImage& save, int32_t pos, int32_t count,
                             int32_t item_bytes) {
  if (count <= 0 || pos < 0 || pos >= save.DataLength) return 0;
  const int64_t room = (int64_t{save.DataLength} - pos) / std::max(item_bytes, 1);
  return static_cast<int32_t>(std::min<int64_t>(count, room));
}

// Reads a count at pos and bounds it as CountThatFits does from the position after it. (Written
// as one call, CountThatFits(save, pos, ReadInt(save, pos), ...) may take pos before or after
// the read, as the compiler chooses.)
inline int32_t ReadCountThatFits(const SaveImage& save, int32_t& pos, int32_t item_bytes) {
  const int32_t count = ReadInt(save, pos);
  return CountThatFits(save, pos, count, item_bytes);
}

// Signed 32-bit arithmetic that wraps as the game's own counters do, without undefined behaviour.
inline int32_t WrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t WrapMul(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Moves a position by a signed distance, staying within the 32-bit range.
inline int32_t Offset(int32_t pos, int64_t by) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{pos} + by, INT32_MIN, INT32_MAX));
}

}  // namespace vek5::world
