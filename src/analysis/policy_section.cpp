#include "analysis/sections.h"

namespace vek5 {

void ReadPolicies(const SaveImage&, GameState&) {}

}  // namespace vek5
