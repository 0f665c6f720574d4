#include "analysis/sections.h"

namespace vek5 {

void ReadInfluence(const SaveImage&, GameState&) {}

}  // namespace vek5
