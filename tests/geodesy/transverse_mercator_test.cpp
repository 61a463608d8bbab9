// Set-up validation, range limits, warning bits, and agreement of the fast
// series evaluation with the same series written out term by term.
#include "angles.h"
#include "tm_direct_formulas.h"
#include "transverse_mercator.h"

#include <gtest/gtest.h>

#include <algorithm>
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

int setUpZone32(double a = kWgs84A, double f = kWgs84F)
{
    return setTmParameters(a, f, 0.0, kNine, 500000.0, 0.0, 0.9996);
}

TEST(TransverseMercatorTest, InverseTakesATenthOfAMillimetreAsOnTheMeridian)
{
    ASSERT_EQ(setUpZone32(), 0);
    for (const double easting : {500000.00009, 499999.99991}) {
        double lat = 0.0, lon = 0.0;
        ASSERT_EQ(tmToGeo(easting, 5000000.0, lat, lon), 0);
        EXPECT_EQ(lon, kNine);
    }
}

TEST(TransverseMercatorTest, ForwardRefusalsAndWarnings)
{
    ASSERT_EQ(setUpZone32(), 0);
    double easting = -1.0, northing = -1.0;
    EXPECT_EQ(geoToTm(0.5, kNine + 9.5 * kDegToRad, easting, northing), tm_bits::kFarFromMeridian);
    EXPECT_GT(easting, 500000.0);
    easting = -1.0;
    EXPECT_EQ(geoToTm(0.5, kNine + 91.0 * kDegToRad, easting, northing), tm_bits::kLongitude);
    EXPECT_EQ(geoToTm(89.995 * kDegToRad, kNine, easting, northing), tm_bits::kLatitude);
    EXPECT_EQ(geoToTm(NAN, NAN, easting, northing), tm_bits::kLatitude | tm_bits::kLongitude);
    EXPECT_EQ(easting, -1.0);
    EXPECT_EQ(geoToTm(kTmMaxLatitude, kNine, easting, northing), 0);
    EXPECT_EQ(geoToTm(-kTmMaxLatitude, kNine, easting, northing), 0);

    // Zone 1's meridian, 183 degrees, is kept as -177.
    ASSERT_EQ(setTmParameters(kWgs84A, kWgs84F, 0.0, 183.0 * kDegToRad, 500000.0, 0.0, 0.9996), 0);
    EXPECT_NEAR(tmParameters().centralMeridian * kRadToDeg, -177.0, 1e-12);
    EXPECT_EQ(geoToTm(0.2, -179.0 * kDegToRad, easting, northing), 0);
    EXPECT_LT(easting, 500000.0);
}

TEST(TransverseMercatorTest, InverseRefusesBeyondTheRangeLimits)
{
    ASSERT_EQ(setUpZone32(), 0);
    // The forward projections of points 90 degrees from the meridian.
    const double rangeE = tmParameters().rangeEasting, rangeN = tmParameters().rangeNorthing;
    EXPECT_NEAR(rangeE, 18577793.66, 0.01);
    EXPECT_NEAR(rangeN, 10001965.70, 0.01);
    double lat = 7.0, lon = 7.0;
    EXPECT_EQ(tmToGeo(500000.0 + rangeE + 1.0, 0.0, lat, lon), tm_bits::kEasting);
    EXPECT_EQ(tmToGeo(500000.0, -rangeN - 1.0, lat, lon), tm_bits::kNorthing);
    EXPECT_EQ(tmToGeo(NAN, NAN, lat, lon), tm_bits::kEasting | tm_bits::kNorthing);
    EXPECT_TRUE(lat == 7.0 && lon == 7.0);
}

TEST(TransverseMercatorTest, RefusedSetupKeepsEveryParameter)
{
    struct Case {
        const char* name;
        double a, f, phi0, lambda0, k0;
        int bits;
    };
    const Case cases[] = {{"scale 0.2", kWgs84A, kWgs84F, 0.0, 0.0, 0.2, tm_bits::kScaleFactor},
                          {"scale 3.1", kWgs84A, kWgs84F, 0.0, 0.0, 3.1, tm_bits::kScaleFactor},
                          {"axis 0", 0.0, kWgs84F, 0.0, 0.0, 1.0, tm_bits::kSemiMajorAxis},
                          {"1/f 249", kWgs84A, 1.0 / 249.0, 0.0, 0.0, 1.0, tm_bits::kFlattening},
                          {"sphere", kWgs84A, 0.0, 0.0, 0.0, 1.0, tm_bits::kFlattening},
                          {"origin 1.6 rad", kWgs84A, kWgs84F, 1.6, 0.0, 1.0, tm_bits::kOriginLatitude},
                          {"meridian 361", kWgs84A, kWgs84F, 0.0, 361.0 * kDegToRad, 1.0, tm_bits::kCentralMeridian},
                          {"all NaN", NAN, NAN, NAN, NAN, NAN,
                           tm_bits::kSemiMajorAxis | tm_bits::kFlattening | tm_bits::kOriginLatitude |
                               tm_bits::kCentralMeridian | tm_bits::kScaleFactor}};
    // Every parameter enters a forward result, so an unchanged result shows all were kept.
    ASSERT_EQ(setUpZone32(), 0);
    double e0 = 0.0, n0 = 0.0;
    ASSERT_EQ(geoToTm(0.9, 0.2, e0, n0), 0);
    for (const Case& c : cases) {
        EXPECT_EQ(setTmParameters(c.a, c.f, c.phi0, c.lambda0, 1.0, 2.0, c.k0), c.bits) << c.name;
        double e = 0.0, n = 0.0;
        ASSERT_EQ(geoToTm(0.9, 0.2, e, n), 0);
        EXPECT_TRUE(e == e0 && n == n0) << c.name;
    }
}

/// Agreement to 1e-9 m, or to one unit in the last place where a value is
/// so large (above 2^23 m) that its spacing exceeds 1e-9 m.
::testing::AssertionResult withinNanometre(double actual, double expected)
{
    const double ulp = std::nextafter(std::fabs(expected), INFINITY) - std::fabs(expected);
    if (std::fabs(actual - expected) <= std::max(1e-9, ulp))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actual << " differs from " << expected << " by " << actual - expected;
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
            SCOPED_TRACE(::testing::Message() << latDeg << " " << dlDeg);
            const double phi = latDeg * kDegToRad;
            const double lambda = s.lambda0 + dlDeg * kDegToRad;
            double e = 0.0, n = 0.0, de = 0.0, dn = 0.0;
            ASSERT_EQ(geoToTm(phi, lambda, e, n), 0);
            direct::forward(s, phi, lambda, de, dn);
            ASSERT_TRUE(withinNanometre(e, de));
            ASSERT_TRUE(withinNanometre(n, dn));

            double lat = 0.0, lon = 0.0, dlat = 0.0, dlon = 0.0;
            const int bits = tmToGeo(e, n, lat, lon);
            if (std::fabs(n - s.fn) > tmParameters().rangeNorthing) {
                ASSERT_EQ(bits, tm_bits::kNorthing); // beyond the range from this origin
                continue;
            }
            direct::inverse(s, e, n, dlat, dlon);
            // Towards the pole the longitude grows sensitive to the last
            // place of cos(latitude), in any evaluation: 1/cos(latitude).
            ASSERT_NEAR(lat, dlat, 1e-14);
            ASSERT_NEAR(lon, dlon, 1e-14 / std::min(1.0, 10.0 * std::cos(phi)));
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
