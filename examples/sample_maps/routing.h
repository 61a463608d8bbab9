// The world's heights sampled on a coarse grid, and what is found on it:
// the summits and least-cost trails between two places.
#pragma once

#include "layout.h"

#include <QString>

#include <vector>

namespace sample_maps {

/// Heights on a 20 m grid over both sheets.
struct HeightGrid {
    static constexpr double kStep = 20;
    int cols = static_cast<int>((kWorldEast - kWorldWest) / kStep) + 1;
    int rows = static_cast<int>(kHeight * kScale / kStep) + 1;
    std::vector<double> h;

    HeightGrid();
    Pt at(int i) const { return {kWorldWest + (i % cols) * kStep, kSouth + (i / cols) * kStep}; }
    int index(Pt p) const;
};

struct Peak {
    Pt at;
    double height;
    QString name; ///< empty for the lesser summits
};

/// Summits, highest first; the six highest are named.
std::vector<Peak> findPeaks(const HeightGrid& grid);

/// A trail from one grid point to another, smoothed, with both ends kept.
std::vector<Pt> routeTrail(const HeightGrid& grid, Pt from, Pt to);

} // namespace sample_maps
