// Rows of the distances table, shared by the dialog and its printout.
#pragma once

#include "dialogs/distances.h"

#include <string>
#include <vector>

namespace rovanta {

class cl_Tour;

/// One row per tour point.
struct DistanceRow {
    std::string number;              ///< 0-based index, "%3d"
    std::string leg;                 ///< km from the previous point, "%7.3f"
    std::string total;               ///< km from the first point along the tour, "%7.3f"
    std::vector<std::string> coords; ///< cells of formatCoordinates
    std::string remark;              ///< the point's remark, empty if it has none
};

/// Builds rows one point at a time, carrying the running total and the
/// previous point; a fresh builder starts a fresh table.
class DistanceRowBuilder {
public:
    explicit DistanceRowBuilder(DisplayFormat format);
    /// The row of the next point; `point` may be changed as formatCoordinates does.
    DistanceRow next(cl_RefPoint& point, const std::string& remark);

private:
    DisplayFormat format_;
    int index_ = 0;
    double totalKm_ = 0.0;
    double previousLongitude_ = 0.0;
    double previousLatitude_ = 0.0;
};

/// Every row of the tour, in tour order.
std::vector<DistanceRow> buildDistanceRows(cl_Tour& tour, DisplayFormat format);

} // namespace rovanta
