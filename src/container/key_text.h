// Turning the game's upper-case keys and marked-up texts into display text. These work on
// bytes: only ASCII letters change case, other bytes pass through.
#pragma once

#include <string>
#include <string_view>

namespace vek5 {

char CharLowCase(char c);
// Drops the prefix length from the key and writes the rest in title case with blanks, e.g.
// ("MINOR_CIV_BUENOS_AIRES", "MINOR_CIV_") -> "Buenos Aires". Returns the text unchanged when
// the prefix does not occur in it or is not shorter than it.
std::string CutTextKey(std::string_view text, std::string_view prefix);
// Replaces every bracketed markup group by "@".
std::string CutMacros(std::string_view text);

}  // namespace vek5
