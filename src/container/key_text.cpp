#include "container/key_text.h"

#include "container/readers.h"

namespace vek5 {
namespace {

// A text ends at its first zero byte.
std::string_view UpToZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// The first "[" or "]" at or after from (a plain loop: the library's search for either of two
// bytes tests each byte against the set in turn).
size_t FindBracket(std::string_view text, size_t from) {
  for (size_t i = from; i < text.size(); ++i) {
    if (text[i] == '[' || text[i] == ']') return i;
  }
  return std::string_view::npos;
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
  std::string shown(key.substr(k));
  for (size_t i = 0; i < shown.size(); ++i) {
    const char c = shown[i];
    const bool keeps_case = i == 0 || key[k + i - 1] == '_';
    shown[i] = c == '_' ? ' ' : keeps_case ? c : CharLowCase(c);
  }
  return shown;
}

std::string CutMacros(std::string_view text) {
  const std::string_view source = UpToZero(text);
  if (source.empty() || source.size() > static_cast<size_t>(kMaxStringLength)) return {};
  std::string result;
  result.reserve(source.size());
  // The text between groups is copied whole; a group becomes "@", and so does a "]" outside
  // any group, after itself.
  size_t at = 0;
  while (at < source.size()) {
    const size_t mark = FindBracket(source, at);
    result.append(source.substr(at, mark - at));
    if (mark == std::string_view::npos) break;
    if (source[mark] == ']') {
      result.append("]@");
      at = mark + 1;
      continue;
    }
    const size_t close = source.find(']', mark);
    if (close == std::string_view::npos) break;
    result.push_back('@');
    at = close + 1;
  }
  return result;
}

}  // namespace vek5
