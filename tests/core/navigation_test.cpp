// Zooming about the cursor, Whole Map, the scale and its bar, and the
// position texts of the status bar.
#include "editing/view_layout.h"
#include "navigation/cursor_position.h"
#include "navigation/map_scale.h"
#include "navigation/zoom_navigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace rovanta {
namespace {

struct AnchorRow {
    const char* name;
    ISize bitmap;
    DPoint client;
    std::vector<double> steps;
};

// Window 800 x 600, starting centred at 1:1; every step must leave the map
// point first under the cursor within half a pixel of it on screen, however
// many steps went before.
const AnchorRow kAnchorRows[] = {
    {"InAtCentre", {20000, 15000}, {400, 300}, {1.25, 1.25, 1.25}},
    {"InNearCorner", {20000, 15000}, {3.7, 590.2}, {1.25, 1.25, 1.25, 1.25}},
    {"OutFarThenBackIn", {20000, 15000}, {612.5, 80.25}, {0.8, 0.8, 0.8, 0.8, 0.8, 0.8, 1.25, 1.25, 1.25}},
    {"OddSizedSheetThroughOneToOne", {1237, 913}, {211.9, 377.1}, {0.8, 0.8, 1.25, 1.25, 1.25, 0.8}},
};

class ZoomAnchor : public testing::TestWithParam<AnchorRow> {};

TEST_P(ZoomAnchor, KeepsThePointUnderTheCursor)
{
    const AnchorRow& row = GetParam();
    constexpr ISize kWindow{800, 600};
    ViewLayout layout;
    layout.reset(row.bitmap);
    const DPoint map = mapPointUnder(row.client, centredScroll(layout, kWindow), canvasMapping(layout));
    for (const double step : row.steps) {
        ASSERT_TRUE(layout.zoomBy(step));
        const IPoint scroll = scrollKeeping(row.client, map, canvasMapping(layout));
        const CanvasMapping after = canvasMapping(layout);
        EXPECT_NEAR(after.left + map.x * after.zoom - scroll.x, row.client.x, 0.5) << "zoom " << layout.zoom();
        EXPECT_NEAR(after.bottom - map.y * after.zoom - scroll.y, row.client.y, 0.5) << "zoom " << layout.zoom();
        // The layout's own conversion agrees; the client's fraction and the
        // truncations cost up to two screen pixels and one map pixel.
        const IPoint under = layout.windowToPixel(
            {scroll.x + static_cast<int>(row.client.x), scroll.y + static_cast<int>(row.client.y)});
        EXPECT_NEAR(under.x, map.x, 1.0 + 2.0 / layout.zoom());
        EXPECT_NEAR(under.y, map.y, 1.0 + 2.0 / layout.zoom());
    }
}

INSTANTIATE_TEST_SUITE_P(Navigation, ZoomAnchor, testing::ValuesIn(kAnchorRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Navigation, WholeMapFitsTheWindow)
{
    struct Row {
        const char* name;
        ISize bitmap;
        ISize window;
        double zoom;
    };
    // Hand-computed: the smaller of the two side ratios.
    const Row rows[] = {
        {"LargeSheetShrinks", {20000, 15000}, {800, 600}, 0.04},
        {"WideSheetLimitedByWidth", {4000, 1000}, {800, 600}, 0.2},
        {"SmallSheetGrows", {100, 50}, {800, 600}, 8.0},
        {"FitInSnapBandDropsBelowIt", {1000, 1000}, {970, 980}, 0.95 - 1e-6},
        {"JustAboveOneIsOneToOne", {1000, 1000}, {1030, 1040}, 1.0},
    };
    for (const Row& row : rows) {
        const double zoom =
            wholeMapZoom(row.bitmap.width, row.bitmap.height, row.window.width, row.window.height, kOneToOneSnap);
        EXPECT_NEAR(zoom, row.zoom, 1e-12) << row.name;
        ViewLayout layout;
        layout.reset(row.bitmap);
        ASSERT_TRUE(layout.zoomBy(zoom)) << row.name;
        // The conversions use the zoom, the painting the sizes: they agree.
        EXPECT_NEAR(layout.targetSize().width, row.bitmap.width * layout.zoom(), 1.0) << row.name;
        EXPECT_LE(layout.targetSize().width, row.window.width) << row.name;
        EXPECT_LE(layout.targetSize().height, row.window.height) << row.name;
    }
    EXPECT_EQ(wholeMapZoom(0, 10, 800, 600, kOneToOneSnap), 0.0);
}

TEST(Navigation, ScaleText)
{
    struct Row {
        const char* name;
        double metresPerPixel, zoom, dpi;
        const char* text;
    };
    // Denominator = metres per pixel / zoom * dpi / 0.0254, to three digits.
    const Row rows[] = {
        // 25000 * 0.0254 / 96 m per pixel: exactly 1:25 000
        {"OneToOne", 25000 * 0.0254 / 96, 1.0, 96, "1:25 000"},
        {"OneStepIn", 25000 * 0.0254 / 96, 1.25, 96, "1:20 000"},
        // 25000 / 0.64 = 39062.5
        {"TwoStepsOutRounds", 25000 * 0.0254 / 96, 0.64, 96, "1:39 100"},
        // 2 * 144 / 0.0254 = 11338.6
        {"DenseScreen", 2.0, 1.0, 144, "1:11 300"},
        // 500 * 100 / 0.0254 = 1968503.9
        {"Millions", 50.0, 0.1, 100, "1:1 970 000"},
        // 0.0025 * 96 / 0.0254 = 9.45
        {"FewerThanThreeDigits", 0.01, 4.0, 96, "1:9"},
        {"NoResolution", 2.0, 1.0, 0, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(scaleText(scaleDenominator(row.metresPerPixel, row.zoom, row.dpi)), row.text) << row.name;
}

TEST(Navigation, ScaleBarTakesTheLongestRoundLengthInAFifth)
{
    struct Row {
        const char* name;
        double metresPerScreenPixel;
        int metres, pixels;
        const char* label;
    };
    // Window 1000 pixels wide: a bar may take 200.
    const Row rows[] = {
        {"FillsTheFifthExactly", 5.0, 1000, 200, "1 km"},
        {"JustTooLongFallsBack", 4.9, 500, 102, "500 m"}, // 1000 / 4.9 = 204
        {"ThirdOfADecade", 33.4, 5000, 150, "5 km"},      // 5000 / 33.4 = 149.7
        {"LongestLength", 2000.0, 100000, 50, "100 km"},
        {"FiftyMetresTooLong", 0.2, 0, 0, ""}, // 50 m = 250 pixels
    };
    for (const Row& row : rows) {
        const std::optional<ScaleBar> bar = chooseScaleBar(row.metresPerScreenPixel, 1000);
        ASSERT_EQ(bar.has_value(), row.metres != 0) << row.name;
        if (!bar)
            continue;
        EXPECT_EQ(bar->metres, row.metres) << row.name;
        EXPECT_EQ(bar->pixels, row.pixels) << row.name;
        EXPECT_EQ(bar->label, row.label) << row.name;
    }
}

TEST(Navigation, PositionTexts)
{
    struct Row {
        const char* name;
        double lon, lat;
        DisplayFormat format;
        const char* text;
    };
    // The table's cells, latitude first; Hamburg's UTM agrees with
    // GeographicLib's GeoConvert (32U 565590 5933912).
    const Row rows[] = {
        {"DecimalMinute", 9.99, 53.55, kDecimalMinute, "53° 33.0000' N  9° 59.4000' E"},
        {"MinutesBelowTenUnpadded", 9.05, 53.1, kDecimalMinute, "53° 6.0000' N  9° 3.0000' E"},
        {"DecimalDegreeWest", -3.5, 40.25, kDecimalDegree, "40.250000° N  3.500000° W"},
        {"Utm", 9.99, 53.55, kUtm, "32U 565590 5933912"},
        {"OutsideUtm", 10.0, 85.0, kUtm, ""},
    };
    constexpr double kRad = std::numbers::pi / 180.0;
    for (const Row& row : rows) {
        cl_RefPoint point;
        point.setRefPoint(DPoint{row.lon * kRad, row.lat * kRad});
        EXPECT_EQ(positionText(point, row.format), row.text) << row.name;
    }
}

} // namespace
} // namespace rovanta
