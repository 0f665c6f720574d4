#include "support/world_writer.h"

#include <algorithm>
#include <string_view>

#include "model/reference_tables.h"
#include "model/type_hash.h"
#include "support/save_builder.h"

namespace vek5::testing {
namespace {

bool IsZeph(const WorldFormat& f) {
  return f.RuleSet == Rules::kZeph;
}
bool IsExp1(const WorldFormat& f) {
  return f.RuleSet == Rules::kExp1;
}

// Pads the writer with zeros up to an offset.
void ZerosTo(ByteWriter& out, size_t offset) {
  if (out.size() < offset) out.Zeros(offset - out.size());
}

}  // namespace

std::string LayoutName(const WorldFormat& format) {
  std::string name = IsZeph(format) ? "Zeph" : IsExp1(format) ? "Exp1" : "Base";
  if (format.Build379995OrLater) {
    name += "Build379995";
  } else if (format.Build341540OrLater) {
    name += "Build341540";
  }
  if (format.FinalPatch) name += "FinalPatch";
  return name;
}

std::unique_ptr<GameState> MakeWorldState(const WorldFormat& format,
                                          const std::vector<int32_t>& slots,
                                          int32_t speed_percent) {
  auto state = NewGameState();
  state->ZephPresent = IsZeph(format) ? kTrue : kFalse;
  // A Zeph save lists both expansion packages.
  state->Exp1Present = format.RuleSet != Rules::kBase ? kTrue : kFalse;
  state->Build341540OrLater =
      (format.Build341540OrLater || format.Build379995OrLater) ? kTrue : kFalse;
  state->Build379995OrLater = format.Build379995OrLater ? kTrue : kFalse;
  state->SpeedPercent = speed_percent;
  state->PlayerCount = static_cast<int32_t>(std::min<size_t>(slots.size(), kMaxSlots));
  // A game without teams: every slot is in the team numbered as the slot.
  for (int32_t e = 0; e < state->PlayerCount; ++e) {
    state->Leaders[e].Slot = slots[e];
    state->Leaders[e].Team = slots[e];
  }
  return state;
}

SaveImage MakeBodyImage(const std::vector<std::vector<uint8_t>>& blocks, int32_t body_offset,
                        size_t gap) {
  ByteWriter out;
  out.Zeros(static_cast<size_t>(body_offset));
  out.PutBytes(static_cast<size_t>(body_offset) - 4, "BODY");
  // The body's fixed fields come first; searches start one byte after the body's start.
  out.Zeros(16);
  for (const auto& block : blocks) {
    out.Bytes(block);
    out.Zeros(gap);
  }
  SaveImage image;
  image.SaveBuffer = out.bytes();
  image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
  image.BodyOffset = body_offset;
  return image;
}

void PutIntAt(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4, 0);
  const auto u = static_cast<uint32_t>(value);
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(u >> (8 * i));
}

std::vector<uint8_t> WriteLeagueBlock(const LeagueDescription& league) {
  ByteWriter out;
  out.Int(static_cast<int32_t>(league.MemberSlots.size()));
  for (size_t i = 0; i < league.MemberSlots.size(); ++i) {
    out.Int(league.MemberSlots[i]);
    out.Int(0);
    // The first member's vote text: "from membership" lies 40 bytes after the member count.
    out.Str(i == 0
                ? "[NEWLINE][ICON_BULLET]2 from membership[NEWLINE][ICON_BULLET]1 from City-States"
                : "");
    out.Byte(1);
    out.Int(0);
    out.Int(3);
    out.Int(0);
    out.Byte(0);
    out.Byte(0);
  }
  out.Int(0);
  out.Int(league.ProjectCount.value_or(static_cast<int32_t>(league.Projects.size())));
  for (const LeagueProject& project : league.Projects) {
    out.Int(project.Type);
    out.IntList(project.Contributions);
    out.Byte(project.Flag1);
    out.Byte(project.Flag2);
  }
  return out.bytes();
}

std::vector<uint8_t> WriteReligionBlock(const WorldFormat& format,
                                        const std::vector<ReligionDescription>& religions) {
  const bool zeph = IsZeph(format);
  const size_t skip_before_beliefs = zeph ? 250 : 230;
  ByteWriter out;
  out.Int(0);
  out.Int(static_cast<int32_t>(religions.size()));
  for (size_t i = 0; i < religions.size(); ++i) {
    const ReligionDescription& religion = religions[i];
    out.Int(1);
    out.Int(religion.Type);
    out.Int(religion.Founder);
    out.Int(religion.HolyCityX);
    out.Int(religion.HolyCityY);
    out.Int(religion.FoundedTurn);
    out.Byte(religion.Pantheon);
    out.Byte(religion.Enhanced);
    // The custom name's field, then the rest of what lies before the beliefs.
    std::vector<uint8_t> name(128, 0);
    std::copy_n(religion.CustomName.begin(), std::min<size_t>(religion.CustomName.size(), 128),
                name.begin());
    out.Bytes(name);
    out.Zeros(skip_before_beliefs - 12 - 2 - name.size());
    out.IntList(religion.Beliefs);
    if (i == 0 && zeph) {
      out.Int(1);
      out.Int(TypeHash("BUILDINGCLASS_COURTHOUSE"));
      out.Int(1);
    } else if (i == 0) {
      out.Int(1);
      out.Str("BUILDINGCLASS_COURTHOUSE");
      out.Int(1);
    } else if (zeph) {
      out.Int(2);
      out.Int(0);  // an empty entry has no value
      out.Int(TypeHash("BUILDINGCLASS_TEMPLE"));
      out.Int(5);
    } else {
      out.Int(2);
      out.Str("BUILDINGCLASS_TEMPLE");
      out.Int(2);
      out.Str("BUILDINGCLASS_SHRINE");
      out.Int(3);
    }
  }
  out.Str("SQLite format 3");
  return out.bytes();
}

std::vector<uint8_t> WriteHistoryBlock(const std::vector<HistoryPairs>& series) {
  ByteWriter out;
  out.Str("REPLAYDATASET_SCORE");
  out.Str("REPLAYDATASET_MILITARYMIGHT");
  out.Int(static_cast<int32_t>(series.size()));
  for (const HistoryPairs& pairs : series) {
    out.Int(static_cast<int32_t>(pairs.size()));
    for (const auto& [turn, value] : pairs) {
      out.Int(turn);
      out.Int(value);
    }
  }
  return out.bytes();
}

std::vector<uint8_t> WriteInfluenceRecord(const WorldFormat& format,
                                          const std::vector<int32_t>& influence, bool city_state) {
  int32_t expected = 1;
  size_t skip = format.Build379995OrLater ? 2700 : 2688;
  if (IsZeph(format)) {
    expected = 38;
    skip = 2500;
  } else if (IsExp1(format)) {
    expected = 32;
    skip = format.Build341540OrLater ? 2428 : 2424;
  }
  ByteWriter out;
  out.Int(static_cast<int32_t>(0xF1A0EAB7));
  out.Int(0);
  out.Int(city_state ? expected : 7);
  out.Zeros(skip);
  for (int i = 0; i < 64; ++i) out.Int(i < static_cast<int>(influence.size()) ? influence[i] : 0);
  return out.bytes();
}

std::vector<uint8_t> WritePolicyTable(const WorldFormat& format, const PolicyTable& table) {
  const bool zeph = IsZeph(format);
  const int32_t count = zeph ? kPolicyZephRows : kPolicyRows;
  ByteWriter out;
  out.Int(table.Version.value_or(zeph ? 2 : 5));
  out.Int(table.Count.value_or(count));
  for (int32_t k = 0; k < count; ++k) {
    const std::string_view key = zeph ? PolicyInfoZeph[k].Key : PolicyInfo[k].Key;
    out.Int(k == 0 ? TypeHash("POLICY_LIBERTY") : TypeHash(key));
    out.Byte(k < static_cast<int32_t>(table.Adopted.size()) ? table.Adopted[k] : 0);
  }
  return out.bytes();
}

std::vector<uint8_t> WriteTechTable(const WorldFormat& format, const TechTable& table) {
  const int32_t count = IsZeph(format) ? kTechZephRows : IsExp1(format) ? kTechExp1Rows : kTechRows;
  ByteWriter out;
  if (IsZeph(format)) {
    out.Int(1);
    out.Int(table.Count.value_or(count));
  } else {
    // The building list before the table, then the checks at fixed distances after its end.
    out.Str("BUILDING_MONUMENT");
    out.Int(1);
    out.Str("BUILDING_STONE_WORKS");
    out.Int(2);
    out.Str("BUILDING_WALLS");
    out.Int(3);
    out.Int(0);
    const size_t list_end = out.size();
    if (table.PassesChecks) {
      out.PutInt(list_end + 32, -1);
      out.PutInt(list_end + 48, -1);
    }
    out.PutInt(list_end + 304, table.EraCheck);
    out.Int(0);
    if (IsExp1(format)) out.Int(table.Count.value_or(count));
  }
  // The expansions store the technologies' hashes; the base game stores no count and no hashes.
  for (int32_t k = 0; k < count && format.RuleSet != Rules::kBase; ++k) {
    const std::string_view key = IsZeph(format) ? TechInfoZeph[k].Key : TechInfoExp1[k].Key;
    out.Int(k == 0 ? TypeHash("TECH_AGRICULTURE") : TypeHash(key));
  }
  for (int32_t k = 0; k < count; ++k) {
    out.Byte(k < static_cast<int32_t>(table.Known.size()) ? table.Known[k] : 0);
  }
  out.Zeros(static_cast<size_t>(count));
  for (int32_t k = 0; k < count; ++k) {
    out.Int(k < static_cast<int32_t>(table.Progress.size()) ? table.Progress[k] : 0);
  }
  return out.bytes();
}

namespace {

// Where each value of the economy block lies, in bytes from the block's start.
struct EconomyOffsets {
  int CultureFromCS, PolicyCulture, TotalCulture, Faith, TotalFaith, TotalHappiness,
      GoldenAgeProgress, GoldenAgeCount, GoldenAgeTurns, GreatPeopleBorn, GreatGeneralValue, Int2,
      ResearchOverflow, GreatGeneralPoints, GreatGeneralTotal, PolicyCultureNeeded, Int3,
      PolicyCount, Int4;
  int BlockEnd;
};
constexpr int kNone = -1;
constexpr EconomyOffsets kZephOffsets = {kNone, 0,   4,   20,  24,  28,  144, 152, 156, 172,
                                         176,   180, 516, 612, 620, 632, 636, 716, 720, 3224};
constexpr EconomyOffsets kExp1Offsets = {kNone, 0,   4,   20,  24,  28,  128, 136, 140, 156,
                                         160,   164, 416, 508, 516, 528, 532, 612, 616, 2120};
constexpr EconomyOffsets kBaseOffsets = {0,   8,   12,  kNone, kNone, 28,  120, 128, 132, 148,
                                         160, 152, 372, 464,   468,   480, 484, 560, 564, 2068};

void PutValue(ByteWriter& out, size_t start, int offset, int32_t value) {
  if (offset != kNone) out.PutInt(start + static_cast<size_t>(offset), value);
}

}  // namespace

std::vector<uint8_t> WriteEconomyRecord(const WorldFormat& format, const EconomyDescription& e,
                                        bool player_record) {
  EconomyOffsets at = kBaseOffsets;
  int block_before_marker = format.Build379995OrLater ? 1443 : 1442;
  int check_before_marker = 16;
  // The alive byte (the ever-alive byte follows it) and the record's slot number.
  int alive_before_marker = 822;
  int slot_before_marker = 804;
  if (IsZeph(format)) {
    at = kZephOffsets;
    block_before_marker = 2688;
    check_before_marker = 536;
    alive_before_marker = 1883;
    slot_before_marker = 1860;
  } else if (IsExp1(format)) {
    at = kExp1Offsets;
    block_before_marker = 1846;
    check_before_marker = 276;
    alive_before_marker = 1159;
    slot_before_marker = 1136;
    if (format.Build341540OrLater || format.Build379995OrLater) {
      block_before_marker += 13;
      // Twelve more bytes before the research overflow move everything after it.
      for (int* later :
           {&at.ResearchOverflow, &at.GreatGeneralPoints, &at.GreatGeneralTotal,
            &at.PolicyCultureNeeded, &at.Int3, &at.PolicyCount, &at.Int4, &at.BlockEnd}) {
        *later += 12;
      }
    }
    if (format.Build379995OrLater) block_before_marker += 1;
  }
  ByteWriter out;
  PutValue(out, 0, at.CultureFromCS, e.CultureFromCS);
  PutValue(out, 0, at.PolicyCulture, e.PolicyCulture);
  PutValue(out, 0, at.TotalCulture, e.TotalCulture);
  PutValue(out, 0, at.Faith, e.Faith);
  PutValue(out, 0, at.TotalFaith, e.TotalFaith);
  PutValue(out, 0, at.TotalHappiness, e.TotalHappiness);
  PutValue(out, 0, at.GoldenAgeProgress, e.GoldenAgeProgress);
  PutValue(out, 0, at.GoldenAgeCount, e.GoldenAgeCount);
  PutValue(out, 0, at.GoldenAgeTurns, e.GoldenAgeTurns);
  PutValue(out, 0, at.GreatPeopleBorn, e.GreatPeopleBorn);
  PutValue(out, 0, at.GreatGeneralValue, e.GreatGeneralValue);
  PutValue(out, 0, at.Int2, e.Int2);
  PutValue(out, 0, at.ResearchOverflow, e.ResearchOverflow);
  PutValue(out, 0, at.GreatGeneralPoints, e.GreatGeneralPoints);
  PutValue(out, 0, at.GreatGeneralTotal, e.GreatGeneralTotal);
  PutValue(out, 0, at.PolicyCultureNeeded, e.PolicyCultureNeeded);
  PutValue(out, 0, at.Int3, e.Int3);
  PutValue(out, 0, at.PolicyCount, e.PolicyCount);
  PutValue(out, 0, at.Int4, e.Int4);
  const size_t marker = static_cast<size_t>(block_before_marker);
  out.PutInt(marker - static_cast<size_t>(check_before_marker), player_record ? -1 : 0);
  out.PutInt(marker - 12, 0);
  out.PutInt(marker - static_cast<size_t>(slot_before_marker), e.RecordSlot.value_or(-1));
  const char flags[] = {static_cast<char>(e.Alive), static_cast<char>(e.EverAlive)};
  out.PutBytes(marker - static_cast<size_t>(alive_before_marker), std::string_view(flags, 2));
  out.PutInt(marker, 0x6F229238);
  ZerosTo(out, std::max<size_t>(static_cast<size_t>(at.BlockEnd), marker + 4));
  return out.bytes();
}

std::vector<uint8_t> WriteEconomyAnchor() {
  ByteWriter out;
  out.PutInt(0, static_cast<int32_t>(0xDFC41280));
  out.PutInt(28, 0x0252AC5E);
  out.PutInt(56, 0);
  out.PutInt(60, 16);
  return out.bytes();
}

std::vector<uint8_t> WritePlayerRecord(const WorldFormat& format, const EconomyDescription& economy,
                                       const std::optional<std::vector<HistoryPairs>>& history) {
  std::vector<uint8_t> record = WriteEconomyRecord(format, economy);
  if (history) {
    // What lies between the two blocks in a real record.
    record.resize(record.size() + 64, 0);
    const std::vector<uint8_t> block = WriteHistoryBlock(*history);
    record.insert(record.end(), block.begin(), block.end());
  }
  return record;
}

std::vector<uint8_t> WriteNotificationLog(const WorldFormat& format, const LogDescription& log) {
  int32_t marker = 0x37AEAE99;
  size_t check_offset = 12;
  int32_t check_value = 11;
  if (IsZeph(format)) {
    marker = static_cast<int32_t>(0xF5010319);
    check_offset = format.FinalPatch ? 24 : 8;
    check_value = format.FinalPatch ? 97 : 96;
  } else if (IsExp1(format)) {
    marker = 0x18BF8791;
    check_value = 12;
  }
  const int32_t tag = (IsZeph(format) || format.Build379995OrLater) ? 513 : 257;
  ByteWriter out;
  out.Int(marker);
  out.PutInt(check_offset, log.PassesCheck ? check_value : check_value + 1);
  ZerosTo(out, 32);
  // Tags of other slots' logs come first; each search step moves 16 bytes past a tag.
  for (int32_t i = 0; i < log.DecoyTags; ++i) {
    out.Int(tag);
    out.Byte(0);
    out.Int(log.Slot + 1 + i);
    out.Zeros(11);
  }
  out.Int(tag);
  out.Byte(0);
  out.Int(log.Slot);
  out.Int(0);
  out.Int(log.First);
  out.Int(log.Stop);
  for (int k = 0; k < 100; ++k) {
    const LogMessage message =
        k < static_cast<int>(log.Messages.size()) ? log.Messages[k] : LogMessage{};
    out.Int(message.Kind);
    out.Str(message.Text);
    out.Str(message.Summary);
    for (int i = 0; i < 4; ++i) out.Int(-1);
    out.Int(message.Turn);
    out.Int(0);
    out.Byte(0);
    out.Int(0);
  }
  out.Int(log.TreasuryVersion);
  out.Int(log.Gold);
  out.Int(log.DiploGold);
  for (int i = 0; i < 7; ++i) out.Int(0);
  out.IntList(log.List1);
  out.IntList(log.List2);
  if (log.TreasuryVersion >= 2) out.Int(0);
  return out.bytes();
}

}  // namespace vek5::testing
