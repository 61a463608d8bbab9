#include "tour/cl_tour.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rovanta {
namespace {

using Remarks = std::vector<std::string>;
using Ids = std::vector<double>;

// A point identified by its longitude, at the given map pixel.
cl_RefPoint pointAt(std::int32_t x, std::int32_t y, double id = 0.0)
{
    cl_RefPoint point;
    point.pixel = {x, y};
    point.longitude = id;
    return point;
}

// Points with ids 0, 1, ... at the pixels, remarks "r0", "r1", ...
void fill(cl_Tour& tour, const std::vector<IPoint>& pixels)
{
    for (const IPoint& pixel : pixels) {
        const int index = tour.getPointCount();
        tour.addPoint(pointAt(pixel.x, pixel.y, index));
        tour.getRemarks().back() = "r" + std::to_string(index);
    }
}

Ids ids(cl_Tour& tour)
{
    Ids result;
    for (auto pos = tour.getHeadPosition(); pos;)
        result.push_back(tour.getNext(pos).longitude);
    return result;
}

TEST(TourHitSquare, HalfOpenSquareAndLowestIndexFirst)
{
    const struct {
        int dx, dy;
        bool hit;
    } cases[] = {{-5, 0, true}, {0, -5, true},  {-5, -5, true}, {4, 4, true}, {5, 0, false},
                 {0, 5, false}, {-6, 0, false}, {0, -6, false}, {4, 5, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.dx << "," << c.dy);
        cl_Tour tour;
        fill(tour, {{100, 200}});
        EXPECT_EQ(static_cast<bool>(tour.findPoint(100 + c.dx, 200 + c.dy)), c.hit);
        tour.deleteAt(100 + c.dx, 200 + c.dy);
        EXPECT_EQ(tour.getPointCount(), c.hit ? 0 : 1);
        EXPECT_EQ(tour.getRemarks().size(), c.hit ? 0u : 1u);
    }

    // Where squares overlap, the earlier point wins.
    cl_Tour tour;
    fill(tour, {{50, 50}, {10, 10}, {13, 10}});
    EXPECT_EQ(tour.getPixel(tour.findPoint(12, 10)).x, 10);
    tour.deleteAt(12, 10);
    EXPECT_EQ(ids(tour), (Ids{0, 2}));
    EXPECT_EQ(tour.getRemarks(), (Remarks{"r0", "r2"}));
}

TEST(TourEditing, RemarksStayWithTheirPoints)
{
    cl_Tour tour;
    fill(tour, {{0, 0}, {100, 0}, {200, 0}});
    tour.deleteAt(102, -3);
    EXPECT_EQ(ids(tour), (Ids{0, 2}));
    EXPECT_EQ(tour.getRemarks(), (Remarks{"r0", "r2"}));

    tour.insertBefore(tour.findPoint(0, 0), pointAt(-50, 0, 10));
    tour.insertBefore(tour.findPoint(200, 0), pointAt(150, 0, 11));
    tour.insertBefore({}, pointAt(300, 0, 12)); // null position: the end
    EXPECT_EQ(ids(tour), (Ids{10, 0, 11, 2, 12}));
    EXPECT_EQ(tour.getRemarks(), (Remarks{"", "r0", "", "r2", ""}));

    tour.movePoint(tour.findPoint(0, 0), pointAt(500, 500, 13));
    tour.movePoint({}, pointAt(600, 600, 14));
    EXPECT_EQ(ids(tour), (Ids{10, 13, 11, 2, 12}));
    EXPECT_EQ(tour.getRemarks(), (Remarks{"", "r0", "", "r2", ""}));
    EXPECT_TRUE(tour.findPoint(500, 500));
}

TEST(TourEditing, DeleteLastAndClear)
{
    cl_Tour tour("Harbour", 2);
    tour.setPath("/t/Harbour.TXT");
    fill(tour, {{0, 0}, {100, 0}});
    EXPECT_TRUE(tour.deleteLast());
    EXPECT_EQ(tour.getRemarks(), Remarks{"r0"});
    EXPECT_FALSE(tour.deleteLast());
    EXPECT_FALSE(tour.deleteLast()); // empty: nothing to remove
    EXPECT_TRUE(tour.getRemarks().empty());

    fill(tour, {{0, 0}, {100, 0}});
    tour.clear();
    EXPECT_FALSE(tour.getHeadPosition());
    EXPECT_EQ(tour.getPointCount(), 0);
    EXPECT_TRUE(tour.getRemarks().empty());
    EXPECT_EQ(tour.name(), "Harbour");
    EXPECT_EQ(tour.path(), "/t/Harbour.TXT");
    EXPECT_EQ(tour.status(), 2);
}

TEST(TourEditing, PointsAreCopiedIn)
{
    cl_RefPoint source = pointAt(10, 20);
    source.setRefPoint(IPoint{1, -1}, DPoint{9.5, 33.25});
    source.setDatum(0, 2);
    const cl_RefPoint original = source;
    cl_Tour tour;
    tour.addPoint(source);
    source.pixel = {99, 99};
    source.longitude = 1.0;

    const cl_RefPoint& copy = *tour.getPoint(0);
    EXPECT_EQ(copy.longitude, original.longitude);
    EXPECT_EQ(copy.latitude, original.latitude);
    EXPECT_EQ(copy.pixel.x, 10);
    EXPECT_EQ(copy.pixel.y, 20);
    EXPECT_EQ(copy.ellipsoidIndex, original.ellipsoidIndex);
    EXPECT_EQ(copy.datumKind, 2);
    EXPECT_EQ(copy.datumIndex, original.datumIndex);
    EXPECT_EQ(tour.getPoint(-1), nullptr);
    EXPECT_EQ(tour.getPoint(1), nullptr);
}

} // namespace
} // namespace rovanta
