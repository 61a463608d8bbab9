#include "transverse_mercator.h"

#include "angles.h"

#include <cmath>

namespace kalimark {

using namespace tm_bits;

namespace {

/// Below this longitude difference (radians) a point counts as on the meridian.
constexpr double kZeroLongitudeDifference = 2e-10;
/// Below this easting difference (metres) the inverse treats a point as on the meridian.
constexpr double kZeroEastingDifference = 0.0001;
/// The inverse refines the footpoint latitude at most this many times.
constexpr int kFootpointRounds = 5;
/// A Newton step on the meridian arc below this (radians) leaves an error
/// under 1e-20 rad: the convergence is quadratic with a factor below 0.01
/// (3e²/4 for any accepted flattening).
constexpr double kFootpointConverged = 1e-9;
/// Up to this angle (radians) sin and cos are turned by Taylor terms; the
/// first term left out stays below 1e-17.
constexpr double kSmallTurn = 0.05;

constexpr double kInv6 = 1.0 / 6.0;
constexpr double kInv24 = 1.0 / 24.0;
constexpr double kInv120 = 1.0 / 120.0;
constexpr double kInv720 = 1.0 / 720.0;
constexpr double kInv5040 = 1.0 / 5040.0;
constexpr double kInv40320 = 1.0 / 40320.0;

/// Everything that follows from a and f alone. The UTM layer sets the
/// projection up before every conversion, nearly always on the same
/// ellipsoid, so this part is kept and only rebuilt when a or f change.
struct Ellipsoid {
    double a = 0.0;
    double f = 0.0;
    double e2 = 0.0;
    double ep2 = 0.0;
    double K1 = 0.0, K2 = 0.0, K3 = 0.0, K4 = 0.0, K5 = 0.0;
    double meridianRadiusAtEquator = 0.0; ///< a·(1 − e²), metres
    double inverseMeridianRadiusAtEquator = 0.0;
    double inverseOneMinusE2 = 0.0; ///< 1/(1 − e²): nu/rho is (1 − e²·sin²phi) times this
    double inverseK1 = 0.0;
    double J1 = 0.0, J2 = 0.0, J3 = 0.0, J4 = 0.0; ///< footpoint start series
    double rangeEasting = 0.0;
    double rangeNorthing = 0.0;
};

struct Projection {
    Ellipsoid ellipsoid;
    double originLatitude = 0.0;
    double centralMeridian = 0.0;
    double falseEasting = 0.0;
    double falseNorthing = 0.0;
    double scaleFactor = 1.0;
    double arcAtOrigin = 0.0; ///< M(originLatitude)
    double inverseAK0 = 0.0;  ///< 1/(a·k0), 1/metres
};

/// sin 2x, sin 4x, sin 6x, sin 8x by recurrence from s = sin x, c = cos x:
/// one sincos instead of four sines, within a few units in the last place.
struct MultipleSines {
    double s2, s4, s6, s8;
};

MultipleSines multipleSines(double s, double c)
{
    const double s2 = 2.0 * s * c;
    const double c2 = (c - s) * (c + s);
    const double s4 = 2.0 * s2 * c2;
    const double c4 = (c2 - s2) * (c2 + s2);
    return {s2, s4, s4 * c2 + c4 * s2, 2.0 * s4 * c4};
}

/// M(phi) = K1·phi − K2·sin 2phi + K3·sin 4phi − K4·sin 6phi + K5·sin 8phi,
/// with s = sin phi and c = cos phi.
double arc(const Ellipsoid& el, double phi, double s, double c)
{
    const MultipleSines m = multipleSines(s, c);
    return el.K1 * phi - el.K2 * m.s2 + el.K3 * m.s4 - el.K4 * m.s6 + el.K5 * m.s8;
}

double arc(const Ellipsoid& el, double phi)
{
    return arc(el, phi, std::sin(phi), std::cos(phi));
}

bool outsideHalfCircle(double longitude, double centre)
{
    return longitude < centre - kHalfPi || longitude > centre + kHalfPi;
}

/// Turns s = sin x and c = cos x into sin and cos of x + delta, where
/// `turned` is x + delta.
void turn(double& s, double& c, double turned, double delta)
{
    if (!(std::fabs(delta) <= kSmallTurn)) {
        s = std::sin(turned);
        c = std::cos(turned);
        return;
    }
    const double d2 = delta * delta;
    const double sinDelta = delta * (1.0 - d2 * kInv6 * (1.0 - d2 * (1.0 / 20.0) * (1.0 - d2 * (1.0 / 42.0))));
    const double cosDelta =
        1.0 - d2 * 0.5 * (1.0 - d2 * (1.0 / 12.0) * (1.0 - d2 * (1.0 / 30.0) * (1.0 - d2 * (1.0 / 56.0))));
    const double sinTurned = s * cosDelta + c * sinDelta;
    c = c * cosDelta - s * sinDelta;
    s = sinTurned;
}

int forward(const Projection& p, double phi, double lambda, double& easting, double& northing)
{
    int bits = 0;
    if (!(phi >= -kTmMaxLatitude && phi <= kTmMaxLatitude))
        bits |= kLatitude;
    if (lambda > kPi)
        lambda -= kTwoPi;
    if (outsideHalfCircle(lambda, p.centralMeridian)) {
        // Try again on the 0..2pi side of the circle.
        const double l = lambda < 0.0 ? lambda + kTwoPi : lambda;
        const double l0 = p.centralMeridian < 0.0 ? p.centralMeridian + kTwoPi : p.centralMeridian;
        if (outsideHalfCircle(l, l0))
            bits |= kLongitude;
    }
    if (std::isnan(lambda))
        bits |= kLongitude;
    if (bits != 0)
        return bits;

    double dl = lambda - p.centralMeridian;
    if (std::fabs(dl) > kTmWarnLongitudeDifference)
        bits |= kFarFromMeridian;
    if (dl > kPi)
        dl -= kTwoPi;
    else if (dl < -kPi)
        dl += kTwoPi;
    if (std::fabs(dl) < kZeroLongitudeDifference)
        dl = 0.0;

    const Ellipsoid& el = p.ellipsoid;
    const double s = std::sin(phi);
    const double c = std::cos(phi);
    const double t = s / c;
    const double t2 = t * t, t4 = t2 * t2, t6 = t4 * t2;
    const double c2 = c * c;
    const double eta = el.ep2 * c2;
    const double eta2 = eta * eta, eta3 = eta2 * eta, eta4 = eta2 * eta2;
    const double kNu = p.scaleFactor * el.a / std::sqrt(1.0 - el.e2 * s * s);
    const double dl2 = dl * dl;

    const double kNuSC = kNu * s * c;
    const double T1 = kNuSC * 0.5;
    const double T2 = kNuSC * c2 * (5.0 - t2 + 9.0 * eta + 4.0 * eta2) * kInv24;
    const double T3 = kNuSC * c2 * c2 *
                      (61.0 - 58.0 * t2 + t4 + 270.0 * eta - 330.0 * t2 * eta + 445.0 * eta2 + 324.0 * eta3 -
                       680.0 * t2 * eta2 + 88.0 * eta4 - 600.0 * t2 * eta3 - 192.0 * t2 * eta4) *
                      kInv720;
    const double T4 = kNuSC * c2 * c2 * c2 * (1385.0 - 3111.0 * t2 + 543.0 * t4 - t6) * kInv40320;
    const double T6 = kNu * c;
    const double T7 = T6 * c2 * (1.0 - t2 + eta) * kInv6;
    const double T8 = T6 * c2 * c2 *
                      (5.0 - 18.0 * t2 + t4 + 14.0 * eta - 58.0 * t2 * eta + 13.0 * eta2 + 4.0 * eta3 -
                       64.0 * t2 * eta2 - 24.0 * t2 * eta3) *
                      kInv120;
    const double T9 = T6 * c2 * c2 * c2 * (61.0 - 479.0 * t2 + 179.0 * t4 - t6) * kInv5040;

    // Summed in the formula's own order: near 10^7 m one unit in the last
    // place is 2e-9 m, and a different order would show there.
    const double dl3 = dl2 * dl, dl4 = dl2 * dl2, dl5 = dl4 * dl;
    const double dl6 = dl4 * dl2, dl7 = dl6 * dl, dl8 = dl4 * dl4;
    northing = p.falseNorthing + p.scaleFactor * (arc(el, phi, s, c) - p.arcAtOrigin) + T1 * dl2 + T2 * dl4 + T3 * dl6 +
               T4 * dl8;
    easting = p.falseEasting + T6 * dl + T7 * dl3 + T8 * dl5 + T9 * dl7;
    return bits;
}

int inverse(const Projection& p, double easting, double northing, double& latitude, double& longitude)
{
    const Ellipsoid& el = p.ellipsoid;
    int bits = 0;
    if (!(easting >= p.falseEasting - el.rangeEasting && easting <= p.falseEasting + el.rangeEasting))
        bits |= kEasting;
    if (!(northing >= p.falseNorthing - el.rangeNorthing && northing <= p.falseNorthing + el.rangeNorthing))
        bits |= kNorthing;
    if (bits != 0)
        return bits;

    // Footpoint latitude: the latitude whose meridian arc is m. Start from
    // the rectifying-latitude series (Snyder 1987, eq. 3-26), good to about
    // 1e-12 rad, then take Newton steps (dM/dphi is the meridian radius
    // rho) until one falls below kFootpointConverged; sin and cos follow
    // each step by a small turn instead of a new sincos.
    const double m = p.arcAtOrigin + (northing - p.falseNorthing) / p.scaleFactor;
    const double mu = m * el.inverseK1;
    double s = std::sin(mu);
    double c = std::cos(mu);
    const MultipleSines ms = multipleSines(s, c);
    double phi = mu + el.J1 * ms.s2 + el.J2 * ms.s4 + el.J3 * ms.s6 + el.J4 * ms.s8;
    turn(s, c, phi, phi - mu);
    for (int round = 0; round < kFootpointRounds; ++round) {
        const double w2 = 1.0 - el.e2 * s * s;
        const double step = (m - arc(el, phi, s, c)) * (w2 * std::sqrt(w2)) * el.inverseMeridianRadiusAtEquator;
        phi += step;
        turn(s, c, phi, step);
        if (std::fabs(step) < kFootpointConverged)
            break;
    }

    const double w2 = 1.0 - el.e2 * s * s;
    const double w = std::sqrt(w2);
    const double nuOverRho = w2 * el.inverseOneMinusE2;
    const double inverseCos = 1.0 / c;
    const double t = s * inverseCos;
    const double t2 = t * t, t4 = t2 * t2, t6 = t4 * t2;
    const double eta = el.ep2 * c * c;
    const double eta2 = eta * eta, eta3 = eta2 * eta, eta4 = eta2 * eta2;

    double d = easting - p.falseEasting;
    if (std::fabs(d) < kZeroEastingDifference)
        d = 0.0;
    // In q = d/(nu·k0) every term Tn·d^k of the series becomes a plain
    // polynomial, which saves a division per term.
    const double q = d * w * p.inverseAK0;
    const double q2 = q * q;

    const double A = (5.0 + 3.0 * t2 + eta - 4.0 * eta2 - 9.0 * t2 * eta) * kInv24;
    const double B =
        (61.0 + 90.0 * t2 + 46.0 * eta + 45.0 * t4 - 252.0 * t2 * eta - 3.0 * eta2 + 100.0 * eta3 - 66.0 * t2 * eta2 -
         90.0 * t4 * eta + 88.0 * eta4 + 225.0 * t4 * eta2 + 84.0 * t2 * eta3 - 192.0 * t2 * eta4) *
        kInv720;
    const double C = (1385.0 + 3633.0 * t2 + 4095.0 * t4 + 1575.0 * t6) * kInv40320;
    const double correction = t * nuOverRho * q2 * (0.5 - q2 * (A - q2 * (B - q2 * C)));
    const double lat = phi - correction;

    const double F = (1.0 + 2.0 * t2 + eta) * kInv6;
    const double G = (5.0 + 6.0 * eta + 28.0 * t2 - 3.0 * eta2 + 8.0 * t2 * eta + 24.0 * t4 - 4.0 * eta3 +
                      4.0 * t2 * eta2 + 24.0 * t2 * eta3) *
                     kInv120;
    const double H = (61.0 + 662.0 * t2 + 1320.0 * t4 + 720.0 * t6) * kInv5040;
    const double dl = q * inverseCos * (1.0 - q2 * (F - q2 * (G - q2 * H)));

    double lon = p.centralMeridian + dl;
    if (std::fabs(lat) > kHalfPi)
        bits |= kNorthing;
    if (lon > kPi) {
        lon -= kTwoPi;
        if (std::fabs(lon) > kPi)
            bits |= kEasting;
    }
    turn(s, c, lat, -correction);
    if (std::fabs(dl) > c * kTmWarnLongitudeDifference)
        bits |= kFarFromMeridian;
    latitude = lat;
    longitude = lon;
    return bits;
}

Ellipsoid makeEllipsoid(double a, double f)
{
    Ellipsoid el;
    el.a = a;
    el.f = f;
    el.e2 = 2.0 * f - f * f;
    el.ep2 = 1.0 / (1.0 - el.e2) - 1.0;
    const double b = a * (1.0 - f);
    const double n = (a - b) / (a + b);
    const double n2 = n * n, n3 = n2 * n, n4 = n3 * n, n5 = n4 * n;
    el.K1 = a * (1.0 - n + 1.25 * (n2 - n3) + 1.265625 * (n4 - n5));
    el.K2 = 1.5 * a * (n - n2 + 0.875 * (n3 - n4) + 0.859375 * n5);
    el.K3 = 0.9375 * a * (n2 - n3 + 0.75 * (n4 - n5));
    el.K4 = 0.7291666666666666 * a * (n3 - n4 + 0.6875 * n5); // 35/48
    el.K5 = 0.615234375 * a * (n4 - n5);
    el.meridianRadiusAtEquator = a * (1.0 - el.e2);
    el.inverseMeridianRadiusAtEquator = 1.0 / el.meridianRadiusAtEquator;
    el.inverseOneMinusE2 = 1.0 / (1.0 - el.e2);
    el.inverseK1 = 1.0 / el.K1;
    el.J1 = 1.5 * n - 27.0 / 32.0 * n3;
    el.J2 = 21.0 / 16.0 * n2 - 55.0 / 32.0 * n4;
    el.J3 = 151.0 / 96.0 * n3;
    el.J4 = 1097.0 / 512.0 * n4;

    // The inverse's range limits: projections at 90 degrees from a central
    // meridian at 0 with no offsets and scale 1.
    Projection provisional;
    provisional.ellipsoid = el;
    double easting = 0.0;
    double northing = 0.0;
    forward(provisional, kTmMaxLatitude, kHalfPi, easting, northing);
    el.rangeNorthing = northing;
    forward(provisional, 0.0, kHalfPi, easting, northing);
    el.rangeEasting = easting;
    return el;
}

Projection& projection()
{
    static Projection p = [] {
        Projection initial;
        initial.ellipsoid = makeEllipsoid(kWgs84SemiMajorAxis, kWgs84Flattening);
        initial.inverseAK0 = 1.0 / kWgs84SemiMajorAxis;
        return initial;
    }();
    return p;
}

} // namespace

bool isAcceptedSemiMajorAxis(double semiMajorAxis)
{
    return semiMajorAxis > 0.0;
}

bool isAcceptedFlattening(double flattening)
{
    const double inverseFlattening = 1.0 / flattening;
    return inverseFlattening >= 250.0 && inverseFlattening <= 350.0;
}

int setTmParameters(double semiMajorAxis, double flattening, double originLatitude, double centralMeridian,
                    double falseEasting, double falseNorthing, double scaleFactor)
{
    int bits = 0;
    if (!isAcceptedSemiMajorAxis(semiMajorAxis))
        bits |= kSemiMajorAxis;
    if (!isAcceptedFlattening(flattening))
        bits |= kFlattening;
    if (!(originLatitude >= -kHalfPi && originLatitude <= kHalfPi))
        bits |= kOriginLatitude;
    if (!(centralMeridian >= -kPi && centralMeridian <= kTwoPi))
        bits |= kCentralMeridian;
    if (!(scaleFactor >= 0.3 && scaleFactor <= 3.0))
        bits |= kScaleFactor;
    if (bits != 0)
        return bits;

    Projection& p = projection();
    const bool sameEllipsoid = semiMajorAxis == p.ellipsoid.a && flattening == p.ellipsoid.f;
    if (!sameEllipsoid)
        p.ellipsoid = makeEllipsoid(semiMajorAxis, flattening);
    if (!sameEllipsoid || originLatitude != p.originLatitude)
        p.arcAtOrigin = arc(p.ellipsoid, originLatitude);
    p.originLatitude = originLatitude;
    p.centralMeridian = centralMeridian > kPi ? centralMeridian - kTwoPi : centralMeridian;
    p.falseEasting = falseEasting;
    p.falseNorthing = falseNorthing;
    p.scaleFactor = scaleFactor;
    p.inverseAK0 = 1.0 / (semiMajorAxis * scaleFactor);
    return 0;
}

int geoToTm(double latitude, double longitude, double& easting, double& northing)
{
    return forward(projection(), latitude, longitude, easting, northing);
}

int tmToGeo(double easting, double northing, double& latitude, double& longitude)
{
    return inverse(projection(), easting, northing, latitude, longitude);
}

TmParameters tmParameters()
{
    const Projection& p = projection();
    const Ellipsoid& el = p.ellipsoid;
    return {el.a,
            el.f,
            el.e2,
            el.ep2,
            el.K1,
            el.K2,
            el.K3,
            el.K4,
            el.K5,
            el.rangeEasting,
            el.rangeNorthing,
            p.originLatitude,
            p.centralMeridian,
            p.falseEasting,
            p.falseNorthing,
            p.scaleFactor};
}

} // namespace kalimark
