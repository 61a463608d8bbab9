// cl_RefPoint as the program uses it: degree formats both ways, datum
// selection, the process-wide UTM settings, UTM in and out, copies.
// UTM values cited from GeographicLib 2.1 (GeoConvert -u, and
// TransverseMercatorProj for the other ellipsoids).
#include "angles.h"
#include "utm.h"

#include <kalimark/kalimark.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using kalimark::kDegToRad;
using kalimark::kRadToDeg;

cl_RefPoint at(double latDeg, double lonDeg)
{
    cl_RefPoint p;
    p.setRefPoint(DPoint{lonDeg * kDegToRad, latDeg * kDegToRad});
    return p;
}

struct Utm {
    int zone = -1;
    char letter = '?';
    IPoint en{-1, -1};
};

Utm utmOf(const cl_RefPoint& p)
{
    Utm u;
    p.getRefPoint(u.zone, u.letter, u.en);
    return u;
}

struct DegreeCase {
    std::string name;
    IPoint sign, deg, min;
    DPoint sec;
    double lon, lat; // signed decimal degrees
};

class DegreeFormatTest : public ::testing::TestWithParam<DegreeCase> {};

TEST_P(DegreeFormatTest, EverySetterAgreesWithEveryGetter)
{
    const DegreeCase& c = GetParam();
    cl_RefPoint dms, dm;
    dms.setRefPoint(c.sign, c.deg, c.min, c.sec, IPoint{1, 2});
    dm.setRefPoint(c.sign, c.deg, DPoint{c.min.x + c.sec.x / 60.0, c.min.y + c.sec.y / 60.0});
    EXPECT_EQ(dms.pixel.y, 2);
    for (const cl_RefPoint* p : {&dms, &dm}) {
        EXPECT_NEAR(p->longitude * kRadToDeg, c.lon, 1e-12);
        EXPECT_NEAR(p->latitude * kRadToDeg, c.lat, 1e-12);
    }

    IPoint sign, deg, min;
    DPoint decimal, minutes, sec;
    dms.getRefPoint(sign, decimal);
    EXPECT_TRUE(sign.x == (c.lon < 0 ? -1 : 1) && sign.y == (c.lat < 0 ? -1 : 1));
    EXPECT_NEAR(decimal.x, std::fabs(c.lon), 1e-12);
    EXPECT_NEAR(decimal.y, std::fabs(c.lat), 1e-12);
    dms.getRefPoint(sign, deg, minutes);
    EXPECT_EQ(deg.x, static_cast<int>(std::fabs(c.lon)));
    EXPECT_NEAR(minutes.y, (std::fabs(c.lat) - deg.y) * 60.0, 1e-9);
    dms.getRefPoint(sign, deg, min, sec);
    EXPECT_NEAR(deg.x + min.x / 60.0 + sec.x / 3600.0, std::fabs(c.lon), 1e-11);
    EXPECT_NEAR(deg.y + min.y / 60.0 + sec.y / 3600.0, std::fabs(c.lat), 1e-11);
    EXPECT_TRUE(min.x >= 0 && min.x <= 59 && min.y >= 0 && min.y <= 59);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DegreeFormatTest,
    ::testing::Values(
        DegreeCase{"TenThirtyWest", {-1, 1}, {10, 53}, {30, 15}, {0.0, 0.0}, -10.5, 53.25},
        DegreeCase{"SouthEast", {1, -1}, {18, 33}, {24, 54}, {0.0, 0.0}, 18.4, -33.9},
        DegreeCase{"JustBelowWholeDegree", {1, 1}, {12, 47}, {59, 59}, {59.99964, 59.99964}, 12.9999999, 47.9999999},
        DegreeCase{"Origin", {1, 1}, {0, 0}, {0, 0}, {0.0, 0.0}, 0.0, 0.0}),
    [](const auto& info) { return info.param.name; });

TEST(RefPointTest, UtmSetterTakesOnlyTheHemisphereFromTheLetterAndRefusesWithoutMoving)
{
    const IPoint en{500000, 5900000};
    cl_RefPoint north, south, lower, bandN;
    north.setRefPoint(32, 'U', en);
    south.setRefPoint(32, 'M', en);
    lower.setRefPoint(32, 'c', en); // above 'N' in character order
    bandN.setRefPoint(32, 'N', en);
    EXPECT_NEAR(north.longitude * kRadToDeg, 9.0, 1e-12);
    EXPECT_GT(north.latitude, 0.0);
    EXPECT_LT(south.latitude, 0.0);
    EXPECT_EQ(lower.latitude, north.latitude);
    EXPECT_EQ(bandN.latitude, north.latitude);

    // Refused input leaves the position but still stores the pixel.
    bandN.setRefPoint(32, 'U', IPoint{99999, 5900000}, IPoint{8, 9});
    EXPECT_TRUE(bandN.latitude == north.latitude && bandN.longitude == north.longitude);
    EXPECT_EQ(bandN.pixel.x, 8);
}

// Northings in range whose latitude falls beyond 84.5 N or 80.5 S, or past
// the pole, are refused; 9340000 m (about 84.1 N) is still taken.
TEST(RefPointTest, UtmSetterRefusesLatitudesOutsideTheUtmDomain)
{
    const struct {
        const char* name;
        char letter;
        IPoint en;
        bool taken;
    } rows[] = {
        {"beyond the north pole", 'N', {500000, 9999000}, false},
        {"north of 84.5", 'X', {500000, 9500000}, false},
        {"near the south pole", 'C', {500000, 1000}, false},
        {"south of 80.5", 'C', {500000, 1000000}, false},
        {"84.1 north", 'X', {500000, 9340000}, true},
    };
    for (const auto& row : rows) {
        cl_RefPoint p = at(47.0, 11.0);
        p.setRefPoint(32, row.letter, row.en, IPoint{3, 4});
        EXPECT_EQ(p.latitude != 47.0 * kDegToRad, row.taken) << row.name << " " << p.latitude * kRadToDeg;
        EXPECT_TRUE(std::fabs(p.latitude * kRadToDeg) <= 84.5) << row.name;
        EXPECT_EQ(p.longitude == 11.0 * kDegToRad, !row.taken) << row.name;
        EXPECT_EQ(p.pixel.x, 3) << row.name;
    }
}

TEST(RefPointTest, OutsideTheUtmDomainGivesZoneZeroAndStillALetter)
{
    const Utm polar = utmOf(at(85.0, 9.0));
    EXPECT_TRUE(polar.zone == 0 && polar.en.x == 0 && polar.en.y == 0);
    EXPECT_EQ(polar.letter, 'Z');
    const Utm arctic = utmOf(at(84.4, 9.0)); // converted, in Svalbard's zone, unlettered
    EXPECT_EQ(arctic.zone, 33);
    EXPECT_EQ(arctic.letter, 'Z');

    // Wild values read back without undefined conversions.
    cl_RefPoint wild;
    wild.setRefPoint(DPoint{1e300, std::numeric_limits<double>::quiet_NaN()});
    EXPECT_EQ(utmOf(wild).zone, 0);
    IPoint sign, deg, min;
    DPoint sec;
    wild.getRefPoint(sign, deg, min, sec);
    EXPECT_EQ(deg.x, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(deg.y, 0);
}

TEST(RefPointTest, DatumKindsSelectTheirEllipsoidForUtmBothWays)
{
    struct Kind {
        int kind, datumIndex, ellipsoidIndex;
        IPoint hamburg; // metres, truncated
    };
    const Kind kinds[] = {{0, 1, 4, {565590, 5933912}},  // WGS 84, GeoConvert: 32n 565590.941 5933912.166
                          {1, 3, 1, {565594, 5934038}},  // International 1924
                          {2, 4, 2, {565582, 5933299}}}; // Bessel 1841
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.kind);
        cl_RefPoint p, back;
        p.setRefPoint(IPoint{1, 1}, DPoint{9.99, 53.55});
        p.setDatum(0, k.kind);
        EXPECT_EQ(p.datumKind, k.kind);
        EXPECT_EQ(p.datumIndex, k.datumIndex);
        EXPECT_EQ(p.ellipsoidIndex, k.ellipsoidIndex);
        const Utm u = utmOf(p);
        EXPECT_EQ(u.zone, 32);
        EXPECT_EQ(u.letter, 'U');
        EXPECT_EQ(u.en.x, k.hamburg.x);
        EXPECT_EQ(u.en.y, k.hamburg.y);

        back.setRefPoint(u.zone, u.letter, u.en, IPoint{3, 4});
        EXPECT_NEAR(back.latitude * kRadToDeg, 53.55, 2e-5);
        EXPECT_NEAR(back.longitude * kRadToDeg, 9.99, 2e-5);
        EXPECT_EQ(back.pixel.x, 3);
    }

    // An unknown kind is recorded, fails its ellipsoid lookup, and leaves
    // the datum index and the settings (here Bessel) as they were.
    cl_RefPoint p;
    p.setDatum(0, 2);
    p.setDatum(0, 7);
    EXPECT_EQ(p.datumKind, 7);
    EXPECT_EQ(p.datumIndex, 4);
    EXPECT_EQ(p.ellipsoidIndex, 0);
    EXPECT_EQ(kalimark::utmSettings().semiMajorAxis, 6377397.155);
}

TEST(RefPointTest, ZoneOverrideIsSharedAndResetByAnyConstruction)
{
    cl_RefPoint hamburg = at(53.55, 9.99);
    hamburg.setDatum(33, 0);
    EXPECT_EQ(utmOf(hamburg).zone, 33);
    hamburg.setDatum(61, 0); // out of range: ignored
    EXPECT_EQ(utmOf(hamburg).zone, 33);

    const cl_RefPoint other;
    EXPECT_EQ(utmOf(hamburg).zone, 32);

    hamburg.setDatum(34, 0); // two zones away: refused at conversion
    const Utm refused = utmOf(hamburg);
    EXPECT_TRUE(refused.zone == 0 && refused.en.x == 0 && refused.en.y == 0);
    EXPECT_EQ(refused.letter, 'U');
}

TEST(RefPointTest, NewPointsStartAtTheOriginAndCopiesCarryAllSixMembers)
{
    cl_RefPoint fresh;
    IPoint sign, pixel{-1, -1};
    DPoint deg{-1.0, -1.0};
    fresh.getRefPoint(sign, deg, pixel);
    EXPECT_TRUE(sign.x == 1 && sign.y == 1 && deg.x == 0.0 && deg.y == 0.0 && pixel.x == 0 && pixel.y == 0);
    EXPECT_TRUE(fresh.datumIndex == 1 && fresh.ellipsoidIndex == 4 && fresh.datumKind == 0);

    cl_RefPoint source;
    source.setRefPoint(IPoint{-1, 1}, DPoint{3.5, 45.25}, IPoint{640, 480});
    source.setDatum(33, 7);
    source.datumIndex = 42;
    const cl_RefPoint copy(source);
    EXPECT_EQ(&(fresh = source), &fresh);
    for (const cl_RefPoint* p : {&copy, static_cast<const cl_RefPoint*>(&fresh)}) {
        EXPECT_TRUE(p->longitude == source.longitude && p->latitude == source.latitude);
        EXPECT_TRUE(p->pixel.x == 640 && p->pixel.y == 480);
        EXPECT_TRUE(p->ellipsoidIndex == 0 && p->datumKind == 7 && p->datumIndex == 42);
    }
}

} // namespace
