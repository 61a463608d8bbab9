#include "gpx/geo_path.h"

#include "tour/cl_tour.h"

#include <cmath>

namespace rovanta {

std::vector<GeoPoint> tourPoints(cl_Tour& tour)
{
    std::vector<GeoPoint> points;
    points.reserve(static_cast<std::size_t>(tour.getPointCount()));
    const std::vector<std::string>& remarks = tour.getRemarks();
    for (auto pos = tour.getHeadPosition(); pos;) {
        IPoint sign;
        DPoint deg;
        tour.getNext(pos).getRefPoint(sign, deg);
        const std::size_t index = points.size();
        points.push_back({sign.y * deg.y, sign.x * deg.x, index < remarks.size() ? remarks[index] : std::string()});
    }
    return points;
}

void appendToTour(cl_Tour& tour, const std::vector<GeoPoint>& points)
{
    // Degrees in through signs and magnitudes, as the tour file is read, so
    // an imported point equals the same point loaded from a tour file.
    const auto signOf = [](double value) { return value < 0.0 ? -1 : 1; };
    for (const GeoPoint& point : points) {
        cl_RefPoint position;
        position.setRefPoint(IPoint{signOf(point.longitude), signOf(point.latitude)},
                             DPoint{std::fabs(point.longitude), std::fabs(point.latitude)});
        tour.addPoint(position);
        tour.getRemarks().back() = point.remark;
    }
}

} // namespace rovanta
