#include "gpx/simplify.h"

#include "dialogs/distances.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace rovanta {
namespace {

struct Planar {
    double x = 0.0;
    double y = 0.0;
};

// Equirectangular metres about the mean latitude. Longitudes are unwrapped
// along the path, so a track crossing the date line stays continuous.
std::vector<Planar> project(const std::vector<GeoPoint>& points)
{
    constexpr double kRadians = std::numbers::pi / 180.0;
    double latitudeSum = 0.0;
    for (const GeoPoint& point : points)
        latitudeSum += point.latitude;
    const double xScale = kDistanceEarthRadius * kRadians * std::cos(latitudeSum / points.size() * kRadians);
    const double yScale = kDistanceEarthRadius * kRadians;

    std::vector<Planar> planar;
    planar.reserve(points.size());
    double longitude = points.front().longitude;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            longitude += std::remainder(points[i].longitude - points[i - 1].longitude, 360.0);
        planar.push_back({longitude * xScale, points[i].latitude * yScale});
    }
    return planar;
}

// Distance from p to the segment a-b, not to its line: a path that turns
// back beyond b must keep its turning point.
double segmentDistance(Planar p, Planar a, Planar b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

} // namespace

std::vector<std::size_t> simplifiedIndices(const std::vector<GeoPoint>& points, double toleranceMetres)
{
    const std::size_t count = points.size();
    std::vector<char> keep(count, 0);
    if (count > 0)
        keep.front() = keep.back() = 1;
    for (std::size_t i = 0; i < count; ++i)
        keep[i] |= points[i].remark.empty() ? 0 : 1;

    std::vector<std::pair<std::size_t, std::size_t>> pending;
    for (std::size_t first = 0, i = 1; i < count; ++i) {
        if (keep[i]) {
            pending.emplace_back(first, i);
            first = i;
        }
    }
    const std::vector<Planar> planar = count > 0 ? project(points) : std::vector<Planar>{};
    while (!pending.empty()) {
        const auto [first, last] = pending.back();
        pending.pop_back();
        double farthest = toleranceMetres;
        std::size_t split = 0;
        for (std::size_t i = first + 1; i < last; ++i) {
            const double distance = segmentDistance(planar[i], planar[first], planar[last]);
            if (distance > farthest) {
                farthest = distance;
                split = i;
            }
        }
        if (split != 0) {
            keep[split] = 1;
            pending.emplace_back(first, split);
            pending.emplace_back(split, last);
        }
    }

    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < count; ++i)
        if (keep[i])
            kept.push_back(i);
    return kept;
}

std::vector<GeoPoint> importPoints(const GeoPath& path, double toleranceMetres)
{
    if (path.kind != GeoPathKind::track)
        return path.points;
    std::vector<GeoPoint> points;
    for (std::size_t i : simplifiedIndices(path.points, toleranceMetres))
        points.push_back(path.points[i]);
    return points;
}

} // namespace rovanta
