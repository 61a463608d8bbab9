// UTM on the selected ellipsoid: zones with the Norway and Svalbard
// exceptions, a zone override for maps that straddle a zone border, and the
// latitude band letters.
#pragma once

namespace kalimark {

/// Bits returned by the UTM operations (0 = success).
namespace utm_bits {
inline constexpr int kLatitude = 0x1;    ///< forward: outside [-80.5, 84.5] degrees; nothing written
inline constexpr int kLongitude = 0x2;   ///< forward: outside [-pi, 2pi]; nothing written
inline constexpr int kEasting = 0x4;     ///< easting outside [100 km, 900 km]
inline constexpr int kNorthing = 0x8;    ///< northing outside [0, 10000 km] (inverse: or latitude outside the band)
inline constexpr int kZone = 0x10;       ///< inverse: zone outside 1..60; nothing written
inline constexpr int kHemisphere = 0x20; ///< inverse: neither 'N' nor 'S'; nothing written
inline constexpr int kOverride = 0x40;   ///< override outside 0..60, or refused for this position
inline constexpr int kSemiMajorAxis = 0x80;
inline constexpr int kFlattening = 0x100;
} // namespace utm_bits

/// Lowest and highest latitude converted to UTM: -80.5 and 84.5 degrees, radians.
inline constexpr double kUtmMinLatitude = -1.4049900478554351;
inline constexpr double kUtmMaxLatitude = 1.4748032179352084;
inline constexpr double kUtmScaleFactor = 0.9996;
inline constexpr double kUtmFalseEasting = 500000.0;         ///< metres
inline constexpr double kUtmFalseNorthingSouth = 10000000.0; ///< metres
inline constexpr double kUtmMinEasting = 100000.0;           ///< metres, inclusive
inline constexpr double kUtmMaxEasting = 900000.0;           ///< metres, inclusive
inline constexpr double kUtmMinNorthing = 0.0;               ///< metres, inclusive
inline constexpr double kUtmMaxNorthing = 10000000.0;        ///< metres, inclusive

/// The process-wide UTM settings every conversion uses.
struct UtmSettings {
    double semiMajorAxis; ///< metres
    double flattening;
    int zoneOverride; ///< 0: zone from the longitude; 1..60: this zone where allowed
};

/// Validates and stores the settings; with any bit set nothing is stored.
/// Refuses a <= 0, 1/f outside [250, 350] and an override outside 0..60.
[[nodiscard]] int setUtmParameters(double semiMajorAxis, double flattening, int zoneOverride);
UtmSettings utmSettings();

/// Latitude and longitude in radians to zone, hemisphere ('N'/'S') and
/// metres. Bits 1, 2 and 0x40 mean nothing was written; 4 and 8 are
/// warnings with results written.
[[nodiscard]] int geoToUtm(double latitude, double longitude, int& zone, char& hemisphere, double& easting,
                           double& northing);

/// Zone, hemisphere and metres to latitude and longitude in radians. Input
/// out of range is refused with nothing written; the override plays no part.
[[nodiscard]] int utmToGeo(int zone, char hemisphere, double easting, double northing, double& latitude,
                           double& longitude);

/// Band letter C..X (I and O unused) for a latitude in degrees; 'Z' below
/// -80 or above 84. 80..84 inclusive is still 'X'.
char utmLetterDesignator(double latitudeDeg);

} // namespace kalimark
