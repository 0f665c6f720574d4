// Bodies made to mislead the analysis: the markers it searches for, repeated, around more city
// records than the model holds; and texts whose length fields point past the end of the image.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/header_fixture.h"
#include "container/readers.h"
#include "model/type_hash.h"
#include "support/city_writer.h"
#include "views/all_tabs.h"
#include "views/report.h"

namespace vek5 {
namespace {

using testing::BuildImage;
using testing::GameDescription;

std::string IntBytes(uint32_t v) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &v, 4);
  return bytes;
}

// Every marker, check value and key the body sections search for or test.
std::vector<std::string> Markers() {
  return {std::string("\xFF\xFF\xFF\xFF\0\0\0\0\x01\0\0\0", 12) + IntBytes(0x12345678),
          "from membership",
          "BUILDINGCLASS_COURTHOUSE",
          IntBytes(static_cast<uint32_t>(TypeHash("BUILDINGCLASS_COURTHOUSE"))),
          "REPLAYDATASET_MILITARYMIGHT",
          IntBytes(0xF1A0EAB7),
          IntBytes(static_cast<uint32_t>(TypeHash("POLICY_LIBERTY"))),
          IntBytes(static_cast<uint32_t>(TypeHash("TECH_AGRICULTURE"))),
          "BUILDING_STONE_WORKS",
          IntBytes(0x0252AC5E),
          IntBytes(0xDFC41280),
          IntBytes(0x6F229238),
          IntBytes(0xF5010319),
          IntBytes(0x18BF8791),
          IntBytes(0x37AEAE99),
          IntBytes(0x40B10B7E),
          IntBytes(0x57E5BD65),
          IntBytes(257),
          IntBytes(513),
          IntBytes(0xFFFFFFFF),
          IntBytes(25),
          "PROMOTION_INSTA_HEAL",
          "BUILDING_FLOATING_GARDENS",
          "SQLite"};
}

std::vector<uint8_t> MarkerSoup(int repeats) {
  std::vector<uint8_t> body;
  for (int i = 0; i < repeats; ++i) {
    for (const std::string& marker : Markers())
      body.insert(body.end(), marker.begin(), marker.end());
  }
  return body;
}

struct RuleSetCase {
  const char* Name;
  std::vector<testing::ContentEntry> Content;
  std::string Build;
  testing::CityRecordForm Cities;
};

// More city records, all of the first player, than the model holds.
std::vector<uint8_t> ManyCities(testing::CityRecordForm form) {
  testing::CityDescription city;
  city.Queue = {{0, 1, 2, 0, 0}};
  return testing::WriteCityRecords(form, std::vector<testing::CityDescription>(700, city));
}

TEST(HostileBody, MarkersAndMoreRecordsThanTheModelHoldsGiveABoundedAnalysis) {
  const RuleSetCase cases[] = {
      {"base", {}, "300000", testing::CityRecordForm::Base},
      {"exp1", {{238506401, {"Exp1"}}}, "341540", testing::CityRecordForm::Exp1Late},
      {"zeph",
       {{238506401, {"Exp1"}}, {1839232566, {"Zeph"}}},
       "403694",
       testing::CityRecordForm::Zeph},
  };
  for (const RuleSetCase& c : cases) {
    SCOPED_TRACE(c.Name);
    GameDescription game;
    game.Content = c.Content;
    game.BuildText = c.Build;
    game.BodySections = {MarkerSoup(3000), ManyCities(c.Cities), MarkerSoup(100)};
    const auto state = Save5Analyse(BuildImage(game));
    for (int32_t e = 0; e < state->PlayerCount; ++e) {
      EXPECT_LE(state->Cities[e].size(), static_cast<size_t>(kMaxCitiesPerPlayer));
      EXPECT_EQ(state->Leaders[e].CityCount, static_cast<int32_t>(state->Cities[e].size()));
    }
    EXPECT_EQ(state->CityNames.size(), static_cast<size_t>(kMaxCityNames));
    EXPECT_FALSE(BuildReport(*state).empty());
  }
}

// A text cut three bytes into it, with a length field of the longest text: the reader takes
// what is there and stops at the end of the image.
TEST(HostileBody, TextsWhoseLengthsPointPastTheEndAreReadToTheEnd) {
  GameDescription game;
  game.SlotKeys = true;
  game.ReplayMessages = {{0, "Session 1 starts"}, {3, "Athens is founded."}};
  const SaveImage whole = BuildImage(game);
  const std::string_view texts[] = {"CIVILIZATION_GREECE", "TXT_KEY_TURNTIMER_MEDIUM",
                                    "GAMEOPTION_NO_TUTORIAL", "Athens is founded."};
  for (const std::string_view text : texts) {
    SCOPED_TRACE(text);
    const int32_t at = FindStr(whole, text, 0);
    ASSERT_GT(at, 4);
    SaveImage image = whole;
    image.SaveBuffer.resize(static_cast<size_t>(at) + 3);
    image.SaveBuffer.shrink_to_fit();
    image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
    const int32_t longest = kMaxStringLength;
    std::memcpy(image.SaveBuffer.data() + at - 4, &longest, 4);
    std::unique_ptr<GameState> state;
    ASSERT_NO_THROW({ state = Save5Analyse(image); });
    if (text == texts[0]) {
      EXPECT_EQ(state->PlayerCivName, "CIV");
    }
    EXPECT_FALSE(BuildReport(*state).empty());
  }
}

}  // namespace
}  // namespace vek5
