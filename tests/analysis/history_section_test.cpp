#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::HistoryPairs;
using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::WorldFormat;
using testing::WriteHistoryBlock;

std::unique_ptr<GameState> ReadBlocks(const std::vector<std::vector<uint8_t>>& blocks) {
  auto state = MakeWorldState(WorldFormat{}, {0, 1});
  ReadHistory(MakeBodyImage(blocks), *state);
  return state;
}

TEST(HistorySection, StoresPairsAtTheirTurnsWithClamping) {
  const HistoryPairs score = {{-3, 17}, {1500, 5}, {1499, 6}, {10, 1}, {10, 2}, {20000, 9}, {3, 4}};
  const auto state = ReadBlocks({WriteHistoryBlock({score, {{7, 70}}})});
  const auto& set = state->HistoryData[0];
  EXPECT_EQ(set[0][0], 17);    // a negative turn goes to turn 0
  EXPECT_EQ(set[0][1499], 6);  // the pair after the dropped turn 1500 is in place
  EXPECT_EQ(set[0][1500], 0);
  EXPECT_EQ(set[0][10], 2);  // the later pair of a turn wins
  EXPECT_EQ(set[0][3], 4);
  EXPECT_EQ(set[1][7], 70);
}

TEST(HistorySection, GivesEachBlockTheNextDataSet) {
  // An empty block still takes a data set; a block with more series than the table holds
  // drops the extra series and leaves the next block in place.
  std::vector<HistoryPairs> many(30);
  for (int s = 0; s < 30; ++s) many[s] = {{1, 100 + s}};
  const auto state = ReadBlocks({WriteHistoryBlock({{{1, 11}}}), WriteHistoryBlock({}),
                                 WriteHistoryBlock(many), WriteHistoryBlock({{{1, 44}}})});
  EXPECT_EQ(state->HistoryData[0][0][1], 11);
  EXPECT_EQ(state->HistoryData[1][0][1], 0);
  EXPECT_EQ(state->HistoryData[2][26][1], 126);
  EXPECT_EQ(state->HistoryData[3][0][1], 44);
}

TEST(HistorySection, ReadsAtMost64Blocks) {
  std::vector<std::vector<uint8_t>> blocks;
  for (int d = 0; d < 70; ++d) blocks.push_back(WriteHistoryBlock({{{2, d + 1}}}));
  const auto state = ReadBlocks(blocks);
  EXPECT_EQ(state->HistoryData[63][0][2], 64);
}

TEST(HistorySection, SurvivesHostileCounts) {
  for (const int32_t count : {-1, 0x7FFFFFFF, 1 << 20}) {
    auto block = WriteHistoryBlock({{{5, 1}}, {{6, 2}}});
    const size_t series_count = block.size() - 4 * 6;  // right after the marker
    auto huge_series = block;
    testing::PutIntAt(huge_series, series_count, count);
    auto huge_pairs = block;
    testing::PutIntAt(huge_pairs, series_count + 4, count);
    const auto state = ReadBlocks({huge_series, huge_pairs});
    EXPECT_EQ(state->HistoryData[0][0][5], count > 0 ? 1 : 0);
  }
}

}  // namespace
}  // namespace vek5
