#include "analysis/sections.h"

namespace vek5 {

void BuildPlayerList(GameState&) {}

}  // namespace vek5
