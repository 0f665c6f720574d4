#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "model/reference_tables.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::TechTable;
using testing::WorldFormat;
using testing::WriteTechTable;

class TechnologySection : public ::testing::TestWithParam<Rules> {
 protected:
  WorldFormat format{GetParam()};
  int Count() const {
    switch (GetParam()) {
      case Rules::kBase:
        return kTechRows;
      case Rules::kExp1:
        return kTechExp1Rows;
      case Rules::kZeph:
        return kTechZephRows;
    }
    return 0;
  }
  // A table in which technologies 0..known-1 are known and the next has progress.
  std::vector<uint8_t> Table(int known, int32_t progress) {
    TechTable table;
    table.Known.assign(static_cast<size_t>(known), 1);
    table.Progress.assign(static_cast<size_t>(known + 1), 0);
    table.Progress[static_cast<size_t>(known)] = progress;
    return WriteTechTable(format, table);
  }
  static int KnownCount(const TLeaderInfoRec& leader) {
    int n = 0;
    for (const int32_t v : leader.TechKnown) n += v != 0;
    return n;
  }
};

TEST_P(TechnologySection, GivesTheKthTableToTheEntryOfSlotK) {
  // Slot 1 has no entry; the last table has every technology of the rule set.
  auto state = MakeWorldState(format, {0, 2, 3});
  ReadTechnologies(MakeBodyImage({Table(3, 1234), Table(5, 1), Table(7, 777), Table(Count(), 0)}),
                   *state);
  EXPECT_EQ(KnownCount(state->Leaders[0]), 3);
  EXPECT_EQ(state->Leaders[0].TechProgress[3], 1234);
  EXPECT_EQ(KnownCount(state->Leaders[1]), 7);
  EXPECT_EQ(state->Leaders[1].TechProgress[7], 777);
  EXPECT_EQ(KnownCount(state->Leaders[2]), Count());
  EXPECT_EQ(state->Leaders[2].TechKnown[Count() - 1], 1);
}

// The expansions store the count of technologies.
class TechnologyCount : public TechnologySection {};

TEST_P(TechnologyCount, OutOfRangeEndsTheStep) {
  for (const int32_t count : {0, -1, Count() + 1, 0x7FFFFFFF}) {
    TechTable bad;
    bad.Known = {1, 1};
    bad.Count = count;
    auto state = MakeWorldState(format, {0, 1, 2});
    ReadTechnologies(MakeBodyImage({Table(2, 0), WriteTechTable(format, bad), Table(4, 0)}),
                     *state);
    EXPECT_EQ(KnownCount(state->Leaders[0]), 2) << count;
    EXPECT_EQ(KnownCount(state->Leaders[1]), 0) << count;
    EXPECT_EQ(KnownCount(state->Leaders[2]), 0) << count;
  }
}

INSTANTIATE_TEST_SUITE_P(RuleSets, TechnologySection,
                         ::testing::Values(Rules::kBase, Rules::kExp1, Rules::kZeph),
                         [](const auto& info) { return testing::LayoutName({info.param}); });

INSTANTIATE_TEST_SUITE_P(Expansions, TechnologyCount, ::testing::Values(Rules::kExp1, Rules::kZeph),
                         [](const auto& info) { return testing::LayoutName({info.param}); });

class TechnologyTableChecks : public ::testing::TestWithParam<Rules> {};

// Without Zeph a table is accepted by values at fixed distances after the building list.
TEST_P(TechnologyTableChecks, SkipTablesWhoseChecksFail) {
  const WorldFormat format{GetParam()};
  TechTable failing;
  failing.Known = {1};
  failing.PassesChecks = false;
  TechTable wrong_era;
  wrong_era.Known = {1};
  wrong_era.EraCheck = 3;
  TechTable second_era;
  second_era.Known = {1, 1};
  second_era.EraCheck = 2;
  auto state = MakeWorldState(format, {0, 1});
  ReadTechnologies(
      MakeBodyImage({WriteTechTable(format, failing), WriteTechTable(format, wrong_era),
                     WriteTechTable(format, second_era)}),
      *state);
  EXPECT_EQ(state->Leaders[0].TechKnown[1], 1);
  EXPECT_EQ(state->Leaders[1].TechKnown[0], 0);
}

INSTANTIATE_TEST_SUITE_P(KeyedRuleSets, TechnologyTableChecks,
                         ::testing::Values(Rules::kBase, Rules::kExp1),
                         [](const auto& info) { return testing::LayoutName({info.param}); });

}  // namespace
}  // namespace vek5
