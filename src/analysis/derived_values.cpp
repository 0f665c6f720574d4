#include "analysis/sections.h"

namespace vek5 {

void ComputeDerivedValues(GameState&) {}

}  // namespace vek5
