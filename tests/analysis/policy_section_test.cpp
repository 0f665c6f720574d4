#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "model/reference_tables.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::PolicyTable;
using testing::Rules;
using testing::WorldFormat;
using testing::WritePolicyTable;

class PolicySection : public ::testing::TestWithParam<Rules> {
 protected:
  WorldFormat format{GetParam()};
  int Rows() const { return GetParam() == Rules::kZeph ? kPolicyZephRows : kPolicyRows; }
  // A table with only policy k adopted.
  std::vector<uint8_t> Adopting(int k) {
    PolicyTable table;
    table.Adopted.assign(static_cast<size_t>(Rows()), 0);
    table.Adopted[static_cast<size_t>(k)] = 1;
    return WritePolicyTable(format, table);
  }
};

TEST_P(PolicySection, GivesTheKthTableToTheEntryOfSlotK) {
  // Slot 1 has no entry: its table is dropped. Lists with other counts before them are no
  // policy tables and take no slot.
  PolicyTable other_counts;
  other_counts.Adopted.assign(10, 1);
  other_counts.Count = Rows() - 1;
  PolicyTable other_version;
  other_version.Adopted.assign(10, 1);
  other_version.Version = 3;
  auto state = MakeWorldState(format, {0, 2, 3});
  ReadPolicies(
      MakeBodyImage({Adopting(0), WritePolicyTable(format, other_counts), Adopting(1),
                     WritePolicyTable(format, other_version), Adopting(2), Adopting(Rows() - 1)}),
      *state);
  EXPECT_EQ(state->PolicyAdopted[0][0], 1);
  EXPECT_EQ(state->PolicyAdopted[1][2], 1);
  EXPECT_EQ(state->PolicyAdopted[2][Rows() - 1], 1);
  int adopted = 0;
  for (const auto& row : state->PolicyAdopted) {
    for (const int32_t v : row) adopted += v != 0;
  }
  EXPECT_EQ(adopted, 3);
}

INSTANTIATE_TEST_SUITE_P(RuleSets, PolicySection,
                         ::testing::Values(Rules::kBase, Rules::kExp1, Rules::kZeph),
                         [](const auto& info) { return testing::LayoutName({info.param}); });

TEST(PolicySectionZeph, RejectsTablesWithTheCountsOfOtherRuleSets) {
  PolicyTable table;
  table.Adopted.assign(70, 1);
  table.Count = 70;
  table.Version = 5;
  auto state = MakeWorldState(WorldFormat{Rules::kZeph}, {0});
  ReadPolicies(MakeBodyImage({WritePolicyTable(WorldFormat{Rules::kZeph}, table)}), *state);
  EXPECT_EQ(state->PolicyAdopted[0][0], 0);
}

TEST(PolicySection, CountsAcceptedTablesNotOccurrences) {
  // Each slot's table comes with three lists of the same first hash; slot 20 is still reached.
  const WorldFormat zeph{Rules::kZeph};
  PolicyTable other;
  other.Adopted.assign(111, 1);
  other.Count = 4;
  std::vector<std::vector<uint8_t>> blocks;
  for (int slot = 0; slot <= 20; ++slot) {
    for (int i = 0; i < 3; ++i) blocks.push_back(WritePolicyTable(zeph, other));
    PolicyTable table;
    table.Adopted = {static_cast<uint8_t>(slot + 1)};
    blocks.push_back(WritePolicyTable(zeph, table));
  }
  auto state = MakeWorldState(zeph, {0, 20});
  ReadPolicies(MakeBodyImage(blocks), *state);
  EXPECT_EQ(state->PolicyAdopted[0][0], 1);
  EXPECT_EQ(state->PolicyAdopted[1][0], 21);
}

}  // namespace
}  // namespace vek5
