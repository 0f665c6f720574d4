// The turn-timer settings, found by their key, and behind them the allowed victory types.
#include "analysis/list_reading.h"
#include "analysis/sections.h"

namespace vek5 {
namespace {

constexpr std::string_view kTurnTimerKey = "TXT_KEY_TURNTIMER_";

}  // namespace

void ReadTurnTimer(const SaveImage& save, GameState& state, int32_t& pos) {
  const int32_t key = FindStr(save, kTurnTimerKey, pos + 1);
  // Without the key there is nothing to read the victories from: they stay unset and the
  // position stays where the slot lists ended.
  if (key == 0) return;
  pos = key - 4;  // the key's length field
  ReadStr(save, pos);
  ReadStr(save, pos);
  SkipInts(save, pos, 5);
  ReadChar(save, pos);
  const int32_t count = ReadInt(save, pos);
  const int32_t n = BoundedCount(save, pos, count, kMinByteBytes);
  for (int32_t i = 0; i < n; ++i) {
    const auto allowed = static_cast<uint8_t>(ReadChar(save, pos));
    if (i < kVictoryTypes) state.VictoryAllowed[i] = allowed;
  }
}

}  // namespace vek5
