// Our projection against GeographicLib's exact Transverse Mercator
// (Karney 2011), an independent implementation: over zone 32 and its mirror
// south of the equator the series must agree to 0.1 mm and invert to 1e-9°.
#include "angles.h"
#include "utm.h"

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <gtest/gtest.h>

#include <string>

namespace kalimark {
namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;
constexpr double kCentralMeridian32 = 9.0; // degrees
constexpr double kTenthMillimetre = 1e-4;
constexpr double kInverseTolerance = 1e-9; // degrees

struct Hemisphere {
    const char* name;
    double sign;
    double lastLatitude; // degrees; UTM stops at 84.5 N and 80.5 S
};

class OracleTest : public ::testing::TestWithParam<Hemisphere> {};

TEST_P(OracleTest, Zone32AgreesWithExactProjection)
{
    const GeographicLib::TransverseMercatorExact exact(kWgs84A, kWgs84F, kUtmScaleFactor);
    // Forced into zone 32, so the grid may reach into the special zones.
    ASSERT_EQ(setUtmParameters(kWgs84A, kWgs84F, 32), 0);
    const double sign = GetParam().sign;
    for (double latDeg = 0.0; latDeg <= GetParam().lastLatitude; latDeg += 1.0) {
        for (double dlDeg = -3.5; dlDeg <= 3.5; dlDeg += 0.25) {
            const double lat = sign * latDeg;
            const double lon = kCentralMeridian32 + dlDeg;
            SCOPED_TRACE(::testing::Message() << lat << " " << lon);
            double x = 0.0, y = 0.0;
            exact.Forward(kCentralMeridian32, lat, lon, x, y);

            int zone = 0;
            char hemisphere = '?';
            double easting = 0.0, northing = 0.0, backLat = 0.0, backLon = 0.0;
            ASSERT_EQ(geoToUtm(lat * kDegToRad, lon * kDegToRad, zone, hemisphere, easting, northing), 0);
            ASSERT_EQ(zone, 32);
            EXPECT_NEAR(easting, kUtmFalseEasting + x, kTenthMillimetre);
            EXPECT_NEAR(northing, lat < 0.0 ? kUtmFalseNorthingSouth + y : y, kTenthMillimetre);
            // Far out the easting passes UTM's range; the inverse still runs.
            static_cast<void>(utmToGeo(zone, hemisphere, easting, northing, backLat, backLon));
            EXPECT_NEAR(backLat * kRadToDeg, lat, kInverseTolerance);
            EXPECT_NEAR(backLon * kRadToDeg, lon, kInverseTolerance);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Hemispheres, OracleTest,
                         ::testing::Values(Hemisphere{"North", 1.0, 84.0}, Hemisphere{"South", -1.0, 80.0}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kalimark
