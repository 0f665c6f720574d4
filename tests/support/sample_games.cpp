#include "support/sample_games.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "support/city_writer.h"
#include "support/map_writer.h"
#include "support/world_writer.h"

namespace vek5::testing {
namespace {

constexpr int32_t kExp1PackageId = 238506401;
constexpr int32_t kZephPackageId = 1839232566;

// How a sample differs from the plain game of its layout.
enum class SampleShape {
  kPlain,
  // The two majors share team 0: the body holds one technology table per team, not per slot.
  kSharedTeam,
  // Only the human and the city-state have a history block after their player record.
  kHistoryOfSomeSlots,
  // The body is compressed as the game does it: ended by a sync flush, without a final block.
  kGameStream,
};

struct Layout {
  std::string_view Name;
  WorldFormat World;
  CityRecordForm Cities;
  bool SlotKeys;
  std::string_view Build;
  SampleShape Shape = SampleShape::kPlain;
};

// One row per layout the analysis distinguishes.
const Layout kLayouts[] = {
    {"base", {Rules::kBase, false, false, false}, CityRecordForm::Base, false, "300000"},
    {"base_slot_keys",
     {Rules::kBase, false, false, false},
     CityRecordForm::BaseSlotKeys,
     true,
     "330000"},
    {"base_late", {Rules::kBase, true, true, false}, CityRecordForm::BaseSlotKeys, true, "389545"},
    {"exp1_early", {Rules::kExp1, false, false, false}, CityRecordForm::Exp1, true, "330000"},
    {"exp1_341540", {Rules::kExp1, true, false, false}, CityRecordForm::Exp1Late, true, "341540"},
    {"exp1_late", {Rules::kExp1, true, true, false}, CityRecordForm::Exp1Late, true, "389545"},
    {"zeph", {Rules::kZeph, true, true, false}, CityRecordForm::Zeph, true, "395000"},
    {"zeph_final", {Rules::kZeph, true, true, true}, CityRecordForm::ZephFinal, true, "403694"},
    {"base_teams",
     {Rules::kBase, true, true, false},
     CityRecordForm::BaseSlotKeys,
     true,
     "389545",
     SampleShape::kSharedTeam},
    {"zeph_final_teams",
     {Rules::kZeph, true, true, true},
     CityRecordForm::ZephFinal,
     true,
     "403694",
     SampleShape::kSharedTeam},
    {"exp1_history_by_slot",
     {Rules::kExp1, true, true, false},
     CityRecordForm::Exp1Late,
     true,
     "389545",
     SampleShape::kHistoryOfSomeSlots},
    {"zeph_final_history_by_slot",
     {Rules::kZeph, true, true, true},
     CityRecordForm::ZephFinal,
     true,
     "403694",
     SampleShape::kHistoryOfSomeSlots},
    {"zeph_final_game_stream",
     {Rules::kZeph, true, true, true},
     CityRecordForm::ZephFinal,
     true,
     "403694",
     SampleShape::kGameStream},
};

// Slots of the sample games: two majors, one city-state, the barbarians.
const std::vector<int32_t> kSlots = {0, 1, 22, 63};
// Teams of the slots when the majors share one.
const std::vector<int32_t> kSharedTeams = {0, 0};
// Slots with a history block in a game that gives only some slots one.
bool HasHistoryBlock(const Layout& layout, int32_t slot) {
  return layout.Shape != SampleShape::kHistoryOfSomeSlots || slot == 0 || slot == 22;
}

std::vector<ContentEntry> ContentOf(Rules rules) {
  std::vector<ContentEntry> content = {{691805923, {"Mongolia"}}};
  if (rules != Rules::kBase) content.push_back({kExp1PackageId, {"First expansion"}});
  if (rules == Rules::kZeph) content.push_back({kZephPackageId, {"Second expansion"}});
  return content;
}

}  // namespace

std::vector<SlotDescription> SampleSlots(bool slot_keys) {
  std::vector<SlotDescription> slots(kSlotListLength);
  slots[0] = {8, kStatusHuman, 5, 0, 0, "CIVILIZATION_GREECE", "LEADER_ALEXANDER", ""};
  slots[1] = {4, kStatusComputer, 3, 0, 0, "CIVILIZATION_EGYPT", "LEADER_RAMESSES", ""};
  slots[22] = {18, kStatusComputer, 0, 7, 1, "CIVILIZATION_MINOR", "", "MINOR_CIV_GENEVA"};
  slots[63] = {19, kStatusComputer, 0, 0, 0, "CIVILIZATION_BARBARIAN", "LEADER_BARBARIAN", ""};
  if (!slot_keys) {
    for (SlotDescription& slot : slots) slot.CivKey = slot.LeaderKey = slot.MinorCivKey = "";
  }
  return slots;
}

namespace {

CityDescription City(std::string name, int32_t owner) {
  CityDescription city;
  city.Name = std::move(name);
  city.Owner = city.OriginalOwner = owner;
  city.Population = 7;
  city.MaxPopulation = 9;
  city.Culture = 250;
  city.FoundedTurn = 3;
  city.YieldArrays = {{1, 2, 3}, {4, 5}, {6}};
  city.Buildings = {{kCheckBuildingKey, 0, 40, 0, 0, -3000, 1, 0},
                    {"BUILDING_MONUMENT", 0, 30, 0, 0, -2500, 1, 0},
                    {"BUILDING_PALACE", 0, 0, 0, 0, -4000, 1, 1}};
  city.Units = {{"UNIT_WARRIOR", 0, 12, 0}};
  city.Queue = {{0, 3, 20, 0, 0}, {1, 4, 0, 1, 0}};
  city.Religions = {{0, 1, 1, 5, 300}, {0, 2, 0, 2, 100}};
  // Final-patch Zeph records: every citizen placed.
  city.Citizens.WorkedTiles = 5;
  city.Citizens.Specialists = {1, 0, 1, 0, 0, 0, 0};
  city.Citizens.Progress = {0, 0, 250, 0, 0, 0, 0};
  return city;
}

// A small map of the rule set: a city with its worked land, a river, a road, a resource and a
// plot the first team has seen and remembers. (Iron's type hash is the economy record's marker,
// which these small bodies would offer the economy reader: the table leaves it out.)
MapDescription SampleMap(Rules rules) {
  MapDescription map;
  map.RuleSet = rules;
  map.ResourceKeys = {"RESOURCE_HORSE", "RESOURCE_WHEAT", "RESOURCE_SILK"};
  map.Width = 4;
  map.Height = 4;
  map.Plots.resize(16);
  map.Plots[5] = LandPlot(0);
  map.Plots[5].CityOwner = 0;
  map.Plots[5].CityId = 8192;
  map.Plots[5].Route = 0;
  map.Plots[5].RiverEast = true;
  map.Plots[5].FlowEast = 3;
  map.Plots[5].Units = {{0, 1}};
  map.Plots[5].Teams = {TeamSight{0, true, true, 0, "", 0}};
  map.Plots[6] = LandPlot(0);
  map.Plots[6].ResourceKey = "RESOURCE_HORSE";
  map.Plots[6].ResourceQuantity = 4;
  map.Plots[6].ImprovementKey = "IMPROVEMENT_MINE";
  map.Plots[6].Builds = {"BUILD_ROAD"};
  map.Plots[6].Teams = {TeamSight{0, true, false, 0, "IMPROVEMENT_MINE", -1}};
  return map;
}

std::vector<std::vector<uint8_t>> WorldSections(const Layout& layout) {
  const WorldFormat& f = layout.World;
  const bool hashes = f.RuleSet == Rules::kZeph;
  std::vector<std::vector<uint8_t>> blocks;
  blocks.push_back(WriteMapSection(SampleMap(f.RuleSet)).Bytes);
  if (f.RuleSet == Rules::kZeph) {
    LeagueDescription league;
    league.Projects = {{1, {1200, 800, 0, 0}, 1, 0}};
    blocks.push_back(WriteLeagueBlock(league));
  }
  if (f.RuleSet != Rules::kBase) {
    blocks.push_back(WriteReligionBlock(f, {{0, {11, 22, 33}}, {1, {44}}}));
  }
  blocks.push_back(WriteInfluenceRecord(f, {4000, 6500, 0, 0}));
  blocks.push_back(WriteInfluenceRecord(f, {10}, false));
  // Technology tables are stored per team; the two majors sharing one store one table.
  const size_t teams = layout.Shape == SampleShape::kSharedTeam ? kSlots.size() - 1 : kSlots.size();
  for (size_t p = 0; p < kSlots.size(); ++p) {
    blocks.push_back(WritePolicyTable(f, {{1, 0, 1}, {}, {}}));
    if (p < teams) blocks.push_back(WriteTechTable(f, {{1, 1, 0, 1}, {0, 0, 120, 0}, {}, true, 1}));
  }
  if (hashes) blocks.push_back(WriteEconomyAnchor());
  // A player record for every slot, in slot order; the listed slots' records carry history.
  for (int32_t slot = 0; slot < kSlotListLength; ++slot) {
    EconomyDescription economy;
    economy.RecordSlot = slot;
    const auto listed = std::find(kSlots.begin(), kSlots.end(), slot);
    std::optional<std::vector<HistoryPairs>> history;
    if (listed != kSlots.end()) {
      economy.TotalCulture = 1500;
      economy.GreatPeopleBorn = 2;
      economy.PolicyCount = 3;
      const int32_t v = static_cast<int32_t>(listed - kSlots.begin() + 1);
      if (HasHistoryBlock(layout, slot)) {
        history =
            std::vector<HistoryPairs>{{{0, 10 * v}, {1, 12 * v}, {2, 15 * v}}, {{0, v}, {2, v}}};
      }
    }
    blocks.push_back(WritePlayerRecord(f, economy, history));
  }
  for (int32_t slot = 0; slot < 2; ++slot) {
    LogDescription log;
    log.Slot = slot;
    log.Stop = 2;
    log.Messages = {{"[COLOR_POSITIVE_TEXT]Athens[ENDCOLOR] grows.", 4, "Growth", 1},
                    {"A great person is born.", 9, "Great person", 2}};
    log.Gold = 120;
    log.List1 = {1, 2};
    blocks.push_back(WriteNotificationLog(f, log));
  }
  blocks.push_back(WriteCityRecords(layout.Cities, {City("Athens", 0), City("Sparta", 0),
                                                    City("Thebes", 1), City("Geneva", 22)}));
  return blocks;
}

GameDescription GameOf(const Layout& layout) {
  GameDescription game;
  game.SaveVersion = 8;
  game.BuildText = std::string(layout.Build);
  game.GameVersion = "1.0.3 (" + game.BuildText + ")";
  game.Content = ContentOf(layout.World.RuleSet);
  game.SlotKeys = layout.SlotKeys;
  game.Slots = SampleSlots(layout.SlotKeys);
  game.FinalPatchSlotList = layout.World.FinalPatch;
  if (layout.Shape == SampleShape::kSharedTeam) game.SlotTeams = kSharedTeams;
  game.GameStream = layout.Shape == SampleShape::kGameStream;
  game.BodySections = WorldSections(layout);
  game.Tail = {1, 2, 3, 4};
  return game;
}

}  // namespace

std::vector<SampleGame> SampleGames() {
  std::vector<SampleGame> games;
  for (const Layout& layout : kLayouts) games.push_back({std::string(layout.Name), GameOf(layout)});
  return games;
}

}  // namespace vek5::testing
