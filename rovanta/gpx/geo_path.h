// Points as they travel between the tour and exchange files: plain degrees
// and a remark, independent of maps and pixels.
#pragma once

#include <string>
#include <vector>

namespace rovanta {

class cl_Tour;

struct GeoPoint {
    double latitude = 0.0;  ///< degrees, north positive
    double longitude = 0.0; ///< degrees, east positive
    std::string remark;     ///< UTF-8, one line; empty for none
};

enum class GeoPathKind { route, track, waypoints };

/// One importable sequence of a file: a route, a track with all its
/// segments joined, or all waypoints of the file together.
struct GeoPath {
    GeoPathKind kind = GeoPathKind::route;
    std::string name; ///< empty when the file gives none
    std::vector<GeoPoint> points;
};

/// The tour's points in tour order, each with its remark.
std::vector<GeoPoint> tourPoints(cl_Tour& tour);

/// Appends the points with their remarks; pixels stay 0 for the caller to
/// place on a map.
void appendToTour(cl_Tour& tour, const std::vector<GeoPoint>& points);

} // namespace rovanta
