#include "model/format.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>

namespace vek5 {

std::string NormalisePattern(std::string_view pattern) {
  std::string out;
  out.reserve(pattern.size() + 4);
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i++];
    out.push_back(c);
    if (c != '%') continue;
    // Copy flags, width and precision up to the conversion letter.
    bool has_precision = false;
    while (i < pattern.size() && std::strchr("-+ #0123456789.*hlL", pattern[i]) != nullptr) {
      if (pattern[i] == '.') has_precision = true;
      out.push_back(pattern[i++]);
    }
    if (i >= pattern.size()) break;
    const char conversion = pattern[i++];
    if (conversion == 'f' && !has_precision) out += ".2";
    out.push_back(conversion == 'x' ? 'X' : conversion);
  }
  return out;
}

std::string RightAligned(int64_t value, int width) {
  char digits[24];
  const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  const auto length = static_cast<int>(end - digits);
  std::string text(static_cast<size_t>(std::max(width - length, 0)), ' ');
  text.append(digits, static_cast<size_t>(length));
  return text;
}

}  // namespace vek5
