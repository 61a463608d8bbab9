#include "kalimark/kalimark.h"

#include "angles.h"
#include "datum_table.h"
#include "ellipsoid_table.h"
#include "utm.h"

#include <cmath>
#include <string_view>

using namespace kalimark;

namespace {

struct DatumChoice {
    std::string_view datumCode;
    std::string_view ellipsoidCode;
};

/// Datum kinds 0..2: WGS 84, European 1950 mean (7 param), Potsdam (DHDN).
constexpr DatumChoice kDatumChoices[] = {
    {"WGE", "WE"},
    {"EUR-7", "IN"},
    {"DHDN", "BR"},
};

IPoint signsOf(double longitude, double latitude)
{
    return {longitude < 0.0 ? -1 : 1, latitude < 0.0 ? -1 : 1};
}

double fromDegreeParts(int sign, double degrees, double minutes, double seconds)
{
    return ((seconds * kOneSixtieth + minutes) * kOneSixtieth + degrees) * sign * kDegToRad;
}

} // namespace

cl_RefPoint::cl_RefPoint()
{
    // A failed build leaves a table empty; every lookup then fails and
    // setDatum falls back to zeros, which the UTM setter refuses.
    static_cast<void>(initDatumTable());
    static_cast<void>(initEllipsoidTable());
    setDatum(0, 0);
}

cl_RefPoint::cl_RefPoint(const cl_RefPoint& other) = default;
cl_RefPoint& cl_RefPoint::operator=(const cl_RefPoint& other) = default;
cl_RefPoint::~cl_RefPoint() = default;

void cl_RefPoint::setDatum(std::int32_t zoneOverride, int kind)
{
    datumKind = kind;
    int ellipsoid = 0;
    if (kind >= 0 && kind < static_cast<int>(std::size(kDatumChoices))) {
        const DatumChoice& choice = kDatumChoices[kind];
        int datum = 0;
        // A failed lookup leaves the index 0, which is what is kept then.
        static_cast<void>(findDatum(choice.datumCode, datum));
        datumIndex = datum;
        static_cast<void>(findEllipsoid(choice.ellipsoidCode, ellipsoid));
    }
    ellipsoidIndex = ellipsoid;
    double a = 0.0;
    double f = 0.0;
    // Nothing reports: a failed lookup gives a = f = 0, and the setter
    // refuses those and any bad override, keeping the previous settings.
    static_cast<void>(getEllipsoidParameters(ellipsoid, a, f));
    static_cast<void>(setUtmParameters(a, f, zoneOverride));
}

void cl_RefPoint::setRefPoint(IPoint sign, DPoint deg)
{
    longitude = sign.x * kDegToRad * deg.x;
    latitude = sign.y * kDegToRad * deg.y;
}

void cl_RefPoint::setRefPoint(IPoint sign, DPoint deg, IPoint pixelPos)
{
    setRefPoint(sign, deg);
    pixel = pixelPos;
}

void cl_RefPoint::setRefPoint(IPoint sign, IPoint deg, DPoint min)
{
    longitude = (min.x * kOneSixtieth + deg.x) * sign.x * kDegToRad;
    latitude = (min.y * kOneSixtieth + deg.y) * sign.y * kDegToRad;
}

void cl_RefPoint::setRefPoint(IPoint sign, IPoint deg, DPoint min, IPoint pixelPos)
{
    setRefPoint(sign, deg, min);
    pixel = pixelPos;
}

void cl_RefPoint::setRefPoint(IPoint sign, IPoint deg, IPoint min, DPoint sec)
{
    longitude = fromDegreeParts(sign.x, deg.x, min.x, sec.x);
    latitude = fromDegreeParts(sign.y, deg.y, min.y, sec.y);
}

void cl_RefPoint::setRefPoint(IPoint sign, IPoint deg, IPoint min, DPoint sec, IPoint pixelPos)
{
    setRefPoint(sign, deg, min, sec);
    pixel = pixelPos;
}

void cl_RefPoint::setRefPoint(DPoint rad)
{
    longitude = rad.x;
    latitude = rad.y;
}

void cl_RefPoint::setRefPoint(DPoint rad, IPoint pixelPos)
{
    setRefPoint(rad);
    pixel = pixelPos;
}

void cl_RefPoint::setRefPoint(int zone, char letter, IPoint en)
{
    // Only the letter's half of the alphabet counts; it is not checked
    // against the latitude that results.
    const char hemisphere = letter < 'N' ? 'S' : 'N';
    double lat = latitude;
    double lon = longitude;
    // Refused input writes nothing, so lat and lon keep the current position.
    static_cast<void>(utmToGeo(zone, hemisphere, en.x, en.y, lat, lon));
    // A northing near a pole inverts to a latitude beyond the UTM domain,
    // even beyond the pole; such input is refused like any out of range.
    if (lat >= kUtmMinLatitude && lat <= kUtmMaxLatitude) {
        latitude = lat;
        longitude = lon;
    }
}

void cl_RefPoint::setRefPoint(int zone, char letter, IPoint en, IPoint pixelPos)
{
    setRefPoint(zone, letter, en);
    pixel = pixelPos;
}

void cl_RefPoint::getRefPoint(IPoint& sign, DPoint& deg) const
{
    sign = signsOf(longitude, latitude);
    deg = {std::fabs(longitude) * kRadToDeg, std::fabs(latitude) * kRadToDeg};
}

void cl_RefPoint::getRefPoint(IPoint& sign, DPoint& deg, IPoint& pixelPos) const
{
    getRefPoint(sign, deg);
    pixelPos = pixel;
}

void cl_RefPoint::getRefPoint(IPoint& sign, IPoint& deg, DPoint& min) const
{
    DPoint decimal;
    getRefPoint(sign, decimal);
    deg = {truncateToInt32(decimal.x), truncateToInt32(decimal.y)};
    min = {(decimal.x - deg.x) * 60.0, (decimal.y - deg.y) * 60.0};
}

void cl_RefPoint::getRefPoint(IPoint& sign, IPoint& deg, IPoint& min, DPoint& sec) const
{
    DPoint decimal;
    getRefPoint(sign, decimal);
    deg = {truncateToInt32(decimal.x), truncateToInt32(decimal.y)};
    const DPoint rest = {decimal.x - deg.x, decimal.y - deg.y};
    min = {truncateToInt32(rest.x * 60.0), truncateToInt32(rest.y * 60.0)};
    sec = {(rest.x - min.x * kOneSixtieth) * 3600.0, (rest.y - min.y * kOneSixtieth) * 3600.0};
}

void cl_RefPoint::getRefPoint(DPoint& rad, IPoint& pixelPos) const
{
    rad = {longitude, latitude};
    pixelPos = pixel;
}

void cl_RefPoint::getRefPoint(int& zone, char& letter, IPoint& en) const
{
    int utmZone = 0;
    char hemisphere = 'N';
    double easting = 0.0;
    double northing = 0.0;
    const int bits = geoToUtm(latitude, longitude, utmZone, hemisphere, easting, northing);
    constexpr int kNothingWritten = utm_bits::kLatitude | utm_bits::kLongitude | utm_bits::kOverride;
    if ((bits & kNothingWritten) != 0) {
        utmZone = 0;
        easting = 0.0;
        northing = 0.0;
    }
    zone = utmZone;
    en = {truncateToInt32(easting), truncateToInt32(northing)};
    letter = UTMLetterDesignator(latitude * kRadToDeg);
}

char cl_RefPoint::UTMLetterDesignator(double latitudeDeg)
{
    return utmLetterDesignator(latitudeDeg);
}
