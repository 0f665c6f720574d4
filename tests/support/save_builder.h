// Writes real save files for tests: a header laid out as the game writes it, a zlib stream cut
// into length-prefixed chunks, and a tail. Tests describe the game they want; each header
// section has its own writer so that later sections can be added one by one.
#pragma once

#include <cstdint>
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
  std::vector<SlotDescription> Slots;  // slots 0.. in order; the lists are padded to 64
  std::string UserName = "Tester";
};

// Header sections, in file order.
void WriteSettings(ByteWriter& out, const GameDescription& game);
void WriteSlotSection(ByteWriter& out, const GameDescription& game);
// Everything from offset 0 up to the end of the slot section.
std::vector<uint8_t> WriteHeader(const GameDescription& game);

// The parts of a save file. The first chunk's length field follows the header; in the
// assembled image it becomes "BODY", so the header lies there exactly as written.
struct SaveFileParts {
  std::vector<uint8_t> Header;
  std::vector<uint8_t> Body;
  std::vector<size_t> ChunkSizes;  // sizes of the compressed chunks; the last takes the rest
  int32_t Terminator = 0;          // the length field that ends the chunk list
  std::vector<uint8_t> Tail;
};

std::vector<uint8_t> Compress(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> BuildSaveFile(const SaveFileParts& parts);

// Files for tests: a fresh path in a private temporary folder, and whole-file writing.
std::string TempPath(std::string_view name);
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

// Path of a real save of the game in the shared folder, or empty when it is not there.
std::string SharedSave(std::string_view name);

}  // namespace vek5::testing
