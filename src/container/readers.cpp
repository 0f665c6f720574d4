#include "container/readers.h"

#include "container/byte_search.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <optional>

namespace vek5 {
namespace {

// Moves a position forward without ever overflowing it.
void Advance(int32_t& pos, int64_t by) {
  pos = static_cast<int32_t>(std::min<int64_t>(int64_t{pos} + by, INT32_MAX));
}

bool MatchesAt(const SaveImage& save, std::string_view pattern, int64_t p) {
  for (size_t j = 0; j < pattern.size(); ++j) {
    if (ByteAt(save, p + static_cast<int64_t>(j)) != static_cast<uint8_t>(pattern[j])) return false;
  }
  return true;
}

// The first match at p >= start and p <= DataLength - 1. Matches lying wholly inside the buffer
// are found with a substring search; the few that start before 0 or reach past DataLength
// (where bytes read as zero) are checked byte by byte.
int32_t FindPattern(const SaveImage& save, std::string_view pattern, int32_t start) {
  const int64_t length = save.DataLength;
  if (pattern.empty() || start > length - 1) return 0;
  const int64_t m = static_cast<int64_t>(pattern.size());
  // Wholly before offset 0 everything reads as zero: only an all-zero pattern matches there.
  const bool all_zero = pattern.find_first_not_of('\0') == std::string_view::npos;
  if (start < 0 && all_zero) return start;
  for (int64_t p = std::max<int64_t>(start, 1 - m); p < std::min<int64_t>(0, length); ++p) {
    if (MatchesAt(save, pattern, p)) return static_cast<int32_t>(p);
  }
  const int64_t inner_begin = std::max<int64_t>(start, 0);
  const int64_t inner_end = length - m + 1;  // one past the last offset of a whole match
  if (inner_begin < inner_end) {
    const uint8_t* data = save.SaveBuffer.data();
    const std::optional<int64_t> known = save.Markers.First(data, length, pattern, inner_begin);
    if (known) {
      if (*known >= 0) return static_cast<int32_t>(*known);
    } else {
      const int64_t hit = FindBytes(data + inner_begin, length - inner_begin, pattern);
      if (hit >= 0) return static_cast<int32_t>(inner_begin + hit);
    }
  }
  for (int64_t p = std::max(inner_begin, inner_end); p < length; ++p) {
    if (MatchesAt(save, pattern, p)) return static_cast<int32_t>(p);
  }
  return 0;
}

// The n bytes at pos up to the first zero byte; bytes outside the image read as zero, so a text
// ends where the image does (and is empty when it starts before offset 0).
VEK5_NO_FUZZ_COVERAGE std::string_view BytesUpToZero(const SaveImage& save, int64_t pos,
                                                     int32_t n) {
  if (pos < 0 || pos >= save.DataLength) return {};
  const auto* first = save.SaveBuffer.data() + pos;
  const auto room = static_cast<size_t>(std::min<int64_t>(n, save.DataLength - pos));
  const void* zero = std::memchr(first, 0, room);
  const size_t length =
      zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - first) : room;
  return std::string_view(reinterpret_cast<const char*>(first), length);
}

}  // namespace

uint8_t ByteAt(const SaveImage& save, int64_t offset) {
  if (offset < 0 || offset >= save.DataLength) return 0;
  return save.SaveBuffer[static_cast<size_t>(offset)];
}

int32_t PeekIntByBytes(const SaveImage& save, int64_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | ByteAt(save, offset + i);
  return static_cast<int32_t>(v);
}

int16_t ReadShort(const SaveImage& save, int32_t& pos) {
  const auto v = static_cast<uint16_t>(ByteAt(save, pos) | (ByteAt(save, int64_t{pos} + 1) << 8));
  Advance(pos, 2);
  return static_cast<int16_t>(v);
}

char ReadChar(const SaveImage& save, int32_t& pos) {
  const char c = static_cast<char>(ByteAt(save, pos));
  Advance(pos, 1);
  return c;
}

uint32_t ReadBool(const SaveImage& save, int32_t& pos) {
  const uint32_t b = ByteAt(save, pos);
  Advance(pos, 1);
  return b;
}

std::string_view ReadStrView(const SaveImage& save, int32_t& pos) {
  const int32_t n = ReadInt(save, pos);
  if (n <= 0 || n > kMaxStringLength) return {};
  const std::string_view text = BytesUpToZero(save, pos, n);
  Advance(pos, n);
  return text;
}

std::string ReadStr(const SaveImage& save, int32_t& pos) {
  return std::string(ReadStrView(save, pos));
}

std::string ReadUStr(const SaveImage& save, int32_t& pos) {
  const int32_t n = ReadInt(save, pos);
  if (n <= 0 || n > kMaxStringLength) return {};
  // A second byte below 0x14 can only be the high byte of a UTF-16 unit.
  const int step = (n == 1 || ByteAt(save, int64_t{pos} + 1) < 0x14) ? 2 : 1;
  std::string text;
  if (step == 1) {
    text = std::string(BytesUpToZero(save, pos, n));
  } else {
    for (int32_t i = 0; i < n; ++i) {
      const uint8_t b = ByteAt(save, int64_t{pos} + int64_t{i} * step);
      if (b == 0) break;
      text.push_back(static_cast<char>(b));
    }
  }
  Advance(pos, int64_t{n} * step);
  return text;
}

int32_t FindStr(const SaveImage& save, std::string_view text, int32_t start) {
  return FindPattern(save, text, start);
}

int32_t FindInt(const SaveImage& save, int32_t value, int32_t start) {
  char pattern[4];
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) pattern[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return FindPattern(save, std::string_view(pattern, 4), start);
}

}  // namespace vek5
