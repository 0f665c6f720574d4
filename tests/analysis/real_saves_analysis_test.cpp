// The whole analysis on saves written by the game itself (skipped when absent): what the game
// had, seen through every section at once.
#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/save5_analyse.h"
#include "model/reference_tables.h"
#include "support/save_builder.h"

namespace vek5 {
namespace {

struct CityFact {
  int32_t Entry;
  int32_t Index;
  std::string Name;
  int32_t Population;
  int32_t FoundedTurn;
};

struct RealSave {
  const char* File;
  int32_t CityRecords;
  int32_t LeagueTotal;  // -1: no project
  std::vector<CityFact> Cities;
};

const RealSave kRealSaves[] = {
    {"base-turn95.Vek5Save", 43, -1, {{0, 0, "KYOTO", 9, 4}, {3, 0, "ROME", 4, 0}}},
    {"zeph-hotseat-turn164.Vek5Save", 22, -1, {{0, 0, "COPENHAGEN", 0, 2}}},
    {"zeph-turn238.Vek5Save",
     46,
     212677,
     {{0, 0, "ATHENS", 34, 0}, {0, 1, "SPARTA", 22, 42}, {2, 0, "RIO_DE_JANEIRO", 28, 0}}},
};

void PrintTo(const RealSave& save, std::ostream* out) {
  *out << save.File;
}

class RealSaveAnalysis : public ::testing::TestWithParam<RealSave> {
 protected:
  void SetUp() override {
    const std::string path = testing::SharedSave(GetParam().File);
    if (path.empty()) GTEST_SKIP() << "the shared saves are not there";
    state_ = Save5Analyse(LoadSave(path));
  }
  std::unique_ptr<GameState> state_;
};

TEST_P(RealSaveAnalysis, FindsTheCitiesLogsAndLeagueTheGameHad) {
  const RealSave& save = GetParam();
  const GameState& s = *state_;
  int32_t cities = 0;
  for (int e = 0; e < s.PlayerCount; ++e) {
    EXPECT_EQ(s.Leaders[e].CityCount, static_cast<int32_t>(s.Cities[e].size()));
    cities += s.Leaders[e].CityCount;
  }
  EXPECT_EQ(cities, save.CityRecords);
  for (const CityFact& fact : save.Cities) {
    ASSERT_LT(fact.Index, s.Leaders[fact.Entry].CityCount) << fact.Name;
    const TCityRec& city = s.Cities[fact.Entry][fact.Index];
    EXPECT_EQ(city.Name, fact.Name);
    if (fact.Population > 0) {
      EXPECT_EQ(city.Population, fact.Population) << fact.Name;
    }
    EXPECT_EQ(city.FoundedTurn, fact.FoundedTurn) << fact.Name;
  }
  // Every human seat has a notification log of its own, with text (the game keeps none for
  // the computer players).
  int32_t humans = 0;
  for (int e = 0; e < s.PlayerCount; ++e) {
    if (s.Leaders[e].SlotStatus != 3) continue;
    ++humans;
    const auto& messages = s.PlayerLogs[e].Messages;
    EXPECT_TRUE(std::any_of(messages.begin(), messages.end(), [](const TMessageRec& m) {
      return !m.Text.empty();
    })) << s.Leaders[e].LeaderName;
  }
  EXPECT_GE(humans, 1);
  EXPECT_EQ(s.LeagueProjects[0].Type, save.LeagueTotal < 0 ? -1 : 1);
  EXPECT_EQ(s.LeagueProjects[0].Total, std::max(save.LeagueTotal, 0));
}

TEST_P(RealSaveAnalysis, EachEntryHasItsOwnSlotsHistory) {
  constexpr size_t kScore = 0;
  constexpr size_t kProduction = 1;
  constexpr size_t kCityCount = 4;
  const GameState& s = *state_;
  for (int e = 0; e < s.PlayerCount; ++e) {
    const TLeaderInfoRec& leader = s.Leaders[e];
    SCOPED_TRACE(leader.LeaderName);
    const THistoryStored& stored = s.HistoryStored[e];
    // The barbarians record no score; their first series is their production.
    EXPECT_EQ(stored.Series.test(kScore), leader.CivType != kCivBarbarian);
    EXPECT_TRUE(stored.Series.test(kProduction));
    if (leader.CivType != kCivMinor || leader.CityCount == 0) continue;
    // A living city-state's last stored city count is its own, not a dead neighbour's 0.
    const auto& turns = stored.Turns[kCityCount];
    int last = kHistoryTurns - 1;
    while (last > 0 && !turns.test(static_cast<size_t>(last))) --last;
    EXPECT_GE(s.HistoryData[e][kCityCount][last], 1) << "turn " << last;
  }
}

TEST_P(RealSaveAnalysis, EveryPlayerWithCitiesResearchesWhatItsTeamDoesNotKnowYet) {
  const GameState& s = *state_;
  for (int e = 0; e < s.PlayerCount; ++e) {
    const TLeaderInfoRec& leader = s.Leaders[e];
    if (leader.CityCount == 0) continue;
    SCOPED_TRACE(leader.LeaderName);
    ASSERT_GE(leader.ResearchQueueLength, 0);
    if (leader.ResearchQueueLength == 0) continue;
    EXPECT_EQ(leader.ResearchingTech, leader.ResearchQueue[0]);
    for (int k = 0; k < leader.ResearchQueueLength; ++k) {
      EXPECT_EQ(leader.TechKnown[static_cast<size_t>(leader.ResearchQueue[k])], 0) << k;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(SharedSaves, RealSaveAnalysis, ::testing::ValuesIn(kRealSaves));

TEST(RealSaveAnalysis, LateBaseBuildReadsTheAllyOfACityState) {
  const std::string path = testing::SharedSave("base-turn95.Vek5Save");
  if (path.empty()) GTEST_SKIP() << "the shared saves are not there";
  const auto state = Save5Analyse(LoadSave(path));
  // Ragusa (slot 36) is allied with Augustus (slot 3) at 64.00.
  EXPECT_EQ(state->CSInfluence[36][3], 6400);
  EXPECT_EQ(state->CSAllies[36][3], kTrue);
}

TEST(RealSaveAnalysis, ReadsACapturedCityWithItsOwners) {
  const std::string path = testing::SharedSave("zeph-turn238.Vek5Save");
  if (path.empty()) GTEST_SKIP() << "the shared saves are not there";
  const auto state = Save5Analyse(LoadSave(path));
  const TCityRec* jenne = nullptr;
  for (int e = 0; e < state->PlayerCount; ++e) {
    for (const TCityRec& city : state->Cities[e]) {
      if (city.Name == "JENNE") jenne = &city;
    }
  }
  ASSERT_NE(jenne, nullptr);
  EXPECT_EQ(jenne->PreviousOwner, 5);
  EXPECT_EQ(jenne->OriginalOwner, 5);
  EXPECT_EQ(jenne->CapturedTurn, 223);
  EXPECT_NE(jenne->Flags[kFlagOccupied], 0);
}

}  // namespace
}  // namespace vek5
