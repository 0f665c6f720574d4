#include "analysis/sections.h"

namespace vek5 {

void ReadNotificationLogs(const SaveImage&, GameState&) {}

}  // namespace vek5
