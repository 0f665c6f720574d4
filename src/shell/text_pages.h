// The pages whose controls only show text and that have no control to act on: each is a layout
// of named controls, filled after a load with the content built for its caption.
#pragma once

#include "shell/page.h"

namespace vek5 {

enum class TextPageKind { kLeaders, kReplay, kCityStates, kTest, kLeague };

Page* NewTextPage(TextPageKind kind, SaveOnScreen& save, WindowServices& window);

}  // namespace vek5
