// The sample games the fuzz seeds and the damaged-save sweeps start from show the shapes they
// are named after, so that those runs reach the readers of each shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "analysis/save5_analyse.h"
#include "support/sample_games.h"

namespace vek5 {
namespace {

std::map<std::string, testing::GameDescription> SamplesByName() {
  std::map<std::string, testing::GameDescription> samples;
  for (const testing::SampleGame& sample : testing::SampleGames()) {
    samples[sample.Name] = sample.Game;
  }
  return samples;
}

int KnownTechs(const TLeaderInfoRec& leader) {
  int known = 0;
  for (const int32_t v : leader.TechKnown) known += v != 0;
  return known;
}

TEST(SampleGames, TeamsShareOneTechnologyTable) {
  for (const char* name : {"base_teams", "zeph_final_teams"}) {
    SCOPED_TRACE(name);
    const auto state = Save5Analyse(AssembleSave(WriteSaveFile(SamplesByName().at(name))));
    ASSERT_EQ(state->PlayerCount, 4);
    EXPECT_EQ(state->Leaders[0].Team, 0);
    EXPECT_EQ(state->Leaders[1].Team, 0);
    EXPECT_EQ(KnownTechs(state->Leaders[0]), 3);
    EXPECT_EQ(KnownTechs(state->Leaders[1]), 3);
    EXPECT_EQ(state->Leaders[2].Team, 22);
  }
}

TEST(SampleGames, HistoryBlocksLandInTheEntriesOfTheirSlots) {
  for (const char* name : {"exp1_history_by_slot", "zeph_final_history_by_slot"}) {
    SCOPED_TRACE(name);
    const auto state = Save5Analyse(AssembleSave(WriteSaveFile(SamplesByName().at(name))));
    ASSERT_EQ(state->PlayerCount, 4);
    // Only slots 0 and 22 (entries 0 and 2) have a block; the values are those of their record.
    EXPECT_TRUE(HistoryHoldsSeries(*state, 0, 0));
    EXPECT_FALSE(HistoryHoldsSeries(*state, 1, 0));
    EXPECT_TRUE(HistoryHoldsSeries(*state, 2, 0));
    EXPECT_FALSE(HistoryHoldsSeries(*state, 3, 0));
    EXPECT_EQ(state->HistoryData[0][0][2], 15);
    EXPECT_EQ(state->HistoryData[2][0][2], 45);
  }
}

TEST(SampleGames, AGameStreamInflatesToTheSameBodyAsAClosedOne) {
  const auto samples = SamplesByName();
  const SaveImage closed = AssembleSave(WriteSaveFile(samples.at("zeph_final")));
  const SaveImage game = AssembleSave(WriteSaveFile(samples.at("zeph_final_game_stream")));
  EXPECT_FALSE(game.EndsEarly);
  EXPECT_EQ(game.BodyLength, closed.BodyLength);
  EXPECT_TRUE(std::equal(game.SaveBuffer.begin() + game.BodyOffset,
                         game.SaveBuffer.begin() + game.BodyOffset + game.BodyLength,
                         closed.SaveBuffer.begin() + closed.BodyOffset));
  // And the final patch's city fields read: every citizen placed.
  const auto state = Save5Analyse(game);
  ASSERT_FALSE(state->Cities[0].empty());
  EXPECT_EQ(state->CityDetailsUnknown, 0);
  EXPECT_NE(state->Cities[0][0].CitizensRead, 0);
  EXPECT_EQ(state->Cities[0][0].WorkedTiles, 5);
}

}  // namespace
}  // namespace vek5
