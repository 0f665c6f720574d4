#include <gtest/gtest.h>

#include "analysis/sections.h"
#include "support/world_writer.h"

namespace vek5 {
namespace {

using testing::EconomyDescription;
using testing::MakeBodyImage;
using testing::MakeWorldState;
using testing::Rules;
using testing::WorldFormat;
using testing::WriteEconomyAnchor;
using testing::WriteEconomyRecord;

// Distinct values for every field of the block.
EconomyDescription Sample(int32_t tag) {
  EconomyDescription e;
  e.CultureFromCS = tag + 1;
  e.PolicyCulture = tag + 2;
  e.TotalCulture = tag + 3;
  e.Faith = tag + 4;
  e.TotalFaith = tag + 5;
  e.TotalHappiness = tag + 6;
  e.GoldenAgeProgress = tag + 7;
  e.GoldenAgeCount = tag + 8;
  e.GoldenAgeTurns = tag + 9;
  e.GreatPeopleBorn = 2;
  e.GreatGeneralValue = 3;
  e.Int2 = tag + 12;
  e.ResearchOverflow = tag + 13;
  e.GreatGeneralPoints = tag + 14;
  e.GreatGeneralTotal = tag + 15;
  e.PolicyCultureNeeded = tag + 16;
  e.Int3 = tag + 17;
  e.PolicyCount = tag + 18;
  e.Int4 = tag + 19;
  return e;
}

// The economy blocks of the records the image holds.
void ReadBlocks(const SaveImage& image, GameState& state) {
  ReadEconomy(image, state, FindPlayerRecords(image, state));
}

class EconomySection : public ::testing::TestWithParam<WorldFormat> {
 protected:
  const WorldFormat& format() const { return GetParam(); }
  bool Zeph() const { return format().RuleSet == Rules::kZeph; }
  bool Base() const { return format().RuleSet == Rules::kBase; }
  std::vector<uint8_t> Record(int32_t tag, bool player_record = true) const {
    return WriteEconomyRecord(format(), Sample(tag), player_record);
  }
  // Zeph saves begin the search at the anchor record.
  std::vector<std::vector<uint8_t>> Body(std::vector<std::vector<uint8_t>> records) const {
    if (Zeph()) records.insert(records.begin(), WriteEconomyAnchor());
    return records;
  }
};

TEST_P(EconomySection, ReadsEveryFieldOfTheBlock) {
  auto state = MakeWorldState(format(), {0}, 67);
  ReadBlocks(MakeBodyImage(Body({Record(1000)})), *state);
  const TLeaderInfoRec& p = state->Leaders[0];
  EXPECT_EQ(p.CultureFromCS, Base() ? 1001 : 0);
  EXPECT_EQ(p.PolicyCulture, 1002);
  EXPECT_EQ(p.TotalCulture, 1003);
  EXPECT_EQ(p.Faith, Base() ? 0 : 1004);
  EXPECT_EQ(p.TotalFaith, Base() ? 0 : 1005);
  EXPECT_EQ(p.TotalHappiness, 1006);
  EXPECT_EQ(p.GoldenAgeProgress, 1007);
  EXPECT_EQ(p.GoldenAgeCount, 1008);
  EXPECT_EQ(p.GoldenAgeTurns, 1009);
  EXPECT_EQ(p.GreatPeopleBorn, 2);
  EXPECT_EQ(p.GPLimit, 3 * 67);
  EXPECT_EQ(p.GreatGeneralThreshold, Base() ? (3 + 100) * 2 : (3 + 1) * 200);
  EXPECT_EQ(p.Int2, 1012);
  EXPECT_EQ(p.ResearchOverflow, 1013);
  EXPECT_EQ(p.GreatGeneralPoints, 1014);
  EXPECT_EQ(p.GreatGeneralTotal, 1015);
  EXPECT_EQ(p.PolicyCultureNeeded, 1016);
  EXPECT_EQ(p.Int3, 1017);
  EXPECT_EQ(p.PolicyCount, 1018);
  EXPECT_EQ(p.Int4, 1019);
  EXPECT_EQ(p.FaithFromCS, 0);
}

TEST_P(EconomySection, MatchesRecordsToTheEntriesOfTheirSlots) {
  // Slot 2 has no entry, so the third player record is passed over; a record that fails the
  // check takes no slot.
  auto state = MakeWorldState(format(), {0, 1, 3});
  ReadBlocks(
      MakeBodyImage(Body({Record(0), Record(900, false), Record(100), Record(200), Record(300)})),
      *state);
  EXPECT_EQ(state->Leaders[0].PolicyCount, 18);
  EXPECT_EQ(state->Leaders[1].PolicyCount, 118);
  EXPECT_EQ(state->Leaders[2].PolicyCount, 318);
  EXPECT_EQ(state->Leaders[3].PolicyCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EconomySection,
    ::testing::Values(WorldFormat{Rules::kBase}, WorldFormat{Rules::kBase, true, true},
                      WorldFormat{Rules::kExp1}, WorldFormat{Rules::kExp1, true},
                      WorldFormat{Rules::kExp1, true, true}, WorldFormat{Rules::kZeph}),
    [](const auto& info) { return testing::LayoutName(info.param); });

TEST(EconomySectionZeph, StartsAtTheAnchorAndWithoutOneAtTheBuffersStart) {
  const WorldFormat zeph{Rules::kZeph};
  auto early = Sample(500);
  early.PolicyCount = 5;
  auto late = Sample(600);
  late.PolicyCount = 6;
  const auto early_record = WriteEconomyRecord(zeph, early);
  const auto late_record = WriteEconomyRecord(zeph, late);

  auto anchored = MakeWorldState(zeph, {0});
  ReadBlocks(MakeBodyImage({early_record, WriteEconomyAnchor(), late_record}), *anchored);
  EXPECT_EQ(anchored->Leaders[0].PolicyCount, 6);

  // An anchor record that fails one of its checks is no anchor.
  auto broken_anchor = WriteEconomyAnchor();
  testing::PutIntAt(broken_anchor, 60, 15);
  auto unanchored = MakeWorldState(zeph, {0});
  ReadBlocks(MakeBodyImage({early_record, broken_anchor, late_record}), *unanchored);
  EXPECT_EQ(unanchored->Leaders[0].PolicyCount, 5);
}

}  // namespace
}  // namespace vek5
