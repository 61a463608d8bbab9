// Draws the scale bar in the window's lower-left corner, over the map: a
// black bar with end ticks and its length above it, on a pale plate so it
// reads on any sheet.
#pragma once

#include "navigation/map_scale.h"

#include <QPainter>
#include <QRect>
#include <QSize>

namespace rovanta {

/// Distance of the bar from the window's left and bottom edges, pixels.
inline constexpr int kScaleBarMargin = 12;
/// Height of the bar itself and of its end ticks, pixels.
inline constexpr int kScaleBarThickness = 4;
inline constexpr int kScaleBarTick = 8;

/// Everything the bar may cover in a window of `viewport` size, whatever
/// its length: repainting this keeps it clean.
QRect scaleBarArea(QSize viewport);

/// The bar's own rectangle (without ticks and label), in window pixels.
QRect scaleBarRect(const ScaleBar& bar, QSize viewport);

void paintScaleBar(QPainter& painter, const ScaleBar& bar, QSize viewport);

} // namespace rovanta
