// Reading the save's counted lists safely. A count comes from the file and may be garbage, so
// every loop it drives is first cut to what the rest of the image could hold: an item needs at
// least a few bytes, and a list cannot have more items than there are such runs of bytes left.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "container/readers.h"
#include "container/save_image.h"

namespace vek5 {

// Smallest sizes of one item of a list in the save.
inline constexpr int32_t kMinIntBytes = 4;
inline constexpr int32_t kMinByteBytes = 1;
inline constexpr int32_t kMinStrBytes = 4;  // the length field of an empty text

// The count cut to 0 .. the number of items of at least min_item_bytes each that fit between
// pos and the end of the image.
int32_t BoundedCount(const SaveImage& save, int64_t pos, int32_t count, int32_t min_item_bytes);

// Reads a count and then that many items, storing item i at index i while i < N.
template <size_t N>
void ReadIntList(const SaveImage& save, int32_t& pos, std::array<int32_t, N>& into) {
  const int32_t count = ReadInt(save, pos);
  const int32_t n = BoundedCount(save, pos, count, kMinIntBytes);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t v = ReadInt(save, pos);
    if (i < static_cast<int32_t>(N)) into[i] = v;
  }
}

template <size_t N>
void ReadByteList(const SaveImage& save, int32_t& pos, std::array<int32_t, N>& into) {
  const int32_t count = ReadInt(save, pos);
  const int32_t n = BoundedCount(save, pos, count, kMinByteBytes);
  for (int32_t i = 0; i < n; ++i) {
    const auto v = static_cast<uint8_t>(ReadChar(save, pos));
    if (i < static_cast<int32_t>(N)) into[i] = v;
  }
}

// Reads n texts (the count already read), storing text i at index i while i < N.
template <size_t N>
void ReadStrItems(const SaveImage& save, int32_t& pos, int32_t count,
                  std::array<std::string, N>& into) {
  const int32_t n = BoundedCount(save, pos, count, kMinStrBytes);
  for (int32_t i = 0; i < n; ++i) {
    std::string text = ReadStr(save, pos);
    if (i < static_cast<int32_t>(N)) into[i] = std::move(text);
  }
}

// Read count items (the count already read) without keeping them.
void SkipInts(const SaveImage& save, int32_t& pos, int32_t count);
void SkipStrs(const SaveImage& save, int32_t& pos, int32_t count);
void SkipBytes(const SaveImage& save, int32_t& pos, int32_t count);

// A count and then that many items, none kept.
void SkipIntList(const SaveImage& save, int32_t& pos);
void SkipByteList(const SaveImage& save, int32_t& pos);

}  // namespace vek5
