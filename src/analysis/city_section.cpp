#include "analysis/sections.h"

namespace vek5 {

void ReadCities(const SaveImage&, GameState&) {}

}  // namespace vek5
