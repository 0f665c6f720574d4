#include "analysis/sections.h"

namespace vek5 {

void ReadGameOptions(const SaveImage&, GameState&, int32_t&) {}

}  // namespace vek5
