#include "fuzz_image.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace vek5::fuzz {

namespace {
// Where the body starts in an input without "BODY": just after a minimal header.
constexpr int32_t kDefaultBodyOffset = 8;
}  // namespace

SaveImage ImageOf(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  try {
    return AssembleSave(bytes);
  } catch (const LoadError&) {
  }
  SaveImage image;
  image.SaveBuffer = bytes;
  image.DataLength = static_cast<int32_t>(image.SaveBuffer.size());
  const std::string_view text(reinterpret_cast<const char*>(image.SaveBuffer.data()),
                              image.SaveBuffer.size());
  const size_t tag = text.find(kBodyTag);
  image.BodyOffset = tag != std::string_view::npos ? static_cast<int32_t>(tag) + 4
                                                   : std::min(kDefaultBodyOffset, image.DataLength);
  return image;
}

}  // namespace vek5::fuzz
