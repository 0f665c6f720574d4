// The per-player economy block: culture, faith, happiness, golden ages, great people and
// research counters, read at fixed distances before a marker of each player's record.
#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "analysis/world_layout.h"

namespace vek5 {
namespace {

using namespace world;

enum class Field {
  kSkip,
  kCultureFromCS,
  kPolicyCulture,
  kTotalCulture,
  kFaith,
  kTotalFaith,
  kTotalHappiness,
  kGoldenAgeProgress,
  kGoldenAgeCount,
  kGoldenAgeTurns,
  kGreatPeopleBorn,            // also sets GPLimit
  kGreatGeneralsBorn,          // expansions: threshold (v + 1) x 200
  kGreatGeneralThresholdBase,  // base game: threshold (v + 100) x 2
  kInt2,
  kResearchOverflow,
  kGreatGeneralPoints,
  kGreatGeneralTotal,
  kPolicyCultureNeeded,
  kInt3,
  kPolicyCount,
  kInt4,
};

// One int32 into a field, or a skip of `bytes`. Fields a rule set does not store stay 0.
struct Item {
  Field field;
  int32_t bytes = 4;
};

constexpr int kBlockItems = 28;
using Block = std::array<Item, kBlockItems>;

constexpr Item Skip(int32_t bytes) {
  return {Field::kSkip, bytes};
}

// The block of the expansions; the rule sets and builds differ only in four gaps.
constexpr Block ExpansionBlock(int32_t before_golden_age, int32_t before_research,
                               int32_t after_research, int32_t after_block) {
  return {{{Field::kPolicyCulture},
           {Field::kTotalCulture},
           Skip(12),
           {Field::kFaith},
           {Field::kTotalFaith},
           {Field::kTotalHappiness},
           Skip(before_golden_age),
           {Field::kGoldenAgeProgress},
           Skip(4),
           {Field::kGoldenAgeCount},
           {Field::kGoldenAgeTurns},
           Skip(12),
           {Field::kGreatPeopleBorn},
           {Field::kGreatGeneralsBorn},
           {Field::kInt2},
           Skip(before_research),
           {Field::kResearchOverflow},
           Skip(after_research),
           {Field::kGreatGeneralPoints},
           Skip(4),
           {Field::kGreatGeneralTotal},
           Skip(8),
           {Field::kPolicyCultureNeeded},
           {Field::kInt3},
           Skip(76),
           {Field::kPolicyCount},
           {Field::kInt4},
           Skip(after_block)}};
}

constexpr Block kZephBlock = ExpansionBlock(112, 332, 92, 2500);
constexpr Block kExp1Block = ExpansionBlock(96, 248, 88, 1500);
constexpr Block kExp1LateBlock = ExpansionBlock(96, 260, 88, 1500);

constexpr Block kBaseBlock = {{{Field::kCultureFromCS},
                               Skip(4),
                               {Field::kPolicyCulture},
                               {Field::kTotalCulture},
                               Skip(12),
                               {Field::kTotalHappiness},
                               Skip(88),
                               {Field::kGoldenAgeProgress},
                               Skip(4),
                               {Field::kGoldenAgeCount},
                               {Field::kGoldenAgeTurns},
                               Skip(12),
                               {Field::kGreatPeopleBorn},
                               {Field::kInt2},
                               Skip(4),
                               {Field::kGreatGeneralThresholdBase},
                               Skip(208),
                               {Field::kResearchOverflow},
                               Skip(88),
                               {Field::kGreatGeneralPoints},
                               {Field::kGreatGeneralTotal},
                               Skip(8),
                               {Field::kPolicyCultureNeeded},
                               {Field::kInt3},
                               Skip(72),
                               {Field::kPolicyCount},
                               {Field::kInt4},
                               Skip(1500)}};

struct EconomyLayout {
  RuleSet rule_set;
  BuildStage stage;
  bool needs_probe;
  int32_t check_before_marker;  // the int32 there is -1 in a player's record
  int32_t block_before_marker;  // the block starts this many bytes before the marker
  const Block* block;
};

constexpr std::array<EconomyLayout, 6> kEconomyLayouts = {{
    {RuleSet::kBase, BuildStage::kAny, false, 16, 1442, &kBaseBlock},
    {RuleSet::kBase, BuildStage::k379995, false, 16, 1443, &kBaseBlock},
    {RuleSet::kExp1, BuildStage::kAny, false, 276, 1846, &kExp1Block},
    {RuleSet::kExp1, BuildStage::k341540, false, 276, 1859, &kExp1LateBlock},
    {RuleSet::kExp1, BuildStage::k379995, false, 276, 1860, &kExp1LateBlock},
    {RuleSet::kZeph, BuildStage::kAny, false, 536, 2688, &kZephBlock},
}};

constexpr int32_t kRecordMarker = markers::kEconomyRecord;
constexpr int32_t kZeroBeforeMarker = 12;

// Zeph saves hold earlier lists with the same marker; the search starts at an anchor record.
constexpr int32_t kAnchorMarker = markers::kEconomyAnchor;
constexpr int32_t kAnchorCheckBefore = 28;
constexpr int32_t kAnchorCheckValue = static_cast<int32_t>(0xDFC41280);
constexpr int32_t kAnchorZeroAfter = 28;
constexpr int32_t kAnchorCountAfter = 32;
constexpr uint32_t kAnchorMinCount = 16;
constexpr int32_t kMaxAnchorTries = 10001;

constexpr int32_t kGreatGeneralStep = 200;
constexpr int32_t kBaseGreatGeneralOffset = 100;

int32_t FindAnchor(const SaveImage& save, int32_t pos) {
  for (int32_t i = 0; i < kMaxAnchorTries; ++i) {
    const int32_t found = FindInt(save, kAnchorMarker, Offset(pos, 1));
    // No further occurrence: the record search starts at the beginning of the buffer.
    if (found == 0) return 0;
    pos = found;
    if (PeekInt(save, int64_t{pos} - kAnchorCheckBefore) == kAnchorCheckValue &&
        PeekInt(save, int64_t{pos} + kAnchorZeroAfter) == 0 &&
        static_cast<uint32_t>(PeekInt(save, int64_t{pos} + kAnchorCountAfter)) >= kAnchorMinCount) {
      break;
    }
  }
  return pos;
}

void Store(Field field, int32_t v, int32_t speed_percent, TLeaderInfoRec& leader) {
  switch (field) {
    case Field::kSkip:
      break;
    case Field::kCultureFromCS:
      leader.CultureFromCS = v;
      break;
    case Field::kPolicyCulture:
      leader.PolicyCulture = v;
      break;
    case Field::kTotalCulture:
      leader.TotalCulture = v;
      break;
    case Field::kFaith:
      leader.Faith = v;
      break;
    case Field::kTotalFaith:
      leader.TotalFaith = v;
      break;
    case Field::kTotalHappiness:
      leader.TotalHappiness = v;
      break;
    case Field::kGoldenAgeProgress:
      leader.GoldenAgeProgress = v;
      break;
    case Field::kGoldenAgeCount:
      leader.GoldenAgeCount = v;
      break;
    case Field::kGoldenAgeTurns:
      leader.GoldenAgeTurns = v;
      break;
    case Field::kGreatPeopleBorn:
      leader.GreatPeopleBorn = v;
      leader.GPLimit = WrapMul(WrapAdd(v, 1), speed_percent);
      break;
    case Field::kGreatGeneralsBorn:
      leader.GreatGeneralThreshold = WrapMul(WrapAdd(v, 1), kGreatGeneralStep);
      break;
    case Field::kGreatGeneralThresholdBase:
      leader.GreatGeneralThreshold = WrapMul(WrapAdd(v, kBaseGreatGeneralOffset), 2);
      break;
    case Field::kInt2:
      leader.Int2 = v;
      break;
    case Field::kResearchOverflow:
      leader.ResearchOverflow = v;
      break;
    case Field::kGreatGeneralPoints:
      leader.GreatGeneralPoints = v;
      break;
    case Field::kGreatGeneralTotal:
      leader.GreatGeneralTotal = v;
      break;
    case Field::kPolicyCultureNeeded:
      leader.PolicyCultureNeeded = v;
      break;
    case Field::kInt3:
      leader.Int3 = v;
      break;
    case Field::kPolicyCount:
      leader.PolicyCount = v;
      break;
    case Field::kInt4:
      leader.Int4 = v;
      break;
  }
}

// Reads the block that starts at p into the entry.
void ReadBlock(const SaveImage& save, const Block& block, int32_t speed_percent, int32_t p,
               TLeaderInfoRec& leader) {
  for (const Item& item : block) {
    if (item.field == Field::kSkip) {
      p = Offset(p, item.bytes);
    } else {
      Store(item.field, ReadInt(save, p), speed_percent, leader);
    }
  }
}

bool IsPlayerRecord(const SaveImage& save, const EconomyLayout& layout, int32_t marker) {
  return PeekInt(save, int64_t{marker} - layout.check_before_marker) == -1 &&
         PeekInt(save, int64_t{marker} - kZeroBeforeMarker) == 0;
}

constexpr int32_t BlockBytes(const Block& block) {
  int32_t bytes = 0;
  for (const Item& item : block) bytes += item.field == Field::kSkip ? item.bytes : 4;
  return bytes;
}

int32_t BlockStart(const EconomyLayout& layout, int32_t marker) {
  return Offset(marker, -layout.block_before_marker);
}

}  // namespace

std::vector<PlayerRecord> FindPlayerRecords(const SaveImage& save, const GameState& state) {
  const EconomyLayout& layout = ChooseLayout<EconomyLayout>(kEconomyLayouts, state);
  std::vector<PlayerRecord> records;
  int32_t pos = save.BodyOffset;
  if (state.ZephPresent) pos = FindAnchor(save, pos);
  // Every slot has a record, closed ones included, so the search goes on until the last slot's:
  // each occurrence is past the previous one, which bounds the search by the body.
  while (records.size() < static_cast<size_t>(kMaxSlots)) {
    pos = FindInt(save, kRecordMarker, Offset(pos, 1));
    if (pos == 0) break;
    if (!IsPlayerRecord(save, layout, pos)) continue;
    const auto slot = static_cast<int32_t>(records.size());
    records.push_back({slot, pos});
    // The block of a listed player is read, and the search continues after it.
    if (EntryOfSlot(state, slot) >= 0) {
      pos = std::max(pos, Offset(BlockStart(layout, pos), BlockBytes(*layout.block)));
    }
  }
  return records;
}

void ReadEconomy(const SaveImage& save, GameState& state, std::span<const PlayerRecord> records) {
  const EconomyLayout& layout = ChooseLayout<EconomyLayout>(kEconomyLayouts, state);
  for (const PlayerRecord& record : records) {
    // A record of a slot without a Leaders entry is passed over.
    const int entry = EntryOfSlot(state, record.Slot);
    if (entry < 0) continue;
    ReadBlock(save, *layout.block, state.SpeedPercent, BlockStart(layout, record.Marker),
              state.Leaders[entry]);
  }
}

}  // namespace vek5
