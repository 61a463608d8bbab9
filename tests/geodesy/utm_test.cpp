// Zones, special zones, the override, band letters and range refusals of
// the UTM layer. Eastings and northings cited from GeographicLib 2.1
// "GeoConvert -u -p 3" (WGS 84), an independent implementation.
#include "angles.h"
#include "utm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace kalimark {
namespace {

constexpr double kWgs84A = 6378137.0;
constexpr double kWgs84F = 1.0 / 298.257223563;
constexpr double kMillimetre = 0.001;

class UtmTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(setUtmParameters(kWgs84A, kWgs84F, 0), 0); }
};

struct ZoneCase {
    std::string name;
    double latDeg;
    double lonDeg;
    int zone;
    char hemisphere;
    double easting;  // NaN: not cited
    double northing; // NaN: not cited
};

constexpr double kNotCited = std::numeric_limits<double>::quiet_NaN();

class UtmZoneTest : public UtmTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(UtmZoneTest, PicksZoneHemisphereAndMetres)
{
    const ZoneCase& c = GetParam();
    int zone = -1;
    char hemisphere = '?';
    double easting = 0.0;
    double northing = 0.0;
    const int bits = geoToUtm(c.latDeg * kDegToRad, c.lonDeg * kDegToRad, zone, hemisphere, easting, northing);
    EXPECT_EQ(bits & ~(utm_bits::kEasting | utm_bits::kNorthing), 0);
    EXPECT_EQ(zone, c.zone);
    EXPECT_EQ(hemisphere, c.hemisphere);
    if (!std::isnan(c.easting)) {
        EXPECT_NEAR(easting, c.easting, kMillimetre);
        EXPECT_NEAR(northing, c.northing, kMillimetre);
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
                      ZoneCase{"ThreeWest", 10.0, -3.0, 30, 'N', 500000.0, 1105412.491},
                      ZoneCase{"JustBeforeAntimeridian", 10.0, 179.99, 60, 'N', 827831.363, 1106898.884},
                      ZoneCase{"AntimeridianEast", 10.0, 180.0, 1, 'N', 171071.264, 1106908.854},
                      ZoneCase{"AntimeridianWest", 10.0, -180.0, 1, 'N', 171071.264, 1106908.854},
                      ZoneCase{"ZoneBorderSixEast", 45.0, 6.0, 32, 'N', kNotCited, kNotCited},
                      ZoneCase{"JustWestOfSixEast", 45.0, 5.9999, 31, 'N', kNotCited, kNotCited},
                      // Norway: 56..63 whole degrees north, 3..11 whole degrees east.
                      ZoneCase{"NorwayBergen", 60.0, 5.0, 32, 'N', 276979.926, 6658157.202},
                      ZoneCase{"NorwayWestOfThree", 60.0, 2.5, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"NorwaySouthBorder", 56.0, 5.0, 32, 'N', kNotCited, kNotCited},
                      ZoneCase{"BelowNorwayBand", 55.99, 5.0, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"AboveNorwayBand", 64.0, 5.0, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"NorwayEastOfTwelve", 60.0, 12.0, 33, 'N', kNotCited, kNotCited},
                      // Svalbard: above 71 whole degrees north, 31/33/35/37 only.
                      ZoneCase{"SvalbardFifteenEast", 78.0, 15.0, 33, 'N', 500000.0, 8658369.586},
                      ZoneCase{"SvalbardTenEast", 78.0, 10.0, 33, 'N', 384085.475, 8663320.201},
                      ZoneCase{"SvalbardThirtyEast", 78.0, 30.0, 35, 'N', 569600.380, 8660152.344},
                      ZoneCase{"SvalbardFiveEast", 78.0, 5.0, 31, 'N', kNotCited, kNotCited},
                      ZoneCase{"SvalbardFortyEast", 78.0, 40.0, 37, 'N', kNotCited, kNotCited},
                      ZoneCase{"SvalbardSouthBorder", 72.0, 10.0, 33, 'N', kNotCited, kNotCited},
                      ZoneCase{"BelowSvalbardBand", 71.9, 10.0, 32, 'N', kNotCited, kNotCited}),
    [](const auto& info) { return info.param.name; });

TEST_F(UtmTest, LongitudeJustBelowZeroStaysInZoneOfZero)
{
    int zone = 0;
    char hemisphere = '?';
    double easting = 0.0;
    double northing = 0.0;
    geoToUtm(0.5, -5e-11, zone, hemisphere, easting, northing);
    EXPECT_EQ(zone, 31);
}

TEST_F(UtmTest, RefusalsWriteNothing)
{
    struct Refusal {
        const char* name;
        double latDeg;
        double lonDeg;
        int bits;
    };
    const Refusal refusals[] = {
        {"north of 84.5", 85.0, 9.0, utm_bits::kLatitude},
        {"south of -80.5", -80.6, 9.0, utm_bits::kLatitude},
        {"west of -180", 10.0, -180.001, utm_bits::kLongitude},
        {"east of 360", 10.0, 360.001, utm_bits::kLongitude},
        {"both", 90.0, 400.0, utm_bits::kLatitude | utm_bits::kLongitude},
        {"NaN latitude", std::numeric_limits<double>::quiet_NaN(), 9.0, utm_bits::kLatitude},
    };
    for (const Refusal& r : refusals) {
        int zone = -7;
        char hemisphere = '?';
        double easting = -1.0;
        double northing = -2.0;
        EXPECT_EQ(geoToUtm(r.latDeg * kDegToRad, r.lonDeg * kDegToRad, zone, hemisphere, easting, northing), r.bits)
            << r.name;
        EXPECT_EQ(zone, -7) << r.name;
        EXPECT_EQ(hemisphere, '?') << r.name;
        EXPECT_EQ(easting, -1.0) << r.name;
        EXPECT_EQ(northing, -2.0) << r.name;
    }
}

TEST_F(UtmTest, LatitudeLimitsAreInclusive)
{
    int zone = 0;
    char hemisphere = '?';
    double easting = 0.0;
    double northing = 0.0;
    EXPECT_EQ(geoToUtm(kUtmMaxLatitude, 0.15, zone, hemisphere, easting, northing) & utm_bits::kLatitude, 0);
    EXPECT_EQ(geoToUtm(kUtmMinLatitude, 0.15, zone, hemisphere, easting, northing) & utm_bits::kLatitude, 0);
    EXPECT_EQ(geoToUtm(84.4 * kDegToRad, 0.15, zone, hemisphere, easting, northing), 0);
}

TEST_F(UtmTest, FarEastingIsAWarningWithResultsWritten)
{
    // 17.9 E lies in zone 33; forced into zone 32 it is 8.9 degrees from
    // the meridian, beyond 900 km of easting.
    ASSERT_EQ(setUtmParameters(kWgs84A, kWgs84F, 32), 0);
    int zone = 0;
    char hemisphere = '?';
    double easting = 0.0;
    double northing = -1.0;
    EXPECT_EQ(geoToUtm(10.0 * kDegToRad, 17.9 * kDegToRad, zone, hemisphere, easting, northing), utm_bits::kEasting);
    EXPECT_EQ(zone, 32);
    EXPECT_GT(easting, kUtmMaxEasting);
    EXPECT_GT(northing, 0.0);
}

struct OverrideCase {
    std::string name;
    double latDeg;
    double lonDeg;
    int zoneOverride;
    int zone; // 0: refused
};

class UtmOverrideTest : public UtmTest, public ::testing::WithParamInterface<OverrideCase> {};

TEST_P(UtmOverrideTest, AppliesToNeighboursOnly)
{
    const OverrideCase& c = GetParam();
    ASSERT_EQ(setUtmParameters(kWgs84A, kWgs84F, c.zoneOverride), 0);
    int zone = -1;
    char hemisphere = '?';
    double easting = -1.0;
    double northing = -1.0;
    const int bits = geoToUtm(c.latDeg * kDegToRad, c.lonDeg * kDegToRad, zone, hemisphere, easting, northing);
    if (c.zone == 0) {
        EXPECT_EQ(bits, utm_bits::kOverride);
        EXPECT_EQ(zone, -1);
        EXPECT_EQ(easting, -1.0);
        EXPECT_EQ(northing, -1.0);
    } else {
        EXPECT_EQ(bits & utm_bits::kOverride, 0);
        EXPECT_EQ(zone, c.zone);
    }
}

INSTANTIATE_TEST_SUITE_P(Overrides, UtmOverrideTest,
                         ::testing::Values(OverrideCase{"SameZone", 53.55, 9.99, 32, 32},
                                           OverrideCase{"EastNeighbour", 53.55, 9.99, 33, 33},
                                           OverrideCase{"WestNeighbour", 53.55, 9.99, 31, 31},
                                           OverrideCase{"TwoAwayRefused", 53.55, 9.99, 34, 0},
                                           OverrideCase{"FarAwayRefused", 53.55, 9.99, 1, 0},
                                           OverrideCase{"SixtyForZoneOne", 10.0, -179.0, 60, 60},
                                           OverrideCase{"OneForZoneSixty", 10.0, 179.0, 1, 1},
                                           OverrideCase{"TwoForZoneSixtyRefused", 10.0, 179.0, 2, 0},
                                           OverrideCase{"NeighbourOfSpecialZone", 78.0, 15.0, 32, 32}),
                         [](const auto& info) { return info.param.name; });

TEST_F(UtmTest, OverrideProjectsIntoTheForcedZone)
{
    // A point in zone 32 forced into zone 33: central meridian 15 degrees.
    ASSERT_EQ(setUtmParameters(kWgs84A, kWgs84F, 33), 0);
    int zone = 0;
    char hemisphere = '?';
    double easting = 0.0;
    double northing = 0.0;
    geoToUtm(53.55 * kDegToRad, 9.99 * kDegToRad, zone, hemisphere, easting, northing);
    EXPECT_EQ(zone, 33);
    EXPECT_LT(easting, 200000.0);

    // Back through zone 33 gives the same position.
    double lat = 0.0;
    double lon = 0.0;
    utmToGeo(zone, hemisphere, easting, northing, lat, lon);
    EXPECT_NEAR(lat * kRadToDeg, 53.55, 1e-9);
    EXPECT_NEAR(lon * kRadToDeg, 9.99, 1e-9);
}

TEST_F(UtmTest, InverseRefusalsWriteNothing)
{
    struct Refusal {
        const char* name;
        int zone;
        char hemisphere;
        double easting;
        double northing;
        int bits;
    };
    const Refusal refusals[] = {
        {"zone 0", 0, 'N', 500000.0, 5000000.0, utm_bits::kZone},
        {"zone 61", 61, 'N', 500000.0, 5000000.0, utm_bits::kZone},
        {"hemisphere n", 32, 'n', 500000.0, 5000000.0, utm_bits::kHemisphere},
        {"easting 99999", 32, 'N', 99999.0, 5000000.0, utm_bits::kEasting},
        {"easting 900001", 32, 'N', 900001.0, 5000000.0, utm_bits::kEasting},
        {"northing -1", 32, 'N', 500000.0, -1.0, utm_bits::kNorthing},
        {"northing 10000001", 32, 'S', 500000.0, 10000001.0, utm_bits::kNorthing},
        {"everything", 99, 'X', 0.0, -5.0,
         utm_bits::kZone | utm_bits::kHemisphere | utm_bits::kEasting | utm_bits::kNorthing},
    };
    for (const Refusal& r : refusals) {
        double lat = 1.25;
        double lon = -2.5;
        EXPECT_EQ(utmToGeo(r.zone, r.hemisphere, r.easting, r.northing, lat, lon), r.bits) << r.name;
        EXPECT_EQ(lat, 1.25) << r.name;
        EXPECT_EQ(lon, -2.5) << r.name;
    }
}

TEST_F(UtmTest, InverseRangeIsInclusive)
{
    double lat = 0.0;
    double lon = 0.0;
    EXPECT_EQ(utmToGeo(32, 'N', 500000.0, 0.0, lat, lon), 0);
    EXPECT_EQ(lat, 0.0);
    EXPECT_DOUBLE_EQ(lon * kRadToDeg, 9.0);
    EXPECT_EQ(utmToGeo(32, 'N', 100000.0, 1000.0, lat, lon) & utm_bits::kZone, 0);
    EXPECT_EQ(utmToGeo(32, 'S', 900000.0, 10000000.0, lat, lon) & utm_bits::kZone, 0);
}

TEST_F(UtmTest, InverseFlagsPositionsFarFromTheMeridian)
{
    // 400 km east of the meridian at 80 degrees north is over 9 degrees of
    // longitude away there.
    double lat = 0.0;
    double lon = 0.0;
    const int bits = utmToGeo(32, 'N', 900000.0, 8900000.0, lat, lon);
    EXPECT_EQ(bits & utm_bits::kEasting, utm_bits::kEasting);
    EXPECT_GT(lon * kRadToDeg, 18.0);
}

TEST_F(UtmTest, SettingsRefuseBadEllipsoidsAndOverrides)
{
    const double besselA = 6377397.155;
    const double besselF = 1.0 / 299.1528128;
    EXPECT_EQ(setUtmParameters(besselA, besselF, 0), 0);
    EXPECT_EQ(utmSettings().semiMajorAxis, besselA);

    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 200.0, 0), utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 400.0, 0), utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(kWgs84A, 0.0, 0), utm_bits::kFlattening);
    EXPECT_EQ(setUtmParameters(0.0, kWgs84F, 0), utm_bits::kSemiMajorAxis);
    EXPECT_EQ(setUtmParameters(kWgs84A, kWgs84F, -1), utm_bits::kOverride);
    EXPECT_EQ(setUtmParameters(kWgs84A, kWgs84F, 61), utm_bits::kOverride);
    EXPECT_EQ(setUtmParameters(-1.0, 1.0 / 400.0, 61),
              utm_bits::kSemiMajorAxis | utm_bits::kFlattening | utm_bits::kOverride);

    const UtmSettings kept = utmSettings();
    EXPECT_EQ(kept.semiMajorAxis, besselA);
    EXPECT_EQ(kept.flattening, besselF);
    EXPECT_EQ(kept.zoneOverride, 0);

    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 250.0, 60), 0);
    EXPECT_EQ(setUtmParameters(kWgs84A, 1.0 / 350.0, 1), 0);
}

struct LetterCase {
    std::string name;
    double latDeg;
    char letter;
};

class UtmLetterTest : public ::testing::TestWithParam<LetterCase> {};

TEST_P(UtmLetterTest, NamesTheBand)
{
    EXPECT_EQ(utmLetterDesignator(GetParam().latDeg), GetParam().letter);
}

INSTANTIATE_TEST_SUITE_P(
    Letters, UtmLetterTest,
    ::testing::Values(LetterCase{"Equator", 0.0, 'N'}, LetterCase{"JustSouth", -0.1, 'M'},
                      LetterCase{"MinusEight", -8.0, 'M'}, LetterCase{"BelowMinusEight", -8.1, 'L'},
                      LetterCase{"Hamburg", 53.55, 'U'}, LetterCase{"SouthEdge", -80.0, 'C'},
                      LetterCase{"BelowSouthEdge", -80.1, 'Z'}, LetterCase{"SeventyTwo", 72.0, 'X'},
                      LetterCase{"Eighty", 80.0, 'X'}, LetterCase{"EightyFour", 84.0, 'X'},
                      LetterCase{"AboveEightyFour", 84.4, 'Z'}, LetterCase{"SouthPole", -90.0, 'Z'},
                      LetterCase{"NaN", std::numeric_limits<double>::quiet_NaN(), 'Z'},
                      LetterCase{"Huge", -1e300, 'Z'}),
    [](const auto& info) { return info.param.name; });

TEST(UtmLetterTest, EveryBandHasItsLetterWithoutIAndO)
{
    const std::string expected = "CDEFGHJKLMNPQRSTUVWX";
    std::string letters;
    for (int band = -80; band < 80; band += 8)
        letters += utmLetterDesignator(band + 4.0);
    EXPECT_EQ(letters, expected);
}

} // namespace
} // namespace kalimark
