#include "container/marker_occurrences.h"

#include <gtest/gtest.h>

#include <vector>

#include "container/readers.h"

namespace vek5 {
namespace {

constexpr int32_t kMarker = static_cast<int32_t>(0xF5010319);

// Markers at irregular places, one reaching past the end (where bytes read as zero).
SaveImage ImageWithMarkers() {
  SaveImage save;
  save.SaveBuffer.assign(600, 7);
  for (int at : {3, 40, 41, 44, 200, 203, 450}) {
    const auto v = static_cast<uint32_t>(kMarker);
    for (int i = 0; i < 4; ++i) save.SaveBuffer[at + i] = static_cast<uint8_t>(v >> (8 * i));
  }
  save.SaveBuffer.resize(598);  // the last marker is cut: no match
  save.SaveBuffer.push_back(0x19);
  save.SaveBuffer.push_back(0x03);  // 0x00000319 reaches past the end
  save.DataLength = static_cast<int32_t>(save.SaveBuffer.size());
  return save;
}

TEST(MarkerOccurrences, AnswersEverySequenceOfSearchesAsFindIntDoes) {
  const SaveImage save = ImageWithMarkers();
  // Walks forward, back to the start, jumps ahead, and goes below the remembered start.
  const std::vector<std::vector<int32_t>> sequences = {
      {10, 11, 41, 42, 45, 201, 204, 451, 599, 600},
      {10, 45, 10, 3, 2, 0, -5, 700, 41},
      {300, 10, 451, 204},
      {10, 599, 10, 44}};
  for (int32_t marker : {kMarker, int32_t{0x0319}}) {
    for (const auto& froms : sequences) {
      MarkerOccurrences occurrences(save, marker, 10);
      for (int32_t from : froms) {
        EXPECT_EQ(occurrences.Next(from), FindInt(save, marker, from))
            << "marker " << marker << " from " << from;
      }
    }
  }
}

}  // namespace
}  // namespace vek5
