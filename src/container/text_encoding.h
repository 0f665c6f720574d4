// Every text inside the program is UTF-8. Save texts arrive either as UTF-8 or as raw 8-bit
// bytes in the Windows-1251 code page; these helpers bring both to UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vek5 {

bool IsValidUtf8(std::string_view text);
// A text the save stores as UTF-8: kept when valid, empty otherwise.
std::string Utf8OrEmpty(std::string_view text);
// A raw 8-bit text: kept when it is valid UTF-8, else decoded from Windows-1251.
std::string Utf8OrCp1251(std::string_view text);
std::string Cp1251ToUtf8(std::string_view text);

}  // namespace vek5
