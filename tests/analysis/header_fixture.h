// Shared helpers of the header-analysis tests: builder-made saves analysed whole, or only up to
// the end of the replay list.
#pragma once

#include <memory>

#include "analysis/save5_analyse.h"
#include "analysis/sections.h"
#include "container/save_image.h"
#include "support/save_builder.h"

namespace vek5::testing {

inline SaveImage BuildImage(const GameDescription& game) {
  return AssembleSave(WriteSaveFile(game));
}

inline std::unique_ptr<GameState> Analyse(const GameDescription& game) {
  return Save5Analyse(BuildImage(game));
}

// Runs the header sections and the start of the body as the analysis does; returns the read
// position the body sections continue from.
inline int32_t AnalyseHeaderHalf(const SaveImage& save, GameState& state) {
  int32_t pos = 4;
  ReadSettings(save, state, pos);
  ReadSlotLists(save, state, pos);
  ReadTurnTimer(save, state, pos);
  BuildPlayerList(state);
  ReadGameOptions(save, state, pos);
  ReadBodyHeader(save, state);
  ReadReplayList(save, state, pos);
  return pos;
}

}  // namespace vek5::testing
