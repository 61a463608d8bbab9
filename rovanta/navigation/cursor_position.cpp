#include "navigation/cursor_position.h"

#include <string_view>
#include <vector>

namespace rovanta {
namespace {

// The table's cells are padded to line up in columns; the status bar's are
// not: no spaces at the ends, one where the table has several.
std::string unpadded(std::string_view cell)
{
    std::string text;
    for (const char c : cell) {
        if (c != ' ' || (!text.empty() && text.back() != ' '))
            text += c;
    }
    if (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

std::string positionText(cl_RefPoint& point, DisplayFormat format)
{
    if (format == kUtm)
        return utmText(point);
    const std::vector<std::string> cells = formatCoordinates(point, format);
    if (cells.size() != 2)
        return {};
    return unpadded(cells[1]) + "  " + unpadded(cells[0]);
}

std::string utmText(cl_RefPoint& point)
{
    point.setDatum(0, 0);
    int zone = 0;
    char letter = 'Z';
    IPoint en{0, 0};
    point.getRefPoint(zone, letter, en);
    if (zone == 0)
        return {};
    return std::to_string(zone) + letter + ' ' + std::to_string(en.x) + ' ' + std::to_string(en.y);
}

} // namespace rovanta
