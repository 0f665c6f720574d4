// Paints a map picture (views/map_picture.h) with QPainter: the window's Map page and its
// "Save Image..." use it. A thin painter: every colour, shape and position comes from the picture.
#pragma once

#include <QIcon>
#include <QRectF>
#include <QString>

#include "views/map_picture.h"

class QPainter;

namespace vek5 {

// Paints what of the picture lies in `visible` (picture coordinates; the painter maps picture
// coordinates to its device). Hexagons, lines and marks wholly outside it are skipped.
void PaintMapPicture(QPainter& painter, const MapPicture& picture, const QRectF& visible);

// The legend entry's swatch as an icon of the given size, drawn as the picture draws that thing.
QIcon MapLegendIcon(const MapLegendEntry& entry, int size);

// Writes the whole picture as PNG, or SVG when the name ends in .svg. False when it cannot.
bool SaveMapPicture(const MapPicture& picture, const QString& file_name);

}  // namespace vek5
