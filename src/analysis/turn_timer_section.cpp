#include "analysis/sections.h"

namespace vek5 {

void ReadTurnTimer(const SaveImage&, GameState&, int32_t&) {}

}  // namespace vek5
