// What the sheets show besides the terrain, placed once for both sheets:
// summits, villages, trails, the hut, and the sample tour with its remarks.
#pragma once

#include "layout.h"
#include "routing.h"

#include <QString>

#include <string>
#include <vector>

namespace sample_maps {

struct Village {
    QString name;
    Pt at;
};

struct Plan {
    std::vector<Peak> peaks;
    std::vector<Village> villages;
    std::vector<std::vector<Pt>> trails; ///< the tour's two legs first
    std::vector<Pt> tour;
    std::vector<std::string> remarks; ///< one per tour point
    Pt hut;
};

Plan planWorld();

} // namespace sample_maps
