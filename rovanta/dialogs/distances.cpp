#include "dialogs/distances.h"

#include "common/text_convert.h"

#include <algorithm>
#include <cmath>

namespace rovanta {
namespace {

constexpr const char* kDegreeSign = "\xC2\xB0";

char longitudeLetter(std::int32_t sign)
{
    return sign == 1 ? 'E' : 'W';
}

char latitudeLetter(std::int32_t sign)
{
    return sign == 1 ? 'N' : 'S';
}

} // namespace

const char* displayFormatLabel(DisplayFormat format)
{
    switch (format) {
    case kDecimalDegree:
        return "dec. Degree";
    case kDecimalMinute:
        return "dec. Minute";
    case kDecimalSecond:
        return "dec. Seconde";
    case kUtm:
        return "UTM";
    }
    return "";
}

double distanceBetween(double longitude1, double latitude1, double longitude2, double latitude2)
{
    // Long double up to the arccosine: near 1 the cosine of a short leg
    // carries few significant digits. Rounding can push it just past 1 for
    // equal points; clamped, such a leg is 0 instead of NaN.
    const long double phi1 = latitude1;
    const long double phi2 = latitude2;
    const long double cosSigma =
        std::sin(phi1) * std::sin(phi2) +
        std::cos(phi1) * std::cos(phi2) * std::cos(std::fabs(static_cast<long double>(longitude2) - longitude1));
    const long double sigma = std::acos(std::clamp(cosSigma, -1.0L, 1.0L));
    return static_cast<double>(sigma) * kDistanceEarthRadius;
}

std::vector<std::string> formatCoordinates(cl_RefPoint& point, DisplayFormat format)
{
    IPoint sign;
    switch (format) {
    case kDecimalDegree: {
        DPoint deg;
        point.getRefPoint(sign, deg);
        return {formatFixed(deg.x, 9, 6) + kDegreeSign + ' ' + longitudeLetter(sign.x),
                formatFixed(deg.y, 9, 6) + kDegreeSign + ' ' + latitudeLetter(sign.y)};
    }
    case kDecimalMinute: {
        IPoint deg;
        DPoint min;
        point.getRefPoint(sign, deg, min);
        return {formatInt(deg.x, 3) + kDegreeSign + ' ' + formatFixed(min.x, 7, 4) + "' " + longitudeLetter(sign.x),
                formatInt(deg.y, 3) + kDegreeSign + ' ' + formatFixed(min.y, 7, 4) + "' " + latitudeLetter(sign.y)};
    }
    case kDecimalSecond: {
        IPoint deg, min;
        DPoint sec;
        point.getRefPoint(sign, deg, min, sec);
        const auto cell = [](std::int32_t d, std::int32_t m, double s, char letter) {
            return formatInt(d, 3) + kDegreeSign + ' ' + formatInt(m, 2) + "' " + formatFixed(s, 5, 2) + "\" " + letter;
        };
        return {cell(deg.x, min.x, sec.x, longitudeLetter(sign.x)), cell(deg.y, min.y, sec.y, latitudeLetter(sign.y))};
    }
    case kUtm: {
        point.setDatum(0, 0);
        int zone = 0;
        char letter = 'Z';
        IPoint en;
        point.getRefPoint(zone, letter, en);
        return {formatInt(en.x, 7), formatInt(en.y, 7), formatInt(zone, 2) + letter};
    }
    }
    return {};
}

} // namespace rovanta
