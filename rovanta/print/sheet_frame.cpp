#include "print/sheet_frame.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rovanta {
namespace {

constexpr double kFalseNorthingSouth = 10'000'000.0;
constexpr int kWgs84 = 0;

} // namespace

GroundPoint SheetFrame::toGround(double x, double y) const
{
    return {east0 + scale * (x * cos - y * sin), north0 + scale * (x * sin + y * cos)};
}

GroundPoint SheetFrame::toPixel(const GroundPoint& ground) const
{
    const double a = (ground.east - east0) / scale;
    const double b = (ground.north - north0) / scale;
    return {a * cos + b * sin, b * cos - a * sin};
}

GroundRect SheetFrame::bounds() const
{
    const GroundPoint corners[] = {toGround(0, 0), toGround(width, 0), toGround(0, height), toGround(width, height)};
    std::vector<GroundPoint> points(std::begin(corners), std::end(corners));
    return boundsOf(points, 0.0);
}

SheetFrame sheetFrame(const cl_Map& map, int width, int height)
{
    SheetFrame frame;
    frame.east0 = map.cornerUtm()[0];
    frame.north0 = map.cornerUtm()[1];
    frame.scale = map.scale();
    frame.cos = map.cosRotation();
    frame.sin = map.sinRotation();
    frame.zone = map.utmZone();
    frame.southern = map.centrePoint().latitude < 0.0;
    frame.width = width;
    frame.height = height;
    return frame;
}

std::optional<GroundPoint> groundOf(const cl_RefPoint& point, const SheetFrame& frame)
{
    cl_RefPoint copy = point;
    copy.setDatum(frame.zone, kWgs84);
    int zone = 0;
    char letter = 'Z';
    IPoint en;
    copy.getRefPoint(zone, letter, en);
    if (zone == 0)
        return std::nullopt;
    double north = en.y;
    // Northings run on across the equator, as the map counts them.
    if ((point.latitude < 0.0) != frame.southern)
        north += frame.southern ? kFalseNorthingSouth : -kFalseNorthingSouth;
    return GroundPoint{static_cast<double>(en.x), north};
}

double gridConvergence(double longitude, double latitude, int zone)
{
    const double centralMeridian = (zone * 6.0 - 183.0) * std::numbers::pi / 180.0;
    double delta = longitude - centralMeridian;
    delta = std::remainder(delta, 2.0 * std::numbers::pi);
    // The ellipsoid's share is below a micro-radian within a zone.
    return std::atan(std::tan(delta) * std::sin(latitude));
}

} // namespace rovanta
