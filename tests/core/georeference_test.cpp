// Pixels to UTM and back through a map's two reference points.
#include "bmp_writer.h"
#include "map/cl_map.h"
#include "temp_folder.h"

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {
using rovanta::cl_Map;
using rovanta::test::TempFolder;

constexpr double kDeg = 180.0 / std::numbers::pi;

/// Half a metre north-east of the whole metres (e, n), so that the
/// library's truncation gives back exactly (e, n).
cl_RefPoint atUtm(int zone, char letter, int e, int n)
{
    cl_RefPoint a, b;
    a.setRefPoint(zone, letter, IPoint{e, n});
    b.setRefPoint(zone, letter, IPoint{e + 1, n + 1});
    cl_RefPoint mid;
    mid.setRefPoint(DPoint{(a.longitude + b.longitude) / 2, (a.latitude + b.latitude) / 2});
    return mid;
}

cl_RefPoint atDegrees(double lon, double lat)
{
    cl_RefPoint p;
    p.setRefPoint(DPoint{lon / kDeg, lat / kDeg});
    return p;
}

std::string referenceLine(IPoint pixel, const cl_RefPoint& p)
{
    const auto coordinate = [](double radians, char positive, char negative) {
        const double deg = std::fabs(radians * kDeg);
        const double whole = std::floor(deg);
        char text[64];
        std::snprintf(text, sizeof text, "%d\xB0%.10f'%c", static_cast<int>(whole), (deg - whole) * 60,
                      radians >= 0 ? positive : negative);
        return std::string(text);
    };
    return "REFERENCE_POINT: (" + std::to_string(pixel.x) + "," + std::to_string(pixel.y) + ") (" +
           coordinate(p.longitude, 'O', 'W') + ", " + coordinate(p.latitude, 'N', 'S') + ")\r\n";
}

/// Loads a map of the given bitmap size whose reference pixels lie at p0, p1.
bool loadMap(cl_Map& map, const TempFolder& dir, IPoint size, IPoint px0, const cl_RefPoint& p0, IPoint px1,
             const cl_RefPoint& p1)
{
    rovanta::test::writeBmp(dir.path() / "m.bmp", {.width = size.x, .height = size.y, .bitsPerPixel = 8});
    const std::string cal = "NAME: M\r\nFILENAME: m.bmp\r\n" + referenceLine(px0, p0) + referenceLine(px1, p1);
    std::string name;
    return map.loadCalFile(dir.write("m.cal", cal), name) && map.computeReference();
}

IPoint utmOf(cl_RefPoint point, int zone)
{
    int z;
    char letter;
    IPoint en;
    point.setDatum(zone, 0);
    point.getRefPoint(z, letter, en);
    return en;
}

TEST(Georeference, NorthUpMapWithTenMetrePixels)
{
    TempFolder dir;
    cl_Map map;
    ASSERT_TRUE(loadMap(map, dir, {200, 100}, {0, 0}, atUtm(32, 'T', 500000, 5000000), {100, 0},
                        atUtm(32, 'T', 501000, 5000000)));
    EXPECT_EQ(map.utmZone(), 32);
    EXPECT_DOUBLE_EQ(map.scale(), 10.0);
    EXPECT_DOUBLE_EQ(map.sinRotation(), 0.0);
    const std::int32_t* corners = map.cornerUtm();
    EXPECT_EQ((std::vector<int>{corners[0], corners[1], corners[2], corners[3]}),
              (std::vector<int>{500000, 5000000, 502000, 5001000}));
    EXPECT_EQ(map.cornerPoint(1).pixel.x, 200);

    int inside = 1;
    const cl_RefPoint p = map.pixelToRefPoint(50, 20, inside);
    const IPoint corner0 = utmOf(map.cornerPoint(0), 32);
    const IPoint en = utmOf(p, 32);
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(p.pixel.x, 50);
    EXPECT_NEAR(en.x, corner0.x + 500, 1);
    EXPECT_NEAR(en.y, corner0.y + 200, 1);
    inside = 1;
    map.pixelToRefPoint(201, 20, inside);
    EXPECT_EQ(inside, 0);
    inside = 0;
    map.pixelToRefPoint(201, 20, inside);
    EXPECT_EQ(inside, 1);

    cl_RefPoint onMap = atUtm(32, 'T', 500500, 5000200);
    EXPECT_TRUE(map.refPointToPixel(onMap));
    EXPECT_EQ(onMap.pixel.x, 50);
    EXPECT_EQ(onMap.pixel.y, 20);
    cl_RefPoint west = atUtm(32, 'T', 499999, 5000200);
    EXPECT_FALSE(map.refPointToPixel(west));
    EXPECT_EQ(west.pixel.x, 0) << "-0.1 pixel truncates to 0";
    EXPECT_EQ(west.pixel.y, 20);
}

// 6000 x 4500 pixels at 2.5 m, turned 2 degrees, near Hamburg in zone 32.
TEST(Georeference, TurnedMapRoundTripsWithinTwoPixels)
{
    const double theta = 2.0 / kDeg, s = 2.5;
    const auto ground = [&](int x, int y) {
        return atUtm(32, 'U', 560000 + static_cast<int>(s * (x * std::cos(theta) - y * std::sin(theta))),
                     5930000 + static_cast<int>(s * (x * std::sin(theta) + y * std::cos(theta))));
    };
    TempFolder dir;
    cl_Map map;
    ASSERT_TRUE(loadMap(map, dir, {6000, 4500}, {300, 200}, ground(300, 200), {5700, 4300}, ground(5700, 4300)));
    EXPECT_NEAR(map.scale(), s, 1e-3);
    EXPECT_NEAR(std::atan2(map.sinRotation(), map.cosRotation()), theta, 1e-3);

    int worst = 0;
    for (int y = 0; y <= 4500; y += 150) {
        for (int x = 0; x <= 6000; x += 150) {
            int inside = 1;
            cl_RefPoint p = map.pixelToRefPoint(x, y, inside);
            ASSERT_EQ(inside, 1);
            map.refPointToPixel(p);
            worst = std::max({worst, std::abs(p.pixel.x - x), std::abs(p.pixel.y - y)});
        }
    }
    EXPECT_LE(worst, 2);
}

// A bitmap laid on the ground through GeographicLib's exact Transverse
// Mercator (Karney 2011), independent of the library's series: pixel (0,0)
// at (easting, northing) of the zone around `meridian`, the northing counted
// from the equator (negative south of it), `scale` metres per pixel, turned
// by `turnDeg`. Its reference pixels lie 5 % and 10 % inside the edges.
struct GroundMap {
    const char* name;
    double meridian, easting, northing, scale, turnDeg;
    IPoint size;

    DPoint utm(double x, double y) const
    {
        const double t = turnDeg / kDeg;
        return {easting + scale * (x * std::cos(t) - y * std::sin(t)),
                northing + scale * (x * std::sin(t) + y * std::cos(t))};
    }
    cl_RefPoint ground(double x, double y) const
    {
        const DPoint en = utm(x, y);
        double lat = 0.0, lon = 0.0;
        exact().Reverse(meridian, en.x - 500000.0, en.y, lat, lon);
        return atDegrees(lon, lat);
    }
    /// Metres between the point and pixel (x, y) on the ground.
    double miss(const cl_RefPoint& p, double x, double y) const
    {
        double e = 0.0, n = 0.0;
        exact().Forward(meridian, p.latitude * kDeg, p.longitude * kDeg, e, n);
        const DPoint en = utm(x, y);
        return std::hypot(e + 500000.0 - en.x, n - en.y);
    }
    static const GeographicLib::TransverseMercatorExact& exact()
    {
        static const GeographicLib::TransverseMercatorExact tm(6378137.0, 1.0 / 298.257223563, 0.9996);
        return tm;
    }
};

// Pixel to position and back against the ground layout, over a grid that
// runs 3 pixels inside and outside every edge: on the map exactly when the
// pixel lies on the bitmap.
TEST(Georeference, MapsAcrossTheEquatorAndTheAntimeridianAndTurnedMaps)
{
    const GroundMap rows[] = {
        {"equator, midpoint north", 9.0, 480000.0, -2000.0, 5.0, 0.0, {2000, 1200}},
        {"equator, midpoint south, turned", 9.0, 480000.0, -4000.0, 5.0, -2.0, {2000, 1200}},
        {"180th meridian in Fiji", 177.0, 813600.0, -1880000.0, 5.0, 0.0, {2000, 1200}},
        {"turned 3 degrees", 9.0, 560000.0, 5930000.0, 2.5, 3.0, {4000, 3000}},
    };
    for (const GroundMap& row : rows) {
        SCOPED_TRACE(row.name);
        const int w = row.size.x, h = row.size.y;
        const IPoint px0{w / 20, h / 10}, px1{w - w / 20, h - h / 10};
        TempFolder dir;
        cl_Map map;
        if (!loadMap(map, dir, row.size, px0, row.ground(px0.x, px0.y), px1, row.ground(px1.x, px1.y))) {
            ADD_FAILURE() << "no georeference";
            continue;
        }
        EXPECT_NEAR(map.scale(), row.scale, 1e-3);
        EXPECT_NEAR(std::atan2(map.sinRotation(), map.cosRotation()) * kDeg, row.turnDeg, 0.01);

        for (const int y : {-3, 3, h / 2, h - 3, h + 3}) {
            for (const int x : {-3, 3, w / 2, w - 3, w + 3}) {
                SCOPED_TRACE(::testing::Message() << "pixel " << x << "," << y);
                int inside = 0;
                EXPECT_LE(row.miss(map.pixelToRefPoint(x, y, inside), x, y), 4.0);
                cl_RefPoint p = row.ground(x, y);
                EXPECT_EQ(map.refPointToPixel(p), 0 <= x && x <= w && 0 <= y && y <= h);
                EXPECT_NEAR(p.pixel.x, x, 1);
                EXPECT_NEAR(p.pixel.y, y, 1);
            }
        }
    }
}

TEST(Georeference, StraddlingMapUsesTheMidpointsZone)
{
    TempFolder dir;
    cl_Map east, west;
    ASSERT_TRUE(loadMap(east, dir, {1000, 1000}, {0, 0}, atDegrees(11.9, 50.0), {1000, 1000}, atDegrees(12.2, 50.2)));
    EXPECT_EQ(east.utmZone(), 33);
    ASSERT_TRUE(loadMap(west, dir, {1000, 1000}, {0, 0}, atDegrees(11.7, 50.0), {1000, 1000}, atDegrees(12.1, 50.2)));
    EXPECT_EQ(west.utmZone(), 32);
    cl_RefPoint p = atDegrees(12.05, 50.1);
    EXPECT_TRUE(east.refPointToPixel(p));
    EXPECT_TRUE(west.refPointToPixel(p));
}

// Turned half a turn: the one-argument arctangent would put reference
// point 1 on the far side of reference point 0.
TEST(Georeference, UpsideDownMapKeepsBothReferencePoints)
{
    TempFolder dir;
    cl_Map map;
    ASSERT_TRUE(loadMap(map, dir, {100, 100}, {0, 0}, atUtm(32, 'T', 501000, 5001000), {100, 100},
                        atUtm(32, 'T', 500000, 5000000)));
    int inside = 0;
    const IPoint far = utmOf(map.pixelToRefPoint(100, 100, inside), 32);
    EXPECT_NEAR(far.x, 500000, 2);
    EXPECT_NEAR(far.y, 5000000, 2);
    cl_RefPoint middle = atUtm(32, 'T', 500500, 5000500);
    EXPECT_TRUE(map.refPointToPixel(middle));
    EXPECT_NEAR(middle.pixel.x, 50, 1);
    EXPECT_NEAR(middle.pixel.y, 50, 1);
}

TEST(Georeference, RefusesDegenerateReferencePoints)
{
    TempFolder dir;
    const cl_RefPoint a = atUtm(32, 'T', 500000, 5000000), b = atUtm(32, 'T', 501000, 5000000);
    cl_Map samePixel, samePlace, farApart, onlyOne;
    EXPECT_FALSE(loadMap(samePixel, dir, {10, 10}, {5, 5}, a, {5, 5}, b));
    EXPECT_FALSE(loadMap(samePlace, dir, {10, 10}, {0, 0}, a, {5, 5}, a));
    EXPECT_FALSE(loadMap(farApart, dir, {10, 10}, {0, 0}, atDegrees(3, 50), {5, 5}, atDegrees(21, 50)));

    rovanta::test::writeBmp(dir.path() / "m.bmp", {.width = 10, .height = 10});
    std::string name;
    ASSERT_TRUE(onlyOne.loadCalFile(dir.write("one.cal", "FILENAME: m.bmp\n" + referenceLine({0, 0}, a)), name));
    EXPECT_FALSE(onlyOne.computeReference());
}

TEST(Georeference, FindsBitmapsNamedOnWindows)
{
    TempFolder dir;
    std::filesystem::create_directory(dir.path() / "sub");
    rovanta::test::writeBmp(dir.path() / "harbour.bmp", {.width = 101, .height = 50, .bitsPerPixel = 24});
    rovanta::test::writeBmp(dir.path() / "sub" / "inner.bmp", {.width = 8, .height = 8});
    const struct {
        std::string fileName, expected;
    } rows[] = {
        {"harbour.bmp", dir.file("harbour.bmp")},
        {"C:\\Karten\\HARBOUR.BMP", dir.file("harbour.bmp")},
        {"sub\\inner.bmp", dir.file("sub/inner.bmp")},
        {"missing.bmp", dir.file("missing.bmp")},
    };
    for (const auto& row : rows) {
        cl_Map map;
        std::string name;
        ASSERT_TRUE(map.loadCalFile(dir.write("w.cal", "FILENAME: " + row.fileName + "\r\n"), name));
        EXPECT_EQ(map.getBitmapPath(), row.expected) << row.fileName;
    }

    cl_Map map;
    std::string name;
    map.loadCalFile(dir.write("h.cal", "FILENAME: harbour.bmp\n"), name);
    const rovanta::BitmapInfo info = map.getBitmapInfo();
    EXPECT_EQ(info.width, 101);
    EXPECT_EQ(info.height, 50);
    EXPECT_EQ(info.widthBytes, 304);
    EXPECT_EQ(info.bitsPixel, 24);
    EXPECT_EQ(info.planes, 1);
    map.loadCalFile(dir.write("h.cal", "FILENAME: missing.bmp\n"), name);
    EXPECT_EQ(map.getBitmapInfo().width, 0);
    EXPECT_EQ(map.getBitmapInfo().height, 0);
}

} // namespace
