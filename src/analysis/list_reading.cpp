#include "analysis/list_reading.h"

#include <algorithm>

namespace vek5 {

int32_t BoundedCount(const SaveImage& save, int64_t pos, int32_t count, int32_t min_item_bytes) {
  const int64_t left = std::max<int64_t>(save.DataLength - pos, 0);
  return static_cast<int32_t>(std::clamp<int64_t>(count, 0, left / min_item_bytes));
}

void SkipInts(const SaveImage& save, int32_t& pos, int32_t count) {
  const int32_t n = BoundedCount(save, pos, count, kMinIntBytes);
  pos += n * kMinIntBytes;
}

void SkipStrs(const SaveImage& save, int32_t& pos, int32_t count) {
  const int32_t n = BoundedCount(save, pos, count, kMinStrBytes);
  for (int32_t i = 0; i < n; ++i) ReadStr(save, pos);
}

void SkipBytes(const SaveImage& save, int32_t& pos, int32_t count) {
  pos += BoundedCount(save, pos, count, kMinByteBytes);
}

void SkipIntList(const SaveImage& save, int32_t& pos) {
  const int32_t count = ReadInt(save, pos);
  SkipInts(save, pos, count);
}

void SkipByteList(const SaveImage& save, int32_t& pos) {
  const int32_t count = ReadInt(save, pos);
  SkipBytes(save, pos, count);
}

}  // namespace vek5
