// Maps laid on the ground through an independent projection: across the
// equator and the 180th meridian, and turned.
#include "georeference_maps.h"

#include <GeographicLib/TransverseMercatorExact.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
using namespace rovanta::test;
using rovanta::cl_Map;

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

} // namespace
