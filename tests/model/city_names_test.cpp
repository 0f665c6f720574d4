#include "model/city_names.h"

#include <gtest/gtest.h>

#include "model/game_state.h"

namespace vek5 {
namespace {

struct CityNameCase {
  const char* stored;  // as the save stores it
  const char* cut;     // as the city reader cuts it down
  const char* english;
  const char* russian;
};

TEST(CityNames, KnownKeysPlainTextAndReusedKeys) {
  const CityNameCase cases[] = {
      {"TXT_KEY_CITY_NAME_RIO_DE_JANEIRO", "RIO_DE_JANEIRO", "Rio de Janeiro", "Рио-де-Жанейро"},
      {"TXT_KEY_CITY_NAME_LINKOPING", "LINKOPING", "Linköping", "Линчепинг"},
      // No Russian text in the game: the English one stands in.
      {"TXT_KEY_CITY_NAME_KYOTO", "KYOTO", "Kyoto", "Kyoto"},
      {"TXT_KEY_CITYSTATE_RIO_DE_JANEIRO", "RIO_DE_JANEIRO", "Rio de Janeiro", "Rio de Janeiro"},
      // Keys the game reused for other cities, with the product word of any edition.
      {"TXT_KEY_VEK5_SEOUL_TITLE", "SEOUL_TITLE", "Kathmandu", "Kathmandu"},
      {"TXT_KEY_ABCD_COPENHAGEN_TITLE", "TXT_KEY_ABCD_COPENHAGEN_TITLE", "Sydney", "Sydney"},
      // A key the table lacks and plain text show as read.
      {"TXT_KEY_CITY_NAME_NOWHERE", "NOWHERE", "NOWHERE", "NOWHERE"},
      {"New Kyoto", "New Kyoto", "New Kyoto", "New Kyoto"},
      {"TXT_KEY_ABCD_NOWHERE_TITLE", "TXT_KEY_ABCD_NOWHERE_TITLE", "TXT_KEY_ABCD_NOWHERE_TITLE",
       "TXT_KEY_ABCD_NOWHERE_TITLE"},
      {"", "", "", ""},
  };
  for (const CityNameCase& c : cases) {
    TCityRec city;
    city.Name = c.cut;
    city.NameRow = FindCityNameRow(c.stored);
    EXPECT_EQ(CityDisplayName(city), c.english) << c.stored;
    EXPECT_EQ(CityDisplayName(city, true), c.russian) << c.stored;
  }
}

TEST(CityNames, RowOutsideTheTableShowsTheNameAsRead) {
  EXPECT_EQ(CityDisplayName("KYOTO", -7), "KYOTO");
  EXPECT_EQ(CityDisplayName("KYOTO", 1 << 30), "KYOTO");
}

}  // namespace
}  // namespace vek5
