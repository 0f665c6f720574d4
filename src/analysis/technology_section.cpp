#include "analysis/sections.h"

namespace vek5 {

void ReadTechnologies(const SaveImage&, GameState&) {}

}  // namespace vek5
