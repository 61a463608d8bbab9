#include "terrain.h"

#include "noise.h"
#include "world.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

namespace sample_maps {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Hypsometric tints: meadow green in the valley, beige alps, grey rock.
Rgb tint(double h)
{
    static constexpr std::array<std::pair<double, Rgb>, 7> kStops{{{600, {208, 230, 186}},
                                                                   {900, {224, 236, 194}},
                                                                   {1200, {240, 238, 204}},
                                                                   {1500, {243, 231, 198}},
                                                                   {1800, {236, 222, 194}},
                                                                   {2100, {226, 222, 214}},
                                                                   {2400, {242, 242, 242}}}};
    if (h <= kStops.front().first)
        return kStops.front().second;
    for (std::size_t i = 1; i < kStops.size(); ++i) {
        if (h <= kStops[i].first)
            return mix(kStops[i - 1].second, kStops[i].second,
                       (h - kStops[i - 1].first) / (kStops[i].first - kStops[i - 1].first));
    }
    return kStops.back().second;
}

} // namespace

// Lit from the north-west, with contour lines every 20 m and a heavier one
// every 100 m.
QImage drawTerrain(const Sheet& sheet)
{
    const int w = kWidth + 2, hgt = kHeight + 2; // one pixel of margin for the gradient
    std::vector<double> h(static_cast<std::size_t>(w * hgt));
    for (int r = 0; r < hgt; ++r)
        for (int c = 0; c < w; ++c)
            h[r * w + c] = World::height({sheet.west + (c - 0.5) * kScale, kNorth - (r - 0.5) * kScale});

    const long firstColumn = std::lround((sheet.west - kWorldWest) / kScale);
    const double lx = -0.5, ly = 0.5, lz = std::sqrt(0.5); // light from the north-west, 45 degrees up
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int r = 0; r < kHeight; ++r) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(r));
        for (int c = 0; c < kWidth; ++c) {
            const std::size_t i = static_cast<std::size_t>((r + 1) * w + c + 1);
            const Pt p{sheet.west + (c + 0.5) * kScale, kNorth - (r + 0.5) * kScale};
            if (World::isLake(p)) {
                line[c] = qRgb(166, 206, 234);
                continue;
            }
            const double gx = (h[i + 1] - h[i - 1]) / (2 * kScale);
            const double gy = (h[i - w] - h[i + w]) / (2 * kScale);
            const double slope = std::hypot(gx, gy);
            const double ex = 1.3; // relief looks flat without some exaggeration
            const double lambert = (-gx * ex * lx - gy * ex * ly + lz) / std::sqrt(sq(gx * ex) + sq(gy * ex) + 1);
            double shade = std::clamp(1 + 0.75 * (lambert - lz), 0.6, 1.1);
            const bool rock = h[i] > 2000 + 80 * fbm(p.e / 300, p.n / 300, 41, 3, false) || slope > 1.4;
            Rgb colour = tint(h[i]);
            if (rock) {
                // Cliffs stay light and get a broken texture, as drawn rock does.
                colour = {226, 223, 218};
                shade = std::max(shade, 0.72) * (0.82 + 0.3 * fbm(p.e / 40, p.n / 40, 47, 3, false));
            } else if (World::isForest(p, h[i], slope)) {
                const long wc = firstColumn + c;
                const bool tree = lattice(wc / 3, r / 3, 53) > 0.86 && wc % 3 == 1 && r % 3 == 1;
                colour = tree ? Rgb{120, 170, 110} : Rgb{182, 216, 164};
            }
            colour = {colour.r * shade, colour.g * shade, colour.b * shade};
            // Distance to the nearest contour in pixels, from the height's gradient.
            const double level = std::round(h[i] / kContour);
            const double gap = std::fabs(h[i] / kContour - level) * kContour / std::max(slope * kScale, 1e-6);
            const bool index = std::fmod(level, 5.0) == 0;
            double ink = std::clamp((index ? 1.1 : 0.6) + 0.5 - gap, 0.0, 1.0) * (index ? 0.95 : 0.75);
            ink *= std::clamp((2.6 - slope) / 0.8, 0.0, 1.0); // the steepest faces show rock, not a smear of lines
            colour = mix(colour, rock ? Rgb{95, 95, 95} : Rgb{165, 112, 62}, ink);
            line[c] =
                qRgb(std::clamp(static_cast<int>(colour.r), 0, 255), std::clamp(static_cast<int>(colour.g), 0, 255),
                     std::clamp(static_cast<int>(colour.b), 0, 255));
        }
    }
    return image;
}

} // namespace sample_maps
