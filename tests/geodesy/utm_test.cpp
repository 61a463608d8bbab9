// Zones, special zones, the override, band letters and range refusals of
// the UTM layer. Metres cited from GeographicLib 2.1 "GeoConvert -u -p 3"
// (WGS 84), an independent implementation.
#include "angles.h"
#include "utm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kalimark {
namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;
constexpr double kNotCited = NAN;

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
    if (!std::isnan(c.easting)) {
        EXPECT_NEAR(r.easting, c.easting, 0.001);
        EXPECT_NEAR(r.northing, c.northing, 0.001);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Zones, UtmZoneTest,
    ::testing::Values(ZoneCase{"Hamburg", 53.55, 9.99, 32, 'N', 565590.941, 5933912.166},
                      ZoneCase{"EquatorOnCentralMeridian", 0.0, 9.0, 32, 'N', 500000.0, 0.0},
                      ZoneCase{"JustSouthOfEquator", -0.0000001, 9.0, 32, 'S', 500000.0, 9999999.989},
                      ZoneCase{"CapeTown", -33.9, 18.4, 34, 'S', 259583.222, 6245888.045},
                      ZoneCase{"NewYork", 40.7, -74.0, 18, 'N', 584482.352, 4505935.869},
                      ZoneCase{"PrimeMeridian", 10.0, 0.0, 31, 'N', 171071.264, 1106908.854},
                      ZoneCase{"JustWestOfPrimeMeridian", 10.0, -3e-9, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"ThreeWest", 10.0, -3.0, 30, 'N', 500000.0, 1105412.491},
                      ZoneCase{"JustBeforeAntimeridian", 10.0, 179.99, 60, 'N', 827831.363, 1106898.884},
                      ZoneCase{"AntimeridianEast", 10.0, 180.0, 1, 'N', 171071.264, 1106908.854},
                      ZoneCase{"AntimeridianWest", 10.0, -180.0, 1, 'N', 171071.264, 1106908.854},
                      ZoneCase{"SixEastBorder", 45.0, 6.0, 32, 'N', kNotCited, kNotCited},
                      ZoneCase{"JustWestOfSixEast", 45.0, 5.9999, 31, 'N', kNotCited, kNotCited},
                      // Norway: 56..63 whole degrees north, 3..11 whole degrees east.
                      ZoneCase{"NorwayBergen", 60.0, 5.0, 32, 'N', 276979.926, 6658157.202},
                      ZoneCase{"NorwayWestOfThree", 60.0, 2.5, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"NorwaySouthBorder", 56.0, 5.0, 32, 'N', kNotCited, kNotCited},
                      ZoneCase{"BelowNorwayBand", 55.99, 5.0, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"AboveNorwayBand", 64.0, 5.0, 31, 'N', kNotCited, kNotCited},
                      // Svalbard: above 71 whole degrees north, zones 31, 33, 35, 37 only.
                      ZoneCase{"SvalbardFifteenEast", 78.0, 15.0, 33, 'N', 500000.0, 8658369.586},
                      ZoneCase{"SvalbardTenEast", 78.0, 10.0, 33, 'N', 384085.475, 8663320.201},
                      ZoneCase{"SvalbardThirtyEast", 78.0, 30.0, 35, 'N', 569600.380, 8660152.344},
                      ZoneCase{"SvalbardFortyEast", 78.0, 40.0, 37, 'N', kNotCited, kNotCited},
                      ZoneCase{"SvalbardSouthBorder", 72.0, 10.0, 33, 'N', kNotCited, kNotCited},
                      ZoneCase{"BelowSvalbardBand", 71.9, 10.0, 32, 'N', kNotCited, kNotCited},
                      ZoneCase{"NearNorthLimit", 84.49, 9.0, 33, 'N', kNotCited, kNotCited},
                      ZoneCase{"NearSouthLimit", -80.49, 9.0, 32, 'S', kNotCited, kNotCited}),
    [](const auto& info) { return info.param.name; });

TEST(UtmTest, OverrideAppliesToNeighboursOnly)
{
    struct Case {
        const char* name;
        double latDeg, lonDeg;
        int zoneOverride, zone; // zone 0: refused
    };
    const Case cases[] = {{"east neighbour", 53.55, 9.99, 33, 33},   {"west neighbour", 53.55, 9.99, 31, 31},
                          {"two away", 53.55, 9.99, 34, 0},          {"far away", 53.55, 9.99, 1, 0},
                          {"60 for zone 1", 10.0, -179.0, 60, 60},   {"1 for zone 60", 10.0, 179.0, 1, 1},
                          {"2 for zone 60", 10.0, 179.0, 2, 0},      {"beside Svalbard's 33", 78.0, 15.0, 32, 32},
                          {"into a far easting", 10.0, 17.9, 32, 32}};
    for (const Case& c : cases) {
        const Result r = toUtm(c.latDeg, c.lonDeg, c.zoneOverride);
        if (c.zone == 0) {
            EXPECT_EQ(r.bits, utm_bits::kOverride) << c.name;
            EXPECT_EQ(r.zone, -1) << c.name;
            EXPECT_EQ(r.easting, -1.0) << c.name;
        } else {
            EXPECT_EQ(r.zone, c.zone) << c.name;
        }
    }
    // 8.9 degrees from the forced zone's meridian: beyond 900 km, written
    // all the same and flagged.
    const Result far = toUtm(10.0, 17.9, 32);
    EXPECT_EQ(far.bits, utm_bits::kEasting);
    EXPECT_GT(far.easting, kUtmMaxEasting);
}

TEST(UtmTest, RefusalsWriteNothing)
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
        EXPECT_EQ(r.zone, -1) << c.name;
        EXPECT_EQ(r.hemisphere, '?') << c.name;
        EXPECT_EQ(r.northing, -1.0) << c.name;
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
        EXPECT_EQ(lat, 1.25) << c.name;
        EXPECT_EQ(lon, -2.5) << c.name;
    }
}

TEST(UtmTest, SettingsRefuseBadEllipsoidsAndOverridesAndKeepThePrevious)
{
    const double besselA = 6377397.155, besselF = 1.0 / 299.1528128;
    EXPECT_EQ(setUtmParameters(besselA, besselF, 0), 0);
    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 200.0, 0), utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 400.0, 0), utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(0.0, 0.0, 0), utm_bits::kSemiMajorAxis | utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(kWgs84A, kWgs84F, -1), utm_bits::kOverride);
    EXPECT_EQ(setUtmParameters(kWgs84A, kWgs84F, 61), utm_bits::kOverride);
    const UtmSettings kept = utmSettings();
    EXPECT_EQ(kept.semiMajorAxis, besselA);
    EXPECT_EQ(kept.flattening, besselF);
    EXPECT_EQ(kept.zoneOverride, 0);
}

TEST(UtmTest, BandLetters)
{
    struct Case {
        double latDeg;
        char letter;
    };
    const Case cases[] = {{0.0, 'N'},   {-0.1, 'M'},  {-8.0, 'M'}, {-8.1, 'L'},  {53.55, 'U'},
                          {-80.0, 'C'}, {-80.1, 'Z'}, {72.0, 'X'}, {80.0, 'X'},  {84.0, 'X'},
                          {84.4, 'Z'},  {-90.0, 'Z'}, {NAN, 'Z'},  {1e300, 'Z'}, {-1e300, 'Z'}};
    for (const Case& c : cases)
        EXPECT_EQ(utmLetterDesignator(c.latDeg), c.letter) << c.latDeg;
    std::string bands;
    for (int south = -80; south < 80; south += 8)
        bands += utmLetterDesignator(south + 4.0);
    EXPECT_EQ(bands, "CDEFGHJKLMNPQRSTUVWX");
}

} // namespace
} // namespace kalimark
