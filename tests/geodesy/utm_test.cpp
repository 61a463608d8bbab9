// Zones, special zones, the override, band letters and range refusals of
// the UTM layer. Metres cited from GeographicLib 2.1 "GeoConvert -u -p 3"
// (WGS 84), an independent implementation.
#include "angles.h"
#include "utm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

namespace kalimark {
namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;

struct Result {
    int bits = -1;
    int zone = -1;
    char hemisphere = '?';
    double easting = -1.0, northing = -1.0;
};

Result toUtm(double latDeg, double lonDeg, int zoneOverride = 0)
{
    EXPECT_EQ(setUtmParameters(kWgs84A, kWgs84F, zoneOverride), 0);
    Result r;
    r.bits = geoToUtm(latDeg * kDegToRad, lonDeg * kDegToRad, r.zone, r.hemisphere, r.easting, r.northing);
    return r;
}

struct ZoneCase {
    std::string name;
    double latDeg, lonDeg;
    int zone;
    char hemisphere;
    double easting, northing;
};

class UtmZoneTest : public ::testing::TestWithParam<ZoneCase> {};

TEST_P(UtmZoneTest, PicksZoneHemisphereAndMetres)
{
    const ZoneCase& c = GetParam();
    const Result r = toUtm(c.latDeg, c.lonDeg);
    EXPECT_EQ(r.bits, 0);
    EXPECT_EQ(r.zone, c.zone);
    EXPECT_EQ(r.hemisphere, c.hemisphere);
    EXPECT_NEAR(r.easting, c.easting, 0.001);
    EXPECT_NEAR(r.northing, c.northing, 0.001);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, UtmZoneTest,
    ::testing::Values(ZoneCase{"Hamburg", 53.55, 9.99, 32, 'N', 565590.941, 5933912.166},
                      ZoneCase{"EquatorOnCentralMeridian", 0.0, 9.0, 32, 'N', 500000.0, 0.0},
                      ZoneCase{"JustSouthOfEquator", -0.0000001, 9.0, 32, 'S', 500000.0, 9999999.989},
                      ZoneCase{"CapeTown", -33.9, 18.4, 34, 'S', 259583.222, 6245888.045},
                      ZoneCase{"NewYork", 40.7, -74.0, 18, 'N', 584482.352, 4505935.869},
                      ZoneCase{"PrimeMeridian", 10.0, 0.0, 31, 'N', 171071.264, 1106908.854},
                      ZoneCase{"ThreeWest", 10.0, -3.0, 30, 'N', 500000.0, 1105412.491},
                      ZoneCase{"JustBeforeAntimeridian", 10.0, 179.99, 60, 'N', 827831.363, 1106898.884},
                      ZoneCase{"AntimeridianEast", 10.0, 180.0, 1, 'N', 171071.264, 1106908.854},
                      ZoneCase{"AntimeridianWest", 10.0, -180.0, 1, 'N', 171071.264, 1106908.854},
                      ZoneCase{"NorwayBergen", 60.0, 5.0, 32, 'N', 276979.926, 6658157.202},
                      ZoneCase{"SvalbardFifteenEast", 78.0, 15.0, 33, 'N', 500000.0, 8658369.586},
                      ZoneCase{"SvalbardTenEast", 78.0, 10.0, 33, 'N', 384085.475, 8663320.201},
                      ZoneCase{"SvalbardThirtyEast", 78.0, 30.0, 35, 'N', 569600.380, 8660152.344}),
    [](const auto& info) { return info.param.name; });

TEST(UtmTest, ZoneBorders)
{
    const auto expectZones = [](double latDeg, std::initializer_list<std::pair<double, int>> lonZones) {
        for (const auto& [lonDeg, zone] : lonZones) {
            const Result r = toUtm(latDeg, lonDeg);
            EXPECT_EQ(r.bits, 0) << latDeg << ", " << lonDeg;
            EXPECT_EQ(r.zone, zone) << latDeg << ", " << lonDeg;
        }
    };
    expectZones(10.0, {{-3e-9, 31}}); // just below 0 lands in the zone of 0
    expectZones(45.0, {{5.9999, 31}, {6.0, 32}});
    // Norway: 56..63 whole degrees north, 3..11 whole degrees east in 32.
    expectZones(60.0, {{2.9, 31}, {3.0, 32}});
    expectZones(56.0, {{5.0, 32}});
    expectZones(55.99, {{5.0, 31}});
    expectZones(64.0, {{5.0, 31}});
    // Svalbard: above 71 whole degrees north, only 31, 33, 35 and 37.
    expectZones(78.0, {{8.5, 31}, {9.0, 33}, {20.5, 33}, {21.0, 35}, {32.5, 35}, {33.0, 37}});
    expectZones(72.0, {{10.0, 33}});
    expectZones(71.9, {{10.0, 32}});
    // The edges of the domain.
    expectZones(84.49, {{9.0, 33}});
    expectZones(-80.49, {{9.0, 32}});
}

TEST(UtmTest, OverrideAppliesToNeighboursOnly)
{
    EXPECT_EQ(toUtm(53.55, 9.99, 33).zone, 33);
    EXPECT_EQ(toUtm(53.55, 9.99, 31).zone, 31);
    EXPECT_EQ(toUtm(10.0, -179.0, 60).zone, 60); // neighbours across the 60/1 seam
    EXPECT_EQ(toUtm(10.0, 179.0, 1).zone, 1);
    EXPECT_EQ(toUtm(78.0, 15.0, 32).zone, 32); // beside Svalbard's 33
    for (const Result& refused : {toUtm(53.55, 9.99, 34), toUtm(10.0, 179.0, 2)}) {
        EXPECT_EQ(refused.bits, utm_bits::kOverride);
        EXPECT_EQ(refused.zone, -1);
    }
    // 8.9 degrees from the forced zone's meridian: beyond 900 km, written
    // all the same and flagged.
    const Result far = toUtm(10.0, 17.9, 32);
    EXPECT_EQ(far.bits, utm_bits::kEasting);
    EXPECT_GT(far.easting, kUtmMaxEasting);
}

TEST(UtmTest, RefusalsWriteNothingWarningsWriteAndFlag)
{
    struct Case {
        const char* name;
        double latDeg, lonDeg;
        int bits;
    };
    const Case forward[] = {{"north of 84.5", 85.0, 9.0, utm_bits::kLatitude},
                            {"south of -80.5", -80.6, 9.0, utm_bits::kLatitude},
                            {"west of -180", 10.0, -180.001, utm_bits::kLongitude},
                            {"east of 360", 10.0, 360.001, utm_bits::kLongitude},
                            {"NaN", NAN, NAN, utm_bits::kLatitude | utm_bits::kLongitude}};
    for (const Case& c : forward) {
        const Result r = toUtm(c.latDeg, c.lonDeg);
        EXPECT_EQ(r.bits, c.bits) << c.name;
        EXPECT_TRUE(r.zone == -1 && r.hemisphere == '?' && r.northing == -1.0) << c.name;
    }

    struct Inverse {
        const char* name;
        int zone;
        char hemisphere;
        double easting, northing;
        int bits;
    };
    const Inverse inverse[] = {{"zone 0", 0, 'N', 5e5, 5e6, utm_bits::kZone},
                               {"zone 61", 61, 'N', 5e5, 5e6, utm_bits::kZone},
                               {"hemisphere n", 32, 'n', 5e5, 5e6, utm_bits::kHemisphere},
                               {"easting 99999", 32, 'N', 99999.0, 5e6, utm_bits::kEasting},
                               {"easting 900001", 32, 'N', 900001.0, 5e6, utm_bits::kEasting},
                               {"northing -1", 32, 'N', 5e5, -1.0, utm_bits::kNorthing},
                               {"northing 10000001", 32, 'S', 5e5, 10000001.0, utm_bits::kNorthing}};
    for (const Inverse& c : inverse) {
        double lat = 1.25, lon = -2.5;
        EXPECT_EQ(utmToGeo(c.zone, c.hemisphere, c.easting, c.northing, lat, lon), c.bits) << c.name;
        EXPECT_TRUE(lat == 1.25 && lon == -2.5) << c.name;
    }
    // Within range but beyond 84.5 degrees north: written and flagged.
    double lat = 0.0, lon = 0.0;
    EXPECT_EQ(utmToGeo(32, 'N', 5e5, 9.5e6, lat, lon), utm_bits::kNorthing);
    EXPECT_GT(lat * kRadToDeg, 84.5);
}

TEST(UtmTest, SettingsRefuseBadEllipsoidsAndOverridesAndKeepThePrevious)
{
    const double besselA = 6377397.155, besselF = 1.0 / 299.1528128;
    ASSERT_EQ(setUtmParameters(besselA, besselF, 60), 0);
    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 400.0, 0), utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(0.0, 0.0, -1), utm_bits::kSemiMajorAxis | utm_bits::kFlattening | utm_bits::kOverride);
    EXPECT_EQ(setUtmParameters(kWgs84A, kWgs84F, 61), utm_bits::kOverride);
    const UtmSettings kept = utmSettings();
    EXPECT_TRUE(kept.semiMajorAxis == besselA && kept.flattening == besselF && kept.zoneOverride == 60);
}

TEST(UtmTest, BandLetters)
{
    std::string bands;
    for (int south = -80; south < 80; south += 8)
        bands += utmLetterDesignator(south + 4.0);
    EXPECT_EQ(bands, "CDEFGHJKLMNPQRSTUVWX");
    // A band's southern edge belongs to it; X stretches to 84.
    const std::pair<double, char> edges[] = {{0.0, 'N'},   {-0.1, 'M'}, {-8.0, 'M'}, {-8.1, 'L'}, {-80.0, 'C'},
                                             {-80.1, 'Z'}, {84.0, 'X'}, {84.4, 'Z'}, {NAN, 'Z'},  {1e300, 'Z'}};
    for (const auto& [latDeg, letter] : edges)
        EXPECT_EQ(utmLetterDesignator(latDeg), letter) << latDeg;
}

} // namespace
} // namespace kalimark
