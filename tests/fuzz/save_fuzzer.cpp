// Fuzz target: any bytes -> save image -> analysis -> the content of every tab for every player
// and city selection. Inputs that assemble as a save file go through the container; all others
// are taken as an assembled image whose body starts after the first "BODY", so that the
// analysis sees arbitrary bodies and not only the few that survive inflation.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "analysis/save5_analyse.h"
#include "views/all_tabs.h"
#include "views/city_view.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

vek5::SaveImage ImageOf(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  try {
    return vek5::AssembleSave(bytes);
  } catch (const vek5::LoadError&) {
  }
  vek5::SaveImage image;
  image.SaveBuffer = std::move(bytes);
  image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
  const void* tag = memmem(image.SaveBuffer.data(), image.SaveBuffer.size(), "BODY", 4);
  image.BodyOffset =
      tag ? static_cast<int32_t>(static_cast<const uint8_t*>(tag) - image.SaveBuffer.data()) + 4
          : std::min<int32_t>(8, image.DataLength);
  return image;
}

void BuildEveryTab(const vek5::GameState& state) {
  vek5::ViewState view = vek5::FreshViewState(state);
  vek5::BuildAllTabs(state, view, {});
  for (int32_t entry = -1; entry <= state.PlayerCount; ++entry) {
    vek5::TabSelection selection{entry, entry, 0, entry, entry, entry, entry & 1};
    vek5::BuildAllTabs(state, view, selection);
    const int32_t cities = vek5::CityListLength(state, entry);
    for (int32_t city = 1; city <= cities; ++city) vek5::ChooseCity(state, view, entry, city);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const vek5::SaveImage image = ImageOf(data, size);
  try {
    const auto state = vek5::Save5Analyse(image);
    BuildEveryTab(*state);
  } catch (const vek5::AnalysisError&) {
  }
  return 0;
}
