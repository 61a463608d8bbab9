#include "navigation/zoom_navigation.h"

#include <algorithm>
#include <cmath>

namespace rovanta {
namespace {

// Below the snap band by more than any truncated size can notice.
constexpr double kBelowSnap = 1e-6;

int rounded(double value)
{
    return static_cast<int>(std::lround(std::clamp(value, -1e9, 1e9)));
}

} // namespace

DPoint mapPointUnder(DPoint client, IPoint scroll, CanvasMapping mapping)
{
    return {(scroll.x + client.x - mapping.left) / mapping.zoom, (mapping.bottom - scroll.y - client.y) / mapping.zoom};
}

IPoint scrollKeeping(DPoint client, DPoint map, CanvasMapping mapping)
{
    return {rounded(mapping.left + map.x * mapping.zoom - client.x),
            rounded(mapping.bottom - map.y * mapping.zoom - client.y)};
}

int ZoomNotches::addWheel(int angleDelta)
{
    pending_ += static_cast<double>(angleDelta) / kWheelNotch;
    return take();
}

int ZoomNotches::addPinch(double scaleDelta, double step)
{
    if (!(scaleDelta > -1.0) || !(step > 1.0))
        return 0;
    pending_ += std::log1p(scaleDelta) / std::log(step);
    return take();
}

int ZoomNotches::take()
{
    // A pinch of exactly one step comes out a hair short in logarithms.
    const double whole = std::trunc(pending_ + std::copysign(kBelowSnap, pending_));
    pending_ -= whole;
    return static_cast<int>(whole);
}

double wholeMapZoom(int bitmapWidth, int bitmapHeight, int windowWidth, int windowHeight, double oneToOneSnap)
{
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || windowWidth <= 0 || windowHeight <= 0)
        return 0.0;
    const double fit =
        std::min(static_cast<double>(windowWidth) / bitmapWidth, static_cast<double>(windowHeight) / bitmapHeight);
    // Inside the band the layout keeps the 1:1 sizes but takes the zoom as
    // given, so the zoom must be exactly 1 there, or the band is avoided.
    if (std::abs(fit - 1.0) > oneToOneSnap)
        return fit;
    return fit >= 1.0 ? 1.0 : 1.0 - oneToOneSnap - kBelowSnap;
}

} // namespace rovanta
