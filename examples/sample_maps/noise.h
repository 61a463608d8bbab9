// Seeded noise and the small shaping functions the terrain is built from.
#pragma once

#include <algorithm>
#include <cstdint>

namespace sample_maps {

inline double sq(double v)
{
    return v * v;
}

inline double smoothstep(double a, double b, double v)
{
    const double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

/// A hash of a lattice point in [0, 1].
double lattice(std::int64_t ix, std::int64_t iy, std::uint32_t seed);

/// Gradient noise in about [-0.7, 0.7].
double gradientNoise(double x, double y, std::uint32_t seed);

/// Fractal sum in [0, 1]; ridged octaves fold the noise into sharp crests.
double fbm(double x, double y, std::uint32_t seed, int octaves, bool ridged);

} // namespace sample_maps
