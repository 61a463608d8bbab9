// Pixels to UTM and back through a map's two reference points.
#include "georeference_maps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

namespace {
using namespace rovanta::test;
using rovanta::cl_Map;

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

// Four reference points on a north-up map of 10 m pixels: the third where
// the first two put it, the fourth moved 30 m east and 40 m north, 50 m by
// Pythagoras. Only the first two make the transform.
TEST(Georeference, ExtraReferencePointsAreCheckedNotUsed)
{
    TempFolder dir;
    writeBmp(dir.path() / "m.bmp", {.width = 200, .height = 100, .bitsPerPixel = 8});
    const std::string cal = "NAME: M\r\nFILENAME: m.bmp\r\n" + referenceLine({0, 0}, atUtm(32, 'T', 500000, 5000000)) +
                            referenceLine({100, 0}, atUtm(32, 'T', 501000, 5000000)) +
                            referenceLine({50, 50}, atUtm(32, 'T', 500500, 5000500)) +
                            referenceLine({80, 20}, atUtm(32, 'T', 500830, 5000240));
    cl_Map map;
    std::string name;
    ASSERT_TRUE(map.loadCalFile(dir.write("m.cal", cal), name));
    ASSERT_TRUE(map.computeReference());
    EXPECT_DOUBLE_EQ(map.scale(), 10.0);
    const std::vector<double> residuals = map.extraPointResiduals();
    ASSERT_EQ(residuals.size(), 2u);
    EXPECT_NEAR(residuals[0], 0.0, 1.0);
    EXPECT_NEAR(residuals[1], 50.0, 1.0);
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
            // Edge pixels may land a hair outside; the round trip is what counts.
            static_cast<void>(map.refPointToPixel(p));
            worst = std::max({worst, std::abs(p.pixel.x - x), std::abs(p.pixel.y - y)});
        }
    }
    EXPECT_LE(worst, 2);
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
    ASSERT_TRUE(map.loadCalFile(dir.write("h.cal", "FILENAME: harbour.bmp\n"), name));
    const rovanta::BitmapInfo info = map.getBitmapInfo();
    EXPECT_EQ(info.width, 101);
    EXPECT_EQ(info.height, 50);
    EXPECT_EQ(info.widthBytes, 304);
    EXPECT_EQ(info.bitsPixel, 24);
    EXPECT_EQ(info.planes, 1);
    ASSERT_TRUE(map.loadCalFile(dir.write("h.cal", "FILENAME: missing.bmp\n"), name));
    EXPECT_EQ(map.getBitmapInfo().width, 0);
    EXPECT_EQ(map.getBitmapInfo().height, 0);
}

} // namespace
