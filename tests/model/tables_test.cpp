#include "model/reference_tables.h"

#include <gtest/gtest.h>

#include "model/type_hash.h"

namespace vek5 {
namespace {

TEST(Tables, QuotedRowsAreWhereTheGameHasThem) {
  EXPECT_EQ(LeaderNames[3], "Barbarian");
  EXPECT_EQ(LeaderNames[kLeaderNameRows - 1], "Unknown Leader");
  EXPECT_EQ(CivNames[18], "Minor");
  EXPECT_EQ(CivNames[22], "Vikings");
  EXPECT_EQ(CivNames[kCivNameRows - 1], "Unknown Civ");
  EXPECT_EQ(CityStateNames[kCityStateNameRows - 1], "Unknown CS");
  EXPECT_EQ(CityStateTraitNames[kCityStateNameRows - 1], "Unknown Trait");
  EXPECT_EQ(CityStateInfo[0].Key, "MINOR_CIV_WARSAW");
  EXPECT_EQ(CityStateInfo[0].TraitKey, "MINOR_TRAIT_CULTURED");
  EXPECT_EQ(CityStateInfoZeph[kCityStateInfoZephRows - 1].Key, "Unknown CS");
  EXPECT_EQ(BeliefInfo[0].Key, "BELIEF_GODDESS_HUNT");
  EXPECT_EQ(BeliefInfo[kBeliefRows - 1].Key, "BELIEF_UNKNOWN");
  EXPECT_EQ(BeliefInfo[kBeliefRows - 1].Hash, 0);
  EXPECT_EQ(BuildingInfo[0].Key, "BUILDING_COURTHOUSE");
  EXPECT_EQ(BuildingInfo[0].Cost, 100);
  EXPECT_EQ(BuildingInfo[0].Kind, kKindBuilding);
  EXPECT_EQ(BuildingInfo[93].Key, "BUILDING_UNKNOWN_1");
  EXPECT_EQ(BuildingInfo[149].Key, "BUILDING_UNKNOWN_57");
  EXPECT_EQ(BuildingInfoExp1[117].Key, "BUILDING_UNKNOWN_2");
  EXPECT_EQ(BuildingInfoZeph[140].Key, "BUILDING_UNKNOWN_1");
  EXPECT_EQ(UnitInfo[0].Key, "UNIT_WORKER");
  EXPECT_EQ(UnitInfo[0].Cost, 70);
  EXPECT_EQ(UnitInfoZeph[0].Key, "UNIT_SETTLER");
  EXPECT_EQ(UnitInfoZeph[141].Key, "UNIT_UNKNOWN_01");
  EXPECT_EQ(TechInfo[0].Key, "TECH_AGRICULTURE");
  EXPECT_EQ(TechInfo[kTechRows - 1].Key, "TECH_FUTURE_TECH");
  EXPECT_EQ(PolicyInfo[60].Key, "POLICY_TRADITION_FINISHER");
  EXPECT_EQ(PolicyInfo[68].Branch, 9);  // the Order finisher
  EXPECT_EQ(PolicyInfoZeph[63].Key, "POLICY_OPEN_SOCIETY");
  EXPECT_EQ(PolicyInfoZeph[110].Key, "POLICY_UNIVERSAL_HEALTHCARE_A");
  EXPECT_EQ(EraInfoExp[6].Key, "ERA_POSTMODERN");
  EXPECT_EQ(DlcCivs[4].CivName, "Inca");
  EXPECT_EQ(DlcCivs[5].CivName, "Spain");
}

TEST(Tables, FillerRowsCostNothingAndHaveNoKind) {
  for (const auto& row : BuildingInfo) {
    if (row.Key.starts_with("BUILDING_UNKNOWN_")) {
      EXPECT_EQ(row.Cost, -1);
      EXPECT_EQ(row.Kind, kKindFiller);
    }
  }
  for (const auto& row : UnitInfoZeph) {
    if (row.Key.starts_with("UNIT_UNKNOWN_")) {
      EXPECT_EQ(row.Hash, 0);
    }
  }
}

TEST(Tables, HashesAreTheComplementedCrcOfTheKey) {
  EXPECT_EQ(TypeHash("TECH_AGRICULTURE"), static_cast<int32_t>(0x77BF7761));
  EXPECT_EQ(TypeHash("POLICY_LIBERTY"), static_cast<int32_t>(0xAAF91295));
  for (const auto& row : BuildingInfoZeph) {
    if (row.Hash != 0) {
      EXPECT_EQ(row.Hash, TypeHash(row.Key));
    }
  }
  EXPECT_EQ(ProjectInfo[0].Hash, 113407765);
  EXPECT_EQ(ProjectInfo[1].Hash, -219100156);
  EXPECT_EQ(CommerceInfo[1].Hash, -1463399231);
  EXPECT_EQ(CommerceInfo[2].Hash, -1288561202);
  EXPECT_EQ(CommerceInfo[3].Hash, -1310205922);
}

TEST(Tables, HashLookupsFindTheFirstRowAndNeverZero) {
  EXPECT_EQ(FindBIndex(TypeHash("BUILDING_COURTHOUSE")), 0);
  EXPECT_EQ(FindUIndex(TypeHash("UNIT_WORKER")), 1);
  EXPECT_EQ(FindPIndex(113407765), 0);
  EXPECT_EQ(FindCIndex(769438116), 0);
  for (auto find : {FindBIndex, FindUIndex, FindPIndex, FindCIndex}) {
    EXPECT_EQ(find(0), -1);
    EXPECT_EQ(find(12345), -1);
  }
}

}  // namespace
}  // namespace vek5
