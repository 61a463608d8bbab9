#include "print/sheet_frame.h"

#include "navigation/sheet_mosaic.h"

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

std::optional<SheetFrame> frameAround(const cl_Map& sheet, int width, int height, const cl_Map& printMap,
                                      const SheetFrame& printFrame, const GroundRect& page)
{
    PixelBox window{1e300, 1e300, -1e300, -1e300};
    for (const GroundPoint corner : {GroundPoint{page.west, page.south}, GroundPoint{page.east, page.south},
                                     GroundPoint{page.west, page.north}, GroundPoint{page.east, page.north}}) {
        const GroundPoint p = printFrame.toPixel(corner);
        window = {std::min(window.left, p.east), std::min(window.bottom, p.north), std::max(window.right, p.east),
                  std::max(window.top, p.north)};
    }
    const std::optional<PixelAffine> toSheet = transformAt(printMap, sheet, window);
    const std::optional<PixelAffine> toPrintMap = toSheet ? toSheet->inverted() : std::nullopt;
    if (!toPrintMap)
        return std::nullopt;
    const auto ground = [&](double x, double y) {
        const PixelPoint p = (*toPrintMap)({x, y});
        return printFrame.toGround(p.x, p.y);
    };
    const GroundPoint origin = ground(0.0, 0.0);
    const GroundPoint alongX = ground(1.0, 0.0);
    const GroundPoint alongY = ground(0.0, 1.0);
    // The nearest similarity to the fitted affine: a conformal map has no
    // shear, so what the fit has of it is noise.
    const double scaledCos = ((alongX.east - origin.east) + (alongY.north - origin.north)) / 2.0;
    const double scaledSin = ((alongX.north - origin.north) - (alongY.east - origin.east)) / 2.0;
    SheetFrame frame = printFrame;
    frame.east0 = origin.east;
    frame.north0 = origin.north;
    frame.scale = std::hypot(scaledCos, scaledSin);
    frame.cos = scaledCos / frame.scale;
    frame.sin = scaledSin / frame.scale;
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
