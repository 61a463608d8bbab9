#include "georeference_maps.h"
#include "map_files.h"
#include "navigation/map_scale.h"
#include "print/page_layout.h"
#include "print/print_scale.h"
#include "print/sheet_frame.h"

#include <gtest/gtest.h>

#include <numbers>
#include <optional>

namespace rovanta {
namespace {

struct TypedScale {
    const char* name;
    const char* text;
    std::optional<int> denominator;
};

const TypedScale kTypedScales[] = {
    {"WithOne", "1:25000", 25000},
    {"DenominatorOnly", "30000", 30000},
    {"ThousandsSpaced", "1:30 000", 30000},
    {"SpacesAroundColon", " 1 : 50 000 ", 50000},
    {"NoBreakSpace", "1:25\u00A0000", 25000},
    {"NarrowNoBreakSpace", "1:25\u202F000", 25000},
    {"Letters", "1:25k", std::nullopt},
    {"Decimal", "1:25000.5", std::nullopt},
    {"Negative", "-25000", std::nullopt},
    {"OtherRatio", "2:25000", std::nullopt},
    {"Empty", "", std::nullopt},
    {"Zero", "1:0", std::nullopt},
    {"LargerThanAPlan", "1:100", std::nullopt},
    {"Overflowing", "1:999999999999", std::nullopt},
};

class ScaleTyped : public testing::TestWithParam<TypedScale> {};

TEST_P(ScaleTyped, ReadsTheDenominatorOrNothing)
{
    EXPECT_EQ(parseScale(GetParam().text), GetParam().denominator);
}

INSTANTIATE_TEST_SUITE_P(Print, ScaleTyped, testing::ValuesIn(kTypedScales),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Print, ScaleTextsBarsAndGrid)
{
    EXPECT_EQ(exactScaleText(25000), "1:25 000");
    EXPECT_EQ(exactScaleText(1000000), "1:1 000 000");
    EXPECT_EQ(exactScaleText(500), "1:500");
    // 300 dpi: a dot is 25.4 / 300 = 0.08467 mm; 2.11667 m per pixel on it is 1:25 000.
    EXPECT_EQ(sheetScale(2.1166667), 25000);

    // Bar: the longest round length within maxMm. Grid: 1 km while at least
    // 10 mm apart, 100 m once 1 km is 200 mm, else 10 km steps.
    struct Row {
        const char* name;
        int denominator;
        double maxMm;
        int barMetres;
        double gridMetres;
    };
    for (const Row& r : {Row{"OneKmIs40Mm", 25000, 60.0, 1000, 1000.0}, Row{"TenThousand", 10000, 60.0, 500, 1000.0},
                         Row{"FiftyThousand", 50000, 60.0, 2000, 1000.0},
                         Row{"ShortBudget", 100000, 45.0, 2000, 1000.0}, // 1 km = 10 mm
                         Row{"OneKmIs4Mm", 250000, 60.0, 10000, 10000.0}, Row{"OneKmIs200Mm", 5000, 60.0, 200, 100.0},
                         Row{"NoLengthFitsTakesTheShortest", 500, 60.0, 50, 100.0}}) {
        EXPECT_EQ(paperScaleBarMetres(r.denominator, r.maxMm), r.barMetres) << r.name;
        EXPECT_EQ(paperGridStep(r.denominator), r.gridMetres) << r.name;
    }
}

// A4 portrait, 10 mm printer margins and a 12 mm footer: 190 x 265 mm of
// map, that is 4.75 x 6.625 km at 1:25 000; each further page adds
// (190 - 10) mm = 4.5 km across and (265 - 10) mm = 6.375 km down.
constexpr PaperArea kA4Map{190.0, 265.0};

struct Pages {
    const char* name;
    double widthKm, heightKm;
    int denominator;
    double overlap;
    int rows, columns;
    LayoutFault fault;
};

const Pages kPages[] = {
    {"FitsOnePage", 4.0, 6.0, 25000, 10.0, 1, 1, LayoutFault::kNone},
    {"ExactlyOnePage", 4.75, 6.625, 25000, 10.0, 1, 1, LayoutFault::kNone},
    {"ExactlyTwoAcross", 9.25, 6.0, 25000, 10.0, 1, 2, LayoutFault::kNone},
    {"JustOverTwoAcross", 9.3, 6.0, 25000, 10.0, 1, 3, LayoutFault::kNone},
    {"TwoByTwo", 8.0, 12.0, 25000, 10.0, 2, 2, LayoutFault::kNone},
    {"NoOverlap", 9.5, 6.0, 25000, 0.0, 1, 2, LayoutFault::kNone},
    {"HalfTheScaleHalfThePages", 8.0, 12.0, 50000, 10.0, 1, 1, LayoutFault::kNone},
    {"OverlapHalfAPage", 8.0, 12.0, 25000, 95.0, 0, 0, LayoutFault::kOverlapTooLarge},
    {"NegativeOverlap", 8.0, 12.0, 25000, -1.0, 0, 0, LayoutFault::kOverlapTooLarge},
    {"MistypedScale", 50.0, 50.0, 1000, 10.0, 0, 0, LayoutFault::kTooManyPages},
};

class PagesNeeded : public testing::TestWithParam<Pages> {};

TEST_P(PagesNeeded, CoverTheExtentWithTheOverlap)
{
    const Pages& p = GetParam();
    const GroundRect extent{500000.0, 5300000.0, 500000.0 + p.widthKm * 1000.0, 5300000.0 + p.heightKm * 1000.0};
    const LayoutResult result = layoutPages(extent, p.denominator, kA4Map, p.overlap);
    ASSERT_EQ(result.fault, p.fault);
    if (p.fault != LayoutFault::kNone)
        return;
    const PageLayout& layout = result.layout;
    ASSERT_EQ(layout.rows, p.rows);
    ASSERT_EQ(layout.columns, p.columns);
    ASSERT_EQ(layout.pages.size(), std::size_t(p.rows * p.columns));
    const double overlapMetres = p.overlap * p.denominator / 1000.0;
    GroundRect covered = layout.pages.front().ground;
    for (const PrintPage& page : layout.pages) {
        EXPECT_NEAR(page.ground.width(), kA4Map.width * p.denominator / 1000.0, 1e-6);
        EXPECT_NEAR(page.ground.height(), kA4Map.height * p.denominator / 1000.0, 1e-6);
        if (page.column > 0) {
            const GroundRect& left = layout.pages[std::size_t(page.row * p.columns + page.column - 1)].ground;
            EXPECT_NEAR(left.east - page.ground.west, overlapMetres, 1e-6);
        }
        if (page.row > 0) {
            const GroundRect& above = layout.pages[std::size_t((page.row - 1) * p.columns + page.column)].ground;
            EXPECT_NEAR(page.ground.north - above.south, overlapMetres, 1e-6);
        }
        covered = {std::min(covered.west, page.ground.west), std::min(covered.south, page.ground.south),
                   std::max(covered.east, page.ground.east), std::max(covered.north, page.ground.north)};
    }
    // Centred: the same paper left over on either side.
    EXPECT_NEAR(extent.west - covered.west, covered.east - extent.east, 1e-6);
    EXPECT_NEAR(extent.south - covered.south, covered.north - extent.north, 1e-6);
    EXPECT_LE(covered.west, extent.west);
    EXPECT_LE(covered.south, extent.south);
}

INSTANTIATE_TEST_SUITE_P(Print, PagesNeeded, testing::ValuesIn(kPages),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Print, PageLabels)
{
    struct Label {
        int row, column;
        const char* shortLabel;
        const char* longLabel;
    };
    for (const Label& l : {Label{0, 0, "A1", "row 1, column 1"}, Label{1, 2, "B3", "row 2, column 3"},
                           Label{25, 0, "Z1", "row 26, column 1"}, Label{26, 9, "AA10", "row 27, column 10"}}) {
        EXPECT_EQ(pageLabel(l.row, l.column), l.shortLabel);
        EXPECT_EQ(pageLongLabel(l.row, l.column), l.longLabel);
    }
}

// Hand calculation, gamma = atan(tan(lon - lon0) sin(lat)); GeographicLib's
// TransverseMercator gives the same to 1e-5 degrees within a zone.
TEST(Print, GridConvergence)
{
    struct Place {
        const char* name;
        double lon, lat;
        int zone;
        double gammaDegrees;
    };
    constexpr double kDegree = std::numbers::pi / 180.0;
    for (const Place& p :
         {Place{"EastOfCentralMeridian", 12.0, 48.0, 32, 2.23035},
          Place{"WestOfCentralMeridian", 6.0, 48.0, 32, -2.23035}, Place{"OnCentralMeridian", 9.0, 53.0, 32, 0.0},
          Place{"SouthernEast", 12.0, -30.0, 32, -1.50103},
          Place{"AcrossTheAntimeridian", -178.0, 60.0, 60, 4.33287}}) {
        EXPECT_NEAR(gridConvergence(p.lon * kDegree, p.lat * kDegree, p.zone) / kDegree, p.gammaDegrees, 1e-4)
            << p.name;
    }
}

// A tour point's printed place, through its UTM position, against the pixel
// the view draws it on, through the map: within 1.5 pixels (3 m, 0.12 mm at
// 1:25 000), far inside the printed point's 2 mm circle.
TEST(Print, TourPointsLandOnTheViewsPixels)
{
    for (const double turn : {0.0, 3.0}) {
        test::TempFolder dir;
        cl_Map map;
        const double t = turn / test::kDeg;
        ASSERT_TRUE(test::loadMap(map, dir, {4000, 4000}, {0, 0}, test::atUtm(32, 'U', 600000, 5300000), {4000, 0},
                                  test::atUtm(32, 'U', 600000 + int(std::lround(8000 * std::cos(t))),
                                              5300000 + int(std::lround(8000 * std::sin(t))))));
        const SheetFrame frame = sheetFrame(map, 4000, 4000);
        for (const IPoint pixel : {IPoint{10, 10}, IPoint{2000, 3000}, IPoint{3990, 120}}) {
            int inside = 0;
            cl_RefPoint point = map.pixelToRefPoint(pixel.x, pixel.y, inside);
            ASSERT_TRUE(map.refPointToPixel(point));
            const std::optional<GroundPoint> ground = groundOf(point, frame);
            ASSERT_TRUE(ground);
            const GroundPoint printed = frame.toPixel(*ground);
            EXPECT_NEAR(printed.east, point.pixel.x, 1.5) << turn << " degrees";
            EXPECT_NEAR(printed.north, point.pixel.y, 1.5) << turn << " degrees";
        }
    }
}

// A sheet east of 12°E (zone 33) beside one west of it (zone 32): its
// pixels, placed on zone 32's ground by the fit around the page, land where
// the georeference puts them, within 3 m (0.12 mm at 1:25 000): the
// expected side goes through whole metres twice, each truncated by up to 1 m.
TEST(Print, SheetOfTheNextZoneLandsOnItsGround)
{
    test::TempFolder dir;
    cl_Map west;
    cl_Map east;
    std::string name;
    const auto load = [&](cl_Map& map, const char* file, double lon) {
        const std::string cal = test::writeSampleMap(
            dir.path(), file,
            {.name = {}, .west = lon, .south = 47.0, .east = lon + 0.1, .north = 47.06, .width = 1500, .height = 1500});
        return map.loadCalFile(cal, name) && map.computeReference();
    };
    ASSERT_TRUE(load(west, "west.cal", 11.9) && load(east, "east.cal", 12.0));
    ASSERT_NE(west.utmZone(), east.utmZone());
    const SheetFrame printFrame = sheetFrame(west, 1500, 1500);
    // One A4 page at 1:25 000 (4.75 × 6.6 km) over the zones' border.
    const GroundPoint middle = printFrame.toGround(1500, 750);
    const GroundRect page{middle.east - 2375, middle.north - 3300, middle.east + 2375, middle.north + 3300};
    const std::optional<SheetFrame> placed = frameAround(east, 1500, 1500, west, printFrame, page);
    ASSERT_TRUE(placed);
    struct Row {
        const char* name;
        IPoint pixel;
    };
    for (const Row& row : {Row{"OnTheBorder", {0, 750}}, Row{"BottomLeft", {0, 0}}, Row{"TopLeft", {0, 1500}},
                           Row{"OnePageEast", {600, 750}}}) {
        int inside = 0;
        const cl_RefPoint point = east.pixelToRefPoint(row.pixel.x, row.pixel.y, inside);
        const std::optional<GroundPoint> expected = groundOf(point, printFrame);
        ASSERT_TRUE(expected) << row.name;
        const GroundPoint printed = placed->toGround(row.pixel.x, row.pixel.y);
        EXPECT_NEAR(printed.east, expected->east, 3.0) << row.name;
        EXPECT_NEAR(printed.north, expected->north, 3.0) << row.name;
    }
}

} // namespace
} // namespace rovanta
