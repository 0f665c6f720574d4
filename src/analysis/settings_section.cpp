// The save's version, game version and build, the game-settings keys and the content list, from
// which the rule set (base game, Exp1, Zeph) is learnt.
#include <charconv>

#include "analysis/list_reading.h"
#include "analysis/save5_analyse.h"
#include "analysis/sections.h"
#include "container/key_text.h"
#include "container/text_encoding.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr int32_t kBuild341540 = 341540;
constexpr int32_t kBuild379995 = 379995;
constexpr int32_t kExp1PackageId = 238506401;
constexpr int32_t kZephPackageId = 1839232566;
// A content entry is at least its 16-byte identifier and its string count.
constexpr int32_t kMinContentEntryBytes = 20;

std::string GameVersionOf(int32_t save_version) {
  if (save_version < 5) return "Before 1.0.1.217";
  return "1.0.1.217-221";
}

// The build text as a number; an empty text is 0, anything but a decimal integer is an error.
int32_t ParseBuildNumber(const std::string& text) {
  if (text.empty()) return 0;
  const char* first = text.data();
  const char* last = first + text.size();
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') ++first;
  int32_t value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (first == last || error != std::errc() || end != last) {
    throw AnalysisError("The save's build number \"" + Utf8OrCp1251(text) + "\" is not a number.");
  }
  return value;
}

// Display form of a settings key. Keys are ASCII; anything else a damaged save holds there is
// still brought to UTF-8.
std::string KeyName(const std::string& key, std::string_view prefix) {
  return Utf8OrCp1251(CutTextKey(key, prefix));
}

// Row of the era table whose key equals the given key; 0 when none does.
int32_t EraIndex(const std::string& key, bool expansion) {
  const auto find = [&](const auto& table) {
    for (size_t row = 0; row < table.size(); ++row) {
      if (table[row].Key == key) return static_cast<int32_t>(row);
    }
    return 0;
  };
  return expansion ? find(EraInfoExp) : find(EraInfo);
}

void AddDlcCivilizations(GameState& state, int32_t package_id, int32_t& added) {
  for (const TDlcCivRec& civ : DlcCivs) {
    if (civ.PackageId != package_id || added >= kMaxDlcCivs) continue;
    state.DlcCivNames[added] = civ.CivName;
    state.DlcLeaderNames[added] = civ.LeaderName;
    ++added;
  }
}

void ReadContentList(const SaveImage& save, GameState& state, int32_t& pos) {
  int32_t added = 0;
  const int32_t count = ReadInt(save, pos);
  const int32_t n = BoundedCount(save, pos, count, kMinContentEntryBytes);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t package_id = ReadInt(save, pos);
    SkipInts(save, pos, 3);  // the rest of the package identifier
    const int32_t strings = ReadInt(save, pos);
    std::array<std::string, 1> name;
    ReadStrItems(save, pos, strings, name);
    if (i < kMaxDlcEntries) {
      state.DlcListed[i] = kTrue;
      state.DlcNames[i] = Utf8OrCp1251(name[0]);
    }
    if (package_id == kExp1PackageId) state.Exp1Present = kTrue;
    if (package_id == kZephPackageId) state.ZephPresent = kTrue;
    AddDlcCivilizations(state, package_id, added);
  }
}

}  // namespace

void ReadSettings(const SaveImage& save, GameState& state, int32_t& pos) {
  state.SaveVersion = ReadInt(save, pos);
  state.GameVersion = GameVersionOf(state.SaveVersion);
  if (state.SaveVersion > 5) {
    state.GameVersion = Utf8OrCp1251(ReadUStr(save, pos));
    state.BuildText = ReadUStr(save, pos);
  }
  state.BuildNumber = ParseBuildNumber(state.BuildText);
  state.Build341540OrLater = state.BuildNumber >= kBuild341540 ? kTrue : kFalse;
  state.Build379995OrLater = state.BuildNumber >= kBuild379995 ? kTrue : kFalse;

  ReadInt(save, pos);  // the current turn, which the body holds as well
  state.GameType = static_cast<uint8_t>(ReadChar(save, pos));
  state.PlayerCivName = KeyName(ReadStr(save, pos), "CIVILIZATION_");
  state.HandicapName = KeyName(ReadStr(save, pos), "HANDICAP_");
  const std::string start_era_key = ReadStr(save, pos);
  const std::string current_era_key = ReadStr(save, pos);
  state.GameSpeedName = KeyName(ReadStr(save, pos), "GAMESPEED_");
  state.WorldSizeName = KeyName(ReadStr(save, pos), "WORLDSIZE_");
  state.MapScriptName = Utf8OrCp1251(ReadStr(save, pos));

  ReadContentList(save, state, pos);

  const bool expansion = state.Exp1Present != 0;
  state.StartEraIndex = EraIndex(start_era_key, expansion);
  state.CurrentEraIndex = EraIndex(current_era_key, expansion);
  state.StartEraName = KeyName(start_era_key, "ERA_");
  state.CurrentEraName = KeyName(current_era_key, "ERA_");
}

}  // namespace vek5
