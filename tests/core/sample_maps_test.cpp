// The sample sheets and tour kept in examples/maps: they load as drawn,
// meet at their common edge, the tour lies on them, and a first start
// registers them.
#include "manager/sample_folder.h"
#include "map/cl_map.h"
#include "memory_settings.h"
#include "scripted_dialogs.h"
#include "tour/cl_tour.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace rovanta {
namespace {

const std::string kFolder = ROVANTA_EXAMPLES_DIR;

std::unique_ptr<cl_Map> loadSheet(const std::string& calFile)
{
    test::ScriptedAnswerer answerer; // an unknown line would show a notice
    auto map = std::make_unique<cl_Map>();
    std::string name = "unnamed";
    EXPECT_TRUE(map->loadCalFile(kFolder + "/" + calFile, name)) << calFile;
    EXPECT_TRUE(map->computeReference()) << calFile;
    EXPECT_TRUE(answerer.shown.empty()) << answerer.shown.front().text;
    return map;
}

class SampleMaps : public ::testing::Test {
protected:
    std::unique_ptr<cl_Map> west = loadSheet("sample_west.cal");
    std::unique_ptr<cl_Map> east = loadSheet("sample_east.cal");
};

void expectGrid(const cl_Map& map, std::int32_t west, std::int32_t south)
{
    EXPECT_EQ(map.utmZone(), 32);
    EXPECT_NEAR(map.scale(), 4.0, 1e-3);
    EXPECT_NEAR(map.sinRotation(), 0.0, 1e-4);
    // North up, 2000 x 1500 pixels of 4 m.
    EXPECT_NEAR(map.cornerUtm()[0], west, 1);
    EXPECT_NEAR(map.cornerUtm()[1], south, 1);
    EXPECT_NEAR(map.cornerUtm()[2], west + 8000, 1);
    EXPECT_NEAR(map.cornerUtm()[3], south + 6000, 1);
}

TEST_F(SampleMaps, SheetsCarryTheirNamesAndGrid)
{
    EXPECT_EQ(west->mapName(), "Sample West");
    EXPECT_EQ(east->mapName(), "Sample East");
    expectGrid(*west, 646000, 5248000);
    expectGrid(*east, 653800, 5248000);
}

TEST_F(SampleMaps, BitmapsAreSmallPaletteBmps)
{
    for (const cl_Map* map : {west.get(), east.get()}) {
        const BitmapInfo info = map->getBitmapInfo();
        EXPECT_EQ(info.width, 2000);
        EXPECT_EQ(info.height, 1500);
        EXPECT_EQ(info.bitsPixel, 8);
        EXPECT_EQ(info.widthBytes, 2000);
        EXPECT_LE(std::filesystem::file_size(map->getBitmapPath()), 3'500'000u);
    }
}

TEST_F(SampleMaps, EachSheetContinuesBeyondTheOthersEdge)
{
    int inside = 1;
    cl_RefPoint pastWest = west->pixelToRefPoint(2005, 700, inside);
    EXPECT_EQ(inside, 0);
    EXPECT_TRUE(east->refPointToPixel(pastWest));
    EXPECT_NEAR(pastWest.pixel.x, 55, 1);
    EXPECT_NEAR(pastWest.pixel.y, 700, 1);

    inside = 1;
    cl_RefPoint pastEast = east->pixelToRefPoint(-5, 700, inside);
    EXPECT_EQ(inside, 0);
    EXPECT_TRUE(west->refPointToPixel(pastEast));
    EXPECT_NEAR(pastEast.pixel.x, 1945, 1);
    EXPECT_NEAR(pastEast.pixel.y, 700, 1);
}

TEST_F(SampleMaps, TourRunsFromOneSheetOntoTheOther)
{
    cl_Tour tour;
    ASSERT_TRUE(tour.load("Sample Tour", kFolder + "/Sample Tour.TXT", 0));
    ASSERT_GT(tour.getPointCount(), 2);
    EXPECT_FALSE(tour.getRemarks().front().empty());
    int westOnly = 0, eastOnly = 0;
    for (int i = 0; i < tour.getPointCount(); ++i) {
        cl_RefPoint point = *tour.getPoint(i);
        const bool onWest = west->refPointToPixel(point);
        const bool onEast = east->refPointToPixel(point);
        EXPECT_TRUE(onWest || onEast) << "point " << i;
        westOnly += onWest && !onEast;
        eastOnly += onEast && !onWest;
    }
    EXPECT_GT(westOnly, 0);
    EXPECT_GT(eastOnly, 0);
}

// What a first start's Yes does: the folder registered, the named sheet
// current, the other sheet and the tour checked, nothing asked.
TEST(SampleFolder, RegistersTheSheetsWithOneCurrent)
{
    test::MemorySettings settings;
    test::ScriptedAnswerer answerer;
    cl_Manager manager(settings);

    EXPECT_EQ(registerSampleFolder(manager, kFolder, "Sample East"), 2u);

    EXPECT_EQ(manager.folderList(), kFolder + ";");
    ASSERT_TRUE(manager.selectedMap());
    EXPECT_EQ(manager.selectedMap()->mapName(), "Sample East");
    EXPECT_EQ(manager.maps().at("Sample East")->status(), kStatusCurrent);
    EXPECT_EQ(manager.maps().at("Sample West")->status(), kStatusChecked);
    ASSERT_EQ(manager.tours().size(), 1u);
    EXPECT_EQ(manager.tours().begin()->second->status(), kStatusChecked);
    EXPECT_TRUE(answerer.shown.empty());
}

} // namespace
} // namespace rovanta
