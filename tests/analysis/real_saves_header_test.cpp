// The header half of the analysis on saves written by the game itself (skipped when absent).
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/save5_analyse.h"
#include "container/save_image.h"
#include "model/game_state.h"
#include "model/reference_tables.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

struct RealSave {
  const char* file;
  std::string game_version;
  int32_t build;
  int32_t exp1;
  int32_t zeph;
  std::string civ, handicap, speed, world;
  int32_t current_turn, max_turns;
  int32_t majors, city_states, barbarians;
  int32_t score;
  int32_t messages, messages_with_text;
  int32_t sessions, session_counter;
};

const RealSave kRealSaves[] = {
    {"base-turn95.Vek5Save", "1.0.3.80 (389545)", 389545, kFalse, kFalse, "Japan", "Prince",
     "Standard", "Huge", 95, 500, 6, 24, 1, 105, 288, 55, 2, 3},
    {"zeph-hotseat-turn164.Vek5Save", "1.0.3.279 (403694)", 403694, kTrue, kTrue, "Denmark",
     "Prince", "Quick", "Tiny", 164, 330, 4, 8, 1, 676, 363, 82, 0, 644},
    {"zeph-turn238.Vek5Save", "1.0.3.279(130961)", 403694, kTrue, kTrue, "Greece", "Deity",
     "Standard", "Small", 238, 500, 6, 12, 1, 1141, 900, 226, 33, 34},
};

void PrintTo(const RealSave& save, std::ostream* out) {
  *out << save.file;
}

class RealSaveHeader : public ::testing::TestWithParam<RealSave> {};

TEST_P(RealSaveHeader, ReadsWhatTheGameWrote) {
  const RealSave& expected = GetParam();
  const std::string path = testing::SharedSave(expected.file);
  if (path.empty()) GTEST_SKIP() << expected.file << " is not there";
  const auto state = Save5Analyse(LoadSave(path));

  EXPECT_EQ(state->SaveVersion, 8);
  EXPECT_EQ(state->GameVersion, expected.game_version);
  EXPECT_EQ(state->BuildNumber, expected.build);
  EXPECT_EQ(state->Exp1Present, expected.exp1);
  EXPECT_EQ(state->ZephPresent, expected.zeph);
  EXPECT_EQ(state->SlotKeysPresent, kTrue);
  EXPECT_EQ(state->PlayerCivName, expected.civ);
  EXPECT_EQ(state->HandicapName, expected.handicap);
  EXPECT_EQ(state->GameSpeedName, expected.speed);
  EXPECT_EQ(state->WorldSizeName, expected.world);

  int32_t majors = 0, city_states = 0, barbarians = 0;
  for (int e = 0; e < state->PlayerCount; ++e) {
    const TLeaderInfoRec& entry = state->Leaders[e];
    if (entry.CivType == kCivMinor) {
      ++city_states;
      // Every city-state is flagged and named (the final patch's extra slot list read right).
      EXPECT_NE(entry.SlotIsMinor, 0) << entry.LeaderName;
      EXPECT_FALSE(entry.TraitName.empty()) << entry.LeaderName;
    } else if (entry.CivType == kCivBarbarian) {
      ++barbarians;
    } else {
      ++majors;
    }
  }
  EXPECT_EQ(majors, expected.majors);
  EXPECT_EQ(city_states, expected.city_states);
  EXPECT_EQ(barbarians, expected.barbarians);
  EXPECT_EQ(state->RealPlayerCount, expected.majors);
  // The bytes behind the turn-timer key of all three saves allow every victory.
  EXPECT_EQ(state->VictoryAllowed, (std::array<int32_t, kVictoryTypes>{1, 1, 1, 1, 1}));

  EXPECT_EQ(state->CurrentTurn, expected.current_turn);
  EXPECT_EQ(state->MaxTurns, expected.max_turns);
  EXPECT_EQ(state->Score, expected.score);
  EXPECT_EQ(state->ReplayMessageCount, expected.messages);
  EXPECT_EQ(std::count_if(state->ReplayMessages.begin(), state->ReplayMessages.end(),
                          [](const TReplayMsgRec& m) { return !m.Text.empty(); }),
            expected.messages_with_text);
  EXPECT_EQ(static_cast<int32_t>(state->SessionTurns.size()), expected.sessions);
  EXPECT_EQ(static_cast<int32_t>(state->SessionListLines.size()), expected.sessions);
  EXPECT_EQ(state->SessionCounter, expected.session_counter);
}

INSTANTIATE_TEST_SUITE_P(SharedSaves, RealSaveHeader, ::testing::ValuesIn(kRealSaves),
                         [](const auto& info) {
                           std::string name = info.param.file;
                           name = name.substr(0, name.find('.'));
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace vek5
