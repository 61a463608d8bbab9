// Transverse Mercator on any ellipsoid: series in the longitude difference
// up to its 8th power forward; five footpoint rounds and the inverse series
// up to the 8th power of the easting difference back.
//
// The parameters are one set per process, set up right before each
// projection; the UTM layer does that on every conversion.
#pragma once

namespace kalimark {

/// Bits returned by the Transverse Mercator operations (0 = success).
namespace tm_bits {
inline constexpr int kLatitude = 0x1;          ///< forward: |latitude| > kTmMaxLatitude; nothing written
inline constexpr int kLongitude = 0x2;         ///< forward: over 90 degrees from the central meridian; nothing written
inline constexpr int kEasting = 0x4;           ///< inverse: easting beyond the range (entry: nothing written)
inline constexpr int kNorthing = 0x8;          ///< inverse: northing beyond the range (entry: nothing written)
inline constexpr int kOriginLatitude = 0x10;   ///< set-up: outside [-pi/2, pi/2]
inline constexpr int kCentralMeridian = 0x20;  ///< set-up: outside [-pi, 2pi]
inline constexpr int kSemiMajorAxis = 0x40;    ///< set-up: a <= 0
inline constexpr int kFlattening = 0x80;       ///< set-up: 1/f outside [250, 350]
inline constexpr int kScaleFactor = 0x100;     ///< set-up: k0 outside [0.3, 3.0]
inline constexpr int kFarFromMeridian = 0x200; ///< warning only: results written
} // namespace tm_bits

/// WGS 84, the ellipsoid in force before any set-up: a in metres, f.
inline constexpr double kWgs84SemiMajorAxis = 6378137.0;
inline constexpr double kWgs84Flattening = 1.0 / 298.257223563;

/// Highest |latitude| the forward projection accepts: 89.99 degrees, radians.
inline constexpr double kTmMaxLatitude = 1.570621793869697;
/// Longitude difference above which results carry kFarFromMeridian: 9 degrees.
inline constexpr double kTmWarnLongitudeDifference = 0.15707963267948966;

/// The ellipsoids every projection accepts: a > 0 metres and an inverse
/// flattening 1/f in [250, 350], which covers all reference ellipsoids in
/// use and keeps the series within their accuracy. NaN is refused.
bool isAcceptedSemiMajorAxis(double semiMajorAxis);
bool isAcceptedFlattening(double flattening);

/// Validates, derives and stores the projection parameters. Angles in
/// radians, lengths in metres. A refused set-up leaves every parameter as it
/// was. The central meridian is stored in (-pi, pi].
[[nodiscard]] int setTmParameters(double semiMajorAxis, double flattening, double originLatitude,
                                  double centralMeridian, double falseEasting, double falseNorthing,
                                  double scaleFactor);

/// Radians in, metres out.
[[nodiscard]] int geoToTm(double latitude, double longitude, double& easting, double& northing);

/// Metres in, radians out.
[[nodiscard]] int tmToGeo(double easting, double northing, double& latitude, double& longitude);

/// The current parameters, for inspection.
struct TmParameters {
    double a = 0.0;                                          ///< semi-major axis, metres
    double f = 0.0;                                          ///< flattening
    double e2 = 0.0;                                         ///< first eccentricity squared
    double ep2 = 0.0;                                        ///< second eccentricity squared
    double K1 = 0.0, K2 = 0.0, K3 = 0.0, K4 = 0.0, K5 = 0.0; ///< meridional arc, metres
    double rangeEasting = 0.0;                               ///< largest easting distance the inverse accepts, metres
    double rangeNorthing = 0.0;                              ///< largest northing distance the inverse accepts, metres
    double originLatitude = 0.0;                             ///< radians
    double centralMeridian = 0.0;                            ///< radians, (-pi, pi]
    double falseEasting = 0.0;
    double falseNorthing = 0.0;
    double scaleFactor = 1.0;
};
TmParameters tmParameters();

} // namespace kalimark
