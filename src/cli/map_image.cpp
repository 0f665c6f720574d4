#include "cli/map_image.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace vek5::cli {
namespace {

// A raster image beyond this many pixels is refused rather than allocated (4 bytes a pixel).
constexpr double kMaxRasterPixels = 100e6;
// Cairo's image surfaces hold at most this many pixels a side.
constexpr double kMaxRasterSide = 32767;
// Vector viewers smooth every edge, which leaves hairline seams between hexagons filled side by
// side; a stroke of the fill's own colour this wide closes them.
constexpr double kSeamStroke = 0.6;
constexpr double kLabelPadding = 2;
// Round ends join the halves of a route smoothly; on thinner lines they show no difference.
constexpr double kRoundCapsFrom = 2.5;
constexpr char kFontFamily[] = "sans-serif";
// A map is mostly runs of a few colours: the fastest deflate level with the "sub" row filter
// packs it nearly as small as the default settings, in a fraction of their time.
constexpr int kPngCompression = 1;
constexpr double kMessageFont = 14;

// Cairo and fontconfig keep the fonts they loaded in static caches for the life of the process.
// The painter empties them when a picture is done, so that a process drawing many pictures keeps
// nothing between them and leak checkers see none. Not for a process painting on two threads.
struct FontCaches {
  FontCaches() = default;
  FontCaches(const FontCaches&) = delete;
  FontCaches& operator=(const FontCaches&) = delete;
  ~FontCaches() {
    cairo_debug_reset_static_data();
    FcFini();
  }
};

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

void SetColour(cairo_t* cr, MapColour colour) {
  cairo_set_source_rgba(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0,
                        (colour & 0xFF) / 255.0, ((colour >> 24) & 0xFF) / 255.0);
}

void HexagonPath(cairo_t* cr, const MapPicture& picture, MapPoint centre) {
  cairo_move_to(cr, centre.X + picture.Corners[0].X, centre.Y + picture.Corners[0].Y);
  for (size_t i = 1; i < picture.Corners.size(); ++i) {
    cairo_line_to(cr, centre.X + picture.Corners[i].X, centre.Y + picture.Corners[i].Y);
  }
  cairo_close_path(cr);
}

// One fill per colour: a path of many hexagons is filled in one pass.
void PaintHexagons(cairo_t* cr, const MapPicture& picture, bool vector) {
  std::unordered_map<MapColour, std::vector<MapPoint>> by_fill;
  for (const MapHexagon& hexagon : picture.Hexagons)
    by_fill[hexagon.Fill].push_back(hexagon.Centre);
  cairo_save(cr);
  if (!vector) cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, kSeamStroke);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const auto& [fill, centres] : by_fill) {
    for (const MapPoint& centre : centres) HexagonPath(cr, picture, centre);
    SetColour(cr, fill);
    if (vector) {
      cairo_fill_preserve(cr);
      cairo_stroke(cr);
    } else {
      cairo_fill(cr);
    }
  }
  cairo_restore(cr);
  if (picture.Grid == kMapNoColour) return;
  for (const MapHexagon& hexagon : picture.Hexagons) HexagonPath(cr, picture, hexagon.Centre);
  SetColour(cr, picture.Grid);
  cairo_set_line_width(cr, picture.GridWidth);
  cairo_stroke(cr);
}

bool SameStyle(const MapLine& a, const MapLine& b) {
  return a.Colour == b.Colour && a.Width == b.Width && a.Dashed == b.Dashed;
}

// Lines of one style in a row are stroked together.
void PaintLines(cairo_t* cr, const MapPicture& picture) {
  const std::vector<MapLine>& lines = picture.Lines;
  for (size_t first = 0; first < lines.size();) {
    size_t end = first;
    for (; end < lines.size() && SameStyle(lines[end], lines[first]); ++end) {
      cairo_move_to(cr, lines[end].From.X, lines[end].From.Y);
      cairo_line_to(cr, lines[end].To.X, lines[end].To.Y);
    }
    const MapLine& style = lines[first];
    const double dash[] = {style.Width * 2.0, style.Width * 2.0};
    cairo_set_dash(cr, dash, style.Dashed ? 2 : 0, 0);
    cairo_set_line_width(cr, style.Width);
    cairo_set_line_cap(cr,
                       style.Width >= kRoundCapsFrom ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_BUTT);
    SetColour(cr, style.Colour);
    cairo_stroke(cr);
    first = end;
  }
  cairo_set_dash(cr, nullptr, 0, 0);
}

void ShapePath(cairo_t* cr, const MapMarker& marker) {
  const double x = marker.Centre.X;
  const double y = marker.Centre.Y;
  const double h = marker.Size / 2;
  switch (marker.Shape) {
    case MapShape::kCircle:
    case MapShape::kRing:
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y, h, 0, 2 * M_PI);
      break;
    case MapShape::kSquare:
      cairo_rectangle(cr, x - h, y - h, marker.Size, marker.Size);
      break;
    case MapShape::kDiamond:
      cairo_move_to(cr, x, y - h);
      cairo_line_to(cr, x + h, y);
      cairo_line_to(cr, x, y + h);
      cairo_line_to(cr, x - h, y);
      cairo_close_path(cr);
      break;
    case MapShape::kTriangle:
      cairo_move_to(cr, x, y - h);
      cairo_line_to(cr, x + h, y + h * 0.8);
      cairo_line_to(cr, x - h, y + h * 0.8);
      cairo_close_path(cr);
      break;
    case MapShape::kHill:
      cairo_new_sub_path(cr);
      cairo_arc(cr, x, y + h * 0.5, h, M_PI * 1.15, M_PI * 1.85);
      break;
    case MapShape::kStar:
      for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 == 0 ? h : h * 0.45;
        const double angle = -M_PI / 2 + i * M_PI / 5;
        const double px = x + radius * std::cos(angle);
        const double py = y + radius * std::sin(angle);
        if (i == 0) {
          cairo_move_to(cr, px, py);
        } else {
          cairo_line_to(cr, px, py);
        }
      }
      cairo_close_path(cr);
      break;
    case MapShape::kWaves:
      for (const double dy : {-h / 3, h / 3}) {
        cairo_move_to(cr, x - h, dy + y);
        cairo_line_to(cr, x + h, dy + y);
      }
      break;
  }
}

void PaintMarkers(cairo_t* cr, const MapPicture& picture) {
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const MapMarker& marker : picture.Markers) {
    ShapePath(cr, marker);
    if (marker.Fill != kMapNoColour) {
      SetColour(cr, marker.Fill);
      cairo_fill_preserve(cr);
    }
    if (marker.Outline != kMapNoColour) {
      SetColour(cr, marker.Outline);
      cairo_set_line_width(cr, marker.OutlineWidth);
      cairo_stroke(cr);
    }
    cairo_new_path(cr);
  }
}

void PaintText(cairo_t* cr, MapPoint centre, const std::string& text, double size, bool bold,
               MapColour colour, MapColour background) {
  cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_font_extents_t font;
  cairo_font_extents(cr, &font);
  const double left = centre.X - extents.x_advance / 2;
  const double baseline = centre.Y + (font.ascent - font.descent) / 2;
  if (background != kMapNoColour) {
    SetColour(cr, background);
    cairo_rectangle(cr, left - kLabelPadding, baseline - font.ascent - kLabelPadding / 2,
                    extents.x_advance + 2 * kLabelPadding,
                    font.ascent + font.descent + kLabelPadding);
    cairo_fill(cr);
  }
  SetColour(cr, colour);
  cairo_move_to(cr, left, baseline);
  cairo_show_text(cr, text.c_str());
}

void PaintMap(cairo_t* cr, const MapPicture& picture, bool vector) {
  SetColour(cr, picture.Background);
  cairo_paint(cr);
  PaintHexagons(cr, picture, vector);
  PaintLines(cr, picture);
  PaintMarkers(cr, picture);
  for (const MapLabel& label : picture.Labels) {
    PaintText(cr, label.Centre, label.Text, label.FontSize, label.Bold, label.Colour,
              label.Background);
  }
  if (!picture.Message.empty()) {
    PaintText(cr, {picture.Width / 2, picture.Height / 2}, picture.Message, kMessageFont, false,
              0xFFFFFFFF, kMapNoColour);
  }
}

void Check(cairo_status_t status, const std::string& path) {
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
  }
}

Surface MakeSurface(const MapPicture& picture, const std::string& path, ImageFormat format) {
  const double width = std::ceil(picture.Width);
  const double height = std::ceil(picture.Height);
  switch (format) {
    case ImageFormat::kSvg:
      return {cairo_svg_surface_create(path.c_str(), width, height), cairo_surface_destroy};
    case ImageFormat::kPdf:
      return {cairo_pdf_surface_create(path.c_str(), width, height), cairo_surface_destroy};
    case ImageFormat::kPng:
      break;
  }
  if (width > kMaxRasterSide || height > kMaxRasterSide || width * height > kMaxRasterPixels) {
    throw std::runtime_error("the picture (" + std::to_string(static_cast<int>(width)) + "x" +
                             std::to_string(static_cast<int>(height)) +
                             " pixels) is too large for a PNG image: use a smaller tile size");
  }
  return {cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width),
                                     static_cast<int>(height)),
          cairo_surface_destroy};
}

using File = std::unique_ptr<FILE, decltype(&std::fclose)>;

// Writes the image surface (native-endian xRGB words) as an 8-bit RGB PNG with libpng.
void WritePng(cairo_surface_t* surface, const std::string& path) {
  cairo_surface_flush(surface);
  File file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    throw std::runtime_error("cannot write " + path + ": out of memory");
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot write " + path);
  }
  const int width = cairo_image_surface_get_width(surface);
  const int height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  unsigned char* data = cairo_image_surface_get_data(surface);
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, kPngCompression);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_write_info(png, info);
  // The surface's words are xRGB in native order: B, G, R, x in memory on little-endian machines.
  if constexpr (std::endian::native == std::endian::little) {
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
  } else {
    png_set_filler(png, 0, PNG_FILLER_BEFORE);
  }
  for (int row = 0; row < height; ++row)
    png_write_row(png, data + static_cast<ptrdiff_t>(row) * stride);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0 || std::ferror(file.get()) != 0) {
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace

std::optional<ImageFormat> ImageFormatOf(std::string_view path) {
  const size_t dot = path.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  std::string extension(path.substr(dot + 1));
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == "png") return ImageFormat::kPng;
  if (extension == "svg") return ImageFormat::kSvg;
  if (extension == "pdf") return ImageFormat::kPdf;
  return std::nullopt;
}

void WriteMapImage(const MapPicture& picture, const std::string& path, ImageFormat format) {
  const FontCaches caches;  // emptied after the surface is gone
  Surface surface = MakeSurface(picture, path, format);
  Check(cairo_surface_status(surface.get()), path);
  {
    Context cr(cairo_create(surface.get()), cairo_destroy);
    PaintMap(cr.get(), picture, format != ImageFormat::kPng);
    Check(cairo_status(cr.get()), path);
  }
  if (format == ImageFormat::kPng) {
    WritePng(surface.get(), path);
  }
  cairo_surface_finish(surface.get());
  Check(cairo_surface_status(surface.get()), path);
}

}  // namespace vek5::cli
