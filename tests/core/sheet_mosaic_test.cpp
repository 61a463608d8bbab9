// The checked sheets found around the current one, and the transform that
// places each of them, against sheets laid out on known ground.
#include "georeference_maps.h"
#include "map_files.h"
#include "navigation/sheet_mosaic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {
using namespace rovanta;
using namespace rovanta::test;

// Four sheets of `side` pixels on a 2 × 2 block of 0.1° × 0.06° boxes,
// south-west corner at (west, south), named "SW", "SE", "NW", "NE".
struct Block {
    Block(double west, double south, int side)
    {
        const struct {
            const char* name;
            int column, row;
        } places[] = {{"SW", 0, 0}, {"SE", 1, 0}, {"NW", 0, 1}, {"NE", 1, 1}};
        for (const auto& place : places) {
            const double w = west + 0.1 * place.column;
            const double s = south + 0.06 * place.row;
            const std::string cal = writeSampleMap(dir.path(), std::string(place.name) + ".cal",
                                                   {.name = place.name,
                                                    .west = w,
                                                    .south = s,
                                                    .east = w + 0.1,
                                                    .north = s + 0.06,
                                                    .width = side,
                                                    .height = side});
            auto map = std::make_shared<cl_Map>();
            std::string name;
            EXPECT_TRUE(map->loadCalFile(cal, name) && map->computeReference()) << place.name;
            map->setStatus(kStatusChecked);
            maps[place.name] = map;
        }
        maps["SW"]->setStatus(kStatusCurrent);
    }
    std::vector<std::string> around(const PixelBox& window) const
    {
        std::vector<std::string> names;
        for (const MosaicSheet& sheet : sheetsAround(maps.at("SW"), maps, window))
            names.push_back(sheet.map->mapName());
        return names;
    }

    TempFolder dir;
    MapCollection maps;
};

PixelBox windowAround(PixelPoint centre)
{
    return {centre.x - 960, centre.y - 540, centre.x + 960, centre.y + 540};
}

TEST(SheetMosaic, FindsTheCheckedSheetsThatMeetTheWindow)
{
    constexpr double W = 1000;
    const struct {
        const char* name;
        const char* unchecked;
        PixelBox window;
        std::vector<std::string> expected; // painting order
    } rows[] = {
        {"block of four, farthest first", "", {-100, -100, W + 100, W + 300}, {"NE", "SE", "NW"}},
        {"unchecked sheet ignored", "NE", {-100, -100, W + 100, W + 300}, {"SE", "NW"}},
        {"window inside the sheet meets none", "", {100, 100, W - 100, W - 100}, {}},
        {"east of the edge, nearest last", "", {W - 50, W / 2, W + 300, W + 50}, {"NW", "NE", "SE"}},
    };
    Block block(9.0, 53.0, static_cast<int>(W));
    for (const auto& row : rows) {
        for (auto& [name, map] : block.maps)
            if (name != "SW")
                map->setStatus(name == row.unchecked ? kStatusUnchecked : kStatusChecked);
        EXPECT_EQ(block.around(row.window), row.expected) << row.name;
    }
}

// Each block's north-east sheet has its bottom-left reference point on the
// south-west sheet's top-right one: the same ground, so the same place. The
// georeference keeps whole metres, so the corner is only known to a metre:
// pixels of about 4.5 m keep that well under half a pixel; on 0.4 m pixels
// a metre is what can be asked.
TEST(SheetMosaic, SharedCornerMeetsWithinHalfAPixel)
{
    const struct {
        const char* name;
        double west, south, side;
    } rows[] = {
        {"zone 32", 9.0, 53.0, 1500},
        {"across the zone 32/33 border", 11.9, 47.0, 1500},
        {"southern hemisphere", 18.2, -34.06, 1500},
        {"across the zone border, 0.4 m pixels", 11.9, 47.0, 20000},
    };
    for (const auto& row : rows) {
        Block block(row.west, row.south, static_cast<int>(row.side));
        const std::vector<MosaicSheet> sheets =
            sheetsAround(block.maps.at("SW"), block.maps, windowAround({row.side, row.side}));
        const auto ne = std::ranges::find(sheets, block.maps.at("NE"), &MosaicSheet::map);
        ASSERT_NE(ne, sheets.end()) << row.name;
        const PixelPoint corner = ne->toSheet({row.side, row.side});
        const double tolerance = std::max(0.5, 1.0 / ne->map->scale());
        EXPECT_NEAR(corner.x, 0.0, tolerance) << row.name;
        EXPECT_NEAR(corner.y, 0.0, tolerance) << row.name;
        EXPECT_NEAR(ne->outline[0].x, row.side, tolerance) << row.name;
        EXPECT_NEAR(ne->outline[0].y, row.side, tolerance) << row.name;
    }
}

// Current sheet: 4000 × 3000 pixels of 2.5 m, north up, bottom-left at
// 32U 600000 5300000. The other sheet's pixel (0, 0) lies on its top-right
// corner, turned by `degrees` with `metres` pixels. By hand, current pixel
// (x, y) is ground (600000 + 2.5x, 5300000 + 2.5y) and so the other sheet's
// pixel R(-θ)·(ground - (610000, 5307500)) / metres.
TEST(SheetMosaic, TurnedSheetIsPlacedByItsGround)
{
    const struct {
        const char* name;
        double degrees, metres;
    } rows[] = {
        {"north up, same pixels", 0.0, 2.5},
        {"turned 10 degrees", 10.0, 2.5},
        {"turned -30 degrees, 5 m pixels", -30.0, 5.0},
    };
    TempFolder currentDir;
    auto current = std::make_shared<cl_Map>();
    ASSERT_TRUE(loadMap(*current, currentDir, {4000, 3000}, {0, 0}, atUtm(32, 'U', 600000, 5300000), {4000, 3000},
                        atUtm(32, 'U', 610000, 5307500)));
    for (const auto& row : rows) {
        const double theta = row.degrees / kDeg;
        const double c = std::cos(theta), s = std::sin(theta);
        const auto ground = [&](int u, int v) {
            return atUtm(32, 'U', 610000 + static_cast<int>(std::lround(row.metres * (u * c - v * s))),
                         5307500 + static_cast<int>(std::lround(row.metres * (u * s + v * c))));
        };
        TempFolder dir;
        auto other = std::make_shared<cl_Map>();
        ASSERT_TRUE(loadMap(*other, dir, {2000, 2000}, {0, 0}, ground(0, 0), {1600, 1200}, ground(1600, 1200)));
        other->setStatus(kStatusChecked);
        const MapCollection maps{{"current", current}, {"other", other}};
        const std::vector<MosaicSheet> sheets = sheetsAround(current, maps, windowAround({4000, 3000}));
        ASSERT_EQ(sheets.size(), 1u) << row.name;
        for (const PixelPoint at : {PixelPoint{4000, 3000}, PixelPoint{3500, 2600}, PixelPoint{4600, 3400}}) {
            const double ex = 2.5 * at.x - 10000, ny = 2.5 * at.y - 7500;
            const PixelPoint expected{(ex * c + ny * s) / row.metres, (ny * c - ex * s) / row.metres};
            const PixelPoint got = sheets[0].toSheet(at);
            EXPECT_NEAR(got.x, expected.x, 0.5) << row.name << " at " << at.x << "," << at.y;
            EXPECT_NEAR(got.y, expected.y, 0.5) << row.name << " at " << at.x << "," << at.y;
        }
    }
}

} // namespace
