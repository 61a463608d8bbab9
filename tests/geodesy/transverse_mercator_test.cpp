// Set-up validation, range limits, warning bits, and agreement of the fast
// series evaluation with the term-by-term formulas.
#include "angles.h"
#include "tm_direct_formulas.h"
#include "transverse_mercator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace kalimark {
namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;
constexpr double kBesselA = 6377397.155;
constexpr double kBesselF = 1.0 / 299.1528128;
constexpr double kNine = 9.0 * kDegToRad;

int setUpZone32(double a = kWgs84A, double f = kWgs84F, double falseNorthing = 0.0)
{
    return setTmParameters(a, f, 0.0, kNine, 500000.0, falseNorthing, 0.9996);
}

/// Agreement to 1e-9 m, or to one unit in the last place where a value is
/// so large (above 2^23 m) that its spacing exceeds 1e-9 m.
::testing::AssertionResult withinNanometre(double actual, double expected)
{
    const double tolerance = std::max(1e-9, std::nextafter(std::fabs(expected), INFINITY) - std::fabs(expected));
    if (std::fabs(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " differs from " << expected << " by " << actual - expected;
}

TEST(TransverseMercatorTest, HamburgForwardAndBack)
{
    ASSERT_EQ(setUpZone32(), 0);
    double easting = 0.0;
    double northing = 0.0;
    EXPECT_EQ(geoToTm(53.55 * kDegToRad, 9.99 * kDegToRad, easting, northing), 0);
    // GeographicLib 2.1 GeoConvert: 32n 565590.941 5933912.166
    EXPECT_NEAR(easting, 565590.941, 0.001);
    EXPECT_NEAR(northing, 5933912.166, 0.001);

    double lat = 0.0;
    double lon = 0.0;
    EXPECT_EQ(tmToGeo(easting, northing, lat, lon), 0);
    EXPECT_NEAR(lat * kRadToDeg, 53.55, 1e-9);
    EXPECT_NEAR(lon * kRadToDeg, 9.99, 1e-9);
}

TEST(TransverseMercatorTest, OriginMapsToFalseOriginExactly)
{
    ASSERT_EQ(setUpZone32(), 0);
    double easting = 0.0;
    double northing = 1.0;
    EXPECT_EQ(geoToTm(0.0, kNine, easting, northing), 0);
    EXPECT_EQ(easting, 500000.0);
    EXPECT_EQ(northing, 0.0);
}

TEST(TransverseMercatorTest, EastingNextToTheMeridianInvertsOntoIt)
{
    ASSERT_EQ(setUpZone32(), 0);
    double lat = 0.0;
    double lon = 0.0;
    tmToGeo(500000.00009, 5000000.0, lat, lon);
    EXPECT_EQ(lon, tmParameters().centralMeridian);
    tmToGeo(499999.99991, 5000000.0, lat, lon);
    EXPECT_EQ(lon, tmParameters().centralMeridian);
}

TEST(TransverseMercatorTest, RangeLimitsFollowTheEllipsoid)
{
    // Projections 90 degrees from the meridian: at the equator for the
    // easting limit, at 89.99 degrees for the northing limit.
    ASSERT_EQ(setUpZone32(), 0);
    EXPECT_NEAR(tmParameters().rangeEasting, 18577793.66, 0.01);
    EXPECT_NEAR(tmParameters().rangeNorthing, 10001965.70, 0.01);
    ASSERT_EQ(setUpZone32(kBesselA, kBesselF), 0);
    EXPECT_NEAR(tmParameters().rangeEasting, 18575409.06, 0.01);
    EXPECT_NEAR(tmParameters().rangeNorthing, 10000855.74, 0.01);
}

TEST(TransverseMercatorTest, ChangingEllipsoidRebuildsEveryDerivedTerm)
{
    // The derived terms are kept between set-ups; switching ellipsoid and
    // back must give exactly the first results again.
    ASSERT_EQ(setUpZone32(), 0);
    double e1 = 0.0, n1 = 0.0, e2 = 0.0, n2 = 0.0, e3 = 0.0, n3 = 0.0;
    geoToTm(0.9, 0.2, e1, n1);
    ASSERT_EQ(setUpZone32(kBesselA, kBesselF), 0);
    geoToTm(0.9, 0.2, e2, n2);
    ASSERT_EQ(setUpZone32(), 0);
    geoToTm(0.9, 0.2, e3, n3);
    EXPECT_NE(n1, n2);
    EXPECT_EQ(e1, e3);
    EXPECT_EQ(n1, n3);
}

TEST(TransverseMercatorTest, ForwardBitsAndWarnings)
{
    ASSERT_EQ(setUpZone32(), 0);
    double easting = -1.0;
    double northing = -1.0;
    EXPECT_EQ(geoToTm(0.5, kNine + 9.5 * kDegToRad, easting, northing), tm_bits::kFarFromMeridian);
    EXPECT_GT(easting, 500000.0);

    easting = -1.0;
    EXPECT_EQ(geoToTm(0.5, kNine + 91.0 * kDegToRad, easting, northing), tm_bits::kLongitude);
    EXPECT_EQ(easting, -1.0);
    EXPECT_EQ(geoToTm(89.995 * kDegToRad, kNine, easting, northing), tm_bits::kLatitude);
    EXPECT_EQ(geoToTm(-89.995 * kDegToRad, kNine, easting, northing), tm_bits::kLatitude);
    EXPECT_EQ(geoToTm(NAN, kNine, easting, northing), tm_bits::kLatitude);
    EXPECT_EQ(geoToTm(0.5, NAN, easting, northing), tm_bits::kLongitude);
    EXPECT_EQ(easting, -1.0);
    EXPECT_EQ(geoToTm(kTmMaxLatitude, kNine, easting, northing), 0);
    EXPECT_EQ(geoToTm(-kTmMaxLatitude, kNine, easting, northing), 0);
}

TEST(TransverseMercatorTest, LongitudesWrapAroundTheCircle)
{
    // Zone 1: meridian 183 degrees, stored as -177. A point at 179 E lies
    // 4 degrees west of it; back, it comes out as -181, unfolded.
    ASSERT_EQ(setTmParameters(kWgs84A, kWgs84F, 0.0, 183.0 * kDegToRad, 500000.0, 0.0, 0.9996), 0);
    EXPECT_NEAR(tmParameters().centralMeridian * kRadToDeg, -177.0, 1e-12);
    double easting = 0.0;
    double northing = 0.0;
    // Its difference is taken before folding (356 degrees), so it also
    // carries the far-from-meridian warning.
    EXPECT_EQ(geoToTm(0.2, 179.0 * kDegToRad, easting, northing), tm_bits::kFarFromMeridian);
    EXPECT_LT(easting, 500000.0);
    double lat = 0.0;
    double lon = 0.0;
    tmToGeo(easting, northing, lat, lon);
    EXPECT_NEAR(lon * kRadToDeg, -181.0, 1e-9);
}

TEST(TransverseMercatorTest, InverseRefusesOutsideTheRangeLimits)
{
    ASSERT_EQ(setUpZone32(), 0);
    const TmParameters p = tmParameters();
    double lat = 7.0;
    double lon = 7.0;
    EXPECT_EQ(tmToGeo(500000.0 + p.rangeEasting + 1.0, 0.0, lat, lon), tm_bits::kEasting);
    EXPECT_EQ(tmToGeo(500000.0, -p.rangeNorthing - 1.0, lat, lon), tm_bits::kNorthing);
    EXPECT_EQ(tmToGeo(NAN, NAN, lat, lon), tm_bits::kEasting | tm_bits::kNorthing);
    EXPECT_EQ(lat, 7.0);
    EXPECT_EQ(lon, 7.0);
}

struct SetupCase {
    std::string name;
    double a, f, phi0, lambda0, k0;
    int bits;
};

class TmSetupTest : public ::testing::TestWithParam<SetupCase> {};

TEST_P(TmSetupTest, RefusedSetupKeepsEveryParameter)
{
    ASSERT_EQ(setUpZone32(), 0);
    const TmParameters before = tmParameters();
    const SetupCase& c = GetParam();
    EXPECT_EQ(setTmParameters(c.a, c.f, c.phi0, c.lambda0, 1.0, 2.0, c.k0), c.bits);
    const TmParameters after = tmParameters();
    EXPECT_EQ(after.a, before.a);
    EXPECT_EQ(after.f, before.f);
    EXPECT_EQ(after.K1, before.K1);
    EXPECT_EQ(after.rangeEasting, before.rangeEasting);
    EXPECT_EQ(after.centralMeridian, before.centralMeridian);
    EXPECT_EQ(after.falseEasting, before.falseEasting);
    EXPECT_EQ(after.falseNorthing, before.falseNorthing);
    EXPECT_EQ(after.scaleFactor, before.scaleFactor);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, TmSetupTest,
    ::testing::Values(SetupCase{"ScaleTooSmall", kWgs84A, kWgs84F, 0.0, 0.0, 0.2, tm_bits::kScaleFactor},
                      SetupCase{"ScaleTooLarge", kWgs84A, kWgs84F, 0.0, 0.0, 3.1, tm_bits::kScaleFactor},
                      SetupCase{"ZeroAxis", 0.0, kWgs84F, 0.0, 0.0, 1.0, tm_bits::kSemiMajorAxis},
                      SetupCase{"FlatteningTooLarge", kWgs84A, 1.0 / 249.0, 0.0, 0.0, 1.0, tm_bits::kFlattening},
                      SetupCase{"SphereHasNoFlattening", kWgs84A, 0.0, 0.0, 0.0, 1.0, tm_bits::kFlattening},
                      SetupCase{"OriginBeyondPole", kWgs84A, kWgs84F, 1.6, 0.0, 1.0, tm_bits::kOriginLatitude},
                      SetupCase{"Meridian361", kWgs84A, kWgs84F, 0.0, 361.0 * kDegToRad, 1.0,
                                tm_bits::kCentralMeridian},
                      SetupCase{"MeridianBelowMinusPi", kWgs84A, kWgs84F, 0.0, -3.2, 1.0, tm_bits::kCentralMeridian},
                      SetupCase{"NaNEverywhere", NAN, NAN, NAN, NAN, NAN,
                                tm_bits::kSemiMajorAxis | tm_bits::kFlattening | tm_bits::kOriginLatitude |
                                    tm_bits::kCentralMeridian | tm_bits::kScaleFactor}),
    [](const auto& info) { return info.param.name; });

TEST(TransverseMercatorTest, MeridianArcMatchesTheDirectSines)
{
    ASSERT_EQ(setUpZone32(), 0);
    const direct::Derived d = direct::derive({kWgs84A, kWgs84F, 0, 0, 0, 0, 1});
    for (double deg = -90.0; deg <= 90.0; deg += 0.0625) {
        const double phi = deg * kDegToRad;
        EXPECT_TRUE(withinNanometre(meridianArc(phi), direct::arc(d, phi))) << deg;
    }
}

struct SeriesCase {
    std::string name;
    direct::Setup setup;
};

class TmSeriesTest : public ::testing::TestWithParam<SeriesCase> {};

TEST_P(TmSeriesTest, FastEvaluationMatchesTheTermByTermFormulas)
{
    const direct::Setup& s = GetParam().setup;
    ASSERT_EQ(setTmParameters(s.a, s.f, s.phi0, s.lambda0, s.fe, s.fn, s.k0), 0);
    std::vector<double> latitudes = {-89.989, -89.9, -88.0, -86.0, 86.0, 88.0, 89.9, 89.989};
    for (double latDeg = -84.0; latDeg <= 84.0; latDeg += 1.75)
        latitudes.push_back(latDeg);
    for (const double latDeg : latitudes) {
        for (double dlDeg = -8.0; dlDeg <= 8.0; dlDeg += 0.5) {
            const double phi = latDeg * kDegToRad;
            const double lambda = s.lambda0 + dlDeg * kDegToRad;
            double e = 0.0, n = 0.0, de = 0.0, dn = 0.0;
            geoToTm(phi, lambda, e, n);
            direct::forward(s, phi, lambda, de, dn);
            ASSERT_TRUE(withinNanometre(e, de)) << latDeg << " " << dlDeg;
            ASSERT_TRUE(withinNanometre(n, dn)) << latDeg << " " << dlDeg;

            double lat = 0.0, lon = 0.0, dlat = 0.0, dlon = 0.0;
            const int bits = tmToGeo(e, n, lat, lon);
            if (std::fabs(n - s.fn) > tmParameters().rangeNorthing) {
                // Beyond the inverse's range from this origin.
                ASSERT_EQ(bits, tm_bits::kNorthing);
                continue;
            }
            direct::inverse(s, e, n, dlat, dlon);
            // Towards the pole the longitude grows sensitive to the last
            // place of cos(latitude), for any evaluation: 1/cos(latitude).
            const double lonTolerance = 1e-14 / std::min(1.0, 10.0 * std::cos(phi));
            ASSERT_NEAR(lat, dlat, 1e-14) << latDeg << " " << dlDeg;
            ASSERT_NEAR(lon, dlon, lonTolerance) << latDeg << " " << dlDeg;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ellipsoids, TmSeriesTest,
    ::testing::Values(SeriesCase{"Wgs84Zone32North", {kWgs84A, kWgs84F, 0.0, kNine, 500000.0, 0.0, 0.9996}},
                      SeriesCase{"Wgs84Zone32South", {kWgs84A, kWgs84F, 0.0, kNine, 500000.0, 10000000.0, 0.9996}},
                      SeriesCase{"BesselGaussKrueger", {kBesselA, kBesselF, 0.0, kNine, 3500000.0, 0.0, 1.0}},
                      SeriesCase{"International1924WithOrigin",
                                 {6378388.0, 1.0 / 297.0, 49.0 * kDegToRad, -2.0 * kDegToRad, 400000.0, -100000.0,
                                  0.9996012717}}),
    [](const auto& info) { return info.param.name; });

} // namespace
} // namespace kalimark
