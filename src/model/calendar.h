// The game's four calendars: turn to year (and month) and year back to turn.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vek5 {

inline constexpr int kCalendarCount = 4;
// Turn limits of the calendars, by speed index.
inline constexpr int32_t kCalendarTurnLimit[kCalendarCount] = {1500, 750, 500, 330};
inline constexpr int32_t kUnknownSpeedYear = -9999;
inline constexpr int32_t kEarliestYear = -4000;

// Texts that stand for year 0, which the calendars can produce: the summary views show it as
// 1 AD in one of two widths.
inline constexpr std::string_view kYearZeroNarrow = "   1AD";
inline constexpr std::string_view kYearZeroWide = "    1AD";

struct CalendarDate {
  int32_t Year = kUnknownSpeedYear;
  std::string Month;  // empty when the calendar shows no month
};

// The date a turn shows, without any effect on the model.
CalendarDate DateOfTurn(int32_t speed_index, int32_t turn);

// As DateOfTurn, and like the game's own routine it moves the turns-played count it is given
// (the model's during an analysis, the views' copy afterwards): a negative turn sets it to 0, a
// turn beyond the calendar's limit sets it to that limit.
int32_t Turn2Date(int32_t& turns_played, int32_t speed_index, int32_t turn, std::string& month);

// First turn that shows the year; -1 for an unknown speed index.
int32_t Date2Turn(int32_t speed_index, int32_t year);

// "%5dBC" / "%5dAD", or the given literal for year 0.
std::string YearText(int32_t year, std::string_view year_zero);
// The city view's date: no width, "1AD" for year 0, then a blank and the month when it has one.
std::string CityDateText(const CalendarDate& date);

}  // namespace vek5
