#include "support/save_builder.h"

#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vek5::testing {

void ByteWriter::Int(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

void ByteWriter::Short(int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  bytes_.push_back(static_cast<uint8_t>(u & 0xFF));
  bytes_.push_back(static_cast<uint8_t>(u >> 8));
}

void ByteWriter::Byte(uint8_t v) {
  bytes_.push_back(v);
}

void ByteWriter::Bytes(const std::vector<uint8_t>& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::Zeros(size_t count) {
  bytes_.resize(bytes_.size() + count, 0);
}

void ByteWriter::Str(std::string_view text) {
  Int(static_cast<int32_t>(text.size()));
  bytes_.insert(bytes_.end(), text.begin(), text.end());
}

void ByteWriter::UStr16(std::string_view text) {
  Int(static_cast<int32_t>(text.size()));
  for (const char c : text) Short(static_cast<int16_t>(static_cast<uint8_t>(c)));
}

void ByteWriter::IntList(const std::vector<int32_t>& values) {
  Int(static_cast<int32_t>(values.size()));
  for (const int32_t v : values) Int(v);
}

void ByteWriter::StrList(const std::vector<std::string>& texts) {
  Int(static_cast<int32_t>(texts.size()));
  for (const std::string& t : texts) Str(t);
}

void ByteWriter::ByteList(const std::vector<uint8_t>& values) {
  Int(static_cast<int32_t>(values.size()));
  Bytes(values);
}

void ByteWriter::PutInt(size_t offset, int32_t v) {
  if (bytes_.size() < offset + 4) bytes_.resize(offset + 4, 0);
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<uint8_t>(u >> (8 * i));
}

void ByteWriter::PutBytes(size_t offset, std::string_view bytes) {
  if (bytes_.size() < offset + bytes.size()) bytes_.resize(offset + bytes.size(), 0);
  for (size_t i = 0; i < bytes.size(); ++i) bytes_[offset + i] = static_cast<uint8_t>(bytes[i]);
}

namespace {

// One value per slot, padded with the value of an unlisted slot.
template <typename T, typename Get>
std::vector<T> PerSlot(const GameDescription& game, Get get, T padding) {
  std::vector<T> values(kSlotListLength, padding);
  for (size_t i = 0; i < game.Slots.size() && i < values.size(); ++i)
    values[i] = get(game.Slots[i]);
  return values;
}

// The team of every slot: as described, else a team of its own numbered as the slot.
std::vector<int32_t> SlotTeams(const GameDescription& game) {
  std::vector<int32_t> teams(kSlotListLength);
  for (size_t i = 0; i < teams.size(); ++i) {
    teams[i] = i < game.SlotTeams.size() ? game.SlotTeams[i] : static_cast<int32_t>(i);
  }
  return teams;
}

// The texts of an info record: always eight, those not given empty.
void WriteInfoTexts(ByteWriter& out, const std::vector<std::string>& texts) {
  constexpr size_t kInfoTexts = 8;
  for (size_t i = 0; i < kInfoTexts; ++i) out.Str(i < texts.size() ? texts[i] : "");
}

std::vector<std::string> SlotTexts(const GameDescription& game,
                                   std::string SlotDescription::*field) {
  return PerSlot<std::string>(
      game, [&](const SlotDescription& s) { return s.*field; }, "");
}

}  // namespace

// The current turn the header stores; hostile descriptions may overflow it, so it wraps as the
// stored int32 would.
int32_t StoredCurrentTurn(const GameDescription& game) {
  return static_cast<int32_t>(static_cast<uint32_t>(game.StartTurn) +
                              static_cast<uint32_t>(game.TurnsPlayed));
}

void WriteSettings(ByteWriter& out, const GameDescription& game) {
  out.Int(0);  // four leading bytes the analysis never reads
  out.Int(game.SaveVersion);
  if (game.SaveVersion > 5) {
    out.UStr16(game.GameVersion);
    out.UStr16(game.BuildText);
  }
  out.Int(StoredCurrentTurn(game));
  out.Byte(game.GameType);
  for (const std::string* key :
       {&game.CivKey, &game.HandicapKey, &game.StartEraKey, &game.CurrentEraKey, &game.GameSpeedKey,
        &game.WorldSizeKey, &game.MapScript}) {
    out.Str(*key);
  }
  out.Int(static_cast<int32_t>(game.Content.size()));
  for (const ContentEntry& entry : game.Content) {
    out.Int(entry.PackageId);
    out.Int(0x11111111);
    out.Int(0x22222222);
    out.Int(0x33333333);
    out.StrList(entry.Strings);
  }
}

void WriteSlotSection(ByteWriter& out, const GameDescription& game) {
  const int32_t v = game.SaveVersion;
  out.Int(1);  // 1: one (string, int32, string) item
  out.Str("ITEM");
  out.Int(7);
  out.Str("VALUE");
  out.Str("a");  // 2
  out.Str("b");
  out.Str("c");
  if (v > 7) {  // 3
    for (int i = 0; i < 4; ++i) out.Int(i);
    out.Str("s");
    for (int i = 0; i < 5; ++i) out.Int(i);
  }
  if (v > 6) out.Int(0);  // 4
  out.Int(0);             // 5
  out.Int(0);
  out.Str("x");
  out.IntList(PerSlot<int32_t>(
      game, [](const SlotDescription& s) { return s.CivType; }, -1));  // 6
  out.StrList(std::vector<std::string>(3, "n"));                       // 7
  out.IntList(PerSlot<int32_t>(
      game, [](const SlotDescription& s) { return s.Status; },
      kStatusUnused));           // 8
  out.IntList({1, 2, 3});        // 9
  out.IntList(SlotTeams(game));  // 10
  if (v > 7) out.IntList({6});   // 11
  const bool keys = game.SlotKeys && v > 6;
  if (v > 6) {  // 12
    if (keys) {
      out.StrList(SlotTexts(game, &SlotDescription::CivKey));     // 12a (count 64)
      out.StrList(SlotTexts(game, &SlotDescription::LeaderKey));  // 12b
      out.Int(0);                                                 // 12c
    } else {
      out.Int(0);
    }
  }
  out.Int(game.ActivePlayer);  // 13
  out.Str(game.AdminPassword);
  out.Int(2);
  out.Str("t");
  out.IntList({9, 9});  // 14
  out.Byte(1);          // 15
  for (int i = 0; i < 4; ++i) out.Int(i);
  out.Int(-1);
  WriteInfoTexts(out, game.CalendarTexts);
  out.StrList({"p"});                  // 16
  out.StrList({"q", "r"});             // 17
  if (!keys) out.IntList({1});         // 18
  out.StrList(game.HotseatPasswords);  // 19
  out.StrList({"u"});                  // 20
  out.Int(0);                          // 21
  out.Int(1);
  WriteInfoTexts(out, game.ClimateTexts);
  for (int i = 0; i < 12; ++i) out.Int(i);
  out.StrList(game.EmailAddresses);  // 22
  out.Int(5);                        // 23
  out.StrList(game.FlagDecals);      // 24
  out.ByteList({1, 0, 1});           // 25
  out.Int(1);                        // 26
  out.Str("m");
  out.Int(2);
  if (v > 6) out.Byte(0);            // 27
  out.Int(StoredCurrentTurn(game));  // 28
  out.Int(game.SlotGameType.value_or(game.GameType));
  for (int i = 0; i < 5; ++i) out.Byte(0);
  out.IntList({7, 8});  // 29
  if (game.FinalPatchSlotList) out.IntList(std::vector<int32_t>(kSlotListLength, 0));
  out.Short(game.SlotSectionShort);  // 30
  if (v < 7) out.Byte(0);            // 31
  if (!keys) {                       // 32
    out.IntList(PerSlot<int32_t>(
        game, [](const SlotDescription& s) { return s.LeaderType; }, 0));
  }
  out.StrList({"o"});  // 33
  out.Str("account");  // 34
  out.Str(game.UserName);
  for (int i = 0; i < 7; ++i) out.Byte(0);  // 35
  out.Str("h");
  for (int i = 0; i < 3; ++i) out.Int(i);
  if (keys) {  // 36'
    out.StrList(SlotTexts(game, &SlotDescription::MinorCivKey));
  } else {  // 36
    out.IntList(PerSlot<int32_t>(
        game, [](const SlotDescription& s) { return s.MinorCivType; }, 0));
  }
  out.ByteList(PerSlot<uint8_t>(
      game, [](const SlotDescription& s) { return s.IsMinor; }, 0));  // 37
}

void WriteTurnTimer(ByteWriter& out, const GameDescription& game) {
  out.IntList({0, 63});  // what lies between the slot lists and the turn timer
  out.Str("TURNTIMER_MEDIUM");
  out.Str(game.TurnTimerKey);
  out.Str("Medium");
  for (const int32_t v : {30, 12, 4, 4, 3}) out.Int(v);
  out.Byte(0);
  out.ByteList(game.Victories);
  out.Byte(64);
  out.Zeros(40);
}

void WriteGameOptions(ByteWriter& out, const GameDescription& game) {
  out.Int(static_cast<int32_t>(game.GameOptions.size()));
  for (const GameOption& option : game.GameOptions) {
    out.Str(option.Key);
    out.Int(option.Value);
  }
  out.Zeros(64);
  out.Int(2);
}

std::vector<uint8_t> WriteHeader(const GameDescription& game) {
  ByteWriter out;
  WriteSettings(out, game);
  WriteSlotSection(out, game);
  WriteTurnTimer(out, game);
  WriteGameOptions(out, game);
  return out.bytes();
}

namespace {

constexpr size_t kTurnsPlayedOffset = 8;
constexpr size_t kStartYearOffset = 20;
constexpr size_t kBodyKeyTextsOffset = 130;
constexpr size_t kSecondBlockOffset = 138;
constexpr size_t kScoreOffset = 820;
constexpr size_t kReplayScanStart = 500;
constexpr size_t kPatternSize = 16;
constexpr size_t kChunkSize = 64 * 1024;

bool HasSlotKeys(const GameDescription& game) {
  return game.SlotKeys && game.SaveVersion > 6;
}

void PadTo(ByteWriter& out, size_t offset) {
  if (out.size() < offset) out.Zeros(offset - out.size());
}

void WritePattern(ByteWriter& out, int32_t fourth) {
  for (const int32_t v : {-1, 0, 1, fourth}) out.Int(v);
}

// Where the pattern lies: behind the second block, never before the scan's start.
size_t PatternOffset(const GameDescription& game) {
  size_t second_block = kSecondBlockOffset;
  if (HasSlotKeys(game)) {
    second_block = kBodyKeyTextsOffset + 4;
    for (const std::string& text : game.BodyKeyTexts) second_block += 4 + text.size();
  }
  const size_t after_block = second_block + kScoreOffset + 4 + 16;
  const size_t first = std::max(kReplayScanStart, (after_block + 3) / 4 * 4);
  return first + game.ReplayDecoyValues.size() * (kPatternSize + 4);
}

// Texts of the replay list as the game writes them: 8-bit when the reader takes them as such,
// UTF-16 otherwise.
void WriteReplayText(ByteWriter& out, std::string_view text) {
  const bool eight_bit = text.size() >= 2 && static_cast<uint8_t>(text[1]) >= 0x14;
  if (text.empty() || eight_bit) {
    out.Str(text);
  } else {
    out.UStr16(text);
  }
}

void WriteReplayMessage(ByteWriter& out, const GameDescription& game, const ReplayMessage& m) {
  if (game.SaveVersion > 6) {
    out.Int(m.Turn);
    out.Int(0);
    out.IntList({-1});
    out.Int(0);
    WriteReplayText(out, m.Text);
  } else {
    out.Int(0);
    out.Int(m.Turn);
    for (int i = 0; i < 4; ++i) out.Int(0);
    WriteReplayText(out, m.Text);
    out.Int(0);
  }
}

}  // namespace

size_t ReplayListOffset(const GameDescription& game) {
  return PatternOffset(game) + (game.SaveVersion > 6 ? 46 : 42);
}

void WriteBodyStart(ByteWriter& out, const GameDescription& game) {
  out.Int(11);
  PadTo(out, kTurnsPlayedOffset);
  out.Int(game.TurnsPlayed);
  out.Int(game.StartTurn);
  PadTo(out, kStartYearOffset);
  out.Int(-4000);
  out.Int(game.MaxTurns);
  out.Int(game.MaxTurns);
  out.Int(game.PlayTime);
  if (HasSlotKeys(game)) {
    PadTo(out, kBodyKeyTextsOffset);
    out.StrList(game.BodyKeyTexts);
  } else {
    PadTo(out, kSecondBlockOffset);
  }
  const size_t q = out.size();
  out.Int(game.HandicapIndex);
  PadTo(out, q + 20);
  out.Int(game.VictoryType);
  out.Int(game.GameOver);
  PadTo(out, q + kScoreOffset);
  out.Int(game.Score);

  PadTo(out, PatternOffset(game) - game.ReplayDecoyValues.size() * (kPatternSize + 4));
  for (const int32_t decoy : game.ReplayDecoyValues) {
    WritePattern(out, decoy);
    out.Int(0);
  }
  if (game.WriteReplayPattern) WritePattern(out, game.ReplayPatternValue);
  PadTo(out, ReplayListOffset(game));
  out.Int(game.StoredReplayCount.value_or(static_cast<int32_t>(game.ReplayMessages.size())));
  for (const ReplayMessage& m : game.ReplayMessages) WriteReplayMessage(out, game, m);
  out.Int(game.SessionCounter);
}

std::vector<uint8_t> WriteBody(const GameDescription& game) {
  ByteWriter out;
  WriteBodyStart(out, game);
  for (const std::vector<uint8_t>& section : game.BodySections) out.Bytes(section);
  return out.bytes();
}

std::vector<uint8_t> WriteSaveFile(const GameDescription& game) {
  SaveFileParts parts;
  parts.Header = WriteHeader(game);
  parts.Body = WriteBody(game);
  // More sizes than chunks: the list of chunks ends with the compressed stream.
  parts.ChunkSizes.assign(parts.Body.size() / kChunkSize + 2, kChunkSize);
  parts.Tail = game.Tail;
  parts.GameStream = game.GameStream;
  return BuildSaveFile(parts);
}

std::vector<SlotDescription> DefaultSlots() {
  std::vector<SlotDescription> slots(kSlotListLength);
  slots[0] = {8, kStatusHuman, 0, 0, 0, "CIVILIZATION_GREECE", "LEADER_ALEXANDER", ""};
  slots[1] = {4, kStatusComputer, 14, 0, 0, "CIVILIZATION_EGYPT", "LEADER_RAMESSES", ""};
  slots[22] = {18, kStatusComputer, 0, 0, 1, "CIVILIZATION_MINOR", "", "MINOR_CIV_WARSAW"};
  slots[23] = {18, kStatusComputer, 0, 3, 1, "CIVILIZATION_MINOR", "", "MINOR_CIV_GENEVA"};
  slots[63] = {19, kStatusComputer, 3, 0, 0, "CIVILIZATION_BARBARIAN", "LEADER_BARBARIAN", ""};
  return slots;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes) {
  uLongf size = compressBound(static_cast<uLong>(bytes.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, bytes.data(), static_cast<uLong>(bytes.size()),
                Z_DEFAULT_COMPRESSION) != Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(size);
  return out;
}

std::vector<uint8_t> CompressAsGame(const std::vector<uint8_t>& bytes) {
  z_stream z{};
  if (deflateInit(&z, Z_DEFAULT_COMPRESSION) != Z_OK)
    throw std::runtime_error("deflateInit failed");
  std::vector<uint8_t> out(deflateBound(&z, static_cast<uLong>(bytes.size())) + 64);
  z.next_in = const_cast<Bytef*>(bytes.data());
  z.avail_in = static_cast<uInt>(bytes.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int status = deflate(&z, Z_SYNC_FLUSH);
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  if (status != Z_OK || z.avail_in != 0) throw std::runtime_error("deflate failed");
  return out;
}

std::vector<uint8_t> BuildSaveFile(const SaveFileParts& parts) {
  const std::vector<uint8_t> stream =
      parts.GameStream ? CompressAsGame(parts.Body) : Compress(parts.Body);
  ByteWriter out;
  out.Bytes(parts.Header);
  size_t done = 0;
  for (size_t i = 0; i <= parts.ChunkSizes.size() && done < stream.size(); ++i) {
    const size_t size = i < parts.ChunkSizes.size()
                            ? std::min(parts.ChunkSizes[i], stream.size() - done)
                            : stream.size() - done;
    out.Int(static_cast<int32_t>(size));
    out.Bytes(std::vector<uint8_t>(stream.begin() + done, stream.begin() + done + size));
    done += size;
  }
  out.Int(parts.Terminator);
  out.Bytes(parts.Tail);
  return out.bytes();
}

std::string TempPath(std::string_view name) {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "vek5-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return std::filesystem::path(pattern);
  }();
  return (folder / std::string(name)).string();
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string SharedSave(std::string_view name) {
  const std::filesystem::path path = std::filesystem::path(VEK5_SHARED_SAVES) / std::string(name);
  return std::filesystem::exists(path) ? path.string() : std::string();
}

}  // namespace vek5::testing
