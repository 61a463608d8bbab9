#include "plan.h"

#include "world.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <iterator>
#include <utility>

namespace sample_maps {

Plan planWorld()
{
    const HeightGrid grid;
    Plan plan;
    plan.peaks = findPeaks(grid);
    for (auto [name, e] :
         {std::pair{"Lindenau", 648400.0}, {"Weissbach", 651900.0}, {"Seewinkel", 656100.0}, {"Kirchbrunn", 660400.0}})
        plan.villages.push_back({QString::fromLatin1(name), {e, World::roadN(e) - 60}});
    // The tour climbs the named summit nearest the seam and ends at the lake.
    const auto seamDistance = [](const Peak& p) {
        return std::fabs(p.at.e - kEastSheetWest) + (p.name.isEmpty() ? 1e9 : 0);
    };
    const Peak summit = *std::min_element(plan.peaks.begin(), plan.peaks.end(), [&](const Peak& a, const Peak& b) {
        return seamDistance(a) < seamDistance(b);
    });
    plan.trails.push_back(routeTrail(grid, plan.villages[0].at, summit.at));
    plan.trails.push_back(routeTrail(grid, summit.at, plan.villages[2].at));
    // The other villages get a path to their nearest named summit.
    for (const int v : {1, 3}) {
        const Pt start = plan.villages[v].at;
        const auto score = [&](const Peak& p) { return distance(p.at, start) + (p.name == summit.name ? 1e9 : 0); };
        const auto named = plan.peaks.begin() + std::min<std::ptrdiff_t>(6, std::ssize(plan.peaks));
        const auto peak = std::min_element(plan.peaks.begin(), named,
                                           [&](const Peak& a, const Peak& b) { return score(a) < score(b); });
        plan.trails.push_back(routeTrail(grid, start, peak->at));
    }
    plan.hut = plan.trails[0][plan.trails[0].size() * 5 / 6];

    // Tour points about every 500 m of path; the summit and both ends kept.
    const QString top = summit.name + QStringLiteral(" summit, %1 m").arg(std::lround(summit.height));
    for (int leg = 0; leg < 2; ++leg) {
        const std::vector<Pt>& trail = plan.trails[leg];
        double walked = 0;
        for (std::size_t i = leg; i < trail.size(); ++i) {
            walked += i > 0 ? distance(trail[i - 1], trail[i]) : 0;
            if (i == 0 || i + 1 == trail.size() || (walked >= 500 && distance(trail[i], trail.back()) > 250)) {
                plan.tour.push_back(trail[i]);
                plan.remarks.emplace_back();
                walked = 0;
            }
        }
        plan.remarks.back() = (leg == 0 ? top : QStringLiteral("Seewinkel on the Almsee: bus back")).toStdString();
    }
    plan.remarks.front() = "Start: Lindenau, car park by the church";
    const auto nearHut = std::min_element(plan.tour.begin(), plan.tour.end(), [&](const Pt& a, const Pt& b) {
        return distance(a, plan.hut) < distance(b, plan.hut);
    });
    std::string& hutRemark = plan.remarks[static_cast<std::size_t>(nearHut - plan.tour.begin())];
    if (hutRemark.empty())
        hutRemark = "Kamm Hut: food and water";
    const auto crossing =
        std::find_if(plan.tour.begin(), plan.tour.end(), [](const Pt& p) { return p.e > kWestSheetEast; });
    if (crossing != plan.tour.end()) {
        std::string& remark = plan.remarks[static_cast<std::size_t>(crossing - plan.tour.begin())];
        remark += (remark.empty() ? "" : "; ") + std::string("crossing onto sheet Sample East");
    }
    return plan;
}

} // namespace sample_maps
