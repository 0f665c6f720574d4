#include "analysis/sections.h"

namespace vek5 {

void ReadReligions(const SaveImage&, GameState&, int32_t&) {}

}  // namespace vek5
