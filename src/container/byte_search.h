// Substring search over a byte range at memory speed: a vector filter on two of the pattern's
// bytes finds the few candidate offsets, which are then compared whole.
#pragma once

#include <cstdint>
#include <string_view>

namespace vek5 {

// Offset of the first occurrence of pattern lying wholly within data[0, size), or -1.
// An empty pattern is found at 0.
int64_t FindBytes(const uint8_t* data, int64_t size, std::string_view pattern);

}  // namespace vek5
