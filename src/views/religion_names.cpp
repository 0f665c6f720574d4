#include "views/religion_names.h"

#include "container/key_text.h"
#include "model/city_names.h"
#include "model/format.h"
#include "model/reference_tables.h"

namespace vek5 {
namespace {

constexpr int32_t kAtheismRow = kReligionKeyRows - 1;

// The city record standing on the plot, or null.
const TCityRec* CityAt(const GameState& state, int32_t x, int32_t y) {
  for (const std::vector<TCityRec>& cities : state.Cities) {
    for (const TCityRec& city : cities) {
      if (city.X == x && city.Y == y && !city.Name.empty()) return &city;
    }
  }
  return nullptr;
}

}  // namespace

std::string ReligionTypeName(const GameState& state, int32_t religion_id) {
  if (state.ZephPresent != 0 && religion_id >= 0 && religion_id < kReligionKeyZephRows) {
    return CutTextKey(ReligionKeysZeph[static_cast<size_t>(religion_id)], "RELIGION_");
  }
  const int32_t row =
      (religion_id < 0 || religion_id >= kReligionKeyRows) ? kAtheismRow : religion_id;
  return CutTextKey(ReligionKeys[static_cast<size_t>(row)], "RELIGION_");
}

const TReligionRec* FoundedReligion(const GameState& state, int32_t religion_id) {
  if (religion_id < 0) return nullptr;
  for (const TReligionRec& religion : state.Religions) {
    if (religion.Type == religion_id && religion.Pantheon == kFalse) return &religion;
  }
  return nullptr;
}

std::string ReligionName(const GameState& state, int32_t religion_id) {
  const TReligionRec* founded = FoundedReligion(state, religion_id);
  if (founded != nullptr && !founded->CustomName.empty()) return founded->CustomName;
  return ReligionTypeName(state, religion_id);
}

std::string ReligionNameWithType(const GameState& state, int32_t religion_id) {
  const std::string name = ReligionName(state, religion_id);
  const std::string type = ReligionTypeName(state, religion_id);
  return name == type ? name : name + " (" + type + ")";
}

std::string ReligionFounding(const GameState& state, int32_t religion_id) {
  const TReligionRec* founded = FoundedReligion(state, religion_id);
  if (founded == nullptr) return {};
  std::string text = Format("founded turn %d", founded->FoundedTurn);
  if (const TCityRec* holy = CityAt(state, founded->HolyCityX, founded->HolyCityY)) {
    text += ", holy city " + CityDisplayName(*holy);
  }
  return text;
}

}  // namespace vek5
