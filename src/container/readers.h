// Primitive readers and marker searches over an assembled save image.
// Values are little-endian and unaligned; bytes before offset 0 and at or after DataLength
// read as zero, so no read can leave the buffer whatever the position holds.
#pragma once

#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "container/save_image.h"

namespace vek5 {

// The readers' bounds checks tell a coverage-guided fuzzer nothing about the save, and tracing
// them would cost it a third of its speed: they are left out of its coverage.
#if defined(__clang__)
#define VEK5_NO_FUZZ_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define VEK5_NO_FUZZ_COVERAGE
#endif

// Longest text a string reader returns; longer length fields give the empty text.
inline constexpr int32_t kMaxStringLength = 16767;

VEK5_NO_FUZZ_COVERAGE uint8_t ByteAt(const SaveImage& save, int64_t offset);

// The int32 readers are called for nearly every value of a save, so they are inline; a value
// reaching outside the image is read byte by byte.
VEK5_NO_FUZZ_COVERAGE int32_t PeekIntByBytes(const SaveImage& save, int64_t offset);

VEK5_NO_FUZZ_COVERAGE inline int32_t PeekInt(const SaveImage& save, int64_t offset) {
  if (offset >= 0 && offset + 4 <= save.DataLength) {
    uint32_t v;
    std::memcpy(&v, save.SaveBuffer.data() + offset, 4);
    return static_cast<int32_t>(v);
  }
  return PeekIntByBytes(save, offset);
}

VEK5_NO_FUZZ_COVERAGE inline int32_t ReadInt(const SaveImage& save, int32_t& pos) {
  const int32_t v = PeekInt(save, pos);
  pos = pos > INT32_MAX - 4 ? INT32_MAX : pos + 4;
  return v;
}

int16_t ReadShort(const SaveImage& save, int32_t& pos);
char ReadChar(const SaveImage& save, int32_t& pos);
uint32_t ReadBool(const SaveImage& save, int32_t& pos);
// Raw 8-bit text (length-prefixed); ends at the first zero byte.
VEK5_NO_FUZZ_COVERAGE std::string ReadStr(const SaveImage& save, int32_t& pos);
// The same text as ReadStr, seen in the image (valid while the image is), for readers that only
// look at it.
VEK5_NO_FUZZ_COVERAGE std::string_view ReadStrView(const SaveImage& save, int32_t& pos);
// Text stored as 8-bit bytes or as UTF-16LE (only the low byte of each unit is kept).
std::string ReadUStr(const SaveImage& save, int32_t& pos);

// Smallest offset p >= start where the bytes of text lie; 0 when there is none.
int32_t FindStr(const SaveImage& save, std::string_view text, int32_t start);
// Smallest offset p >= start holding the 32-bit little-endian value; 0 when there is none.
int32_t FindInt(const SaveImage& save, int32_t value, int32_t start);

}  // namespace vek5
