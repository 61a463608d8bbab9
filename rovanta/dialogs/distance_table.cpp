#include "dialogs/distance_table.h"

#include "common/text_convert.h"
#include "tour/cl_tour.h"

namespace rovanta {

DistanceRowBuilder::DistanceRowBuilder(DisplayFormat format) : format_(format)
{
}

DistanceRow DistanceRowBuilder::next(cl_RefPoint& point, const std::string& remark)
{
    DistanceRow row;
    row.number = formatInt(index_, 3);
    if (index_ == 0) {
        row.leg = row.total = "  0.000";
    } else {
        const double legKm =
            distanceBetween(previousLongitude_, previousLatitude_, point.longitude, point.latitude) * 0.001;
        totalKm_ += legKm;
        row.leg = formatFixed(legKm, 7, 3);
        row.total = formatFixed(totalKm_, 7, 3);
    }
    previousLongitude_ = point.longitude;
    previousLatitude_ = point.latitude;
    row.coords = formatCoordinates(point, format_);
    row.remark = remark;
    ++index_;
    return row;
}

std::vector<DistanceRow> buildDistanceRows(cl_Tour& tour, DisplayFormat format)
{
    std::vector<DistanceRow> rows;
    rows.reserve(static_cast<std::size_t>(tour.getPointCount()));
    DistanceRowBuilder builder(format);
    const std::vector<std::string>& remarks = tour.getRemarks();
    for (auto pos = tour.getHeadPosition(); pos;) {
        const std::size_t index = rows.size();
        cl_RefPoint& point = tour.getNext(pos);
        rows.push_back(builder.next(point, index < remarks.size() ? remarks[index] : std::string()));
    }
    return rows;
}

} // namespace rovanta
