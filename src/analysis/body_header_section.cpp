#include "analysis/sections.h"

namespace vek5 {

void ReadBodyHeader(const SaveImage&, GameState&) {}

}  // namespace vek5
