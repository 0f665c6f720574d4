// The occurrences of one 32-bit marker, remembered as a forward search finds them. A section that
// must walk a marker's occurrences twice (to choose its layout, then to read its records) asks
// this instead of searching again, so the body is scanned once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "container/save_image.h"

namespace vek5 {

class MarkerOccurrences {
 public:
  // Remembers occurrences at or after start; the image must outlive this object.
  MarkerOccurrences(const SaveImage& save, int32_t marker, int32_t start);

  // Exactly FindInt(save, marker, from): the first occurrence at or after from, 0 when none.
  int32_t Next(int32_t from);

  int32_t Marker() const { return marker_; }

 private:
  const SaveImage& save_;
  int32_t marker_;
  int32_t start_;
  // Every occurrence in [start_, searched_to_), in order; searched_to_ may be past the image.
  std::vector<int32_t> found_;
  int64_t searched_to_;
};

}  // namespace vek5
