#include "analysis/sections.h"

namespace vek5 {

void ReadEconomy(const SaveImage&, GameState&) {}

}  // namespace vek5
