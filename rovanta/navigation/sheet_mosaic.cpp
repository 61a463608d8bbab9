#include "navigation/sheet_mosaic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace rovanta {
namespace {

// The transform is fitted to a 3 × 3 grid of positions around the window's
// centre, at least this far apart (current-map pixels): the georeference
// answers in whole pixels, and a wide grid keeps that from tilting the fit.
constexpr double kLeastHalfSpan = 1024.0;
// A fit that misses one of its own positions by more than this many pixels,
// or metres where pixels are finer than a metre (the georeference keeps
// whole metres), is no affine neighbour: a position outside the zones the
// map can convert.
constexpr double kLargestResidual = 4.0;
constexpr int kZoneCount = 60;

// The pixel before truncation toward zero, as well as it can be told:
// the middle of the interval the truncated value stands for.
double untruncated(std::int32_t pixel)
{
    if (pixel > 0)
        return pixel + 0.5;
    if (pixel < 0)
        return pixel - 0.5;
    return 0.0;
}

// Where pixel (x, y) of `from` lies on `to`.
PixelPoint onMap(const cl_Map& from, const cl_Map& to, std::int32_t x, std::int32_t y)
{
    int inside = 0;
    cl_RefPoint position = from.pixelToRefPoint(x, y, inside);
    static_cast<void>(to.refPointToPixel(position)); // off the map is fine here
    return {untruncated(position.pixel.x), untruncated(position.pixel.y)};
}

bool neighbouringZones(std::int32_t a, std::int32_t b)
{
    const int apart = std::abs(a - b) % kZoneCount;
    return std::min(apart, kZoneCount - apart) <= 1;
}

double distanceToBox(PixelPoint p, const PixelBox& box)
{
    const double dx = std::max({box.left - p.x, 0.0, p.x - box.right});
    const double dy = std::max({box.bottom - p.y, 0.0, p.y - box.top});
    return std::hypot(dx, dy);
}

// Least squares on a symmetric 3 × 3 grid of `from`'s pixels around
// `centre`, `half` apart, decouple: each coefficient is a difference
// quotient over the grid, the offset the mean.
std::optional<PixelAffine> fitAround(const cl_Map& from, const cl_Map& to, PixelPoint centre, PixelPoint half)
{
    const auto cx = static_cast<std::int32_t>(std::lround(centre.x));
    const auto cy = static_cast<std::int32_t>(std::lround(centre.y));
    const auto hx = static_cast<std::int32_t>(std::ceil(half.x));
    const auto hy = static_cast<std::int32_t>(std::ceil(half.y));
    std::array<PixelPoint, 9> samples;
    PixelPoint sum, sumX, sumY;
    for (int k = 0; k < 9; ++k) {
        const int i = k % 3 - 1;
        const int j = k / 3 - 1;
        const PixelPoint p = onMap(from, to, cx + i * hx, cy + j * hy);
        samples[k] = p;
        sum = {sum.x + p.x, sum.y + p.y};
        sumX = {sumX.x + i * p.x, sumX.y + i * p.y};
        sumY = {sumY.x + j * p.x, sumY.y + j * p.y};
    }
    // Each offset ±1 occurs 3 times per axis: Σ i² = 6.
    PixelAffine fit;
    fit.xx = sumX.x / (6.0 * hx);
    fit.xy = sumY.x / (6.0 * hy);
    fit.yx = sumX.y / (6.0 * hx);
    fit.yy = sumY.y / (6.0 * hy);
    fit.dx = sum.x / 9 - fit.xx * cx - fit.xy * cy;
    fit.dy = sum.y / 9 - fit.yx * cx - fit.yy * cy;
    const double largest = kLargestResidual * std::max(1.0, 1.0 / to.scale());
    for (int k = 0; k < 9; ++k) {
        const PixelPoint fitted = fit({double(cx + (k % 3 - 1) * hx), double(cy + (k / 3 - 1) * hy)});
        if (std::hypot(fitted.x - samples[k].x, fitted.y - samples[k].y) > largest)
            return std::nullopt;
    }
    return fit;
}

PixelAffine mean(const PixelAffine& a, const PixelAffine& b)
{
    return {(a.xx + b.xx) / 2, (a.xy + b.xy) / 2, (a.dx + b.dx) / 2,
            (a.yx + b.yx) / 2, (a.yy + b.yy) / 2, (a.dy + b.dy) / 2};
}

} // namespace

// The georeference truncates metres on the way, which shifts a fit by a
// metre or two toward the south-west of the ground; fitted both ways, the
// two shifts point opposite ways in either map's pixels, and their mean
// cancels them.
std::optional<PixelAffine> transformAt(const cl_Map& current, const cl_Map& sheet, const PixelBox& window)
{
    if (!neighbouringZones(current.utmZone(), sheet.utmZone()))
        return std::nullopt;
    const PixelPoint centre{(window.left + window.right) / 2, (window.bottom + window.top) / 2};
    const PixelPoint half{std::max(kLeastHalfSpan, (window.right - window.left) / 2),
                          std::max(kLeastHalfSpan, (window.top - window.bottom) / 2)};
    const std::optional<PixelAffine> forward = fitAround(current, sheet, centre, half);
    if (!forward)
        return std::nullopt;
    const double ratio = current.scale() / sheet.scale();
    const std::optional<PixelAffine> backward =
        fitAround(sheet, current, (*forward)(centre), {half.x * ratio, half.y * ratio});
    const std::optional<PixelAffine> backwardInverted = backward ? backward->inverted() : std::nullopt;
    if (!backwardInverted)
        return std::nullopt;
    return mean(*forward, *backwardInverted);
}

namespace {

// The sheet placed around the window, or nothing when it stays clear of it.
std::optional<MosaicSheet> placed(const cl_Map& current, const MapRecord& map, const PixelBox& window)
{
    const IPoint size = map->cornerPoint(1).pixel;
    if (size.x <= 0 || size.y <= 0 || !neighbouringZones(current.utmZone(), map->utmZone()))
        return std::nullopt;
    // Cheap first look: the sheet's centre and half its diagonal, in
    // current-map pixels, before fitting anything.
    int inside = 0;
    cl_RefPoint centre = map->pixelToRefPoint(size.x / 2, size.y / 2, inside);
    static_cast<void>(current.refPointToPixel(centre));
    const double reach = 0.5 * std::hypot(double(size.x), double(size.y)) * map->scale() / current.scale() + 2.0;
    if (distanceToBox({untruncated(centre.pixel.x), untruncated(centre.pixel.y)}, window) > reach)
        return std::nullopt;

    const std::optional<PixelAffine> toSheet = transformAt(current, *map, window);
    const std::optional<PixelAffine> toCurrent = toSheet ? toSheet->inverted() : std::nullopt;
    if (!toCurrent)
        return std::nullopt;
    MosaicSheet sheet{map, size.x, size.y, *toSheet, {}};
    const double w = size.x;
    const double h = size.y;
    sheet.outline = {(*toCurrent)({0, 0}), (*toCurrent)({w, 0}), (*toCurrent)({w, h}), (*toCurrent)({0, h})};
    const auto [left, right] =
        std::minmax({sheet.outline[0].x, sheet.outline[1].x, sheet.outline[2].x, sheet.outline[3].x});
    const auto [bottom, top] =
        std::minmax({sheet.outline[0].y, sheet.outline[1].y, sheet.outline[2].y, sheet.outline[3].y});
    if (right < window.left || left > window.right || top < window.bottom || bottom > window.top)
        return std::nullopt;
    return sheet;
}

} // namespace

std::optional<PixelAffine> PixelAffine::inverted() const
{
    const double det = xx * yy - xy * yx;
    if (std::fabs(det) < 1e-12)
        return std::nullopt;
    PixelAffine inverse;
    inverse.xx = yy / det;
    inverse.xy = -xy / det;
    inverse.yx = -yx / det;
    inverse.yy = xx / det;
    inverse.dx = -(inverse.xx * dx + inverse.xy * dy);
    inverse.dy = -(inverse.yx * dx + inverse.yy * dy);
    return inverse;
}

std::vector<MosaicSheet> sheetsAround(const MapRecord& current, const MapCollection& maps, const PixelBox& window)
{
    std::vector<MosaicSheet> sheets;
    if (!current || current->scale() <= 0.0)
        return sheets;
    for (const auto& [name, map] : maps) {
        if (!map || map == current || map->scale() <= 0.0)
            continue;
        if (map->status() != kStatusChecked && map->status() != kStatusCurrent)
            continue;
        if (std::optional<MosaicSheet> sheet = placed(*current, map, window))
            sheets.push_back(std::move(*sheet));
    }
    const PixelPoint middle{(window.left + window.right) / 2, (window.bottom + window.top) / 2};
    const auto distance = [&middle](const MosaicSheet& sheet) {
        double x = 0.0;
        double y = 0.0;
        for (const PixelPoint& corner : sheet.outline) {
            x += corner.x / 4;
            y += corner.y / 4;
        }
        return std::hypot(x - middle.x, y - middle.y);
    };
    std::ranges::stable_sort(sheets, std::ranges::greater{}, distance);
    return sheets;
}

} // namespace rovanta
