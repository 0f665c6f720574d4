// Writes the seed corpus of the save fuzzer into a folder: saves made by the test save builder
// for every rule set and layout row (each as a save file and as its assembled image, which the
// fuzzer takes as it is), headers of every save version with and without per-slot keys, and,
// when the shared real saves are at hand, small cuts of their images: the header and the start
// of the body followed by a window around one marker of the body. The cuts are written at run
// time only; real saves never go into the repository.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "container/save_image.h"
#include "model/type_hash.h"
#include "support/city_writer.h"
#include "support/save_builder.h"
#include "support/world_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace vek5::testing;

constexpr int32_t kExp1PackageId = 238506401;
constexpr int32_t kZephPackageId = 1839232566;

struct Layout {
  std::string_view Name;
  WorldFormat World;
  CityRecordForm Cities;
  bool SlotKeys;
  std::string_view Build;
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
};

// Slots of the seed games: two majors, one city-state, the barbarians.
const std::vector<int32_t> kSlots = {0, 1, 22, 63};

std::vector<ContentEntry> ContentOf(Rules rules) {
  std::vector<ContentEntry> content = {{691805923, {"Mongolia"}}};
  if (rules != Rules::kBase) content.push_back({kExp1PackageId, {"First expansion"}});
  if (rules == Rules::kZeph) content.push_back({kZephPackageId, {"Second expansion"}});
  return content;
}

std::vector<SlotDescription> SlotsOf(bool slot_keys) {
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

std::vector<std::vector<uint8_t>> WorldSections(const Layout& layout) {
  const WorldFormat& f = layout.World;
  const bool hashes = f.RuleSet == Rules::kZeph;
  std::vector<std::vector<uint8_t>> blocks;
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
  for (size_t p = 0; p < kSlots.size(); ++p) {
    blocks.push_back(WritePolicyTable(f, {{1, 0, 1}, {}, {}}));
    blocks.push_back(WriteTechTable(f, {{1, 1, 0, 1}, {0, 0, 120, 0}, {}, true, 1}));
  }
  if (hashes) blocks.push_back(WriteEconomyAnchor());
  for (size_t p = 0; p < kSlots.size(); ++p) {
    EconomyDescription economy;
    economy.TotalCulture = 1500;
    economy.GreatPeopleBorn = 2;
    economy.PolicyCount = 3;
    const int32_t v = static_cast<int32_t>(p + 1);
    blocks.push_back(WritePlayerRecord(
        f, economy,
        std::vector<HistoryPairs>{{{0, 10 * v}, {1, 12 * v}, {2, 15 * v}}, {{0, v}, {2, v}}}));
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
  game.Slots = SlotsOf(layout.SlotKeys);
  game.FinalPatchSlotList = layout.World.FinalPatch;
  game.BodySections = WorldSections(layout);
  game.Tail = {1, 2, 3, 4};
  return game;
}

void Write(const fs::path& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  WriteFile((folder / name).string(), bytes);
}

// A save file and its assembled image.
void WriteSaveAndImage(const fs::path& folder, const std::string& name,
                       const GameDescription& game) {
  const std::vector<uint8_t> file = WriteSaveFile(game);
  Write(folder, name + ".Vek5Save", file);
  const vek5::ImageBytes image = vek5::AssembleSave(file).SaveBuffer;
  Write(folder, name + ".image", std::vector<uint8_t>(image.begin(), image.end()));
}

// Values and texts a body section is found by; a cut is made around the first occurrence of each.
struct Marker {
  std::string_view Name;
  std::string Bytes;
};

std::string IntBytes(int32_t v) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)));
  return bytes;
}

std::vector<Marker> BodyMarkers() {
  return {
      {"league", "from membership"},
      {"religions_exp1", "BUILDINGCLASS_COURTHOUSE"},
      {"religions_zeph", IntBytes(vek5::TypeHash("BUILDINGCLASS_COURTHOUSE"))},
      {"history", "REPLAYDATASET_MILITARYMIGHT"},
      {"influence", IntBytes(static_cast<int32_t>(0xF1A0EAB7))},
      {"policies", IntBytes(vek5::TypeHash("POLICY_LIBERTY"))},
      {"techs_zeph", IntBytes(vek5::TypeHash("TECH_AGRICULTURE"))},
      {"techs_key", "BUILDING_STONE_WORKS"},
      {"economy_anchor", IntBytes(0x0252AC5E)},
      {"economy", IntBytes(0x6F229238)},
      {"zeph_records", IntBytes(static_cast<int32_t>(0xF5010319))},
      {"exp1_records", IntBytes(0x18BF8791)},
      {"base_records", IntBytes(0x37AEAE99)},
      {"zeph_queue", IntBytes(0x57E5BD65)},
      {"key_queue", "PROMOTION_INSTA_HEAL"},
      {"late_lists", "BUILDING_FLOATING_GARDENS"},
  };
}

constexpr size_t kBodyStartBytes = 4096;
constexpr size_t kWindowBefore = 3072;
constexpr size_t kWindowAfter = 5120;
// A marker's first occurrence can be an early list; a later one is cut as well.
constexpr int kCutsPerMarker = 2;
constexpr size_t kLaterOccurrenceGap = 64 * 1024;

// Header and the start of the body, then the window [at - before, at + after) of the body.
std::vector<uint8_t> Cut(const vek5::SaveImage& image, size_t at) {
  const auto& bytes = image.SaveBuffer;
  const size_t body = static_cast<size_t>(image.BodyOffset);
  const size_t start_end = std::min(bytes.size(), body + kBodyStartBytes);
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(start_end));
  const size_t from = std::max(at > kWindowBefore ? at - kWindowBefore : 0, start_end);
  const size_t to = std::min(bytes.size(), at + kWindowAfter);
  if (from < to) {
    cut.insert(cut.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
  }
  return cut;
}

void WriteRealSaveCuts(const fs::path& folder) {
  const fs::path shared = VEK5_SHARED_SAVES;
  std::error_code error;
  if (!fs::is_directory(shared, error)) return;
  for (const fs::directory_entry& entry : fs::directory_iterator(shared, error)) {
    if (entry.path().extension() != ".Vek5Save") continue;
    const vek5::SaveImage image = vek5::LoadSave(entry.path().string());
    const std::string stem = "real_" + entry.path().stem().string();
    const std::string_view text(reinterpret_cast<const char*>(image.SaveBuffer.data()),
                                image.SaveBuffer.size());
    Write(folder, stem + "_start", Cut(image, static_cast<size_t>(image.BodyOffset)));
    for (const Marker& marker : BodyMarkers()) {
      size_t at = text.find(marker.Bytes, static_cast<size_t>(image.BodyOffset));
      for (int n = 0; n < kCutsPerMarker && at != std::string_view::npos; ++n) {
        Write(folder, stem + "_" + std::string(marker.Name) + "_" + std::to_string(n),
              Cut(image, at));
        at = text.find(marker.Bytes, at + kLaterOccurrenceGap);
      }
    }
  }
}

void WriteSeeds(const fs::path& folder) {
  fs::create_directories(folder);
  for (const Layout& layout : kLayouts) {
    WriteSaveAndImage(folder, std::string(layout.Name), GameOf(layout));
  }
  // Headers of every save version, with and without per-slot keys (which need version 7).
  for (int32_t version = 4; version <= 8; ++version) {
    for (const bool slot_keys : {false, true}) {
      if (slot_keys && version < 7) continue;
      GameDescription game;
      game.SaveVersion = version;
      game.SlotKeys = slot_keys;
      game.Slots = SlotsOf(slot_keys);
      WriteSaveAndImage(
          folder, "header_v" + std::to_string(version) + (slot_keys ? "_slot_keys" : ""), game);
    }
  }
  WriteRealSaveCuts(folder);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  try {
    WriteSeeds(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
