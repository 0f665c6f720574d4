// City names as the game shows them: a save stores most city names as text keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vek5 {

struct TCityRec;

// Row of CityNameInfo for a stored city name, or -1 when it is not a known key (plain text,
// a renamed city, or a key the game's texts lack).
int32_t FindCityNameRow(std::string_view stored);

// The name to show for a city: the game's English text (Russian when asked and the game has
// one) for a known key, else the name as read.
std::string CityDisplayName(std::string_view name, int32_t name_row, bool russian = false);
std::string CityDisplayName(const TCityRec& city, bool russian = false);

}  // namespace vek5
