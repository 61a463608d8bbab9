// Zooming about the cursor and fitting a sheet into the window: the
// arithmetic of the wheel, pinch and Whole Map, on plain numbers so it is
// tested without a window.
#pragma once

#include <kalimark/kalimark.h>

namespace rovanta {

/// Where map pixel (0, 0) lies on the canvas and how many canvas pixels one
/// map pixel takes. Map y runs up, canvas y down.
struct CanvasMapping {
    double left = 0.0;   ///< canvas x of map x = 0
    double bottom = 0.0; ///< canvas y of map y = 0
    double zoom = 1.0;
};

/// The map point, in fractional map pixels, under the window position
/// `client` at `scroll`.
DPoint mapPointUnder(DPoint client, IPoint scroll, CanvasMapping mapping);

/// The scroll position that puts map point `map` under `client`, to the
/// nearest pixel; the scroll range may clamp it afterwards. Zooming by
/// several steps about one point keeps its first map point, so the
/// roundings of the steps do not add up.
IPoint scrollKeeping(DPoint client, DPoint map, CanvasMapping mapping);

/// Collects wheel turns and pinch spreads into whole zoom steps; the
/// remainder waits for the next event, so a fine-grained wheel or a slow
/// pinch zooms as far as a notched wheel would.
class ZoomNotches {
public:
    /// One notch of a standard wheel, in its eighths of a degree.
    static constexpr int kWheelNotch = 120;

    /// Adds a wheel's turn; positive away from the user. Returns the whole
    /// steps now due, positive to zoom in.
    [[nodiscard]] int addWheel(int angleDelta);
    /// Adds a pinch's change of scale (0.1: 10 % larger) for zoom steps of
    /// `step`. Returns the whole steps now due.
    [[nodiscard]] int addPinch(double scaleDelta, double step);
    /// A new gesture starts from nothing.
    void reset() { pending_ = 0.0; }

private:
    int take();

    double pending_ = 0.0;
};

/// The zoom at which a `bitmapWidth` x `bitmapHeight` sheet just fits a
/// `windowWidth` x `windowHeight` window, larger or smaller than 1. Zooms
/// within `oneToOneSnap` of 1 show at exactly 1:1: a fit in that band above
/// 1 gives 1, one below 1 (where 1:1 would not fit) drops just below the
/// band. 0 for an empty size.
double wholeMapZoom(int bitmapWidth, int bitmapHeight, int windowWidth, int windowHeight, double oneToOneSnap);

} // namespace rovanta
