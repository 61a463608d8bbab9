// Where the map's bitmap lies on the view's scrollable canvas, and the
// conversions between canvas positions and map pixels. Plain numbers, so
// the view's arithmetic is tested without a window.
//
// Canvas positions are device pixels from the canvas's top-left corner,
// y down. Map pixels have x from the bitmap's left edge and y up from its
// bottom edge. At zoom 1 the canvas is three bitmaps wide and high with the
// bitmap in the middle, so every bitmap pixel, corners included, can be
// scrolled to the window's centre.
#pragma once

#include "navigation/zoom_navigation.h"

#include <kalimark/kalimark.h>

#include <cstdint>

namespace rovanta {

/// The zoom factors of one Zoom In and one Zoom Out step, from the menu
/// or the view's popup; 1.25 * 0.8 == 1 brings the 1:1 layout back.
inline constexpr double kZoomInStep = 1.25;
inline constexpr double kZoomOutStep = 0.8;

/// Zooms this close to 1 show the exact 1:1 layout: the steps 1.25 and 0.8
/// undo each other only up to rounding, and the truncated sizes not at all.
inline constexpr double kOneToOneSnap = 0.05;

/// Width and height in device pixels.
struct ISize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const ISize&, const ISize&) = default;
};

class ViewLayout {
public:
    /// No canvas side grows beyond this many pixels: it keeps every scaled
    /// size, scroll position and painted coordinate well inside int32.
    static constexpr std::int32_t kLargestCanvasSide = 1 << 30;

    /// The 1:1 layout of a bitmap of `bitmap` pixels (each side 1 to
    /// 1'000'000): target origin and size (W, H), canvas (3W, 3H), zoom 1.
    void reset(ISize bitmap);

    /// Multiplies the zoom by `factor` (> 0) and scales target origin,
    /// target size and canvas by it, each truncated from its current value;
    /// within 0.05 of zoom 1 the exact 1:1 numbers come back. Refuses the
    /// step, changing nothing, when the bitmap would shrink below one pixel
    /// or the canvas grow beyond kLargestCanvasSide; returns false then.
    [[nodiscard]] bool zoomBy(double factor);

    /// Map pixel under a canvas position; truncates toward zero.
    IPoint windowToPixel(IPoint canvas) const;
    /// Canvas position of a map pixel; truncates toward zero, and saturates
    /// far outside the canvas so a distant tour point cannot overflow.
    IPoint pixelToWindow(IPoint pixel) const;

    ISize bitmap() const { return bitmap_; }
    /// Always the whole bitmap.
    ISize sourceSize() const { return bitmap_; }
    /// The bitmap's size on the canvas, pixels; each side at least 1.
    ISize targetSize() const { return targetSize_; }
    /// The bitmap's top-left corner on the canvas.
    IPoint targetOrigin() const { return targetOrigin_; }
    ISize canvasSize() const { return canvasSize_; }
    double zoom() const { return zoom_; }

private:
    ISize bitmap_{1, 1};
    ISize targetSize_{1, 1};
    IPoint targetOrigin_{1, 1};
    ISize canvasSize_{3, 3};
    double zoom_ = 1.0;
};

/// The scroll position that puts the bitmap's centre at the centre of a
/// window of outer size `window`, at the 1:1 layout.
IPoint centredScroll(const ViewLayout& layout, ISize window);

/// The scroll position after zooming by `factor` from `scroll` that keeps
/// the canvas point at the window's centre where it was.
IPoint zoomedScroll(double factor, ISize window, IPoint scroll);

/// The scroll position that shows `canvas` at the window's centre (before
/// the scroll range clamps it).
IPoint centringScroll(IPoint canvas, ISize window);

/// The layout as the zoom arithmetic sees it: map pixel (0, 0) on the
/// canvas, and the zoom.
CanvasMapping canvasMapping(const ViewLayout& layout);

} // namespace rovanta
