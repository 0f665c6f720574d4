// The save image both fuzz targets analyse, made from any input bytes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "container/save_image.h"

namespace vek5::fuzz {

// Inputs that assemble as a save file go through the container; all others are taken as an
// assembled image whose body starts after the first "BODY", so that the analysis sees arbitrary
// bodies and not only the few that survive inflation.
SaveImage ImageOf(const uint8_t* data, size_t size);

}  // namespace vek5::fuzz
