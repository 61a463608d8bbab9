#include "noise.h"

#include "layout.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>

namespace sample_maps {

double lattice(std::int64_t ix, std::int64_t iy, std::uint32_t seed)
{
    std::uint32_t h =
        seed ^ (static_cast<std::uint32_t>(ix) * 0x27d4eb2du) ^ (static_cast<std::uint32_t>(iy) * 0x165667b1u);
    h ^= h >> 15;
    h *= 0x85ebca6bu;
    h ^= h >> 13;
    h *= 0xc2b2ae35u;
    h ^= h >> 16;
    return h / 4294967295.0;
}

// Smooth, without the plateaus that value noise leaves at its lattice points.
double gradientNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    const auto corner = [&](std::int64_t cx, std::int64_t cy) {
        static const std::array<Pt, 256> kDirections = [] {
            std::array<Pt, 256> directions;
            for (int i = 0; i < 256; ++i)
                directions[i] = {std::cos(i * std::numbers::pi / 128), std::sin(i * std::numbers::pi / 128)};
            return directions;
        }();
        const Pt g = kDirections[static_cast<std::size_t>(lattice(cx, cy, seed) * 256) & 255];
        return g.e * (x - static_cast<double>(cx)) + g.n * (y - static_cast<double>(cy));
    };
    const auto fade = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    const double u = fade(x - fx), v = fade(y - fy);
    const double a = corner(ix, iy) + u * (corner(ix + 1, iy) - corner(ix, iy));
    const double b = corner(ix, iy + 1) + u * (corner(ix + 1, iy + 1) - corner(ix, iy + 1));
    return a + v * (b - a);
}

double fbm(double x, double y, std::uint32_t seed, int octaves, bool ridged)
{
    double sum = 0, norm = 0, amplitude = 0.5;
    for (int o = 0; o < octaves; ++o) {
        // Each octave turned a little so lattice lines never line up; crests
        // sit off the zero level, which would pass through every lattice point.
        const double rx = x * 0.8 - y * 0.6, ry = x * 0.6 + y * 0.8;
        const double n = gradientNoise(rx, ry, seed + 1013u * static_cast<std::uint32_t>(o));
        const double v =
            ridged ? sq(1 - std::min(1.0, std::fabs(n - 0.12) * 1.5)) : std::clamp(0.5 + 0.75 * n, 0.0, 1.0);
        sum += amplitude * v;
        norm += amplitude;
        amplitude *= 0.42;
        x = rx * 2.03;
        y = ry * 2.03;
    }
    return sum / norm;
}

} // namespace sample_maps
