// The UTM grid of a north-up and of a turned sheet, checked against the
// map's own conversion of the grid's ground positions.
#include "georeference_maps.h"
#include "navigation/utm_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace rovanta;
using namespace rovanta::test;

constexpr IPoint kSheet{2000, 1500};
constexpr double kScale = 2.5; // metres per pixel
constexpr int kWest = 679500;
constexpr int kSouth = 5236200;

struct Sheet {
    const char* name;
    double turn; ///< degrees, counter-clockwise from north-up
    std::vector<std::string> eastings;
    std::vector<std::string> northings;
};

// Hand calculation: the sheet's corners lie at (x cos t - y sin t,
// x sin t + y cos t) * 2.5 m from (679500, 5236200); the 3° sheet spans
// 679303.7..684493.2 E and 5236200..5240206.5 N, its top-right corner
// just reaching the 5240 km line.
const Sheet kSheets[] = {
    {"NorthUp", 0.0, {"680", "681", "682", "683", "684"}, {"5237", "5238", "5239"}},
    {"TurnedThreeDegrees", 3.0, {"680", "681", "682", "683", "684"}, {"5237", "5238", "5239", "5240"}},
};

// A map whose pixels lie `turn` degrees turned at 2.5 m in zone 32.
void loadTurnedMap(cl_Map& map, const TempFolder& dir, double turn)
{
    const double t = turn / kDeg;
    const auto ground = [&](IPoint p) {
        return atUtm(32, 'T', kWest + static_cast<int>(kScale * (p.x * std::cos(t) - p.y * std::sin(t))),
                     kSouth + static_cast<int>(kScale * (p.x * std::sin(t) + p.y * std::cos(t))));
    };
    ASSERT_TRUE(loadMap(map, dir, kSheet, {0, 0}, ground({0, 0}), kSheet, ground(kSheet)));
}

double distanceToLine(DPoint p, const GridLine& line)
{
    const double dx = line.end.x - line.start.x;
    const double dy = line.end.y - line.start.y;
    return std::abs(dx * (p.y - line.start.y) - dy * (p.x - line.start.x)) / std::hypot(dx, dy);
}

bool onEdge(DPoint p)
{
    constexpr double kSlack = 1e-6;
    const bool inside = p.x > -kSlack && p.x < kSheet.x + kSlack && p.y > -kSlack && p.y < kSheet.y + kSlack;
    return inside && (std::abs(p.x) < kSlack || std::abs(p.y) < kSlack || std::abs(p.x - kSheet.x) < kSlack ||
                      std::abs(p.y - kSheet.y) < kSlack);
}

TEST(UtmGrid, KilometreLinesOfAWholeSheet)
{
    for (const Sheet& sheet : kSheets) {
        SCOPED_TRACE(sheet.name);
        TempFolder dir;
        cl_Map map;
        loadTurnedMap(map, dir, sheet.turn);
        const UtmGeoreference georeference = utmGeoreferenceOf(map);
        const PixelArea area{0, 0, double(kSheet.x), double(kSheet.y)};
        EXPECT_NEAR(metresPerMapPixel(georeference, area), kScale, 1e-3);
        const std::vector<GridLine> lines = utmGridLines(georeference, area, 1000.0);

        std::vector<std::string> eastings, northings;
        for (const GridLine& line : lines) {
            (line.easting ? eastings : northings).push_back(line.label);
            EXPECT_TRUE(onEdge(line.start) && onEdge(line.end)) << line.label;
            // Labels at the top, or the left.
            EXPECT_TRUE(line.easting ? line.start.y >= line.end.y : line.start.x <= line.end.x) << line.label;
            // The map's own conversion, through latitude and longitude, puts
            // the grid's ground positions on the line (within truncation).
            const double across = line.easting ? kSouth + 1000 : kWest + 1000;
            cl_RefPoint ground = line.easting ? atUtm(32, 'T', int(line.value), int(across))
                                              : atUtm(32, 'T', int(across), int(line.value));
            static_cast<void>(map.refPointToPixel(ground));
            EXPECT_LT(distanceToLine({double(ground.pixel.x), double(ground.pixel.y)}, line), 1.5) << line.label;
            // Easting lines lean by the sheet's turn: x grows with y.
            if (line.easting) {
                const double slant = std::atan2(line.start.x - line.end.x, line.start.y - line.end.y) * kDeg;
                EXPECT_NEAR(slant, sheet.turn, 0.05) << line.label;
            }
        }
        EXPECT_EQ(eastings, sheet.eastings);
        EXPECT_EQ(northings, sheet.northings);
        // Neighbouring lines are 1000 m / 2.5 m = 400 pixels apart.
        for (std::size_t i = 1; i < lines.size(); ++i) {
            if (lines[i].easting == lines[i - 1].easting) {
                EXPECT_NEAR(distanceToLine(lines[i].start, lines[i - 1]), 400.0, 0.5) << lines[i].label;
            }
        }
    }
}

TEST(UtmGrid, StepFollowsTheScaleOnTheDevice)
{
    struct Row {
        const char* name;
        double metresPerDevicePixel;
        double step;
    };
    const Row rows[] = {
        {"OneToOneAt2.5m", 2.5, 1000.0}, // 1 km = 400 px
        {"OneKmAt40px", 25.0, 1000.0},   // exactly the minimum
        {"ZoomedOut", 40.0, 10000.0},    // 1 km = 25 px
        {"FarOut", 300.0, 100000.0},     // 10 km = 33 px
        {"ZoomedIn", 1.0, 100.0},        // 1 km = 1000 px
        {"NotFineYet", 1.3, 1000.0},     // 1 km = 769 px
        {"NoScale", 0.0, 0.0},           {"NotANumber", std::nan(""), 0.0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(utmGridStep(row.metresPerDevicePixel), row.step) << row.name;
}

TEST(UtmGrid, HundredMetreLabelsAndEmptyAreas)
{
    const UtmGeoreference identity{[](DPoint p) {
                                       return DPoint{680000 + p.x, 5237000 + p.y};
                                   },
                                   [](DPoint u) {
                                       return DPoint{u.x - 680000, u.y - 5237000};
                                   }};
    const std::vector<GridLine> lines = utmGridLines(identity, {50, 50, 250, 150}, 100.0);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].label, "680.1");
    EXPECT_EQ(lines[1].label, "680.2");
    EXPECT_EQ(lines[2].label, "5237.1");
    EXPECT_TRUE(utmGridLines(identity, {50, 50, 50, 150}, 100.0).empty());
    EXPECT_TRUE(utmGridLines(identity, {50, 50, 250, 150}, 0.0).empty());
}

} // namespace
