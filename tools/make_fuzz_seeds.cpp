// Writes the seed corpus of a save fuzzer into a folder. For the full target: the sample games of
// the test save builder (each as a save file and as its assembled image, which the fuzzer takes
// as it is), headers of every save version with and without
// per-slot keys, and, when the shared real saves are at hand, cuts of their images: the header
// and the start of the body followed by a window around one marker of the body. For the lean
// target (--lean): the sample games' save files, the headers, and smaller cuts of the builder's and
// the real saves' images. The real-save cuts are written at run time only; real saves never go
// into the repository.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "container/save_image.h"
#include "model/type_hash.h"
#include "support/sample_games.h"
#include "support/save_builder.h"

namespace {

namespace fs = std::filesystem;
using namespace vek5::testing;

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
      {"map_1024", IntBytes(10) + IntBytes(1024)},
      {"map_4096", IntBytes(10) + IntBytes(4096)},
  };
}

// How much of an image a cut keeps: the header, the first bytes of the body and a window around
// one marker of the body.
struct CutSize {
  size_t BodyStart;
  size_t Before;
  size_t After;
};
// Cuts for the full target, which takes inputs of up to a mebibyte.
constexpr CutSize kFullCut = {4096, 3072, 5120};
// Cuts for the lean target, whose inputs stay within a few KiB besides the header.
constexpr CutSize kLeanCut = {512, 1024, 3072};
// A marker's first occurrence can be an early list; a later one is cut as well.
constexpr int kCutsPerMarker = 2;
constexpr size_t kLaterOccurrenceGap = 64 * 1024;

// Header and the start of the body, then the window [at - before, at + after) of the body.
std::vector<uint8_t> Cut(const vek5::SaveImage& image, size_t at, const CutSize& size) {
  const auto& bytes = image.SaveBuffer;
  const size_t body = static_cast<size_t>(image.BodyOffset);
  const size_t start_end = std::min(bytes.size(), body + size.BodyStart);
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(start_end));
  const size_t from = std::max(at > size.Before ? at - size.Before : 0, start_end);
  const size_t to = std::min(bytes.size(), at + size.After);
  if (from < to) {
    cut.insert(cut.end(), bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
  }
  return cut;
}

// The start cut and the cuts around each marker of one image, named after stem.
void WriteCuts(const fs::path& folder, const std::string& stem, const vek5::SaveImage& image,
               const CutSize& size) {
  const std::string_view text(reinterpret_cast<const char*>(image.SaveBuffer.data()),
                              image.SaveBuffer.size());
  Write(folder, stem + "_start", Cut(image, static_cast<size_t>(image.BodyOffset), size));
  for (const Marker& marker : BodyMarkers()) {
    size_t at = text.find(marker.Bytes, static_cast<size_t>(image.BodyOffset));
    for (int n = 0; n < kCutsPerMarker && at != std::string_view::npos; ++n) {
      Write(folder, stem + "_" + std::string(marker.Name) + "_" + std::to_string(n),
            Cut(image, at, size));
      at = text.find(marker.Bytes, at + kLaterOccurrenceGap);
    }
  }
}

void WriteRealSaveCuts(const fs::path& folder, const CutSize& size) {
  const fs::path shared = VEK5_SHARED_SAVES;
  std::error_code error;
  if (!fs::is_directory(shared, error)) return;
  for (const fs::directory_entry& entry : fs::directory_iterator(shared, error)) {
    if (entry.path().extension() != ".Vek5Save") continue;
    const vek5::SaveImage image = vek5::LoadSave(entry.path().string());
    WriteCuts(folder, "real_" + entry.path().stem().string(), image, size);
  }
}

// Headers of every save version, with and without per-slot keys (which need version 7).
void WriteHeaders(const fs::path& folder) {
  for (int32_t version = 4; version <= 8; ++version) {
    for (const bool slot_keys : {false, true}) {
      if (slot_keys && version < 7) continue;
      GameDescription game;
      game.SaveVersion = version;
      game.SlotKeys = slot_keys;
      game.Slots = SampleSlots(slot_keys);
      WriteSaveAndImage(
          folder, "header_v" + std::to_string(version) + (slot_keys ? "_slot_keys" : ""), game);
    }
  }
}

void WriteFullSeeds(const fs::path& folder) {
  for (const SampleGame& sample : SampleGames()) {
    WriteSaveAndImage(folder, sample.Name, sample.Game);
  }
  WriteHeaders(folder);
  WriteRealSaveCuts(folder, kFullCut);
}

// The builder's save files (small, compressed) and cuts of their images, so that each section is
// reached by an input of a few KiB.
void WriteLeanSeeds(const fs::path& folder) {
  for (const SampleGame& sample : SampleGames()) {
    const std::string& name = sample.Name;
    const std::vector<uint8_t> file = WriteSaveFile(sample.Game);
    Write(folder, name + ".Vek5Save", file);
    WriteCuts(folder, name, vek5::AssembleSave(file), kLeanCut);
  }
  WriteHeaders(folder);
  WriteRealSaveCuts(folder, kLeanCut);
}

}  // namespace

int main(int argc, char** argv) {
  const bool lean = argc == 3 && std::string_view(argv[1]) == "--lean";
  if (argc != 2 && !lean) {
    std::fprintf(stderr, "usage: %s [--lean] OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  try {
    const fs::path folder = argv[argc - 1];
    fs::create_directories(folder);
    if (lean) {
      WriteLeanSeeds(folder);
    } else {
      WriteFullSeeds(folder);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
