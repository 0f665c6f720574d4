#include <gtest/gtest.h>

#include "analysis/header_fixture.h"
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

TEST_P(TechnologySection, WithoutTeamsGivesTheKthTableToTheEntryOfSlotK) {
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

TEST_P(TechnologySection, EveryEntryKnowsWhatItsTeamsTableHolds) {
  struct Member {
    int32_t team;
    int known;  // -1: no table
    int32_t progress;
  };
  // Slots 0 and 3 share team 1 and slots 1 and 2 team 0; team 4 is beyond the three tables read,
  // and a negative team names none.
  const Member members[] = {{1, 5, 55}, {0, 3, 33}, {0, 3, 33},
                            {1, 5, 55}, {4, -1, 0}, {-1, -1, 0}};
  auto state = MakeWorldState(format, {0, 1, 2, 3, 4, 5});
  for (size_t e = 0; e < std::size(members); ++e) state->Leaders[e].Team = members[e].team;
  ReadTechnologies(MakeBodyImage({Table(3, 33), Table(5, 55), Table(7, 77)}), *state);
  for (size_t e = 0; e < std::size(members); ++e) {
    SCOPED_TRACE(e);
    const TLeaderInfoRec& leader = state->Leaders[e];
    const Member& m = members[e];
    EXPECT_EQ(KnownCount(leader), std::max(m.known, 0));
    EXPECT_EQ(leader.TechProgress[static_cast<size_t>(std::max(m.known, 0))], m.progress);
  }
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

TEST(TechnologiesOfATeamGame, TheHeadersTeamsChooseTheTables) {
  // The two majors share team 0; the city-states and the barbarians are in teams of their own.
  // The body holds one table per team, in team order.
  testing::GameDescription game;
  game.SlotTeams = {0, 0};
  for (const int known : {4, 9, 2}) {
    TechTable table;
    table.Known.assign(static_cast<size_t>(known), 1);
    game.BodySections.push_back(WriteTechTable(WorldFormat{Rules::kBase}, table));
  }
  const auto state = testing::Analyse(game);
  ASSERT_EQ(state->PlayerCount, 5);
  const int32_t expected_teams[] = {0, 0, 22, 23, 63};
  const int expected_known[] = {4, 4, 0, 0, 0};
  for (int e = 0; e < 5; ++e) {
    SCOPED_TRACE(e);
    EXPECT_EQ(state->Leaders[e].Team, expected_teams[e]);
    int known = 0;
    for (const int32_t v : state->Leaders[e].TechKnown) known += v != 0;
    EXPECT_EQ(known, expected_known[e]);
  }
}

}  // namespace
}  // namespace vek5
