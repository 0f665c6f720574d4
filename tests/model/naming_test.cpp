#include "model/naming.h"

#include <gtest/gtest.h>

#include "model/format.h"
#include "model/game_state.h"

namespace vek5 {
namespace {

TEST(Naming, CivAndLeaderNames) {
  GameState state;
  EXPECT_EQ(GetCivName(state, 18), "Minor");
  EXPECT_EQ(GetCivName(state, 20), "Unknown Civ");
  EXPECT_EQ(GetCivName(state, -1), "Unknown Civ");
  EXPECT_EQ(GetCivName(state, 64), "Unknown Civ");
  EXPECT_EQ(GetLeaderName(state, 3), "Barbarian");
  EXPECT_EQ(GetLeaderName(state, 64), "Unknown Leader");
  state.DlcCivNames[0] = "Inca";
  state.DlcLeaderNames[0] = "Pachacuti";
  EXPECT_EQ(GetCivName(state, 20), "Inca");
  EXPECT_EQ(GetLeaderName(state, 19), "Pachacuti");
  EXPECT_EQ(GetLeaderName(state, 63), "Unknown Leader");
}

TEST(Naming, SlotTests) {
  GameState state;
  state.SlotCivType[0] = 5;
  state.SlotCivType[1] = 19;
  state.SlotCivType[2] = 18;
  state.SlotStatus[2] = 4;
  state.SlotCivType[3] = 6;
  state.SlotStatus[3] = 4;
  EXPECT_TRUE(IsPlayer(state, 0));
  EXPECT_FALSE(IsPlayer(state, 1));
  EXPECT_FALSE(IsPlayer(state, 2));
  EXPECT_FALSE(IsPlayer(state, 3));
  EXPECT_FALSE(IsPlayer(state, 4));  // unlisted
  EXPECT_TRUE(IsMinor(state, 2));
  EXPECT_FALSE(IsMinor(state, 64));
}

TEST(Naming, FinalScore) {
  EXPECT_EQ(FinalScore(500, 100, 500), 2500);
  EXPECT_EQ(FinalScore(500, 0, 500), 0);
  EXPECT_EQ(FinalScore(500, 3, 500), 0);
  EXPECT_EQ(FinalScore(500, 100, 0), 0);
}

TEST(Format, TwoConventionsAndADotForDecimals) {
  EXPECT_EQ(Format("%f", 12.345), "12.35");
  EXPECT_EQ(Format("%.1f", 2.25), "2.2");
  EXPECT_EQ(Format("%08x", 0xBEEF), "0000BEEF");
  EXPECT_EQ(Format("%5dBC", 2350), " 2350BC");
  EXPECT_EQ(Format("%d%%", 5), "5%");
  EXPECT_EQ(Format("%s: %d", std::string("a"), -3), "a: -3");
}

// As "%<width>d" gives them.
TEST(RightAligned, PadsToTheWidthAndNeverCuts) {
  for (const int64_t value : {int64_t{0}, int64_t{7}, int64_t{-42}, int64_t{2350}, int64_t{123456},
                              int64_t{-9876543210}}) {
    for (const int width : {0, 1, 4, 5, 12}) {
      EXPECT_EQ(RightAligned(value, width), Format("%*lld", width, static_cast<long long>(value)));
    }
  }
}

}  // namespace
}  // namespace vek5
