// The 32-bit value by which a Zeph save names a type: the bitwise complement of the CRC-32
// (reflected polynomial 0xEDB88320) of the key's ASCII text.
#pragma once

#include <cstdint>
#include <string_view>

namespace vek5 {

constexpr int32_t TypeHash(std::string_view key) {
  uint32_t crc = 0xFFFFFFFFu;
  for (const char c : key) {
    crc ^= static_cast<uint8_t>(c);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  // The CRC's final complement and the hash's complement cancel out.
  return static_cast<int32_t>(crc);
}

static_assert(TypeHash("PROJECT_MANHATTAN_PROJECT") == 113407765);
static_assert(TypeHash("PROCESS_WEALTH") == 769438116);

}  // namespace vek5
