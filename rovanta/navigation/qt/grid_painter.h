// Draws the UTM grid of a map's zone, with its kilometre labels, over the
// part of the map a device shows.
#pragma once

#include "navigation/utm_grid.h"

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

namespace rovanta {

class cl_Map;

/// The grid's colour, RGB (0, 80, 200): a calibrated blue, apart from the
/// tour's magenta and from the black and brown of most maps.
inline constexpr QRgb kGridColor = 0xFF0050C8;

/// Draws the grid lines of `map` that cross `device` (device pixels) on the
/// bitmap of size `bitmap`; `toDevice` takes map pixels (y up) to device
/// pixels. Labels sit at the top and left ends of the lines.
void paintUtmGrid(QPainter& painter, const cl_Map& map, QSizeF bitmap, const QTransform& toDevice, const QRectF& device,
                  double minSpacing = kGridMinSpacing);

} // namespace rovanta
