#include "routing.h"

#include "world.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <iterator>
#include <queue>
#include <utility>

namespace sample_maps {

HeightGrid::HeightGrid() : h(static_cast<std::size_t>(cols * rows))
{
    for (int i = 0; i < cols * rows; ++i)
        h[i] = World::height(at(i));
}

int HeightGrid::index(Pt p) const
{
    return static_cast<int>(std::lround((p.n - kSouth) / kStep)) * cols +
           static_cast<int>(std::lround((p.e - kWorldWest) / kStep));
}

// A summit is the highest point within 600 m.
std::vector<Peak> findPeaks(const HeightGrid& grid)
{
    constexpr int kRadius = 30;
    std::vector<Peak> peaks;
    for (int r = 5; r < grid.rows - 5; ++r) {
        for (int c = 5; c < grid.cols - 5; ++c) {
            const double top = grid.h[r * grid.cols + c];
            bool highest = top > grid.h[r * grid.cols + c - 1] && top > grid.h[r * grid.cols + c + 1] &&
                           top > grid.h[(r - 1) * grid.cols + c] && top > grid.h[(r + 1) * grid.cols + c];
            for (int dr = -kRadius; dr <= kRadius && highest; ++dr) {
                for (int dc = -kRadius; dc <= kRadius && highest; ++dc) {
                    const int rr = r + dr, cc = c + dc;
                    highest =
                        rr < 0 || rr >= grid.rows || cc < 0 || cc >= grid.cols || grid.h[rr * grid.cols + cc] <= top;
                }
            }
            if (highest)
                peaks.push_back({grid.at(r * grid.cols + c), top, {}});
        }
    }
    // A summit under a title box could not be read.
    std::erase_if(peaks, [](const Peak& peak) {
        return std::ranges::any_of(kSheets, [&](const Sheet& sheet) {
            return titleBox(sheet).adjusted(-120, -40, 40, 40).contains(toImage(sheet, peak.at));
        });
    });
    std::sort(peaks.begin(), peaks.end(), [](const Peak& a, const Peak& b) { return a.height > b.height; });
    const char* names[] = {"Grauspitze", "Hoher Kamm", "Falkenkopf", "Schartenhorn", "Moosberg", "Kesselwand"};
    for (std::size_t i = 0; i < peaks.size() && i < std::size(names); ++i)
        peaks[i].name = QString::fromLatin1(names[i]);
    return peaks;
}

// The cheapest path on the grid, where steepness costs far more than
// length: paths then traverse and zig-zag up slopes as real ones do.
std::vector<Pt> routeTrail(const HeightGrid& grid, Pt from, Pt to)
{
    static constexpr int kMoves[16][2] = {{1, 0}, {-1, 0}, {0, 1},  {0, -1},  {1, 1}, {1, -1}, {-1, 1}, {-1, -1},
                                          {2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2}, {1, -2}, {-1, 2}, {-1, -2}};
    const int start = grid.index(from), goal = grid.index(to);
    std::vector<double> cost(grid.h.size(), 1e300);
    std::vector<int> previous(grid.h.size(), -1);
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    cost[start] = 0;
    open.push({0, start});
    while (!open.empty()) {
        const auto [known, i] = open.top();
        open.pop();
        if (i == goal)
            break;
        if (known > cost[i])
            continue;
        for (const auto& move : kMoves) {
            const int c = i % grid.cols + move[0], r = i / grid.cols + move[1];
            if (c < 5 || r < 5 || c >= grid.cols - 5 || r >= grid.rows - 5)
                continue;
            const int j = r * grid.cols + c;
            if (World::isLake(grid.at(j)))
                continue;
            const double length = std::hypot(move[0], move[1]) * HeightGrid::kStep;
            const double grade = std::fabs(grid.h[j] - grid.h[i]) / length;
            const double step = length * (1 + 40 * grade * grade) * (grade > 0.45 ? 20 : 1);
            if (known + step < cost[j]) {
                cost[j] = known + step;
                previous[j] = i;
                open.push({cost[j], j});
            }
        }
    }
    std::vector<Pt> path;
    for (int i = goal; i >= 0; i = previous[i])
        path.insert(path.begin(), grid.at(i));
    // Rounds off the grid's corners; the ends stay where they are.
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<Pt> smooth = path;
        for (std::size_t i = 1; i + 1 < path.size(); ++i)
            smooth[i] = {(path[i - 1].e + 2 * path[i].e + path[i + 1].e) / 4,
                         (path[i - 1].n + 2 * path[i].n + path[i + 1].n) / 4};
        path = std::move(smooth);
    }
    return path;
}

} // namespace sample_maps
