// The similarity transform between bitmap pixels and UTM metres:
//   E = E_bl + s (x cos t - y sin t),  N = N_bl + s (x sin t + y cos t)
// with pixel y and northing both pointing up, so no mirroring. Northings
// are counted in the hemisphere of the map's midpoint and run on across the
// equator: negative south of it on a northern map, beyond 10000 km north of
// it on a southern one.
#include "map/cl_map.h"

#include "common/text_convert.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>

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

bool cl_Map::computeReference()
{
    if (referenceCount_ < 2)
        return false;
    DPoint rad0, rad1;
    IPoint px0, px1;
    reference_[0].getRefPoint(rad0, px0);
    reference_[1].getRefPoint(rad1, px1);
    if (px0.x == px1.x && px0.y == px1.y)
        return false;

    cl_RefPoint centre = centre_;
    centre.setRefPoint(DPoint{midLongitude(rad0.x, rad1.x), (rad0.y + rad1.y) * 0.5});
    // Whatever ran before, the map's zone is the midpoint's own zone.
    const Utm mid = utmOf(centre, 0);
    if (mid.zone == 0)
        return false;
    const int zone = mid.zone;
    const Utm utm0 = utmOf(reference_[0], zone);
    const Utm utm1 = utmOf(reference_[1], zone);
    if (utm0.zone == 0 || utm1.zone == 0)
        return false;
    const bool southern = isSouthern(centre);
    const std::int64_t n0 = northingOnMap(reference_[0], utm0.en.y, southern);
    const std::int64_t n1 = northingOnMap(reference_[1], utm1.en.y, southern);

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

    const BitmapInfo bitmap = getBitmapInfo();
    const double w = bitmap.width;
    const double h = bitmap.height;
    const std::int32_t eBl = clampToInt32(std::int64_t{utm0.en.x} - truncateToInt32(scale * (px0.x * c - px0.y * s)));
    const std::int32_t nBl = clampToInt32(n0 - truncateToInt32(scale * (px0.x * s + px0.y * c)));
    const std::int32_t eTr =
        clampToInt32(std::int64_t{utm1.en.x} + truncateToInt32(scale * ((w - px1.x) * c - (h - px1.y) * s)));
    const std::int32_t nTr = clampToInt32(n1 + truncateToInt32(scale * ((w - px1.x) * s + (h - px1.y) * c)));

    centre_ = centre;
    utmZone_ = zone;
    scale_ = scale;
    cosRotation_ = c;
    sinRotation_ = s;
    corner_[0].setDatum(zone, kWgs84);
    setFromMapUtm(corner_[0], zone, southern, eBl, nBl, IPoint{0, 0});
    corner_[1].setDatum(zone, kWgs84);
    setFromMapUtm(corner_[1], zone, southern, eTr, nTr, IPoint{bitmap.width, bitmap.height});
    cornerUtm_[0] = eBl;
    cornerUtm_[1] = nBl;
    cornerUtm_[2] = eTr;
    cornerUtm_[3] = nTr;
    return true;
}

cl_RefPoint cl_Map::pixelToRefPoint(std::int32_t x, std::int32_t y, int& inside) const
{
    // Corner 0 is recomputed from its geographic position, as every
    // conversion of the map always has been.
    cl_RefPoint corner = corner_[0];
    const Utm origin = utmOf(corner, utmZone_);
    const bool southern = isSouthern(centre_);
    const std::int32_t e = clampToInt32(
        std::int64_t{origin.en.x} + truncateToInt32(scale_ * (double(x) * cosRotation_ - double(y) * sinRotation_)));
    const std::int64_t n = northingOnMap(corner, origin.en.y, southern) +
                           truncateToInt32(scale_ * (double(x) * sinRotation_ + double(y) * cosRotation_));

    cl_RefPoint point;
    setFromMapUtm(point, utmZone_, southern, e, n, IPoint{x, y});
    if (inside != 0) {
        inside =
            (corner_[0].pixel.x <= x && x <= corner_[1].pixel.x && corner_[0].pixel.y <= y && y <= corner_[1].pixel.y)
                ? 1
                : 0;
    } else {
        inside = 1;
    }
    return point;
}

bool cl_Map::refPointToPixel(cl_RefPoint& point) const
{
    const Utm utm = utmOf(point, utmZone_);
    const double northing = static_cast<double>(northingOnMap(point, utm.en.y, isSouthern(centre_)));
    const double a = (static_cast<double>(utm.en.x) - cornerUtm_[0]) / scale_;
    const double b = (northing - cornerUtm_[1]) / scale_;
    const double x = a * cosRotation_ + b * sinRotation_;
    const double y = b * cosRotation_ - a * sinRotation_;
    point.pixel.x = truncateToInt32(x);
    point.pixel.y = truncateToInt32(y);
    if (utm.zone == 0)
        return false;
    // Tested on the pixel before truncation: on a turned map the rectangle
    // between the corners' eastings and northings is not the bitmap, and
    // -0.1 pixel is off the map even though it truncates to 0.
    return corner_[0].pixel.x <= x && x <= corner_[1].pixel.x && corner_[0].pixel.y <= y && y <= corner_[1].pixel.y;
}

} // namespace rovanta
