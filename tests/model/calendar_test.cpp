#include "model/calendar.h"

#include <gtest/gtest.h>

namespace vek5 {
namespace {

TEST(Calendar, TurnsGiveTheGamesDates) {
  struct Case {
    int32_t speed, turn, year;
    std::string month;
  };
  const std::vector<Case> cases = {
      {2, 440, 2020, ""},     {2, 441, 2020, "Jul"},  {2, 442, 2021, "Jan"},
      {0, 1081, 1971, "Apr"}, {0, 1344, 2037, "Jan"}, {0, 1345, 2037, "Feb"},
      {0, 1356, 2038, "Jan"}, {3, 75, 0, ""},         {2, 115, 0, ""},
      {0, 350, 0, ""},        {3, 331, 2051, ""},     {1, -1, -4025, ""},
      {4, 10, -9999, ""},     {-1, 10, -9999, ""},    {0, 0, -4000, ""},
      {1, 531, 1940, "Jul"},
  };
  for (const Case& c : cases) {
    const CalendarDate date = DateOfTurn(c.speed, c.turn);
    EXPECT_EQ(date.Year, c.year) << c.speed << "/" << c.turn;
    EXPECT_EQ(date.Month, c.month) << c.speed << "/" << c.turn;
  }
}

TEST(Calendar, EveryCalendarJoinsWithoutGapsAndEndsIn2050) {
  for (int speed = 0; speed < kCalendarCount; ++speed) {
    int32_t previous = DateOfTurn(speed, 0).Year;
    for (int32_t turn = 1; turn <= kCalendarTurnLimit[speed]; ++turn) {
      const int32_t year = DateOfTurn(speed, turn).Year;
      EXPECT_GE(year, previous) << speed << "/" << turn;
      EXPECT_LE(year - previous, 60) << speed << "/" << turn;
      // Every year shown maps back to a turn that shows the same year.
      EXPECT_EQ(DateOfTurn(speed, Date2Turn(speed, year)).Year, year) << speed << "/" << turn;
      previous = year;
    }
    EXPECT_EQ(previous, 2050) << speed;
  }
}

TEST(Calendar, YearsGiveTheirFirstTurn) {
  EXPECT_EQ(Date2Turn(3, -5000), 0);
  EXPECT_EQ(Date2Turn(2, 2021), 442);
  EXPECT_EQ(Date2Turn(0, 2037), 1344);
  EXPECT_EQ(Date2Turn(4, 1900), -1);
  EXPECT_EQ(Date2Turn(0, INT32_MAX), INT32_MAX);  // saturates instead of overflowing
}

TEST(Calendar, Turn2DateMovesTurnsPlayed) {
  int32_t turns_played = 100;
  std::string month;
  EXPECT_EQ(Turn2Date(turns_played, 3, 331, month), 2051);
  EXPECT_EQ(turns_played, 330);
  EXPECT_EQ(Turn2Date(turns_played, 1, -1, month), -4025);
  EXPECT_EQ(turns_played, 0);
  turns_played = 7;
  Turn2Date(turns_played, 9, -3, month);  // unknown speed: still reset by a negative turn
  EXPECT_EQ(turns_played, 0);
  EXPECT_EQ(Turn2Date(turns_played, 2, 441, month), 2020);
  EXPECT_EQ(month, "Jul");
}

TEST(Calendar, DateTexts) {
  EXPECT_EQ(YearText(-2350, kYearZeroNarrow), " 2350BC");
  EXPECT_EQ(YearText(44, kYearZeroNarrow), "   44AD");
  EXPECT_EQ(YearText(0, kYearZeroNarrow), "   1AD");
  EXPECT_EQ(YearText(0, kYearZeroWide), "    1AD");
  EXPECT_EQ(CityDateText({-2350, ""}), "2350BC");
  EXPECT_EQ(CityDateText({0, ""}), "1AD");
  EXPECT_EQ(CityDateText({1944, "Jul"}), "1944AD Jul");
}

}  // namespace
}  // namespace vek5
