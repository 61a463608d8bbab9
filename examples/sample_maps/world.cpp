#include "world.h"

#include "noise.h"

#include <cmath>

namespace sample_maps {

double World::riverN(double e)
{
    const double u = e - kWorldWest;
    return 5250700 + 520 * std::sin(u / 2600 + 0.4) + 180 * std::sin(u / 830 + 1.7);
}

double World::riverSlope(double e)
{
    const double u = e - kWorldWest;
    return 520 / 2600.0 * std::cos(u / 2600 + 0.4) + 180 / 830.0 * std::cos(u / 830 + 1.7);
}

double World::lakeQ(Pt p)
{
    const double q = sq((p.e - kLakeE) / kLakeA) + sq((p.n - riverN(kLakeE)) / kLakeB);
    return q > 2 ? q : q + 0.6 * (fbm(p.e / 450, p.n / 450, 61, 3, false) - 0.5);
}

double World::creekE(const Creek& c, double n)
{
    return c.e + 260 * std::sin(n / c.wave);
}

double World::roadN(double e)
{
    return riverN(e) - 130 - 330 * std::exp(-sq((e - kLakeE) / 1300));
}

double World::height(Pt p)
{
    const double level = riverLevel(p.e);
    const double dn = p.n - riverN(p.e);
    const double d = std::fabs(dn) / std::sqrt(1 + sq(riverSlope(p.e)));
    // A slow warp bends the crests, which would otherwise run straight.
    const double we = p.e + 900 * (fbm(p.e / 5000, p.n / 5000, 71, 2, false) - 0.5);
    const double wn = p.n + 900 * (fbm(p.e / 5000, p.n / 5000, 73, 2, false) - 0.5);
    const double ridges = fbm(we / 3000, wn / 3000, 11, 5, true);
    const double hills = fbm(p.e / 1500, p.n / 1500, 23, 3, false);
    const double massif = 0.45 + 0.55 * smoothstep(200, 2600, d);
    double h = level + 3 + smoothstep(60, 1900, d) * (120 + 1250 * std::pow(ridges, 1.4) * massif + 100 * hills);
    for (const Creek& c : kCreeks) {
        if (c.north ? dn < -40 : dn > 40)
            continue;
        const double bed = level + 0.13 * std::fabs(dn);
        if (h > bed)
            h = bed + (h - bed) * smoothstep(8, 520, std::fabs(p.e - creekE(c, p.n)));
    }
    const double q = lakeQ(p);
    if (q < 1)
        return lakeLevel() - 1 - 30 * (1 - q);
    if (q < 1.7 && h > lakeLevel())
        h = lakeLevel() + 0.5 + (h - lakeLevel()) * smoothstep(1, 1.6, q);
    return h;
}

bool World::isForest(Pt p, double h, double slope)
{
    const double patches = fbm(p.e / 700, p.n / 700, 37, 4, false);
    return h < 1700 + 120 * patches && h > riverLevel(p.e) + 6 && slope < 0.9 && patches > 0.5;
}

} // namespace sample_maps
