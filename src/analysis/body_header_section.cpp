// The fixed fields at the start of the body: turn counters, game length and playing time, and a
// second block with the difficulty, the outcome and the score; with what follows from them
// (speed, date, difficulty, era and world-size modifiers).
#include "analysis/list_reading.h"
#include "analysis/sections.h"
#include "model/calendar.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

// Offsets from the start of the body.
constexpr int32_t kTurnsPlayedOffset = 8;
constexpr int32_t kStartTurnOffset = 12;
constexpr int32_t kMaxTurnsOffset = 24;
constexpr int32_t kPlayTimeOffset = 32;
constexpr int32_t kSecondBlockOffset = 138;
// With per-slot keys the second block follows a list of texts that starts here.
constexpr int32_t kSlotKeyTextsOffset = 130;
// Offsets within the second block.
constexpr int32_t kVictoryTypeOffset = 20;
constexpr int32_t kGameOverOffset = 24;
constexpr int32_t kScoreOffset = 820;

constexpr int32_t kDefaultHandicap = 3;
constexpr int32_t kDefaultSpeedIndex = 2;
constexpr int32_t kDefaultWorldSize = 3;

int32_t SpeedIndexOf(int32_t max_turns) {
  for (int32_t i = 0; i < kCalendarCount; ++i) {
    if (kCalendarTurnLimit[i] == max_turns) return i;
  }
  return kDefaultSpeedIndex;
}

// Tenths of a second to seconds; 0.2 to 0.9 round up, 0.1 does not.
int32_t PlaySeconds(int32_t tenths) {
  return tenths / 10 + (tenths % 10 > 1 ? 1 : 0);
}

int32_t SecondBlockStart(const SaveImage& save, const GameState& state) {
  const int32_t body = save.BodyOffset;
  if (!state.SlotKeysPresent) return body + kSecondBlockOffset;
  int32_t q = body + kSlotKeyTextsOffset;
  const int32_t count = ReadInt(save, q);
  SkipStrs(save, q, count);
  return q;
}

int32_t WorldSizeIndexOf(const std::string& name) {
  for (int32_t row = 0; row < kWorldRows; ++row) {
    if (WorldInfo[row].Name == name) return row;
  }
  return kDefaultWorldSize;
}

}  // namespace

void ReadBodyHeader(const SaveImage& save, GameState& state) {
  const int64_t body = save.BodyOffset;
  state.TurnsPlayed = PeekInt(save, body + kTurnsPlayedOffset);
  state.StartTurn = PeekInt(save, body + kStartTurnOffset);
  state.MaxTurns = PeekInt(save, body + kMaxTurnsOffset);
  state.PlayTime = PeekInt(save, body + kPlayTimeOffset);
  // Wraps like the game's own 32-bit sum.
  state.CurrentTurn = static_cast<int32_t>(static_cast<uint32_t>(state.TurnsPlayed) +
                                           static_cast<uint32_t>(state.StartTurn));
  state.SpeedIndex = SpeedIndexOf(state.MaxTurns);
  state.CurrentYear =
      Turn2Date(state.TurnsPlayed, state.SpeedIndex, state.CurrentTurn, state.CurrentDateText);
  state.SpeedPercent = GameSpeedPercent[state.SpeedIndex];
  state.PlayTimeSeconds = PlaySeconds(state.PlayTime);

  const int64_t q = SecondBlockStart(save, state);
  state.HandicapIndex = PeekInt(save, q);
  state.VictoryType = PeekInt(save, q + kVictoryTypeOffset);
  state.GameOver = PeekInt(save, q + kGameOverOffset);
  state.Score = PeekInt(save, q + kScoreOffset);
  if (state.HandicapIndex < 0 || state.HandicapIndex >= kLevelRows) {
    state.HandicapIndex = kDefaultHandicap;
  }

  const TLevelInfoRec& level = LevelInfo[state.HandicapIndex];
  state.LevelMod1 = level.Mod1;
  state.LevelMod2 = level.Mod2;
  state.LevelMod4 = level.Mod4;
  state.LevelMod5 = level.Mod5;
  state.LevelMod6 = level.Mod6;
  state.LevelMod7 = level.Mod7;
  const TEraInfoRec& era =
      state.Exp1Present ? EraInfoExp[state.StartEraIndex] : EraInfo[state.StartEraIndex];
  state.EraMod1 = era.Mod1;
  state.EraMod3 = era.Mod3;
  state.EraMod4 = era.Mod4;

  state.WorldSizeIndex = WorldSizeIndexOf(state.WorldSizeName);
  state.WorldSizePercent = WorldInfo[state.WorldSizeIndex].Percent;
}

}  // namespace vek5
