// The calibration file's similarity transform. Pixel y and northing both
// point up, so there is no mirroring. Northings
// are counted in the hemisphere of the map's midpoint and run on across the
// equator: negative south of it on a northern map, beyond 10000 km north of
// it on a southern one.
#include "map/map_georeference.h"

#include "common/text_convert.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

namespace rovanta {
namespace {

constexpr int kWgs84 = 0;
constexpr std::int64_t kFalseNorthingSouth = 10'000'000;

std::int32_t clampToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

struct Utm {
    int zone = 0; ///< 0 when the position has no UTM form in the requested zone
    char letter = 'Z';
    IPoint en;
};

/// The point's UTM position in `zone` (0: the zone of its longitude).
Utm utmOf(cl_RefPoint& point, int zone)
{
    Utm utm;
    point.setDatum(zone, kWgs84);
    point.getRefPoint(utm.zone, utm.letter, utm.en);
    return utm;
}

/// The point's northing counted in the map's hemisphere.
std::int64_t northingOnMap(const cl_RefPoint& point, std::int32_t northing, bool southernMap)
{
    const bool southern = point.latitude < 0.0;
    if (southern == southernMap)
        return northing;
    return southernMap ? northing + kFalseNorthingSouth : northing - kFalseNorthingSouth;
}

/// Sets the point from a northing counted in the map's hemisphere, in the
/// hemisphere that northing lands in.
void setFromMapUtm(cl_RefPoint& point, int zone, bool southernMap, std::int32_t easting, std::int64_t northing,
                   IPoint pixel)
{
    const bool southern = southernMap ? northing <= kFalseNorthingSouth : northing < 0;
    if (southern != southernMap)
        northing += southernMap ? -kFalseNorthingSouth : kFalseNorthingSouth;
    point.setRefPoint(zone, southern ? 'M' : 'N', IPoint{easting, clampToInt32(northing)}, pixel);
}

/// Halfway between two longitudes the short way round, in (-pi, pi]: a map
/// across the 180th meridian centres on it, not near 0.
double midLongitude(double a, double b)
{
    const double mean = (a + b) * 0.5;
    if (std::fabs(a - b) <= std::numbers::pi)
        return mean;
    return mean > 0.0 ? mean - std::numbers::pi : mean + std::numbers::pi;
}

bool isSouthern(const cl_RefPoint& centre)
{
    return centre.latitude < 0.0;
}

} // namespace

bool CalSimilarity::compute(cl_RefPoint& first, cl_RefPoint& second, IPoint bitmapSize)
{
    DPoint rad0, rad1;
    IPoint px0, px1;
    first.getRefPoint(rad0, px0);
    second.getRefPoint(rad1, px1);
    if (px0.x == px1.x && px0.y == px1.y)
        return false;

    cl_RefPoint centre = centre_;
    centre.setRefPoint(DPoint{midLongitude(rad0.x, rad1.x), (rad0.y + rad1.y) * 0.5});
    // Whatever ran before, the map's zone is the midpoint's own zone.
    const Utm mid = utmOf(centre, 0);
    if (mid.zone == 0)
        return false;
    const int zone = mid.zone;
    const Utm utm0 = utmOf(first, zone);
    const Utm utm1 = utmOf(second, zone);
    if (utm0.zone == 0 || utm1.zone == 0)
        return false;
    const bool southern = isSouthern(centre);
    const std::int64_t n0 = northingOnMap(first, utm0.en.y, southern);
    const std::int64_t n1 = northingOnMap(second, utm1.en.y, southern);

    const double dE = static_cast<double>(utm1.en.x) - utm0.en.x;
    const double dN = static_cast<double>(n1) - static_cast<double>(n0);
    const double dx = static_cast<double>(px1.x) - px0.x;
    const double dy = static_cast<double>(px1.y) - px0.y;
    if (dE == 0.0 && dN == 0.0)
        return false;
    const double scale = std::hypot(dE, dN) / std::hypot(dx, dy);
    // Two-argument arctangents keep the quadrant: a bitmap turned by more
    // than a quarter turn still maps both reference points where they belong.
    const double theta = std::atan2(dN, dE) - std::atan2(dy, dx);
    const double c = std::cos(theta);
    const double s = std::sin(theta);

    const double w = bitmapSize.x;
    const double h = bitmapSize.y;
    const std::int32_t eBl = clampToInt32(std::int64_t{utm0.en.x} - truncateToInt32(scale * (px0.x * c - px0.y * s)));
    const std::int32_t nBl = clampToInt32(n0 - truncateToInt32(scale * (px0.x * s + px0.y * c)));
    const std::int32_t eTr =
        clampToInt32(std::int64_t{utm1.en.x} + truncateToInt32(scale * ((w - px1.x) * c - (h - px1.y) * s)));
    const std::int32_t nTr = clampToInt32(n1 + truncateToInt32(scale * ((w - px1.x) * s + (h - px1.y) * c)));

    centre_ = centre;
    zone_ = zone;
    scale_ = scale;
    cos_ = c;
    sin_ = s;
    corner_[0].setDatum(zone, kWgs84);
    setFromMapUtm(corner_[0], zone, southern, eBl, nBl, IPoint{0, 0});
    corner_[1].setDatum(zone, kWgs84);
    setFromMapUtm(corner_[1], zone, southern, eTr, nTr, bitmapSize);
    cornerUtm_[0] = eBl;
    cornerUtm_[1] = nBl;
    cornerUtm_[2] = eTr;
    cornerUtm_[3] = nTr;
    return true;
}

cl_RefPoint CalSimilarity::positionOf(std::int32_t x, std::int32_t y) const
{
    // Corner 0 is recomputed from its geographic position, as every
    // conversion of the map always has been.
    cl_RefPoint corner = corner_[0];
    const Utm origin = utmOf(corner, zone_);
    const bool southern = isSouthern(centre_);
    const std::int32_t e =
        clampToInt32(std::int64_t{origin.en.x} + truncateToInt32(scale_ * (double(x) * cos_ - double(y) * sin_)));
    const std::int64_t n =
        northingOnMap(corner, origin.en.y, southern) + truncateToInt32(scale_ * (double(x) * sin_ + double(y) * cos_));

    cl_RefPoint point;
    setFromMapUtm(point, zone_, southern, e, n, IPoint{x, y});
    return point;
}

PixelFix CalSimilarity::pixelOf(cl_RefPoint& point) const
{
    const Utm utm = utmOf(point, zone_);
    const double northing = static_cast<double>(northingOnMap(point, utm.en.y, isSouthern(centre_)));
    const double a = (static_cast<double>(utm.en.x) - cornerUtm_[0]) / scale_;
    const double b = (northing - cornerUtm_[1]) / scale_;
    return PixelFix{a * cos_ + b * sin_, b * cos_ - a * sin_, utm.zone != 0};
}

std::string CalSimilarity::coordinateSystem() const
{
    return replacePlaceholder(strings::tr(strings::kTwoPointSystem), std::to_string(zone_));
}

double CalSimilarity::residual(const cl_RefPoint& point) const
{
    cl_RefPoint own = point;
    const Utm utm = utmOf(own, zone_);
    if (utm.zone == 0)
        return std::numeric_limits<double>::infinity();
    const double x = own.pixel.x;
    const double y = own.pixel.y;
    const double e = cornerUtm_[0] + scale_ * (x * cos_ - y * sin_);
    const double n = cornerUtm_[1] + scale_ * (x * sin_ + y * cos_);
    return std::hypot(e - utm.en.x, n - static_cast<double>(northingOnMap(own, utm.en.y, isSouthern(centre_))));
}

} // namespace rovanta
