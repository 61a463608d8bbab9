#include "navigation/utm_grid.h"

#include "common/text_convert.h"
#include "map/cl_map.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace rovanta {
namespace {

constexpr double kFineStep = 100.0;
constexpr double kKilometre = 1000.0;
constexpr double kCoarsestStep = 100'000.0;
// 100 m lines only once 1 km lines lie this many minimum spacings apart:
// zoomed in that far, a window shows hardly one 1 km line.
constexpr double kFineFactor = 20.0;
constexpr int kMaxLinesPerKind = 1000;

struct Segment {
    DPoint from;
    DPoint to;
};

// Liang-Barsky: the part of the segment inside the area, if any.
std::optional<Segment> clipped(const Segment& segment, const PixelArea& area)
{
    const double dx = segment.to.x - segment.from.x;
    const double dy = segment.to.y - segment.from.y;
    const std::array<double, 4> p{-dx, dx, -dy, dy};
    const std::array<double, 4> q{segment.from.x - area.left, area.right - segment.from.x, segment.from.y - area.bottom,
                                  area.top - segment.from.y};
    double enter = 0.0;
    double leave = 1.0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter >= leave)
        return std::nullopt;
    const auto at = [&](double t) { return DPoint{segment.from.x + t * dx, segment.from.y + t * dy}; };
    return Segment{at(enter), at(leave)};
}

std::string labelOf(double value, double step)
{
    if (step < kKilometre)
        return formatFixed(value / kKilometre, 0, 1);
    return formatInt(std::llround(value / kKilometre), 0);
}

struct UtmBox {
    double west;
    double south;
    double east;
    double north;
};

UtmBox utmBoxOf(const UtmGeoreference& georeference, const PixelArea& area)
{
    constexpr double kNone = std::numeric_limits<double>::infinity();
    UtmBox box{kNone, kNone, -kNone, -kNone};
    for (const DPoint corner : {DPoint{area.left, area.bottom}, DPoint{area.right, area.bottom},
                                DPoint{area.left, area.top}, DPoint{area.right, area.top}}) {
        const DPoint utm = georeference.toUtm(corner);
        box = {std::min(box.west, utm.x), std::min(box.south, utm.y), std::max(box.east, utm.x),
               std::max(box.north, utm.y)};
    }
    return box;
}

// One kind of line: every multiple of `step` from `low` to `high`, drawn
// from `across0` to `across1` on the other axis.
void addLines(std::vector<GridLine>& lines, const UtmGeoreference& georeference, const PixelArea& area, double step,
              bool easting, std::array<double, 4> range)
{
    const auto [low, high, across0, across1] = range;
    const double first = std::ceil(low / step);
    const double last = std::floor(high / step);
    if (!(last - first < kMaxLinesPerKind))
        return;
    for (double k = first; k <= last; ++k) {
        const double value = k * step;
        const DPoint a = easting ? DPoint{value, across0} : DPoint{across0, value};
        const DPoint b = easting ? DPoint{value, across1} : DPoint{across1, value};
        const std::optional<Segment> inside = clipped({georeference.toPixel(a), georeference.toPixel(b)}, area);
        if (!inside)
            continue;
        // Labels at the top and at the left edge, where a reader looks.
        const bool swap = easting ? inside->from.y < inside->to.y : inside->from.x > inside->to.x;
        const Segment ordered = swap ? Segment{inside->to, inside->from} : *inside;
        lines.push_back({easting, value, labelOf(value, step), ordered.from, ordered.to});
    }
}

} // namespace

UtmGeoreference utmGeoreferenceOf(const cl_Map& map)
{
    const double scale = map.scale();
    const double c = map.cosRotation();
    const double s = map.sinRotation();
    const double e0 = map.cornerUtm()[0];
    const double n0 = map.cornerUtm()[1];
    return {[=](DPoint pixel) {
                return DPoint{e0 + scale * (pixel.x * c - pixel.y * s), n0 + scale * (pixel.x * s + pixel.y * c)};
            },
            [=](DPoint utm) {
                const double a = (utm.x - e0) / scale;
                const double b = (utm.y - n0) / scale;
                return DPoint{a * c + b * s, b * c - a * s};
            }};
}

double utmGridStep(double metresPerDevicePixel, double minSpacing)
{
    if (!(metresPerDevicePixel > 0.0) || !std::isfinite(metresPerDevicePixel))
        return 0.0;
    const auto spacing = [&](double step) { return step / metresPerDevicePixel; };
    if (spacing(kKilometre) >= kFineFactor * minSpacing)
        return kFineStep;
    double step = kKilometre;
    while (step < kCoarsestStep && spacing(step) < minSpacing)
        step *= 10.0;
    return step;
}

double metresPerMapPixel(const UtmGeoreference& georeference, const PixelArea& area)
{
    const DPoint centre{(area.left + area.right) * 0.5, (area.bottom + area.top) * 0.5};
    const DPoint a = georeference.toUtm(centre);
    const DPoint b = georeference.toUtm({centre.x + 1.0, centre.y});
    return std::hypot(b.x - a.x, b.y - a.y);
}

std::vector<GridLine> utmGridLines(const UtmGeoreference& georeference, const PixelArea& area, double step)
{
    std::vector<GridLine> lines;
    if (!(step > 0.0) || !(area.left < area.right) || !(area.bottom < area.top))
        return lines;
    const UtmBox box = utmBoxOf(georeference, area);
    addLines(lines, georeference, area, step, true, {box.west, box.east, box.south, box.north});
    addLines(lines, georeference, area, step, false, {box.south, box.north, box.west, box.east});
    return lines;
}

} // namespace rovanta
