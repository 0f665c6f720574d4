#include <gtest/gtest.h>

#include <map>

#include "analysis/sections.h"
#include "model/reference_tables.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::HistoryPairs;
using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::WorldFormat;
using testing::WriteHistoryBlock;
using testing::WritePlayerRecord;

using Blocks = std::vector<std::vector<uint8_t>>;
using History = std::vector<HistoryPairs>;

// The history of an image, placed by the players' records found in it.
void Read(const SaveImage& image, GameState& state) {
  ReadHistory(image, state, FindPlayerRecords(image, state));
}

// One record per slot from 0 to last_slot, each followed by the slot's history block if given.
Blocks Records(const WorldFormat& format, int32_t last_slot,
               const std::map<int32_t, History>& history) {
  Blocks blocks;
  if (format.RuleSet == Rules::kZeph) blocks.push_back(testing::WriteEconomyAnchor());
  for (int32_t slot = 0; slot <= last_slot; ++slot) {
    const auto found = history.find(slot);
    blocks.push_back(WritePlayerRecord(
        format, {}, found == history.end() ? std::nullopt : std::optional<History>(found->second)));
  }
  return blocks;
}

// The value of a series that stores one pair: turn 1, the given value.
History OnePair(int32_t value) {
  return {{{1, value}}};
}

TEST(HistorySection, StoresPairsAtTheirTurnsWithClamping) {
  const HistoryPairs score = {{-3, 17}, {1500, 5}, {1499, 6}, {10, 1}, {10, 2}, {20000, 9}, {3, 4}};
  auto state = MakeWorldState(WorldFormat{}, {0});
  Read(MakeBodyImage(Records(WorldFormat{}, 0, {{0, {score, {{7, 70}}}}})), *state);
  const auto& set = state->HistoryData[0];
  EXPECT_EQ(set[0][0], 17);    // a negative turn goes to turn 0
  EXPECT_EQ(set[0][1499], 6);  // the pair after the dropped turn 1500 is in place
  EXPECT_EQ(set[0][1500], 0);
  EXPECT_EQ(set[0][10], 2);  // the later pair of a turn wins
  EXPECT_EQ(set[0][3], 4);
  EXPECT_EQ(set[1][7], 70);
  // Exactly the turns stored are marked, a stored 0 as much as any value.
  const THistoryStored& stored = state->HistoryStored[0];
  EXPECT_EQ(stored.Turns[0].count(), 4u);
  for (const int turn : {0, 3, 10, 1499}) EXPECT_TRUE(stored.Turns[0].test(turn)) << turn;
  EXPECT_EQ(stored.Turns[1].count(), 1u);
  EXPECT_EQ(stored.Series.to_ulong(), 0b11u);
}

TEST(HistorySection, GivesEachBlockToTheSlotOfTheRecordBeforeIt) {
  // Slots 0, 1, 22 (a dead city-state without a block), 23 and 63 are listed; slot 5 is not
  // listed but still has a block. Slot 0's record holds a block with more series than the table
  // has room for, which must not disturb the others.
  History many(30);
  for (int s = 0; s < 30; ++s) many[s] = {{1, 100 + s}};
  const std::map<int32_t, History> history = {
      {0, many}, {1, OnePair(11)}, {5, OnePair(55)}, {23, OnePair(233)}, {63, OnePair(633)}};
  for (const WorldFormat format :
       {WorldFormat{Rules::kBase}, WorldFormat{Rules::kExp1, true, true}, WorldFormat{}}) {
    SCOPED_TRACE(testing::LayoutName(format));
    auto state = MakeWorldState(format, {0, 1, 22, 23, 63});
    Read(MakeBodyImage(Records(format, 63, history)), *state);
    ASSERT_EQ(state->HistoryData.size(), 5u);
    EXPECT_EQ(state->HistoryData[0][26][1], 126);
    EXPECT_EQ(state->HistoryData[1][0][1], 11);
    EXPECT_TRUE(state->HistoryStored[2].Series.none());  // the dead city-state has no history
    EXPECT_EQ(state->HistoryData[2][0][1], 0);
    EXPECT_EQ(state->HistoryData[3][0][1], 233);
    EXPECT_EQ(state->HistoryData[4][0][1], 633);
  }
}

TEST(HistorySection, KeepsTheFirstBlockAfterARecordAndDropsThoseBeforeAnyRecord) {
  const WorldFormat format{};
  Blocks blocks = {WriteHistoryBlock(OnePair(99))};
  for (const auto& record : Records(format, 1, {{0, OnePair(1)}, {1, OnePair(2)}})) {
    blocks.push_back(record);
  }
  blocks.push_back(WriteHistoryBlock(OnePair(3)));  // a second block after slot 1's record
  auto state = MakeWorldState(format, {0, 1});
  Read(MakeBodyImage(blocks), *state);
  EXPECT_EQ(state->HistoryData[0][0][1], 1);
  EXPECT_EQ(state->HistoryData[1][0][1], 2);
}

TEST(HistorySection, WithoutRecordsTakesTheBlocksAsTheEntriesInOrder) {
  // Nothing tells the slots apart then: block k goes to entry k, an empty block still takes
  // its entry, and blocks beyond the entries are dropped.
  Blocks blocks = {WriteHistoryBlock(OnePair(10)), WriteHistoryBlock({}),
                   WriteHistoryBlock(OnePair(30))};
  for (int k = 0; k < 70; ++k) blocks.push_back(WriteHistoryBlock(OnePair(1000 + k)));
  std::vector<int32_t> slots(kMaxSlots);
  for (int32_t e = 0; e < kMaxSlots; ++e) slots[e] = e;
  auto state = MakeWorldState(WorldFormat{}, slots);
  Read(MakeBodyImage(blocks), *state);
  EXPECT_EQ(state->HistoryData[0][0][1], 10);
  EXPECT_TRUE(state->HistoryStored[1].Series.none());
  EXPECT_EQ(state->HistoryData[2][0][1], 30);
  EXPECT_EQ(state->HistoryData[63][0][1], 1060);
}

TEST(HistorySection, TheBarbariansBlockWithOneSeriesFewerStartsAtTheSecondName) {
  struct Case {
    const char* name;
    WorldFormat format;
    int32_t civ;
    int32_t series;
    bool lacks_score;
  };
  const Case cases[] = {
      {"base-game barbarians, 25 series", WorldFormat{Rules::kBase}, kCivBarbarian, 25, true},
      {"base-game barbarians, 26 series", WorldFormat{Rules::kBase}, kCivBarbarian, 26, false},
      {"Zeph barbarians, 26 series", WorldFormat{}, kCivBarbarian, 26, true},
      {"Zeph barbarians, 27 series", WorldFormat{}, kCivBarbarian, 27, false},
      {"Zeph major, 26 series", WorldFormat{}, 8, 26, false},
      {"Zeph city-state, 26 series", WorldFormat{}, kCivMinor, 26, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    History series(static_cast<size_t>(c.series));
    for (int s = 0; s < c.series; ++s) series[s] = {{2, 100 + s}};
    auto state = MakeWorldState(c.format, {0});
    state->Leaders[0].CivType = c.civ;
    Read(MakeBodyImage(Records(c.format, 0, {{0, series}})), *state);
    const int first = c.lacks_score ? 1 : 0;
    EXPECT_EQ(state->HistoryStored[0].Series.test(0), !c.lacks_score);
    EXPECT_EQ(state->HistoryStored[0].Series.count(), static_cast<size_t>(c.series));
    EXPECT_EQ(state->HistoryData[0][first][2], 100);
    EXPECT_EQ(state->HistoryData[0][first + c.series - 1][2], 100 + c.series - 1);
    EXPECT_EQ(state->HistoryData[0][0][2], c.lacks_score ? 0 : 100);
  }
}

TEST(HistorySection, SurvivesHostileCounts) {
  for (const int32_t count : {-1, 0x7FFFFFFF, 1 << 20}) {
    auto block = WriteHistoryBlock({{{5, 1}}, {{6, 2}}});
    const size_t series_count = block.size() - 4 * 6;  // right after the marker
    auto huge_series = block;
    testing::PutIntAt(huge_series, series_count, count);
    auto huge_pairs = block;
    testing::PutIntAt(huge_pairs, series_count + 4, count);
    auto state = MakeWorldState(WorldFormat{}, {0, 1});
    Read(MakeBodyImage({huge_series, huge_pairs}), *state);
    EXPECT_EQ(state->HistoryData[0][0][5], count > 0 ? 1 : 0);
  }
}

}  // namespace
}  // namespace vek5
