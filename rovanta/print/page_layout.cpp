#include "print/page_layout.h"

#include "common/text_convert.h"
#include "resources/string_table.h"

#include <algorithm>
#include <cmath>

namespace rovanta {
namespace {

/// Pages along one side: one page, then one more per page side less the
/// overlap, until the extent is covered.
int pagesAlong(double extentMillimetres, double pageMillimetres, double overlap)
{
    if (extentMillimetres <= pageMillimetres)
        return 1;
    return 1 + static_cast<int>(std::ceil((extentMillimetres - pageMillimetres) / (pageMillimetres - overlap) - 1e-9));
}

} // namespace

GroundRect boundsOf(const std::vector<GroundPoint>& points, double margin)
{
    if (points.empty())
        return {};
    GroundRect box{points.front().east, points.front().north, points.front().east, points.front().north};
    for (const GroundPoint& p : points) {
        box.west = std::min(box.west, p.east);
        box.east = std::max(box.east, p.east);
        box.south = std::min(box.south, p.north);
        box.north = std::max(box.north, p.north);
    }
    return {box.west - margin, box.south - margin, box.east + margin, box.north + margin};
}

LayoutResult layoutPages(const GroundRect& extent, int denominator, PaperArea area, double overlap)
{
    LayoutResult result;
    if (!(area.width > 0.0 && area.height > 0.0) || denominator <= 0) {
        result.fault = LayoutFault::kEmptyArea;
        return result;
    }
    if (!(overlap >= 0.0 && 2.0 * overlap < std::min(area.width, area.height))) {
        result.fault = LayoutFault::kOverlapTooLarge;
        return result;
    }
    const double metresPerMillimetre = denominator / 1000.0;
    const int columns = pagesAlong(extent.width() / metresPerMillimetre, area.width, overlap);
    const int rows = pagesAlong(extent.height() / metresPerMillimetre, area.height, overlap);
    if (static_cast<long long>(rows) * columns > kMaxPages) {
        result.fault = LayoutFault::kTooManyPages;
        return result;
    }
    const double stepEast = (area.width - overlap) * metresPerMillimetre;
    const double stepNorth = (area.height - overlap) * metresPerMillimetre;
    const double pageEast = area.width * metresPerMillimetre;
    const double pageNorth = area.height * metresPerMillimetre;
    // The block of pages centred on the extent.
    const double west = (extent.west + extent.east - (stepEast * (columns - 1) + pageEast)) / 2.0;
    const double north = (extent.south + extent.north + (stepNorth * (rows - 1) + pageNorth)) / 2.0;

    PageLayout& layout = result.layout;
    layout.denominator = denominator;
    layout.area = area;
    layout.overlap = overlap;
    layout.rows = rows;
    layout.columns = columns;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const double w = west + column * stepEast;
            const double n = north - row * stepNorth;
            layout.pages.push_back({row, column, {w, n - pageNorth, w + pageEast, n}});
        }
    }
    return result;
}

std::string pageLabel(int row, int column)
{
    std::string letters;
    for (int r = row + 1; r > 0; r = (r - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (r - 1) % 26));
    return letters + std::to_string(column + 1);
}

std::string pageLongLabel(int row, int column)
{
    return replacePlaceholders(strings::tr(strings::kPageRowColumn),
                               {std::to_string(row + 1), std::to_string(column + 1)});
}

} // namespace rovanta
