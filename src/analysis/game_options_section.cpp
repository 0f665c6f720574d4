// The game options: each is a key beginning "GAMEOPTION_" followed by a one-byte value, found
// by repeated searches wherever they lie after the turn timer.
#include "analysis/searched_markers.h"
#include "analysis/sections.h"
#include "container/key_text.h"
#include "container/readers.h"
#include "container/text_encoding.h"

namespace vek5 {
namespace {

constexpr std::string_view kGameOptionPrefix = markers::kGameOptionPrefix;

}  // namespace

void ReadGameOptions(const SaveImage& save, GameState& state, int32_t& pos) {
  for (int i = 0; i < kMaxGameOptions; ++i) {
    const int32_t key = FindStr(save, kGameOptionPrefix, pos + 1);
    pos = key;
    if (key == 0) break;
    pos = key - 4;  // the key's length field
    state.GameOptionNames[i] = Utf8OrCp1251(CutTextKey(ReadStr(save, pos), kGameOptionPrefix));
    state.GameOptionValues[i] = static_cast<int32_t>(ReadBool(save, pos));
  }
}

}  // namespace vek5
