#include "gpx/distances_csv.h"

#include "common/text_convert.h"
#include "dialogs/distance_table.h"
#include "gpx/geo_path.h"

#include <vector>

namespace rovanta {
namespace {

// Spreadsheets on Windows take a file without it for the ANSI code page and
// garble every degree sign.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::vector<std::string> formatHeadings(DisplayFormat format)
{
    if (format == kUtm)
        return {"Easting", "Northing", "Zone"};
    const std::string label = displayFormatLabel(format);
    return {"Longitude (" + label + ")", "Latitude (" + label + ")"};
}

void appendRow(std::string& csv, const std::vector<std::string>& cells)
{
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            csv += ',';
        csv += csvField(trimBlanks(cells[i]));
    }
    csv += kLineEnd;
}

} // namespace

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

std::string distancesCsv(cl_Tour& tour, DisplayFormat format)
{
    std::string csv(kByteOrderMark);
    std::vector<std::string> header = {"Number", "Latitude", "Longitude"};
    for (std::string& heading : formatHeadings(format))
        header.push_back(std::move(heading));
    header.insert(header.end(), {"Leg km", "Total km", "Remark"});
    appendRow(csv, header);

    const std::vector<GeoPoint> points = tourPoints(tour);
    const std::vector<DistanceRow> rows = buildDistanceRows(tour, format);
    for (std::size_t i = 0; i < rows.size() && i < points.size(); ++i) {
        std::vector<std::string> cells = {rows[i].number, formatFixed(points[i].latitude, 0, 7),
                                          formatFixed(points[i].longitude, 0, 7)};
        cells.insert(cells.end(), rows[i].coords.begin(), rows[i].coords.end());
        cells.insert(cells.end(), {rows[i].leg, rows[i].total, rows[i].remark});
        appendRow(csv, cells);
    }
    return csv;
}

} // namespace rovanta
