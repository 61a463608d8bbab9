// Great-circle distances and the coordinate texts of the distances table.
#pragma once

#include <kalimark/kalimark.h>

#include <string>
#include <vector>

namespace rovanta {

/// Radius of the sphere for tour distances, metres: 6367444.6571 one unit in
/// the last place low, the value the distance tables have always used.
inline constexpr double kDistanceEarthRadius = 6367444.657099999487400054931640625;

/// The four ways the table shows a position; values are the format list's
/// entries.
enum DisplayFormat : int {
    kDecimalDegree = 0, ///< "dec. Degree"
    kDecimalMinute = 1, ///< "dec. Minute"
    kDecimalSecond = 2, ///< "dec. Seconde"
    kUtm = 3,           ///< "UTM"
};

/// The format list's label of a format.
const char* displayFormatLabel(DisplayFormat format);

/// Great-circle distance in metres on the sphere above, by the spherical law
/// of cosines. Longitudes and latitudes in radians, as cl_RefPoint holds
/// them; the result lies in [0, pi * R] and does not depend on the order.
double distanceBetween(double longitude1, double latitude1, double longitude2, double latitude2);

/// The coordinate cells of a position: longitude then latitude for the
/// degree formats, easting, northing and zone for UTM. Texts are UTF-8 (the
/// degree sign is U+00B0). UTM selects WGS 84 without zone override on the
/// point itself first, as the table always has.
std::vector<std::string> formatCoordinates(cl_RefPoint& point, DisplayFormat format);

} // namespace rovanta
