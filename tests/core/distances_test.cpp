// Distances along a tour and the coordinate texts of the distances table.
#include "dialogs/distance_table.h"
#include "dialogs/distances.h"
#include "tour/cl_tour.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
using namespace rovanta;

constexpr double kRad = std::numbers::pi / 180.0;

cl_RefPoint at(double lonDeg, double latDeg)
{
    cl_RefPoint p;
    p.setRefPoint(DPoint{lonDeg * kRad, latDeg * kRad});
    return p;
}

TEST(Distances, GreatCircle)
{
    // One degree of arc on the sphere: 6367444.6571 m * pi / 180.
    EXPECT_NEAR(distanceBetween(0.2, 50 * kRad, 0.2, 51 * kRad), 111133.0, 0.5);
    EXPECT_NEAR(distanceBetween(0, 0, std::numbers::pi, 0), std::numbers::pi * kDistanceEarthRadius, 1e-6);
    EXPECT_DOUBLE_EQ(distanceBetween(0.1, 0.7, -0.3, -0.2), distanceBetween(-0.3, -0.2, 0.1, 0.7));
    // At this latitude sin^2 + cos^2 rounds above 1; the leg must still be 0.
    EXPECT_EQ(distanceBetween(0.3, 0.0028, 0.3, 0.0028), 0.0);
}

struct FormatRow {
    const char* name;
    double lon, lat;
    DisplayFormat format;
    std::vector<std::string> cells;
};

class CoordinateText : public testing::TestWithParam<FormatRow> {};

TEST_P(CoordinateText, ByteForByte)
{
    const FormatRow& row = GetParam();
    cl_RefPoint point = at(row.lon, row.lat);
    EXPECT_EQ(formatCoordinates(point, row.format), row.cells);
}

// Expected texts worked out by hand from printf's rules; the UTM cells of
// Hamburg agree with GeographicLib's GeoConvert (32U 565590 5933912).
INSTANTIATE_TEST_SUITE_P(
    Distances, CoordinateText,
    testing::Values(
        FormatRow{"DegreeEast", 9.983333, 53.55, kDecimalDegree, {" 9.983333\xC2\xB0 E", "53.550000\xC2\xB0 N"}},
        FormatRow{"DegreeWestSouth", -3.5, -33.8688, kDecimalDegree, {" 3.500000\xC2\xB0 W", "33.868800\xC2\xB0 S"}},
        FormatRow{"DegreeWide", 151.2093, 0.0, kDecimalDegree, {"151.209300\xC2\xB0 E", " 0.000000\xC2\xB0 N"}},
        FormatRow{"Minute", 0.0, 53.55, kDecimalMinute, {"  0\xC2\xB0  0.0000' E", " 53\xC2\xB0 33.0000' N"}},
        FormatRow{"MinuteNeverCarries",
                  12.9999999,
                  -12.9999999,
                  kDecimalMinute,
                  {" 12\xC2\xB0 60.0000' E", " 12\xC2\xB0 60.0000' S"}},
        FormatRow{"Second", -9.99, 53.5525, kDecimalSecond, {"  9\xC2\xB0 59' 24.00\" W", " 53\xC2\xB0 33'  9.00\" N"}},
        FormatRow{"Utm", 9.99, 53.55, kUtm, {" 565590", "5933912", "32U"}},
        FormatRow{"UtmSouth", 151.2093, -33.8688, kUtm, {" 334368", "6250948", "56H"}}),
    [](const testing::TestParamInfo<FormatRow>& info) { return std::string(info.param.name); });

TEST(Distances, UtmSelectsWgs84OnThePoint)
{
    cl_RefPoint point = at(9.99, 53.55);
    point.setDatum(0, 2);
    formatCoordinates(point, kUtm);
    EXPECT_EQ(point.datumKind, 0);
}

TEST(DistanceTable, RowsCarryLegsAndTotals)
{
    cl_Tour tour("Elbe", 0);
    EXPECT_TRUE(buildDistanceRows(tour, kDecimalMinute).empty());

    tour.addPoint(at(10.0, 53.0));
    tour.addPoint(at(10.0, 54.0));
    tour.addPoint(at(10.0, 54.0));
    tour.addPoint(at(11.0, 54.0));
    tour.getRemarks()[1] = "Hut";
    const auto rows = buildDistanceRows(tour, kDecimalDegree);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].number, "  0");
    EXPECT_EQ(rows[0].leg, "  0.000");
    EXPECT_EQ(rows[0].total, "  0.000");
    EXPECT_EQ(rows[1].leg, "111.133");
    EXPECT_EQ(rows[1].remark, "Hut");
    EXPECT_EQ(rows[2].leg, "  0.000") << "a repeated point";
    EXPECT_EQ(rows[2].total, "111.133");
    const double east = distanceBetween(10 * kRad, 54 * kRad, 11 * kRad, 54 * kRad) * 0.001;
    EXPECT_NEAR(std::stod(rows[3].total), 6367444.6571 * kRad * 0.001 + east, 0.0005);
    EXPECT_EQ(rows[3].coords[0], "11.000000\xC2\xB0 E");
}

} // namespace
