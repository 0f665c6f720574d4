#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "analysis/header_fixture.h"

namespace vek5 {
namespace {

using testing::BuildImage;
using testing::GameDescription;

void PutInt(SaveImage& image, size_t offset, int32_t value) {
  std::memcpy(image.SaveBuffer.data() + offset, &value, 4);
}

// Whatever the header holds at any offset (a count, a length, a type, a status), the
// first half of the analysis ends with a clear error or a partial model, inside its arrays.
TEST(HostileHeader, AnyHeaderValueGivesAnErrorOrABoundedModel) {
  for (const bool keys : {false, true}) {
    GameDescription game;
    game.SlotKeys = keys;
    game.Content = {{238506401, {"Expansion"}}};
    const SaveImage original = BuildImage(game);
    const size_t header_end = static_cast<size_t>(original.BodyOffset) - 4;
    // The largest count: a loop it drove unbounded would run for billions of items.
    for (size_t offset = 4; offset + 4 <= header_end; ++offset) {
      SaveImage image = original;
      PutInt(image, offset, INT32_MAX);
      auto state = NewGameState();
      try {
        testing::AnalyseHeaderHalf(image, *state);
      } catch (const AnalysisError&) {
        continue;  // a build text that is no longer a number
      }
      ASSERT_LE(state->PlayerCount, kMaxSlots) << offset;
      ASSERT_EQ(state->GraphPlayerChecked.size(), static_cast<size_t>(state->PlayerCount));
      ASSERT_LE(state->ReplayMessageCount, kMaxReplayMessages) << offset;
    }
  }
}

TEST(HostileHeader, HugeCountsInTheBodyStartAreBounded) {
  // The key texts before the second block and the int32 list inside a message.
  GameDescription game;
  game.SlotKeys = true;
  game.ReplayMessages = {{1, "First"}};
  SaveImage image = BuildImage(game);
  const size_t body = static_cast<size_t>(image.BodyOffset);
  PutInt(image, body + 130, INT32_MAX);
  const size_t list = body + testing::ReplayListOffset(game);
  PutInt(image, list + 4 + 8, INT32_MAX);  // k of the first message
  const auto state = Save5Analyse(image);
  EXPECT_LE(state->ReplayMessageCount, 1);
}

}  // namespace
}  // namespace vek5
