// cl_RefPoint as the program uses it: degree formats both ways, datum
// selection, the process-wide UTM settings, UTM in and out, copies.
#include "angles.h"
#include "utm.h"

#include <kalimark/kalimark.h>

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

using kalimark::kDegToRad;
using kalimark::kRadToDeg;

cl_RefPoint fromDegrees(double latDeg, double lonDeg)
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

TEST(RefPointTest, NewPointIsAtTheOriginWithWgs84Selected)
{
    const cl_RefPoint p;
    IPoint sign{0, 0};
    DPoint deg{-1.0, -1.0};
    IPoint pixel{-1, -1};
    p.getRefPoint(sign, deg, pixel);
    EXPECT_EQ(sign.x, 1);
    EXPECT_EQ(sign.y, 1);
    EXPECT_EQ(deg.x, 0.0);
    EXPECT_EQ(deg.y, 0.0);
    EXPECT_EQ(pixel.x, 0);
    EXPECT_EQ(pixel.y, 0);
    EXPECT_EQ(p.datumKind, 0);
    EXPECT_EQ(p.datumIndex, 1);
    EXPECT_EQ(p.ellipsoidIndex, 4);
}

TEST(RefPointTest, DecimalDegreesBothWays)
{
    cl_RefPoint p;
    p.setRefPoint(IPoint{-1, 1}, DPoint{10.5, 53.25}, IPoint{17, 23});
    IPoint sign;
    DPoint deg;
    IPoint pixel;
    p.getRefPoint(sign, deg, pixel);
    EXPECT_EQ(sign.x, -1);
    EXPECT_EQ(sign.y, 1);
    EXPECT_NEAR(deg.x, 10.5, 1e-12);
    EXPECT_NEAR(deg.y, 53.25, 1e-12);
    EXPECT_EQ(pixel.x, 17);
    EXPECT_EQ(pixel.y, 23);

    IPoint whole;
    DPoint minutes;
    p.getRefPoint(sign, whole, minutes);
    EXPECT_EQ(whole.x, 10);
    EXPECT_EQ(whole.y, 53);
    EXPECT_NEAR(minutes.x, 30.0, 1e-9);
    EXPECT_NEAR(minutes.y, 15.0, 1e-9);
}

TEST(RefPointTest, SettersWithoutPixelKeepIt)
{
    cl_RefPoint p;
    p.setRefPoint(IPoint{1, 1}, DPoint{1.0, 2.0}, IPoint{5, 6});
    p.setRefPoint(IPoint{1, 1}, IPoint{3, 4}, DPoint{30.0, 0.0});
    p.setRefPoint(IPoint{1, 1}, IPoint{3, 4}, IPoint{5, 6}, DPoint{7.0, 8.0});
    p.setRefPoint(DPoint{0.1, 0.2});
    p.setRefPoint(32, 'U', IPoint{500000, 5900000});
    EXPECT_EQ(p.pixel.x, 5);
    EXPECT_EQ(p.pixel.y, 6);
}

struct DegreeCase {
    std::string name;
    IPoint sign;
    IPoint deg;
    IPoint min;
    DPoint sec;
    double signedLon; // degrees
    double signedLat;
};

class DegreeFormatTest : public ::testing::TestWithParam<DegreeCase> {};

TEST_P(DegreeFormatTest, EverySetterAgreesWithEveryGetter)
{
    const DegreeCase& c = GetParam();
    cl_RefPoint dms;
    dms.setRefPoint(c.sign, c.deg, c.min, c.sec, IPoint{1, 2});
    EXPECT_NEAR(dms.longitude * kRadToDeg, c.signedLon, 1e-12);
    EXPECT_NEAR(dms.latitude * kRadToDeg, c.signedLat, 1e-12);
    EXPECT_EQ(dms.pixel.x, 1);

    cl_RefPoint dm;
    dm.setRefPoint(c.sign, c.deg, DPoint{c.min.x + c.sec.x / 60.0, c.min.y + c.sec.y / 60.0});
    EXPECT_NEAR(dm.longitude, dms.longitude, 1e-15);
    EXPECT_NEAR(dm.latitude, dms.latitude, 1e-15);

    IPoint sign;
    IPoint deg;
    IPoint min;
    DPoint sec;
    dms.getRefPoint(sign, deg, min, sec);
    EXPECT_EQ(sign.x, c.signedLon < 0 ? -1 : 1);
    EXPECT_EQ(sign.y, c.signedLat < 0 ? -1 : 1);
    const double lon = std::abs(c.signedLon);
    const double lat = std::abs(c.signedLat);
    EXPECT_NEAR(deg.x + min.x / 60.0 + sec.x / 3600.0, lon, 1e-11);
    EXPECT_NEAR(deg.y + min.y / 60.0 + sec.y / 3600.0, lat, 1e-11);
    EXPECT_GE(min.x, 0);
    EXPECT_LE(min.x, 59);
    EXPECT_GE(min.y, 0);
    EXPECT_LE(min.y, 59);
    EXPECT_GT(sec.x, -1e-6);
    EXPECT_LT(sec.x, 60.0 + 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DegreeFormatTest,
    ::testing::Values(
        DegreeCase{"TenThirtyWest", {-1, 1}, {10, 53}, {30, 15}, {0.0, 0.0}, -10.5, 53.25},
        DegreeCase{"SouthEast", {1, -1}, {18, 33}, {24, 54}, {0.0, 0.0}, 18.4, -33.9},
        DegreeCase{"Seconds", {1, 1}, {9, 53}, {59, 32}, {23.949, 59.995}, 9.989985833333333, 53.54999861111111},
        DegreeCase{"JustBelowWholeDegree", {1, 1}, {12, 47}, {59, 59}, {59.99964, 59.99964}, 12.9999999, 47.9999999},
        DegreeCase{"Origin", {1, 1}, {0, 0}, {0, 0}, {0.0, 0.0}, 0.0, 0.0},
        DegreeCase{"Antimeridian", {-1, -1}, {180, 90}, {0, 0}, {0.0, 0.0}, -180.0, -90.0}),
    [](const auto& info) { return info.param.name; });

TEST(RefPointTest, SignsMultiplyInUnchecked)
{
    cl_RefPoint p;
    p.setRefPoint(IPoint{2, 0}, DPoint{10.0, 50.0});
    EXPECT_NEAR(p.longitude * kRadToDeg, 20.0, 1e-12);
    EXPECT_EQ(p.latitude, 0.0);
}

TEST(RefPointTest, WildPositionsReadBackWithoutOverflow)
{
    cl_RefPoint p;
    p.setRefPoint(DPoint{1e300, std::numeric_limits<double>::quiet_NaN()});
    IPoint sign;
    IPoint deg;
    IPoint min;
    DPoint sec;
    p.getRefPoint(sign, deg, min, sec);
    EXPECT_EQ(deg.x, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(deg.y, 0);
    const Utm u = utmOf(p);
    EXPECT_EQ(u.zone, 0);
    EXPECT_EQ(u.letter, 'Z');
}

TEST(RefPointTest, HamburgThroughUtmAndBack)
{
    cl_RefPoint p;
    p.setRefPoint(IPoint{1, 1}, DPoint{9.99, 53.55});
    p.setDatum(0, 0);
    const Utm u = utmOf(p);
    // GeographicLib 2.1 GeoConvert: 32n 565590.941 5933912.166, band U.
    EXPECT_EQ(u.zone, 32);
    EXPECT_EQ(u.letter, 'U');
    EXPECT_EQ(u.en.x, 565590);
    EXPECT_EQ(u.en.y, 5933912);

    cl_RefPoint back;
    back.setRefPoint(u.zone, u.letter, u.en, IPoint{3, 4});
    EXPECT_NEAR(back.latitude * kRadToDeg, 53.55, 2e-5);
    EXPECT_NEAR(back.longitude * kRadToDeg, 9.99, 2e-5);
    EXPECT_EQ(back.pixel.x, 3);
}

TEST(RefPointTest, LetterChoosesTheHemisphereOnly)
{
    cl_RefPoint north;
    north.setRefPoint(32, 'U', IPoint{500000, 5900000});
    EXPECT_NEAR(north.longitude * kRadToDeg, 9.0, 1e-12);
    EXPECT_GT(north.latitude, 0.0);

    cl_RefPoint south;
    south.setRefPoint(32, 'M', IPoint{500000, 5900000});
    EXPECT_NEAR(south.longitude * kRadToDeg, 9.0, 1e-12);
    EXPECT_LT(south.latitude, 0.0);

    // Any letter from 'N' on, lower case included, is northern; the letter
    // is never checked against the latitude.
    cl_RefPoint lower;
    lower.setRefPoint(32, 'c', IPoint{500000, 5900000});
    EXPECT_EQ(lower.latitude, north.latitude);
    cl_RefPoint mismatched;
    mismatched.setRefPoint(32, 'X', IPoint{500000, 5900000});
    EXPECT_EQ(mismatched.latitude, north.latitude);
}

TEST(RefPointTest, RefusedUtmInputLeavesThePosition)
{
    cl_RefPoint p;
    p.setRefPoint(IPoint{1, 1}, DPoint{9.99, 53.55});
    const double lon = p.longitude;
    const double lat = p.latitude;
    p.setRefPoint(0, 'U', IPoint{500000, 5900000});
    p.setRefPoint(61, 'U', IPoint{500000, 5900000});
    p.setRefPoint(32, 'U', IPoint{99999, 5900000});
    p.setRefPoint(32, 'U', IPoint{900001, 5900000});
    p.setRefPoint(32, 'U', IPoint{500000, -1});
    p.setRefPoint(32, 'U', IPoint{500000, 10000001}, IPoint{8, 9});
    EXPECT_EQ(p.longitude, lon);
    EXPECT_EQ(p.latitude, lat);
    EXPECT_EQ(p.pixel.x, 8); // the pixel overloads always store the pixel
}

TEST(RefPointTest, OutsideTheUtmDomainGivesZoneZero)
{
    const Utm north = utmOf(fromDegrees(85.0, 9.0));
    EXPECT_EQ(north.zone, 0);
    EXPECT_EQ(north.en.x, 0);
    EXPECT_EQ(north.en.y, 0);
    EXPECT_EQ(north.letter, 'Z');

    const Utm south = utmOf(fromDegrees(-81.0, 9.0));
    EXPECT_EQ(south.zone, 0);
    EXPECT_EQ(south.letter, 'Z');

    // Converted (in Svalbard's zone), but beyond the lettered bands.
    const Utm arctic = utmOf(fromDegrees(84.4, 9.0));
    EXPECT_EQ(arctic.zone, 33);
    EXPECT_EQ(arctic.letter, 'Z');
    EXPECT_EQ(utmOf(fromDegrees(84.0, 9.0)).letter, 'X');
}

TEST(RefPointTest, DatumKindsSelectTheirTableRows)
{
    struct Kind {
        int kind;
        int datumIndex;
        int ellipsoidIndex;
        double a;
    };
    for (const Kind k : {Kind{0, 1, 4, 6378137.0}, Kind{1, 3, 1, 6378388.0}, Kind{2, 4, 2, 6377397.155}}) {
        cl_RefPoint p;
        p.setDatum(0, k.kind);
        EXPECT_EQ(p.datumKind, k.kind);
        EXPECT_EQ(p.datumIndex, k.datumIndex);
        EXPECT_EQ(p.ellipsoidIndex, k.ellipsoidIndex);
        EXPECT_EQ(kalimark::utmSettings().semiMajorAxis, k.a);
    }
}

TEST(RefPointTest, UnknownDatumKindKeepsSettingsAndDatumIndex)
{
    cl_RefPoint p;
    p.setDatum(0, 2);
    p.setDatum(0, 7);
    EXPECT_EQ(p.datumKind, 7);
    EXPECT_EQ(p.datumIndex, 4);
    EXPECT_EQ(p.ellipsoidIndex, 0);
    EXPECT_EQ(kalimark::utmSettings().semiMajorAxis, 6377397.155);
}

TEST(RefPointTest, BesselDatumProjectsOnItsOwnEllipsoid)
{
    cl_RefPoint p = fromDegrees(53.55, 9.99);
    p.setDatum(0, 2);
    const Utm bessel = utmOf(p);
    // GeographicLib 2.1 TransverseMercatorProj on Bessel 1841, k0 0.9996:
    // 65582.906 m from the meridian, 5933299.649 m north.
    EXPECT_EQ(bessel.en.x, 565582);
    EXPECT_EQ(bessel.en.y, 5933299);
    p.setDatum(0, 1);
    const Utm international = utmOf(p);
    EXPECT_EQ(international.en.x, 565594);
    EXPECT_EQ(international.en.y, 5934038);
}

TEST(RefPointTest, ConstructionResetsTheSharedSettings)
{
    cl_RefPoint hamburg = fromDegrees(53.55, 9.99);
    hamburg.setDatum(33, 2);
    EXPECT_EQ(utmOf(hamburg).zone, 33);

    const cl_RefPoint other; // any construction, any object
    EXPECT_EQ(kalimark::utmSettings().zoneOverride, 0);
    EXPECT_EQ(kalimark::utmSettings().semiMajorAxis, 6378137.0);
    EXPECT_EQ(utmOf(hamburg).zone, 32);
    EXPECT_EQ(hamburg.datumKind, 2); // its own record is left alone
}

TEST(RefPointTest, RefusedOverrideGivesZoneZero)
{
    cl_RefPoint p = fromDegrees(53.55, 9.99);
    p.setDatum(34, 0);
    const Utm u = utmOf(p);
    EXPECT_EQ(u.zone, 0);
    EXPECT_EQ(u.en.x, 0);
    EXPECT_EQ(u.en.y, 0);
    EXPECT_EQ(u.letter, 'U');
}

TEST(RefPointTest, OutOfRangeOverrideIsIgnored)
{
    cl_RefPoint p = fromDegrees(53.55, 9.99);
    p.setDatum(33, 0);
    p.setDatum(61, 0);
    EXPECT_EQ(utmOf(p).zone, 33);
}

TEST(RefPointTest, CopiesCarryAllSixMembers)
{
    cl_RefPoint source;
    source.setRefPoint(IPoint{-1, 1}, DPoint{3.5, 45.25}, IPoint{640, 480});
    source.setDatum(0, 7); // leaves an unusual selection behind
    source.datumIndex = 42;

    const cl_RefPoint copy(source);
    cl_RefPoint assigned;
    cl_RefPoint& result = (assigned = source);
    EXPECT_EQ(&result, &assigned);
    for (const cl_RefPoint* p : {&copy, static_cast<const cl_RefPoint*>(&assigned)}) {
        EXPECT_EQ(p->longitude, source.longitude);
        EXPECT_EQ(p->latitude, source.latitude);
        EXPECT_EQ(p->pixel.x, 640);
        EXPECT_EQ(p->pixel.y, 480);
        EXPECT_EQ(p->ellipsoidIndex, 0);
        EXPECT_EQ(p->datumKind, 7);
        EXPECT_EQ(p->datumIndex, 42);
    }
}

TEST(RefPointTest, CopyLeavesTheSharedSettingsAlone)
{
    cl_RefPoint p = fromDegrees(53.55, 9.99);
    p.setDatum(33, 0);
    const cl_RefPoint copy(p);
    cl_RefPoint assigned = fromDegrees(1.0, 1.0);
    assigned.setDatum(33, 0);
    assigned = p;
    EXPECT_EQ(kalimark::utmSettings().zoneOverride, 33);
}

TEST(RefPointTest, DeletesThroughTheVirtualDestructor)
{
    struct Counted : cl_RefPoint {
        explicit Counted(int& deaths) : deaths_(deaths) {}
        ~Counted() override { ++deaths_; }
        int& deaths_;
    };
    int deaths = 0;
    cl_RefPoint* p = new Counted(deaths);
    delete p;
    EXPECT_EQ(deaths, 1);
}

} // namespace
