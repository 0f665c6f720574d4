// Writes real save files for tests: a header laid out as the game writes it, a zlib stream cut
// into length-prefixed chunks, and a tail. Tests describe the game they want; each header
// section has its own writer so that later sections can be added one by one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vek5::testing {

// Little-endian writer of the save's primitive values.
class ByteWriter {
 public:
  void Int(int32_t v);
  void Short(int16_t v);
  void Byte(uint8_t v);
  void Bytes(const std::vector<uint8_t>& bytes);
  void Zeros(size_t count);
  // A length-prefixed 8-bit text.
  void Str(std::string_view text);
  // A length-prefixed text stored as UTF-16LE (each byte becomes one code unit).
  void UStr16(std::string_view text);
  // A count followed by that many int32 / texts / bytes.
  void IntList(const std::vector<int32_t>& values);
  void StrList(const std::vector<std::string>& texts);
  void ByteList(const std::vector<uint8_t>& values);
  // Overwrites (growing the buffer if needed) an int32 at an absolute offset.
  void PutInt(size_t offset, int32_t v);
  void PutBytes(size_t offset, std::string_view bytes);

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

struct ContentEntry {
  int32_t PackageId = 0;
  std::vector<std::string> Strings;  // the first is the entry's name
};

inline constexpr int32_t kStatusHuman = 3;
inline constexpr int32_t kStatusComputer = 1;
inline constexpr int32_t kStatusUnused = 4;

struct SlotDescription {
  int32_t CivType = -1;
  int32_t Status = kStatusUnused;
  int32_t LeaderType = 0;
  int32_t MinorCivType = 0;
  uint8_t IsMinor = 0;
  std::string CivKey;       // written only with slot keys
  std::string LeaderKey;    // written only with slot keys
  std::string MinorCivKey;  // written only with slot keys
};

inline constexpr int kSlotListLength = 64;

// A plausible small game: two major civilizations (the human first), two city-states and the
// barbarians in the last slot.
std::vector<SlotDescription> DefaultSlots();

struct GameOption {
  std::string Key;  // "GAMEOPTION_" plus a name
  int32_t Value = 0;
};

struct ReplayMessage {
  int32_t Turn = 0;
  std::string Text;  // written as the game writes it: 8-bit where that reads back, else UTF-16
};

struct GameDescription {
  int32_t SaveVersion = 8;
  std::string GameVersion = "1.0.3.279 (403694)";
  std::string BuildText = "403694";
  std::string CivKey = "CIVILIZATION_GREECE";
  std::string HandicapKey = "HANDICAP_PRINCE";
  std::string StartEraKey = "ERA_ANCIENT";
  std::string CurrentEraKey = "ERA_ANCIENT";
  std::string GameSpeedKey = "GAMESPEED_STANDARD";
  std::string WorldSizeKey = "WORLDSIZE_SMALL";
  std::string MapScript = "Assets\\Maps\\Continents.lua";
  std::vector<ContentEntry> Content;
  // Per-slot text keys instead of leader and city-state type lists (save version 7 and later).
  bool SlotKeys = false;
  std::vector<SlotDescription> Slots = DefaultSlots();  // slots 0.. in order; padded to 64
  // The team of slots 0..; a slot beyond the list is in a team of its own, numbered as the slot.
  std::vector<int32_t> SlotTeams;
  std::string UserName = "Tester";
  // The list of 64 int32 that saves of the game's final patch hold after the 29th item of the
  // slot section.
  bool FinalPatchSlotList = false;
  // The int16 after that list's place; with 64 the int32 there still is not 64.
  int16_t SlotSectionShort = 3;
  // The kind of game (0 single player, 1 network, 2 hotseat, 3 e-mail): the header's byte, and
  // its copy in the slot section (the same unless set apart).
  uint8_t GameType = 0;
  std::optional<int32_t> SlotGameType;
  int32_t ActivePlayer = 0;  // the slot whose turn it is
  // Texts of the slot section; the game leaves them empty in a single-player game. The calendar
  // and the climate have eight texts each (missing ones are written empty).
  std::string AdminPassword;
  std::vector<std::string> CalendarTexts;
  std::vector<std::string> HotseatPasswords;
  std::vector<std::string> ClimateTexts = {"", "w", "", "", "", "x", "y", "z"};
  std::vector<std::string> EmailAddresses;
  std::vector<std::string> FlagDecals;

  // Turn timer and the allowed victories (Time, Science, Domination, Culture, Diplomatic, ...).
  std::string TurnTimerKey = "TXT_KEY_TURNTIMER_MEDIUM";
  std::vector<uint8_t> Victories = {1, 1, 1, 1, 1};
  std::vector<GameOption> GameOptions = {{"GAMEOPTION_QUICK_COMBAT", 1},
                                         {"GAMEOPTION_RAGING_BARBARIANS", 0},
                                         {"GAMEOPTION_NO_TUTORIAL", 1}};

  // Fixed fields at the start of the body.
  int32_t TurnsPlayed = 60;
  int32_t StartTurn = 0;
  int32_t MaxTurns = 500;
  int32_t PlayTime = 54321;  // tenths of a second
  // Written at body offset 130 before the second block when the save has slot keys.
  std::vector<std::string> BodyKeyTexts = {"FIRST_TURN_BUILD_CITY"};
  int32_t HandicapIndex = 3;
  int32_t VictoryType = -1;
  int32_t GameOver = 0;
  int32_t Score = 180;

  // The replay list: its recognisable pattern (-1, 0, 1 and a large fourth value), optionally
  // preceded by candidates whose fourth values are given, then the messages and the int32 that
  // follows them.
  int32_t ReplayPatternValue = 0x1234567;
  std::vector<int32_t> ReplayDecoyValues;
  bool WriteReplayPattern = true;
  std::vector<ReplayMessage> ReplayMessages = {
      {0, "Session 1 starts"},
      {0, "Athens is founded."},
      {0, "Thebes is founded."},
      {12, "[COLOR_POSITIVE_TEXT]Alexander[ENDCOLOR] meets Ramesses II."},
      {31, "Sparta is founded."},
      {44, "Session 2 starts"}};
  // The count written before the messages; the number of messages when unset.
  std::optional<int32_t> StoredReplayCount;
  int32_t SessionCounter = 3;

  // Later body sections, appended in order after the int32 that follows the replay list.
  std::vector<std::vector<uint8_t>> BodySections;
  std::vector<uint8_t> Tail;
  // The body's stream ends as the game ends it (see SaveFileParts::GameStream).
  bool GameStream = false;
};

// Header sections, in file order.
void WriteSettings(ByteWriter& out, const GameDescription& game);
void WriteSlotSection(ByteWriter& out, const GameDescription& game);
void WriteTurnTimer(ByteWriter& out, const GameDescription& game);
void WriteGameOptions(ByteWriter& out, const GameDescription& game);
// The whole header, from offset 0 up to the first chunk's length field.
std::vector<uint8_t> WriteHeader(const GameDescription& game);

// Start of the body: the fixed fields, the second block and the replay list.
void WriteBodyStart(ByteWriter& out, const GameDescription& game);
// The whole inflated body: its start, then the later sections.
std::vector<uint8_t> WriteBody(const GameDescription& game);
// Offset of the replay list's count from the start of the body.
size_t ReplayListOffset(const GameDescription& game);

// The parts of a save file. The first chunk's length field follows the header; in the
// assembled image it becomes "BODY", so the header lies there exactly as written.
struct SaveFileParts {
  std::vector<uint8_t> Header;
  std::vector<uint8_t> Body;
  std::vector<size_t> ChunkSizes;  // sizes of the compressed chunks; the last takes the rest
  int32_t Terminator = 0;          // the length field that ends the chunk list
  std::vector<uint8_t> Tail;
  // The stream ends as the game ends it: with a sync flush, no final block and no checksum.
  // Otherwise it is a complete zlib stream.
  bool GameStream = false;
};

// A complete zlib stream of the bytes.
std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes);
// A zlib stream of the bytes ended by a sync flush, as the game writes its bodies.
std::vector<uint8_t> CompressAsGame(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> BuildSaveFile(const SaveFileParts& parts);
// A whole save file: header, the body compressed and cut into 64 KiB chunks as the game does,
// and the tail.
std::vector<uint8_t> WriteSaveFile(const GameDescription& game);

// Files for tests: a fresh path in a private temporary folder, and whole-file writing.
std::string TempPath(std::string_view name);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

// Path of a real save of the game in the shared folder, or empty when it is not there.
std::string SharedSave(std::string_view name);

}  // namespace vek5::testing
