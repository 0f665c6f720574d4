#include "shell/map_painter.h"

#include <QFontMetricsF>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace vek5 {
namespace {

constexpr qreal kLabelPadding = 2;
constexpr qreal kMessageFont = 14;
// Vector viewers smooth every edge, which leaves hairline seams between hexagons filled side by
// side; an outline of the fill's own colour this wide closes them.
constexpr qreal kSeamStroke = 0.6;
// Round ends join the halves of a route smoothly; on thinner lines they show no difference and
// cost a curve each.
constexpr qreal kRoundCapsFrom = 2.5;

QColor ColourOf(MapColour colour) {
  return QColor::fromRgba(static_cast<QRgb>(colour));
}

QPointF At(MapPoint p) {
  return {p.X, p.Y};
}

QRectF Around(MapPoint centre, qreal half) {
  return {centre.X - half, centre.Y - half, 2 * half, 2 * half};
}

void PaintHexagons(QPainter& painter, const MapPicture& picture, const QRectF& visible,
                   bool vector) {
  const qreal half = picture.TileWidth;  // a hexagon lies within a tile of its centre
  std::array<QPointF, 6> corners;
  painter.setRenderHint(QPainter::Antialiasing, vector);
  painter.setPen(Qt::NoPen);
  MapColour current = kMapNoColour;
  for (const MapHexagon& hexagon : picture.Hexagons) {
    if (!visible.intersects(Around(hexagon.Centre, half))) continue;
    if (hexagon.Fill != current || current == kMapNoColour) {
      current = hexagon.Fill;
      painter.setBrush(ColourOf(current));
      if (vector) painter.setPen(QPen(ColourOf(current), kSeamStroke));
    }
    for (size_t i = 0; i < corners.size(); ++i) {
      corners[i] =
          QPointF(hexagon.Centre.X + picture.Corners[i].X, hexagon.Centre.Y + picture.Corners[i].Y);
    }
    painter.drawConvexPolygon(corners.data(), static_cast<int>(corners.size()));
  }
  if (picture.Grid == kMapNoColour) return;
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(ColourOf(picture.Grid), picture.GridWidth));
  for (const MapHexagon& hexagon : picture.Hexagons) {
    if (!visible.intersects(Around(hexagon.Centre, half))) continue;
    for (size_t i = 0; i < corners.size(); ++i) {
      corners[i] =
          QPointF(hexagon.Centre.X + picture.Corners[i].X, hexagon.Centre.Y + picture.Corners[i].Y);
    }
    painter.drawPolygon(corners.data(), static_cast<int>(corners.size()));
  }
}

void PaintLines(QPainter& painter, const MapPicture& picture, const QRectF& visible) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  const MapLine* style = nullptr;
  for (const MapLine& line : picture.Lines) {
    const QRectF box = QRectF(At(line.From), At(line.To))
                           .normalized()
                           .adjusted(-line.Width, -line.Width, line.Width, line.Width);
    if (!visible.intersects(box)) continue;
    if (style == nullptr || style->Colour != line.Colour || style->Width != line.Width ||
        style->Dashed != line.Dashed) {
      style = &line;
      QPen pen(ColourOf(line.Colour), line.Width, line.Dashed ? Qt::DashLine : Qt::SolidLine,
               line.Width >= kRoundCapsFrom ? Qt::RoundCap : Qt::FlatCap, Qt::RoundJoin);
      painter.setPen(pen);
    }
    painter.drawLine(At(line.From), At(line.To));
  }
}

QPainterPath ShapePath(const MapMarker& marker) {
  const qreal x = marker.Centre.X;
  const qreal y = marker.Centre.Y;
  const qreal h = marker.Size / 2.0;
  QPainterPath path;
  switch (marker.Shape) {
    case MapShape::kCircle:
    case MapShape::kRing:
      path.addEllipse(QPointF(x, y), h, h);
      break;
    case MapShape::kSquare:
      path.addRect(x - h, y - h, marker.Size, marker.Size);
      break;
    case MapShape::kDiamond:
      path.moveTo(x, y - h);
      path.lineTo(x + h, y);
      path.lineTo(x, y + h);
      path.lineTo(x - h, y);
      path.closeSubpath();
      break;
    case MapShape::kTriangle:
      path.moveTo(x, y - h);
      path.lineTo(x + h, y + h * 0.8);
      path.lineTo(x - h, y + h * 0.8);
      path.closeSubpath();
      break;
    case MapShape::kHill:
      // The top of a circle of radius h centred h/2 below, from 153 to 27 degrees.
      path.arcMoveTo(QRectF(x - h, y - h / 2, 2 * h, 2 * h), 153);
      path.arcTo(QRectF(x - h, y - h / 2, 2 * h, 2 * h), 153, -126);
      break;
    case MapShape::kStar:
      for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 == 0 ? h : h * 0.45;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF p(x + radius * std::cos(angle), y + radius * std::sin(angle));
        if (i == 0) {
          path.moveTo(p);
        } else {
          path.lineTo(p);
        }
      }
      path.closeSubpath();
      break;
    case MapShape::kWaves:
      for (const qreal dy : {-h / 3, h / 3}) {
        path.moveTo(x - h, y + dy);
        path.lineTo(x + h, y + dy);
      }
      break;
  }
  return path;
}

void PaintMarkers(QPainter& painter, const MapPicture& picture, const QRectF& visible) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  for (const MapMarker& marker : picture.Markers) {
    if (!visible.intersects(Around(marker.Centre, marker.Size))) continue;
    painter.setBrush(marker.Fill == kMapNoColour ? QBrush(Qt::NoBrush)
                                                 : QBrush(ColourOf(marker.Fill)));
    painter.setPen(marker.Outline == kMapNoColour
                       ? QPen(Qt::NoPen)
                       : QPen(ColourOf(marker.Outline), marker.OutlineWidth, Qt::SolidLine,
                              Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(ShapePath(marker));
  }
}

void PaintText(QPainter& painter, QPointF centre, const QString& text, qreal size, bool bold,
               MapColour colour, MapColour background) {
  QFont font = painter.font();
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
  font.setBold(bold);
  painter.setFont(font);
  const QFontMetricsF metrics(font);
  const qreal width = metrics.horizontalAdvance(text);
  const QRectF box(centre.x() - width / 2 - kLabelPadding,
                   centre.y() - metrics.height() / 2 - kLabelPadding / 2, width + 2 * kLabelPadding,
                   metrics.height() + kLabelPadding);
  if (background != kMapNoColour) painter.fillRect(box, ColourOf(background));
  painter.setPen(ColourOf(colour));
  painter.drawText(box, Qt::AlignCenter, text);
}

void PaintLabels(QPainter& painter, const MapPicture& picture, const QRectF& visible) {
  for (const MapLabel& label : picture.Labels) {
    // A label is at most a few hundred pixels wide.
    if (!visible.intersects(Around(label.Centre, 200))) continue;
    PaintText(painter, At(label.Centre), QString::fromStdString(label.Text), label.FontSize,
              label.Bold, label.Colour, label.Background);
  }
}

void Paint(QPainter& painter, const MapPicture& picture, const QRectF& visible, bool vector) {
  painter.fillRect(visible, ColourOf(picture.Background));
  PaintHexagons(painter, picture, visible, vector);
  PaintLines(painter, picture, visible);
  PaintMarkers(painter, picture, visible);
  PaintLabels(painter, picture, visible);
  if (!picture.Message.empty()) {
    PaintText(painter, QPointF(picture.Width / 2.0, picture.Height / 2.0),
              QString::fromStdString(picture.Message), kMessageFont, false, 0xFFFFFFFF,
              kMapNoColour);
  }
}

}  // namespace

void PaintMapPicture(QPainter& painter, const MapPicture& picture, const QRectF& visible) {
  Paint(painter, picture, visible, false);
}

QIcon MapLegendIcon(const MapLegendEntry& entry, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const qreal middle = size / 2.0;
  switch (entry.Swatch) {
    case MapSwatch::kFill:
      painter.fillRect(QRectF(1, 1, size - 2, size - 2), ColourOf(entry.Colour));
      painter.setPen(QColor(0, 0, 0, 90));
      painter.drawRect(QRectF(1, 1, size - 2, size - 2));
      break;
    case MapSwatch::kLine:
      painter.setPen(
          QPen(ColourOf(entry.Colour), std::max(2.0, size / 6.0), Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(2, middle), QPointF(size - 2, middle));
      break;
    case MapSwatch::kMarker: {
      MapMarker marker;
      marker.Centre = {static_cast<float>(middle), static_cast<float>(middle)};
      marker.Size = static_cast<float>(size) * 0.75F;
      marker.Shape = entry.Shape;
      const bool outline_only = entry.Shape == MapShape::kHill || entry.Shape == MapShape::kRing ||
                                entry.Shape == MapShape::kWaves;
      painter.setBrush(outline_only ? QBrush(Qt::NoBrush) : QBrush(ColourOf(entry.Colour)));
      painter.setPen(QPen(outline_only ? ColourOf(entry.Colour) : QColor(32, 32, 32),
                          outline_only ? 2.0 : 1.0));
      painter.drawPath(ShapePath(marker));
      break;
    }
  }
  painter.end();
  return QIcon(pixmap);
}

bool SaveMapPicture(const MapPicture& picture, const QString& file_name) {
  const QSize size(static_cast<int>(std::ceil(picture.Width)),
                   static_cast<int>(std::ceil(picture.Height)));
  const QRectF whole(QPointF(0, 0), size);
  if (file_name.endsWith(".svg", Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(file_name);
    svg.setSize(size);
    svg.setViewBox(whole);
    svg.setTitle(QStringLiteral("World map"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    Paint(painter, picture, whole, true);
    return painter.end();
  }
  QImage image(size, QImage::Format_RGB32);
  if (image.isNull()) return false;
  QPainter painter(&image);
  Paint(painter, picture, whole, false);
  painter.end();
  return image.save(file_name, "PNG");
}

}  // namespace vek5
