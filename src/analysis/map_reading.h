// What the parts of the map section share: bounds-checked reads within the body (the map is
// never read outside it), and the steps after the plots.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "analysis/map_layout.h"
#include "container/save_image.h"
#include "model/game_state.h"

namespace vek5::map {

// The inflated body as the map reads it: every read is checked against its end first.
class BodyBytes {
 public:
  explicit BodyBytes(const SaveImage& save)
      : data_(save.SaveBuffer.data()),
        begin_(save.BodyOffset < 0 ? 0 : save.BodyOffset),
        end_(std::min<int64_t>(int64_t{begin_} + std::max(save.BodyLength, 0),
                               std::min<int64_t>(save.DataLength, save.SaveBuffer.size()))) {}

  int64_t Begin() const { return begin_; }
  int64_t End() const { return end_; }
  const uint8_t* Data() const { return data_; }
  // Whether n bytes from pos lie inside the body.
  bool Has(int64_t pos, int64_t n) const {
    return pos >= begin_ && n >= 0 && pos <= end_ && n <= end_ - pos;
  }
  // Values at a position the caller has checked with Has.
  uint8_t U8(int64_t pos) const { return data_[pos]; }
  int8_t I8(int64_t pos) const { return static_cast<int8_t>(data_[pos]); }
  int16_t I16(int64_t pos) const {
    int16_t v;
    std::memcpy(&v, data_ + pos, 2);
    return v;
  }
  int32_t I32(int64_t pos) const {
    int32_t v;
    std::memcpy(&v, data_ + pos, 4);
    return v;
  }
  uint32_t U32(int64_t pos) const { return static_cast<uint32_t>(I32(pos)); }
  std::string_view Text(int64_t pos, int64_t n) const {
    return {reinterpret_cast<const char*>(data_ + pos), static_cast<size_t>(n)};
  }

 private:
  const uint8_t* data_;
  int32_t begin_;
  int64_t end_;
};

// Reads the areas that follow the plots from pos: the improvement keys of the first area record
// (base game and Exp1 saves number their plots' improvements by them) and the areas' tiles,
// which add up to the map's plots. Leaves both empty / -1 when the areas cannot be read.
struct AreaFacts {
  std::vector<std::string_view> ImprovementKeys;  // by the save's improvement row
  int64_t Tiles = -1;
};
AreaFacts ReadAreas(const BodyBytes& body, int64_t pos, const PlotLayout& layout);

// Counts what the plots hold (land, owned, natural wonders, resources), what each player holds
// and each team has seen, and compares the header's counts with them.
void CountMapHoldings(WorldMap& map);

}  // namespace vek5::map
