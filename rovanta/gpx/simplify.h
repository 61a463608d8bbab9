// Thinning long recordings into tours one can edit.
#pragma once

#include "gpx/geo_path.h"

#include <cstddef>
#include <vector>

namespace rovanta {

inline constexpr double kDefaultSimplifyTolerance = 10.0; ///< metres

/// Douglas-Peucker: the indices, ascending, of the points to keep so that no
/// dropped point lies farther than `toleranceMetres` from the kept line.
/// Distances are taken in a plane about the points' mean latitude, which is
/// exact enough over a day's walk. First and last point are always kept,
/// and so is every point with a remark. Iterative, so long inputs cannot
/// exhaust the stack.
std::vector<std::size_t> simplifiedIndices(const std::vector<GeoPoint>& points,
                                           double toleranceMetres = kDefaultSimplifyTolerance);

/// The points an import makes a tour of: a track simplified, routes and
/// waypoints, which someone placed on purpose, as they are.
std::vector<GeoPoint> importPoints(const GeoPath& path, double toleranceMetres = kDefaultSimplifyTolerance);

} // namespace rovanta
