// Paints the exposed part of a map's bitmap onto the view: nearest-neighbour
// from the bitmap's own rows, or from a pyramid level when zoomed out.
#pragma once

#include "view/qt/bitmap_pyramid.h"
#include "view/qt/sheet_pixels.h"

#include <QPainter>
#include <QRect>

namespace rovanta {

/// Below this zoom, nearest-neighbour sampling would skip whole pixels of
/// linework; the pyramid takes over there.
constexpr double kPyramidBelowZoom = 0.5;

/// The bitmap painted into `target` (viewport pixels: the bitmap's whole
/// stretched rectangle, which may reach far beyond the window), clipped to
/// `exposed`. Reads only the stored rows and columns that show, so the
/// painter's coordinates stay small whatever the zoom. Below
/// kPyramidBelowZoom it uses `pyramid`'s levels when given and ready, else
/// just the bitmap's rows and columns that nearest-neighbour sampling shows.
void paintBitmap(QPainter& painter, const QRect& exposed, const QRect& target, double zoom, const SheetPixels& bitmap,
                 const BitmapPyramid* pyramid);

} // namespace rovanta
