#include "utm.h"

#include "angles.h"
#include "transverse_mercator.h"

#include <cmath>

namespace kalimark {

using namespace utm_bits;

namespace {

/// Added to a negative longitude: a longitude just below 0 lands just past
/// 360 degrees, in the zone of 0 degrees.
constexpr double kNegativeLongitudeShift = 6.283185307279586;
static_assert(kNegativeLongitudeShift == kTwoPi + 1e-10);

constexpr int kZoneCount = 60;

UtmSettings g_settings{kWgs84SemiMajorAxis, kWgs84Flattening, 0};

/// Natural zone of a longitude in [0, 2pi], before the special zones.
int zoneFromLongitude(double longitude)
{
    const double degrees = longitude * kRadToDeg;
    const int zone = static_cast<int>(longitude < kPi ? degrees / 6.0 + 31.0 : degrees / 6.0 - 29.0);
    return zone > kZoneCount ? 1 : zone;
}

/// Norway (56..64 N) and Svalbard (72..84 N), tested on whole degrees
/// truncated toward zero; the longitude is in 0..360.
int applySpecialZones(int zone, int latDeg, int lonDeg)
{
    if (latDeg > 55 && latDeg < 64) {
        if (lonDeg >= 0 && lonDeg <= 2)
            return 31;
        if (lonDeg >= 3 && lonDeg <= 11)
            return 32;
    }
    if (latDeg > 71) {
        if (lonDeg >= 0 && lonDeg <= 8)
            return 31;
        if (lonDeg >= 9 && lonDeg <= 20)
            return 33;
        if (lonDeg >= 21 && lonDeg <= 32)
            return 35;
        if (lonDeg >= 33 && lonDeg <= 41)
            return 37;
    }
    return zone;
}

/// The override applies to the natural zone or its neighbours (across the
/// 60/1 seam too); 0 when it is too far away.
int applyOverride(int zone, int zoneOverride)
{
    if (zoneOverride == 0)
        return zone;
    if ((zone == 1 && zoneOverride == kZoneCount) || (zone == kZoneCount && zoneOverride == 1))
        return zoneOverride;
    if (zoneOverride >= zone - 1 && zoneOverride <= zone + 1)
        return zoneOverride;
    return 0;
}

/// Central meridian of a zone in radians; zone 1 gives 183 degrees, which
/// the projection set-up folds to -177.
double centralMeridian(int zone)
{
    const int degrees = zone > 30 ? 6 * zone - 183 : 6 * zone + 177;
    return degrees * kDegToRad;
}

void setUpProjection(int zone, double falseNorthing)
{
    // setUtmParameters accepted these axes, and the zone's meridian, false
    // easting and scale are fixed, so nothing here can be refused.
    static_cast<void>(setTmParameters(g_settings.semiMajorAxis, g_settings.flattening, 0.0, centralMeridian(zone),
                                      kUtmFalseEasting, falseNorthing, kUtmScaleFactor));
}

bool eastingInRange(double easting)
{
    return easting >= kUtmMinEasting && easting <= kUtmMaxEasting;
}

bool northingInRange(double northing)
{
    return northing >= kUtmMinNorthing && northing <= kUtmMaxNorthing;
}

} // namespace

int setUtmParameters(double semiMajorAxis, double flattening, int zoneOverride)
{
    int bits = 0;
    if (!isAcceptedSemiMajorAxis(semiMajorAxis))
        bits |= kSemiMajorAxis;
    if (!isAcceptedFlattening(flattening))
        bits |= kFlattening;
    if (zoneOverride < 0 || zoneOverride > kZoneCount)
        bits |= kOverride;
    if (bits == 0)
        g_settings = {semiMajorAxis, flattening, zoneOverride};
    return bits;
}

UtmSettings utmSettings()
{
    return g_settings;
}

int geoToUtm(double latitude, double longitude, int& zone, char& hemisphere, double& easting, double& northing)
{
    int bits = 0;
    if (!(latitude >= kUtmMinLatitude && latitude <= kUtmMaxLatitude))
        bits |= kLatitude;
    if (!(longitude >= -kPi && longitude <= kTwoPi))
        bits |= kLongitude;
    if (bits != 0)
        return bits;

    if (longitude < 0.0)
        longitude += kNegativeLongitudeShift;
    const int latDeg = static_cast<int>(latitude * kRadToDeg);
    const int lonDeg = static_cast<int>(longitude * kRadToDeg);
    const int natural = applySpecialZones(zoneFromLongitude(longitude), latDeg, lonDeg);
    const int chosen = applyOverride(natural, g_settings.zoneOverride);
    if (chosen == 0)
        return kOverride;

    zone = chosen;
    const bool south = latitude < 0.0;
    hemisphere = south ? 'S' : 'N';
    setUpProjection(chosen, south ? kUtmFalseNorthingSouth : 0.0);
    // The UTM ranges checked below are narrower than the projection's own.
    static_cast<void>(geoToTm(latitude, longitude, easting, northing));

    if (!eastingInRange(easting))
        bits |= kEasting;
    if (!northingInRange(northing))
        bits |= kNorthing;
    return bits;
}

int utmToGeo(int zone, char hemisphere, double easting, double northing, double& latitude, double& longitude)
{
    int bits = 0;
    if (zone < 1 || zone > kZoneCount)
        bits |= kZone;
    if (hemisphere != 'N' && hemisphere != 'S')
        bits |= kHemisphere;
    if (!eastingInRange(easting))
        bits |= kEasting;
    if (!northingInRange(northing))
        bits |= kNorthing;
    if (bits != 0)
        return bits;

    setUpProjection(zone, hemisphere == 'S' ? kUtmFalseNorthingSouth : 0.0);
    const int code = tmToGeo(easting, northing, latitude, longitude);
    if ((code & (tm_bits::kEasting | tm_bits::kFarFromMeridian)) != 0)
        bits = kEasting;
    if ((code & tm_bits::kNorthing) != 0)
        bits |= kNorthing;
    if (!(latitude >= kUtmMinLatitude && latitude <= kUtmMaxLatitude))
        bits |= kNorthing;
    return bits;
}

char utmLetterDesignator(double latitudeDeg)
{
    static constexpr char kLetters[] = "CDEFGHJKLMNPQRSTUVWX";
    if (!(latitudeDeg <= 84.0))
        return 'Z';
    const double band = std::floor(latitudeDeg / 8.0) + 10.0;
    if (band < 0.0 || band > 20.0)
        return 'Z';
    return kLetters[band == 20.0 ? 19 : static_cast<int>(band)];
}

} // namespace kalimark
