// Paints a map picture (views/map_picture.h) with cairo and writes it as PNG, SVG or PDF. A thin
// painter: every colour, shape and position comes from the picture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "views/map_picture.h"

namespace vek5::cli {

enum class ImageFormat { kPng, kSvg, kPdf };

// The format an output file's extension asks for (any letter case), none for another extension.
std::optional<ImageFormat> ImageFormatOf(std::string_view path);

// Writes the picture to path in the given format; throws std::runtime_error with the reason
// when the file cannot be written or the picture is too large for a raster image.
void WriteMapImage(const MapPicture& picture, const std::string& path, ImageFormat format);

}  // namespace vek5::cli
