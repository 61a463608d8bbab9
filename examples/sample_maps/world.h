// One valley running west to east: a river falling eastwards into a lake,
// two side creeks, and ridged mountains rising on both sides.
#pragma once

#include "layout.h"

#include <array>

namespace sample_maps {

struct World {
    static constexpr double kLakeE = 657700, kLakeA = 950, kLakeB = 400;
    struct Creek {
        double e;
        double wave;
        bool north;
    };
    static constexpr std::array<Creek, 2> kCreeks{{{649600, 700, true}, {660300, 600, false}}};

    static double riverN(double e);
    static double riverSlope(double e);
    static double riverLevel(double e) { return 780 - 0.0065 * (e - kWorldWest); }
    static double lakeLevel() { return riverLevel(kLakeE); }
    /// Below 1 in the lake: an ellipse with a ragged shore.
    static double lakeQ(Pt p);
    static double creekE(const Creek& c, double n);
    static double roadN(double e);

    static double height(Pt p);
    static bool isLake(Pt p) { return lakeQ(p) < 1; }
    static bool isForest(Pt p, double h, double slope);
};

} // namespace sample_maps
