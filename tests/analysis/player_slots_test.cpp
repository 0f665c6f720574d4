#include <gtest/gtest.h>

#include <cstring>

#include "analysis/header_fixture.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

using testing::Analyse;
using testing::BuildImage;
using testing::GameDescription;
using testing::kStatusComputer;
using testing::kStatusHuman;
using testing::kStatusUnused;
using testing::SlotDescription;

constexpr int32_t kExp1Package = 238506401;
constexpr int32_t kZephPackage = 1839232566;

SlotDescription Major(int32_t civ, int32_t leader, int32_t status = kStatusComputer) {
  return {civ, status, leader, 0, 0, "", "", ""};
}

SlotDescription CityState(int32_t type, std::string key = "") {
  return {kCivMinor, kStatusComputer, 0, type, 1, "CIVILIZATION_MINOR", "", std::move(key)};
}

// Every layout of the slot section (save versions 4 to 8, with and without per-slot keys, with
// and without the final patch's extra list) gives the same players, user name and victories.
TEST(ReadSlotLists, EveryLayoutGivesTheSamePlayers) {
  struct Layout {
    int32_t version;
    bool keys;
    bool final_patch;
  };
  const Layout layouts[] = {{4, false, false}, {5, false, false}, {6, false, false},
                            {7, false, false}, {7, true, false},  {8, false, false},
                            {8, true, false},  {8, true, true},   {8, false, true}};
  for (const Layout& l : layouts) {
    SCOPED_TRACE(::testing::Message() << "version " << l.version << " keys " << l.keys
                                      << " final patch " << l.final_patch);
    GameDescription game;
    game.SaveVersion = l.version;
    game.SlotKeys = l.keys;
    game.FinalPatchSlotList = l.final_patch;
    game.Victories = {1, 0, 1, 1, 0};
    const auto state = Analyse(game);
    EXPECT_EQ(state->SlotKeysPresent, l.keys ? kTrue : kFalse);
    ASSERT_EQ(state->PlayerCount, 5);
    EXPECT_EQ(state->RealPlayerCount, 2);
    EXPECT_EQ(state->UserName, "Tester");
    const TLeaderInfoRec& greece = state->Leaders[0];
    EXPECT_EQ(greece.CivName, "Greece");
    EXPECT_EQ(greece.LeaderName, "Alexander");
    EXPECT_EQ(greece.TraitName, "Human");
    EXPECT_EQ(state->Leaders[1].LeaderName, l.keys ? "Ramesses" : "Ramesses II");
    const TLeaderInfoRec& warsaw = state->Leaders[2];
    EXPECT_EQ(warsaw.Slot, 22);
    EXPECT_EQ(warsaw.LeaderName, "Warsaw");
    EXPECT_EQ(warsaw.TraitName, "Cultured");
    EXPECT_NE(warsaw.SlotIsMinor, 0);
    EXPECT_EQ(state->Leaders[3].LeaderName, "Geneva");
    EXPECT_EQ(state->Leaders[4].Slot, 63);
    EXPECT_EQ(state->Leaders[4].CivName, "Barbarian");
    EXPECT_EQ(state->VictoryAllowed, (std::array<int32_t, 5>{1, 0, 1, 1, 0}));
  }
}

// The final patch's list is recognised by the 64 at its start. Without it, an int16 of 64 at
// that place is followed by a count and never makes the int32 there 64.
TEST(ReadSlotLists, AnInt16OfSixtyFourWithoutTheFinalPatchListIsNotTakenForIt) {
  for (const int32_t version : {6, 7, 8}) {
    for (const bool keys : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "version " << version << " keys " << keys);
      GameDescription game;
      game.SaveVersion = version;
      game.SlotKeys = keys;
      game.SlotSectionShort = 64;
      const auto state = Analyse(game);
      ASSERT_EQ(state->PlayerCount, 5);
      EXPECT_EQ(state->Leaders[2].LeaderName, "Warsaw");
      EXPECT_NE(state->Leaders[2].SlotIsMinor, 0);
      EXPECT_EQ(state->UserName, "Tester");
    }
  }
}

TEST(ReadSlotLists, ASlotKeyCountBelowSixtyFourReadsNoKeys) {
  GameDescription game;
  game.SlotKeys = false;
  SaveImage image = BuildImage(game);
  // Without keys the count is written as 0 right after the list {6} of the 11th item; whose
  // turn it is (0), the empty admin password and an int32 2 follow.
  const uint8_t before[] = {1, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0};
  auto* data = image.SaveBuffer.data();
  const void* hit = memmem(data, image.SaveBuffer.size(), before, sizeof before);
  ASSERT_NE(hit, nullptr);
  const size_t count_at = static_cast<const uint8_t*>(hit) - data + 8;
  image.SaveBuffer[count_at] = 63;
  const auto state = Save5Analyse(image);
  EXPECT_EQ(state->SlotKeysPresent, kFalse);
  EXPECT_EQ(state->SlotCivKeys[0], "");
  ASSERT_EQ(state->PlayerCount, 5);
  EXPECT_EQ(state->Leaders[1].LeaderName, "Ramesses II");
}

TEST(BuildPlayerList, UnusedSlotsAreSkippedAndEntriesKeepTheirSlots) {
  GameDescription game;
  game.Slots.assign(64, SlotDescription{});
  for (int i = 0; i < 8; ++i) game.Slots[i] = Major(i, i);
  for (int i = 8; i < 22; ++i) game.Slots[i] = Major(i % 18, 0, kStatusUnused);
  for (int i = 22; i < 34; ++i) game.Slots[i] = CityState(i - 22);
  game.Slots[40] = {-1, kStatusHuman, 0, 0, 0, "", "", ""};  // not listed, whatever its status
  const auto state = Analyse(game);
  EXPECT_EQ(state->PlayerCount, 20);
  EXPECT_EQ(state->RealPlayerCount, 8);
  EXPECT_EQ(state->Leaders[8].Slot, 22);
  EXPECT_EQ(state->Leaders[19].Slot, 33);
  EXPECT_EQ(state->Leaders[20].LeaderName, "");
}

TEST(BuildPlayerList, TypesOutsideTheNameTablesNameTheUnknownRow) {
  struct Case {
    SlotDescription slot;
    int32_t civ_type;
    std::string civ_name;
    int32_t leader_type;
    std::string leader_name;
    std::string trait;
  };
  const Case cases[] = {
      {Major(40, 2), 27, "Unknown Civ", 2, "Augustus Caesar", ""},
      {Major(4, 30), 4, "Egypt", 26, "Unknown Leader", ""},
      {Major(4, -5), 4, "Egypt", 26, "Unknown Leader", ""},
      {CityState(50), kCivMinor, "Minor", 0, "Unknown CS", "Unknown Trait"},
      {CityState(-3), kCivMinor, "Minor", 0, "Unknown CS", "Unknown Trait"},
      {CityState(1), kCivMinor, "Minor", 0, "Edinburgh", "Militaristic"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.civ_name + " / " + c.leader_name);
    GameDescription game;
    game.Slots = {c.slot};
    const auto state = Analyse(game);
    ASSERT_EQ(state->PlayerCount, 1);
    const TLeaderInfoRec& entry = state->Leaders[0];
    EXPECT_EQ(entry.CivType, c.civ_type);
    EXPECT_EQ(entry.CivName, c.civ_name);
    EXPECT_EQ(entry.LeaderType, c.leader_type);
    EXPECT_EQ(entry.LeaderName, c.leader_name);
    EXPECT_EQ(entry.TraitName, c.trait);
  }
}

TEST(BuildPlayerList, HumanTraitUnlessTheSlotIsACityState) {
  GameDescription game;
  game.Slots = {Major(8, 0, kStatusHuman), Major(4, 14), CityState(1)};
  game.Slots[2].Status = kStatusHuman;
  const auto state = Analyse(game);
  EXPECT_EQ(state->Leaders[0].TraitName, "Human");
  EXPECT_EQ(state->Leaders[1].TraitName, "");
  EXPECT_EQ(state->Leaders[2].TraitName, "Militaristic");  // Edinburgh's trait replaces "Human"
}

TEST(BuildPlayerList, CityStateTraitsAreMatchedByNameInTheRuleSetsTables) {
  struct Case {
    std::vector<int32_t> packages;
    std::string key;
    std::string name;
    std::string trait;
  };
  // With keys the city-state type is not stored; the trait is unknown until a table row carries
  // the key, never another row's.
  const Case cases[] = {
      {{}, "MINOR_CIV_EDINBURGH", "Edinburgh", "Militaristic"},
      {{}, "MINOR_CIV_KYZYL", "Kyzyl", "Unknown Trait"},
      {{kExp1Package}, "MINOR_CIV_WARSAW", "Warsaw", "Cultured"},
      {{kExp1Package}, "MINOR_CIV_CAHOKIA", "Cahokia", "Mercantile"},
      {{kExp1Package}, "MINOR_CIV_EDINBURGH", "Edinburgh", "Unknown Trait"},
      {{kExp1Package, kZephPackage}, "MINOR_CIV_BOGOTA", "Bogota", "Cultured"},
      {{kExp1Package, kZephPackage}, "MINOR_CIV_VILNIUS", "Vilnius", "Mercantile"},
      {{kExp1Package, kZephPackage}, "MINOR_CIV_WELLINGTON", "Wellington", "Maritime"},
      {{kExp1Package, kZephPackage}, "MINOR_CIV_ATLANTIS", "Atlantis", "Unknown Trait"},
      {{kExp1Package}, "MINOR_CIV_QUEBEC_CITY", "Quebec City", "Maritime"},
      {{kExp1Package, kZephPackage}, "MINOR_CIV_KYZYL", "Kyzyl", "Cultured"},
      {{kZephPackage}, "MINOR_CIV_BUENOS_AIRES", "Buenos Aires", "Cultured"},
      {{kZephPackage}, "MINOR_CIV_CAHOKIA", "Cahokia", "Mercantile"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + " with " + std::to_string(c.packages.size()) + " packages");
    GameDescription game;
    for (const int32_t id : c.packages) game.Content.push_back({id, {"Expansion"}});
    game.SlotKeys = true;
    game.Slots = {CityState(0, c.key)};
    const auto state = Analyse(game);
    ASSERT_EQ(state->PlayerCount, 1);
    EXPECT_EQ(state->Leaders[0].LeaderName, c.name);
    EXPECT_EQ(state->Leaders[0].TraitName, c.trait);
  }
}

TEST(BuildPlayerList, OnlyMajorPlayersAreCheckedInTheGraphList) {
  const auto state = Analyse(GameDescription{});
  EXPECT_EQ(state->GraphPlayerChecked, (std::vector<bool>{true, true, false, false, false}));
}

}  // namespace
}  // namespace vek5
