// Positions and page breaks of the distances printout.
#include "dialogs/distance_print_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace rovanta {
namespace {

using Places = std::map<std::string, int>;

// x of each text of the first page at height y.
Places xAt(DisplayFormat format, std::vector<std::string> coords, int y)
{
    const DistanceRow row{"  0", "  0.000", "  0.000", std::move(coords), "Hut"};
    const std::vector<PrintPage> pages = DistancePrintLayout(format).pages("Alps", {row}, 7000);
    Places result;
    for (const PlacedText& text : pages.at(0))
        if (text.y == y)
            result[text.text] = text.x;
    return result;
}

TEST(PrintLayout, DegreeFormatsPutTheRemarkAt3000)
{
    EXPECT_EQ(xAt(kDecimalMinute, {}, 200), (Places{{"Distances for Tour: Alps", 800}}));
    EXPECT_EQ(
        xAt(kDecimalMinute, {}, 400),
        (Places{
            {"Point", 500}, {"km", 850}, {"Total", 1220}, {"Longitude", 1620}, {"Latitude", 2320}, {"Remarks", 3000}}));
    EXPECT_EQ(xAt(kDecimalDegree, {"lon", "lat"}, 560),
              (Places{{"  0", 500}, {"  0.000", 1200}, {"lon", 1600}, {"lat", 2300}, {"Hut", 3000}}));
}

TEST(PrintLayout, UtmPutsZoneAt2600AndRemarkAt2900)
{
    EXPECT_EQ(xAt(kUtm, {}, 400), (Places{{"Point", 500},
                                          {"km", 850},
                                          {"Total", 1220},
                                          {"Easting", 1600},
                                          {"Northing", 2100},
                                          {"Zone", 2570},
                                          {"Remarks", 2900}}));
    const Places cells = xAt(kUtm, {"565590", "5933912", "32U"}, 560);
    EXPECT_EQ(cells.at("5933912"), 2100);
    EXPECT_EQ(cells.at("32U"), 2600);
    EXPECT_EQ(cells.at("Hut"), 2900);
}

TEST(PrintLayout, Pagination)
{
    // A row needs its full step: 560 + 3 * 120 = 920 holds three rows.
    EXPECT_EQ(DistancePrintLayout::rowsPerPage(920), 3);
    EXPECT_EQ(DistancePrintLayout::rowsPerPage(919), 2);
    const auto split = DistancePrintLayout::paginate(920, 7);
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[2].first, 6);
    EXPECT_EQ(split[2].count, 1);

    // Too short for a single row: still one row a page, none lost.
    const auto tiny = DistancePrintLayout::paginate(300, 3);
    ASSERT_EQ(tiny.size(), 3u);
    EXPECT_EQ(tiny[2].first, 2);

    // Without rows, one page for the title and headings.
    ASSERT_EQ(DistancePrintLayout::paginate(7000, 0).size(), 1u);
}

} // namespace
} // namespace rovanta
