#include "container/key_text.h"

#include "container/readers.h"

namespace vek5 {
namespace {

// A text ends at its first zero byte.
std::string_view UpToZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

char CharLowCase(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

std::string CutTextKey(std::string_view text, std::string_view prefix) {
  const std::string_view key = UpToZero(text);
  const size_t n = key.size();
  const size_t k = prefix.size();
  if (n < 1 || n > static_cast<size_t>(kMaxStringLength) || k >= n ||
      key.find(prefix) == std::string_view::npos) {
    return std::string(text);
  }
  std::string shown;
  shown.reserve(n - k);
  for (size_t i = k; i < n; ++i) {
    const char c = key[i];
    const bool keeps_case = i == k || key[i - 1] == '_';
    if (c == '_') {
      shown.push_back(' ');
    } else {
      shown.push_back(keeps_case ? c : CharLowCase(c));
    }
  }
  return shown;
}

std::string CutMacros(std::string_view text) {
  const std::string_view source = UpToZero(text);
  if (source.empty() || source.size() > static_cast<size_t>(kMaxStringLength)) return {};
  std::string result;
  bool inside = false;
  for (const char c : source) {
    if (c == '[') inside = true;
    if (!inside) result.push_back(c);
    if (c == ']') {
      result.push_back('@');
      inside = false;
    }
  }
  return result;
}

}  // namespace vek5
