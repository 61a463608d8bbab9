// Draws a tour over the map: a magenta line through its points, a small
// circle and the point's number at each, and a larger circle around the
// point the user has marked.
#pragma once

#include <QPainter>
#include <QPoint>

#include <optional>
#include <vector>

namespace rovanta {

/// The tour's colour, RGB (255, 0, 255): it stands out on every usual map.
inline constexpr QRgb kTourColor = 0xFFFF00FF;

/// Line width through the points, and of the small circles, pixels.
constexpr int kTourLineWidth = 3;
/// Radius of the circle at every point, pixels.
constexpr int kPointRadius = 2;
/// A point's number has its top-left corner this many pixels above it.
constexpr int kNumberLift = 20;
/// Radius and line width of the circle around the marked point, pixels.
constexpr int kMarkRadius = 10;
constexpr int kMarkLineWidth = 2;

/// `points` and `marked` in the painter's device pixels, in tour order;
/// numbers count from 0. Only what touches `exposed` is drawn, when given.
void paintTour(QPainter& painter, const std::vector<QPoint>& points, std::optional<QPoint> marked,
               const QRect& exposed = {});

} // namespace rovanta
