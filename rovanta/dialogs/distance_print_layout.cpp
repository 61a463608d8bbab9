#include "dialogs/distance_print_layout.h"

#include "common/translation.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace rovanta {
namespace {

struct Heading {
    const char* text;
    int x;
};

constexpr std::array kDegreeHeadings{Heading{ROVANTA_TR_NOOP("DistancePrint", "Point"), 500},
                                     Heading{ROVANTA_TR_NOOP("DistancePrint", "km"), 850},
                                     Heading{ROVANTA_TR_NOOP("DistancePrint", "Total"), 1220},
                                     Heading{ROVANTA_TR_NOOP("DistancePrint", "Longitude"), 1620},
                                     Heading{ROVANTA_TR_NOOP("DistancePrint", "Latitude"), 2320},
                                     Heading{ROVANTA_TR_NOOP("DistancePrint", "Remarks"), 3000}};
constexpr std::array kUtmHeadings{Heading{ROVANTA_TR_NOOP("DistancePrint", "Point"), 500},
                                  Heading{ROVANTA_TR_NOOP("DistancePrint", "km"), 850},
                                  Heading{ROVANTA_TR_NOOP("DistancePrint", "Total"), 1220},
                                  Heading{ROVANTA_TR_NOOP("DistancePrint", "Easting"), 1600},
                                  Heading{ROVANTA_TR_NOOP("DistancePrint", "Northing"), 2100},
                                  Heading{ROVANTA_TR_NOOP("DistancePrint", "Zone"), 2570},
                                  Heading{ROVANTA_TR_NOOP("DistancePrint", "Remarks"), 2900}};

constexpr int kNumberX = 500;
constexpr int kLegX = 800;
constexpr int kTotalX = 1200;
constexpr std::array kDegreeCellX{1600, 2300};
constexpr std::array kUtmCellX{1600, 2100, 2600};
constexpr int kDegreeRemarkX = 3000;
constexpr int kUtmRemarkX = 2900;

} // namespace

PrintFace printFont(PrintFontRole role)
{
    switch (role) {
    case PrintFontRole::kTitle:
        return {"ArialBlack", 14};
    case PrintFontRole::kHeading:
        return {"ArialBlack", 12};
    case PrintFontRole::kRow:
        break;
    }
    return {"FixedSys", 10};
}

DistancePrintLayout::DistancePrintLayout(DisplayFormat format) : format_(format)
{
}

int DistancePrintLayout::rowsPerPage(int pageHeight)
{
    // A row owns its whole step, so the last one never touches the page edge.
    return std::max(1, (pageHeight - kFirstRowY) / kRowStep);
}

std::vector<PageRows> DistancePrintLayout::paginate(int pageHeight, int rowCount)
{
    const int perPage = rowsPerPage(pageHeight);
    std::vector<PageRows> result;
    int first = 0;
    do {
        const int count = std::min(perPage, rowCount - first);
        result.push_back({first, count});
        first += count;
    } while (first < rowCount);
    return result;
}

std::vector<PrintPage> DistancePrintLayout::pages(const std::string& tourName, const std::vector<DistanceRow>& rows,
                                                  int pageHeight) const
{
    const std::string title =
        localized("DistancePrint", ROVANTA_TR_NOOP("DistancePrint", "Distances for Tour: ")) + tourName;
    std::vector<PrintPage> result;
    for (const PageRows& share : paginate(pageHeight, static_cast<int>(rows.size()))) {
        PrintPage& page = result.emplace_back();
        placeHeader(page, title);
        for (int i = 0; i < share.count; ++i)
            placeRow(page, rows[static_cast<std::size_t>(share.first + i)], kFirstRowY + i * kRowStep);
    }
    return result;
}

void DistancePrintLayout::placeHeader(PrintPage& page, const std::string& title) const
{
    page.push_back({kTitleX, kTitleY, PrintFontRole::kTitle, title});
    const auto place = [&page](const auto& headings) {
        for (const Heading& heading : headings)
            page.push_back({heading.x, kHeadingY, PrintFontRole::kHeading, localized("DistancePrint", heading.text)});
    };
    if (format_ == kUtm)
        place(kUtmHeadings);
    else
        place(kDegreeHeadings);
}

void DistancePrintLayout::placeRow(PrintPage& page, const DistanceRow& row, int y) const
{
    const auto cell = [&page, y](int x, const std::string& text) { page.push_back({x, y, PrintFontRole::kRow, text}); };
    cell(kNumberX, row.number);
    cell(kLegX, row.leg);
    cell(kTotalX, row.total);
    const bool utm = format_ == kUtm;
    const int* cellX = utm ? kUtmCellX.data() : kDegreeCellX.data();
    const std::size_t cellCount = utm ? kUtmCellX.size() : kDegreeCellX.size();
    for (std::size_t i = 0; i < std::min(cellCount, row.coords.size()); ++i)
        cell(cellX[i], row.coords[i]);
    cell(utm ? kUtmRemarkX : kDegreeRemarkX, row.remark);
}

} // namespace rovanta
