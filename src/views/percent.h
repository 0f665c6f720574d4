// The game's cost arithmetic: a percentage applied as a multiplication followed by a division by
// 100 truncating toward zero.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace vek5 {

// value × percent div 100. Saturates instead of wrapping, so that no modifier, however odd,
// can overflow; for the game's own values it is the plain 32-bit result.
inline int32_t ApplyPercent(int32_t value, int32_t percent) {
  const int64_t x = int64_t{value} * percent / 100;
  return static_cast<int32_t>(std::clamp<int64_t>(x, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace vek5
