// Number formatting with printf-style patterns. Two conventions hold everywhere: "%f" without a
// precision gives two decimals, and "%x" gives upper-case digits. The decimal separator is
// always ".", whatever the process locale says.
#pragma once

#include <fmt/printf.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace vek5 {

// The pattern rewritten into the form the printf engine understands with those conventions.
std::string NormalisePattern(std::string_view pattern);

// The value right-aligned in at least `width` characters, as "%<width>d" gives it: for texts made
// many times over, where the pattern's parsing would cost more than the digits.
std::string RightAligned(int64_t value, int width);

template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args) {
  return fmt::sprintf(NormalisePattern(pattern), args...);
}

}  // namespace vek5
