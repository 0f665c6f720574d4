#include "analysis/sections.h"

namespace vek5 {

void ReadHistory(const SaveImage&, GameState&) {}

}  // namespace vek5
