// The notification logs: per player slot a ring of the last 100 notifications, followed by the
// treasury. A marker of the player's record leads to the log, whose tag carries the slot number.
#include <array>
#include <optional>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"
#include "container/key_text.h"
#include "container/marker_occurrences.h"
#include "container/text_encoding.h"

namespace vek5 {
namespace {

using namespace world;

struct NotificationLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;  // chosen when any occurrence of the marker passes this row's check
  int32_t marker;
  int32_t check_offset;  // from the marker
  int32_t check_value;
  int32_t tag;  // the value that starts a log
};

constexpr int32_t kZephMarker = markers::kZephRecord;
constexpr int32_t kExp1Marker = markers::kExp1Record;
constexpr int32_t kBaseMarker = markers::kBaseRecord;
constexpr int32_t kOldTag = markers::kOldLogTag;
constexpr int32_t kTag = markers::kLogTag;

constexpr std::array<NotificationLayout, 6> kNotificationLayouts = {{
    {RuleSet::kBase, BuildStage::kAny, false, kBaseMarker, 12, 11, kOldTag},
    {RuleSet::kBase, BuildStage::k379995, false, kBaseMarker, 12, 11, kTag},
    {RuleSet::kExp1, BuildStage::kAny, false, kExp1Marker, 12, 12, kOldTag},
    {RuleSet::kExp1, BuildStage::k379995, false, kExp1Marker, 12, 12, kTag},
    {RuleSet::kZeph, BuildStage::kAny, false, kZephMarker, 8, 96, kTag},
    // The final patch inserts 16 bytes after the marker.
    {RuleSet::kZeph, BuildStage::kAny, true, kZephMarker, 24, 97, kTag},
}};

constexpr int32_t kMaxOccurrences = 10001;
constexpr int32_t kMaxTagTries = 100;
constexpr int32_t kTagSearchStep = 16;
constexpr int32_t kSlotAfterTag = 5;
// Treasury: the int32 skipped between the gold values and the two lists.
constexpr int32_t kTreasurySkippedInts = 7;
constexpr int32_t kTreasuryVersionWithTail = 2;

bool PassesCheck(const SaveImage& save, const NotificationLayout& layout, int32_t marker) {
  return PeekInt(save, int64_t{marker} + layout.check_offset) == layout.check_value;
}

// True when some occurrence of the row's marker passes the row's check.
bool AnyOccurrencePasses(const SaveImage& save, const NotificationLayout& layout,
                         MarkerOccurrences& occurrences) {
  int32_t pos = save.BodyOffset;
  while ((pos = occurrences.Next(Offset(pos, 1))) != 0) {
    if (PassesCheck(save, layout, pos)) return true;
  }
  return false;
}

// Position of the tag of slot's log, searching tags from `from` on; 0 when not found.
int32_t FindLogTag(const SaveImage& save, int32_t tag, int32_t slot, int32_t from) {
  int32_t pos = from;
  for (int32_t i = 0; i < kMaxTagTries; ++i) {
    pos = FindInt(save, tag, Offset(pos, kTagSearchStep));
    if (pos == 0) return 0;
    if (PeekInt(save, int64_t{pos} + kSlotAfterTag) == slot) return pos;
  }
  return 0;
}

// A notification text: invalid UTF-8 becomes empty; markup groups are replaced.
std::string ReadMessageText(const SaveImage& save, int32_t& pos) {
  const std::string raw = ReadUStr(save, pos);
  if (!IsValidUtf8(raw)) return {};
  return CutMacros(raw);
}

void ReadMessage(const SaveImage& save, int32_t& pos, TMessageRec& message) {
  message.Kind = ReadInt(save, pos);
  message.Text = ReadMessageText(save, pos);
  message.Summary = ReadMessageText(save, pos);
  for (int32_t& param : message.Params) param = ReadInt(save, pos);
  message.Turn = ReadInt(save, pos);
  message.Extra = ReadInt(save, pos);
  message.Flag = ReadBool(save, pos);
  message.Tail = ReadInt(save, pos);
}

void SkipIntList(const SaveImage& save, int32_t& pos) {
  const int32_t n = ReadCountThatFits(save, pos, 4);
  pos = Offset(pos, int64_t{n} * 4);
}

// The log that starts at the tag, and the treasury after it.
void ReadLog(const SaveImage& save, int32_t tag_pos, int32_t& pos, TNotificationLog& log,
             int32_t& gold, int32_t& diplo_gold) {
  pos = Offset(tag_pos, 1);
  for (int i = 0; i < 3; ++i) ReadInt(save, pos);
  log.First = ReadInt(save, pos);
  log.Stop = ReadInt(save, pos);
  for (int k = 0; k < kLogRingSize; ++k) ReadMessage(save, pos, log.Messages[k]);
  const int32_t version = ReadInt(save, pos);
  gold = ReadInt(save, pos);
  diplo_gold = ReadInt(save, pos);
  pos = Offset(pos, kTreasurySkippedInts * 4);
  SkipIntList(save, pos);
  SkipIntList(save, pos);
  if (version >= kTreasuryVersionWithTail) ReadInt(save, pos);
}

}  // namespace

void ReadNotificationLogs(const SaveImage& save, GameState& state) {
  state.PlayerLogs.resize(static_cast<size_t>(ListedEntries(state)));
  // The occurrences the layout's probe walks are remembered for the reading, which then finds
  // them without searching the body a second time.
  std::optional<MarkerOccurrences> walked;
  auto occurrences_of = [&](int32_t marker) -> MarkerOccurrences& {
    if (!walked || walked->Marker() != marker)
      walked.emplace(save, marker, Offset(save.BodyOffset, 1));
    return *walked;
  };
  const NotificationLayout& layout = ChooseLayout<NotificationLayout>(
      kNotificationLayouts, save, state,
      [&](const SaveImage& image, const NotificationLayout& row) {
        return AnyOccurrencePasses(image, row, occurrences_of(row.marker));
      });
  MarkerOccurrences& occurrences = occurrences_of(layout.marker);
  int32_t pos = save.BodyOffset;
  int32_t slot = 0;  // the k-th log found is the log of slot k
  for (int32_t i = 0; i < kMaxOccurrences && slot < kMaxSlots; ++i) {
    pos = occurrences.Next(Offset(pos, 1));
    if (pos == 0) return;
    if (!PassesCheck(save, layout, pos)) continue;
    const int32_t tag_pos = FindLogTag(save, layout.tag, slot, pos);
    if (tag_pos == 0) return;
    // The log of a slot without a Leaders entry is read past and dropped.
    const int entry = EntryOfSlot(state, slot);
    TNotificationLog dropped;
    int32_t gold = 0;
    int32_t diplo_gold = 0;
    ReadLog(save, tag_pos, pos, entry >= 0 ? state.PlayerLogs[entry] : dropped, gold, diplo_gold);
    if (entry >= 0) {
      state.Leaders[entry].Gold = gold;
      state.Leaders[entry].DiploGold = diplo_gold;
    }
    ++slot;
  }
}

}  // namespace vek5
