#include "editing/view_layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace rovanta {
namespace {

constexpr ISize kBitmap{400, 300};
constexpr ISize kWindow{500, 400};

struct Expected {
    const char* name;
    int zoomInSteps;  ///< Zoom In (1.25) presses from the 1:1 layout
    int zoomOutSteps; ///< Zoom Out (0.8) presses after them
    double zoom;
    ISize target;
    IPoint origin;
    ISize canvas;
};

// Worked by hand from the truncating rule: every size is truncated from its
// previous value, never recomputed from the zoom.
const Expected kSteps[] = {
    {"OneToOne", 0, 0, 1.0, {400, 300}, {400, 300}, {1200, 900}},
    {"ZoomIn", 1, 0, 1.25, {500, 375}, {500, 375}, {1500, 1125}},
    {"InThenOutIsExactlyOneToOne", 1, 1, 1.0, {400, 300}, {400, 300}, {1200, 900}},
    {"TwoOut", 0, 2, 0.64, {256, 192}, {256, 192}, {768, 576}},
    // 320 * 0.8 = 256, 256 * 0.8 = 204.8 → 204; the zoom alone would give 204.8 too
    {"ThreeOut", 0, 3, 0.512, {204, 153}, {204, 153}, {614, 460}},
    // 500 * 1.25 = 625, 375 * 1.25 = 468.75 → 468
    {"TwoIn", 2, 0, 1.5625, {625, 468}, {625, 468}, {1875, 1406}},
};

class LayoutSteps : public testing::TestWithParam<Expected> {};

TEST_P(LayoutSteps, SizesAreTruncatedStepByStep)
{
    const Expected& e = GetParam();
    ViewLayout layout;
    layout.reset(kBitmap);
    for (int i = 0; i < e.zoomInSteps; ++i)
        ASSERT_TRUE(layout.zoomBy(1.25));
    for (int i = 0; i < e.zoomOutSteps; ++i)
        ASSERT_TRUE(layout.zoomBy(0.8));
    EXPECT_NEAR(layout.zoom(), e.zoom, 1e-12);
    EXPECT_EQ(layout.targetSize(), e.target);
    EXPECT_EQ(layout.targetOrigin().x, e.origin.x);
    EXPECT_EQ(layout.targetOrigin().y, e.origin.y);
    EXPECT_EQ(layout.canvasSize(), e.canvas);
    EXPECT_EQ(layout.sourceSize(), kBitmap);
}

INSTANTIATE_TEST_SUITE_P(Layout, LayoutSteps, testing::ValuesIn(kSteps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Layout, ScrollPositions)
{
    ViewLayout layout;
    layout.reset(kBitmap);
    const IPoint start = centredScroll(layout, kWindow);
    EXPECT_EQ(start.x, 350);
    EXPECT_EQ(start.y, 250);
    // trunc(1.25 * 350 + 500 * 0.25 * 0.5), trunc(1.25 * 250 + 400 * 0.25 * 0.5)
    const IPoint zoomed = zoomedScroll(1.25, kWindow, start);
    EXPECT_EQ(zoomed.x, 500);
    EXPECT_EQ(zoomed.y, 362);
    // A window larger than the bitmap: the division truncates toward zero.
    const IPoint wide = centredScroll(layout, {1001, 303});
    EXPECT_EQ(wide.x, 400 + (400 - 1001) / 2);
    EXPECT_EQ(wide.x, 100);
    EXPECT_EQ(wide.y, 299);
    const IPoint centred = centringScroll({801, 301}, {501, 401});
    EXPECT_EQ(centred.x, 551);
    EXPECT_EQ(centred.y, 101);
}

TEST(Layout, PixelAndCanvasConversions)
{
    ViewLayout layout;
    layout.reset(kBitmap);
    // Bottom-left and top-right corners of the bitmap.
    EXPECT_EQ(layout.pixelToWindow({0, 0}).x, 400);
    EXPECT_EQ(layout.pixelToWindow({0, 0}).y, 600);
    EXPECT_EQ(layout.pixelToWindow({400, 300}).x, 800);
    EXPECT_EQ(layout.pixelToWindow({400, 300}).y, 300);
    EXPECT_EQ(layout.windowToPixel({800, 300}).x, 400);
    EXPECT_EQ(layout.windowToPixel({800, 300}).y, 300);

    ASSERT_TRUE(layout.zoomBy(1.25));
    // (100 * 1.25) + 500, 1125 - 375 - 50 * 1.25 = 687.5 → trunc(62.5) = 62
    EXPECT_EQ(layout.pixelToWindow({100, 50}).x, 625);
    EXPECT_EQ(layout.pixelToWindow({100, 50}).y, 688);
    EXPECT_EQ(layout.windowToPixel({625, 688}).x, 100);
    EXPECT_EQ(layout.windowToPixel({625, 688}).y, 49); // (1125 - 375 - 688) / 1.25 = 49.6
    // Left of and below the bitmap: toward zero, not toward minus infinity.
    EXPECT_EQ(layout.windowToPixel({499, 751}).x, 0);   // -0.8
    EXPECT_EQ(layout.windowToPixel({399, 751}).x, -80); // -80.8
    EXPECT_EQ(layout.windowToPixel({399, 853}).y, -82); // -82.4
}

// Left unbounded, zooming out truncates the bitmap to nothing and zooming
// in overflows the canvas; the step is refused instead and nothing changes.
TEST(Layout, ZoomStaysWithinRange)
{
    ViewLayout layout;
    layout.reset(kBitmap);
    int outSteps = 0;
    while (layout.zoomBy(0.8))
        ++outSteps;
    EXPECT_GT(outSteps, 20);
    EXPECT_GE(layout.targetSize().width, 1);
    EXPECT_GE(layout.targetSize().height, 1);
    const double smallest = layout.zoom();
    EXPECT_FALSE(layout.zoomBy(0.8));
    EXPECT_EQ(layout.zoom(), smallest);
    // The way back still works from there.
    EXPECT_TRUE(layout.zoomBy(1.25));

    layout.reset(kBitmap);
    while (layout.zoomBy(1.25)) {
    }
    EXPECT_LE(layout.canvasSize().width, ViewLayout::kLargestCanvasSide);
    EXPECT_GT(layout.canvasSize().width, ViewLayout::kLargestCanvasSide / 2);
    // A tour point far off the map must not wrap around to the other side.
    const IPoint far = layout.pixelToWindow({-2'000'000'000, 2'000'000'000});
    EXPECT_LT(far.x, 0);
    EXPECT_LT(far.y, 0);
    EXPECT_FALSE(layout.zoomBy(0.0));
    EXPECT_FALSE(layout.zoomBy(std::nan("")));
}

} // namespace
} // namespace rovanta
