#include "model/naming.h"

#include "model/game_state.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr std::string_view kUnknownLeader = "Unknown Leader";
constexpr std::string_view kUnknownCiv = "Unknown Civ";
constexpr int32_t kStatusUnused = 4;
// Types at and beyond these name a civilization or leader of downloadable content.
constexpr int32_t kBaseLeaderTypes = 19;
constexpr int32_t kBaseCivTypes = 20;

std::string OrFallback(std::string_view name, std::string_view fallback) {
  return std::string(name.empty() ? fallback : name);
}

bool IsSlot(int32_t slot) {
  return slot >= 0 && slot < kMaxSlots;
}

}  // namespace

std::string GetLeaderName(const GameState& state, int32_t leader_type) {
  if (leader_type < 0 || leader_type >= kMaxSlots) return std::string(kUnknownLeader);
  if (leader_type < kBaseLeaderTypes) return OrFallback(LeaderNames[leader_type], kUnknownLeader);
  return OrFallback(state.DlcLeaderNames[leader_type - kFirstDlcLeaderType], kUnknownLeader);
}

std::string GetCivName(const GameState& state, int32_t civ_type) {
  if (civ_type < 0 || civ_type >= kMaxSlots) return std::string(kUnknownCiv);
  if (civ_type < kBaseCivTypes) return OrFallback(CivNames[civ_type], kUnknownCiv);
  return OrFallback(state.DlcCivNames[civ_type - kFirstDlcCivType], kUnknownCiv);
}

bool IsPlayer(const GameState& state, int32_t slot) {
  if (!IsSlot(slot)) return false;
  const int32_t civ = state.SlotCivType[slot];
  return civ >= 0 && civ < kMaxSlots && civ != kCivMinor && civ != kCivBarbarian &&
         state.SlotStatus[slot] != kStatusUnused;
}

bool IsMinor(const GameState& state, int32_t slot) {
  return IsSlot(slot) && state.SlotCivType[slot] == kCivMinor;
}

int32_t FinalScore(int32_t score, int32_t current_turn, int32_t max_turns) {
  const int64_t played = max_turns > 0 ? int64_t{current_turn} * 100 / max_turns : 0;
  if (played <= 0) return 0;
  return static_cast<int32_t>(int64_t{score} * 100 / played);
}

}  // namespace vek5
