// The beliefs of each founded religion (first expansion and Zeph). An anchor inside the first
// religion record (a building-class entry of its trailing list) locates the records, which lie
// before the embedded database.
#include <array>
#include <cstdlib>
#include <string>
#include <string_view>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"
#include "container/text_encoding.h"
#include "model/type_hash.h"

namespace vek5 {
namespace {

using namespace world;

enum class TrailerForm {
  kKeyTextAndValue,       // pairs of (text, int32)
  kHashAndOptionalValue,  // int32 hash, then an int32 only when the hash is not 0
};

struct ReligionLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;
  std::string_view anchor_text;  // empty: the anchor is anchor_hash
  int32_t anchor_hash;
  int32_t records_before_scan_end;  // the records start this many bytes before the scan's end
  int32_t skip_before_beliefs;      // bytes between the founder and the belief count
  TrailerForm trailer;
};

constexpr std::array<ReligionLayout, 2> kReligionLayouts = {{
    {RuleSet::kExp1, BuildStage::kAny, false, markers::kCourthouseKey, 0, 254, 230,
     TrailerForm::kKeyTextAndValue},
    {RuleSet::kZeph, BuildStage::kAny, false, "", markers::kCourthouseHash, 274, 250,
     TrailerForm::kHashAndOptionalValue},
}};
static_assert(markers::kCourthouseHash == static_cast<int32_t>(0xF1D0F8A6));

// The embedded database follows the religions; an anchor after its start is not ours.
constexpr std::string_view kDatabaseText = markers::kDatabaseText;

// The back-scan for the belief count: the first small value at or below anchor - 12.
constexpr int32_t kScanStart = 12;
constexpr int32_t kScanTries = 6;
constexpr int32_t kLargestBeliefCount = 6;

constexpr int32_t kStoredBeliefs = 6;

int32_t FindAnchor(const SaveImage& save, const ReligionLayout& layout, int32_t pos) {
  if (!layout.anchor_text.empty()) return FindStr(save, layout.anchor_text, pos);
  return FindInt(save, layout.anchor_hash, pos);
}

// Just after the int32 that holds the first religion's belief count; anchor - 36 when no value
// near the anchor is small enough to be that count.
int32_t EndOfBackScan(const SaveImage& save, int32_t anchor) {
  int32_t r = Offset(anchor, -kScanStart);
  for (int32_t i = 0; i < kScanTries; ++i) {
    const int64_t v = ReadInt(save, r);
    if (std::llabs(v) <= kLargestBeliefCount) break;
    r = Offset(r, -8);
  }
  return r;
}

void SkipTrailer(const SaveImage& save, TrailerForm form, int32_t& pos) {
  const int32_t entries = ReadCountThatFits(save, pos, 4);
  for (int32_t i = 0; i < entries && pos < save.DataLength; ++i) {
    if (form == TrailerForm::kKeyTextAndValue) {
      ReadStr(save, pos);
      ReadInt(save, pos);
    } else if (ReadInt(save, pos) != 0) {
      ReadInt(save, pos);
    }
  }
}

// The custom name: UTF-8 in a zero-padded field, ended by its first zero byte.
std::string ReadCustomName(const SaveImage& save, int32_t pos) {
  std::string name;
  for (int32_t i = 0; i < kReligionNameBytes; ++i) {
    const uint8_t byte = ByteAt(save, int64_t{pos} + i);
    if (byte == 0) break;
    name += static_cast<char>(byte);
  }
  return Utf8OrEmpty(name);
}

// What the record holds before the skip: where, when and by whom the religion was founded, and
// the name its founder gave it.
TReligionRec ReadReligionFacts(const SaveImage& save, int32_t record) {
  TReligionRec religion;
  religion.Type = PeekInt(save, int64_t{record} + 4);
  religion.Founder = PeekInt(save, int64_t{record} + 8);
  religion.HolyCityX = PeekInt(save, int64_t{record} + 12);
  religion.HolyCityY = PeekInt(save, int64_t{record} + 16);
  religion.FoundedTurn = PeekInt(save, int64_t{record} + 20);
  religion.Pantheon = ByteAt(save, int64_t{record} + 24) != 0 ? kTrue : kFalse;
  religion.Enhanced = ByteAt(save, int64_t{record} + 25) != 0 ? kTrue : kFalse;
  religion.CustomName = ReadCustomName(save, Offset(record, 26));
  return religion;
}

void ReadReligionRecord(const SaveImage& save, GameState& state, const ReligionLayout& layout,
                        int32_t& pos) {
  if (state.Religions.size() < static_cast<size_t>(kMaxReligionRecords)) {
    state.Religions.push_back(ReadReligionFacts(save, pos));
  }
  ReadInt(save, pos);
  ReadInt(save, pos);
  const int32_t founder = ReadInt(save, pos);
  pos = Offset(pos, layout.skip_before_beliefs);
  const int32_t beliefs = ReadCountThatFits(save, pos, 4);
  // The founder number is an entry of the player list; others are read past but not stored.
  const bool stored = founder >= 0 && founder < kMaxSlots;
  if (stored) state.Leaders[founder].Beliefs = {};
  for (int32_t i = 0; i < beliefs; ++i) {
    const int32_t hash = ReadInt(save, pos);
    if (stored && i < kStoredBeliefs) state.Leaders[founder].Beliefs[i] = hash;
  }
  SkipTrailer(save, layout.trailer, pos);
}

}  // namespace

void ReadReligions(const SaveImage& save, GameState& state, int32_t& pos) {
  if (RuleSetOf(state) == RuleSet::kBase) return;
  const ReligionLayout& layout = ChooseLayout<ReligionLayout>(kReligionLayouts, state);
  const int32_t database = FindStr(save, kDatabaseText, pos);
  const int32_t anchor = FindAnchor(save, layout, pos);
  if (anchor <= 0 || anchor >= database) return;
  pos = Offset(EndOfBackScan(save, anchor), -layout.records_before_scan_end);
  ReadInt(save, pos);
  // A record is at least its three int32, the skip and the belief and trailer counts.
  const int32_t record_bytes = 12 + layout.skip_before_beliefs + 8;
  const int32_t religions = ReadCountThatFits(save, pos, record_bytes);
  for (int32_t i = 0; i < religions && pos < save.DataLength; ++i) {
    ReadReligionRecord(save, state, layout, pos);
  }
}

}  // namespace vek5
