#include "model/calendar.h"

#include <algorithm>
#include <array>
#include <climits>

#include "model/format.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

// One stretch of a calendar: from turn FromTurn (exclusive; the first stretch also covers all
// earlier turns) the year is Year + YearsPerTurn * (turn - FromTurn) / TurnsPerYear. Stretches
// with several turns a year show a month. The same rows invert: from year Year on, the turn
// is FromTurn + (year - Year) * TurnsPerYear / YearsPerTurn.
struct Stretch {
  int32_t FromTurn;
  int32_t Year;
  int32_t YearsPerTurn;
  int32_t TurnsPerYear;
};

constexpr int kMaxStretches = 8;
using Calendar = std::array<Stretch, kMaxStretches>;

// Unused trailing rows repeat the last one.
constexpr std::array<Calendar, kCalendarCount> kCalendars = {{
    {{{0, -4000, 15, 1},
      {100, -2500, 10, 1},
      {400, 500, 5, 1},
      {570, 1350, 2, 1},
      {771, 1752, 1, 1},
      {900, 1881, 1, 2},
      {1080, 1971, 1, 4},
      {1344, 2037, 1, 12}}},
    {{{0, -4000, 25, 1},
      {140, -500, 15, 1},
      {230, 850, 10, 1},
      {270, 1250, 5, 1},
      {360, 1700, 2, 1},
      {430, 1840, 1, 1},
      {530, 1940, 1, 2},
      {530, 1940, 1, 2}}},
    {{{0, -4000, 40, 1},
      {75, -1000, 25, 1},
      {135, 500, 20, 1},
      {160, 1000, 10, 1},
      {210, 1500, 5, 1},
      {270, 1800, 2, 1},
      {320, 1900, 1, 1},
      {440, 2020, 1, 2}}},
    {{{0, -4000, 60, 1},
      {50, -1000, 40, 1},
      {80, 200, 30, 1},
      {100, 800, 20, 1},
      {130, 1400, 10, 1},
      {155, 1650, 5, 1},
      {195, 1850, 2, 1},
      {260, 1980, 1, 1}}},
}};

int32_t Saturate(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

bool IsKnownSpeed(int32_t speed_index) {
  return speed_index >= 0 && speed_index < kCalendarCount;
}

}  // namespace

CalendarDate DateOfTurn(int32_t speed_index, int32_t turn) {
  if (!IsKnownSpeed(speed_index)) return {};
  const Calendar& calendar = kCalendars[speed_index];
  const Stretch* row = &calendar[0];
  for (const Stretch& s : calendar) {
    if (turn > s.FromTurn) row = &s;
  }
  const int64_t into = int64_t{turn} - row->FromTurn;
  CalendarDate date;
  date.Year = Saturate(row->Year + int64_t{row->YearsPerTurn} * into / row->TurnsPerYear);
  if (row->TurnsPerYear > 1) {
    const int64_t month = (into % row->TurnsPerYear) * (12 / row->TurnsPerYear);
    date.Month = std::string(MonthNames[static_cast<size_t>(month)]);
  }
  return date;
}

int32_t Turn2Date(int32_t& turns_played, int32_t speed_index, int32_t turn, std::string& month) {
  if (turn < 0) turns_played = 0;
  if (IsKnownSpeed(speed_index) && turn > kCalendarTurnLimit[speed_index]) {
    turns_played = kCalendarTurnLimit[speed_index];
  }
  CalendarDate date = DateOfTurn(speed_index, turn);
  month = std::move(date.Month);
  return date.Year;
}

int32_t Date2Turn(int32_t speed_index, int32_t year) {
  year = std::max(year, kEarliestYear);
  if (!IsKnownSpeed(speed_index)) return -1;
  const Calendar& calendar = kCalendars[speed_index];
  const Stretch* row = &calendar[0];
  for (const Stretch& s : calendar) {
    if (year >= s.Year) row = &s;
  }
  const int64_t into = int64_t{year} - row->Year;
  return Saturate(row->FromTurn + into * row->TurnsPerYear / row->YearsPerTurn);
}

std::string YearText(int32_t year, std::string_view year_zero) {
  if (year < 0) return RightAligned(-int64_t{year}, 5) + "BC";
  if (year > 0) return RightAligned(year, 5) + "AD";
  return std::string(year_zero);
}

std::string CityDateText(const CalendarDate& date) {
  std::string text;
  if (date.Year < 0) {
    text = Format("%dBC", -int64_t{date.Year});
  } else if (date.Year == 0) {
    text = "1AD";
  } else {
    text = Format("%dAD", date.Year);
  }
  if (!date.Month.empty()) text += " " + date.Month;
  return text;
}

}  // namespace vek5
