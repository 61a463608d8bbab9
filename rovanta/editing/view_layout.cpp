#include "editing/view_layout.h"

#include <algorithm>
#include <cmath>

namespace rovanta {
namespace {

// Far outside any canvas, but with room for the sums the view forms.
constexpr double kSaturation = 1 << 30;

std::int32_t saturated(double value)
{
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), -kSaturation, kSaturation));
}

} // namespace

void ViewLayout::reset(ISize bitmap)
{
    bitmap_ = {std::max(bitmap.width, 1), std::max(bitmap.height, 1)};
    targetSize_ = bitmap_;
    targetOrigin_ = {bitmap_.width, bitmap_.height};
    canvasSize_ = {3 * bitmap_.width, 3 * bitmap_.height};
    zoom_ = 1.0;
}

bool ViewLayout::zoomBy(double factor)
{
    if (!(factor > 0.0) || !std::isfinite(factor))
        return false;
    const double zoom = zoom_ * factor;
    if (std::abs(zoom - 1.0) <= kOneToOneSnap) {
        const ISize bitmap = bitmap_;
        reset(bitmap);
        zoom_ = zoom;
        return true;
    }
    const auto scaled = [factor](std::int32_t value) { return std::trunc(value * factor); };
    const double targetWidth = scaled(targetSize_.width);
    const double targetHeight = scaled(targetSize_.height);
    const double canvasWidth = scaled(canvasSize_.width);
    const double canvasHeight = scaled(canvasSize_.height);
    if (targetWidth < 1 || targetHeight < 1 || canvasWidth > kLargestCanvasSide || canvasHeight > kLargestCanvasSide)
        return false;
    targetSize_ = {static_cast<std::int32_t>(targetWidth), static_cast<std::int32_t>(targetHeight)};
    targetOrigin_ = {static_cast<std::int32_t>(scaled(targetOrigin_.x)),
                     static_cast<std::int32_t>(scaled(targetOrigin_.y))};
    canvasSize_ = {static_cast<std::int32_t>(canvasWidth), static_cast<std::int32_t>(canvasHeight)};
    zoom_ = zoom;
    return true;
}

IPoint ViewLayout::windowToPixel(IPoint canvas) const
{
    const double x = (static_cast<double>(canvas.x) - targetOrigin_.x) / zoom_;
    const double y = (static_cast<double>(canvasSize_.height) - targetOrigin_.y - canvas.y) / zoom_;
    return {saturated(x), saturated(y)};
}

IPoint ViewLayout::pixelToWindow(IPoint pixel) const
{
    const double x = std::trunc(pixel.x * zoom_) + targetOrigin_.x;
    const double y = static_cast<double>(canvasSize_.height) - targetOrigin_.y - std::trunc(pixel.y * zoom_);
    return {saturated(x), saturated(y)};
}

IPoint centredScroll(const ViewLayout& layout, ISize window)
{
    const ISize bitmap = layout.bitmap();
    return {bitmap.width + (bitmap.width - window.width) / 2, bitmap.height + (bitmap.height - window.height) / 2};
}

IPoint zoomedScroll(double factor, ISize window, IPoint scroll)
{
    return {saturated(factor * scroll.x + window.width * (factor - 1) * 0.5),
            saturated(factor * scroll.y + window.height * (factor - 1) * 0.5)};
}

IPoint centringScroll(IPoint canvas, ISize window)
{
    return {canvas.x - window.width / 2, canvas.y - window.height / 2};
}

CanvasMapping canvasMapping(const ViewLayout& layout)
{
    const IPoint origin = layout.targetOrigin();
    return {static_cast<double>(origin.x), static_cast<double>(layout.canvasSize().height) - origin.y, layout.zoom()};
}

} // namespace rovanta
