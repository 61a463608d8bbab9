// The manager's settings store: what a start reads, what an exit writes.
#include "manager/cl_manager.h"
#include "manager/folder_list.h"
#include "manager/stored_path.h"

#include "common/file_names.h"
#include "manager_fixture.h"
#include "map_files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>

namespace rovanta {
namespace {
namespace fs = std::filesystem;
using test::Registry;
using test::SampleMap;
using test::TempFolder;
namespace names = settings;

std::string keys(const MapCollection& maps)
{
    std::string text;
    for (const auto& [name, map] : maps)
        text += (text.empty() ? "" : " ") + name + ":" + std::to_string(map->status());
    return text;
}

TEST(StoredPath, SplitsAndComposesAsTheSettingsKeepThem)
{
    const std::string folder = "/maps";
    const FolderTable folderKeys{{"FolderId_03", folder}};
    const FolderTable paths{{folder, "FolderId_03"}};
    struct Row {
        const char* name;
        std::string stored, fullPath, baseName;
    };
    const Row rows[] = {
        {"KnownFolder", "FolderId_03\\Alps.cal", joinFolderFile(folder, "Alps.cal"), "Alps"},
        {"UnknownFolderGivesABareSeparator", "FolderId_09\\Alps.cal", joinFolderFile("", "Alps.cal"), "Alps"},
        {"BaseNameEndsAtTheFirstDot", "FolderId_03\\Trip.2009.TXT", joinFolderFile(folder, "Trip.2009.TXT"), "Trip"},
        {"NoDotNoBaseName", "FolderId_03\\Trip", joinFolderFile(folder, "Trip"), ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto split = splitStoredPath(row.stored, folderKeys);
        ASSERT_TRUE(split);
        EXPECT_EQ(split->fullPath, row.fullPath);
        EXPECT_EQ(split->baseName, row.baseName);
    }
    EXPECT_FALSE(splitStoredPath("Alps.cal", folderKeys));

    EXPECT_EQ(composeStoredPath(joinFolderFile(folder, "Alps.cal"), paths), "FolderId_03\\Alps.cal");
    EXPECT_EQ(composeStoredPath(joinFolderFile("/elsewhere", "Alps.cal"), paths), "\\Alps.cal");
    EXPECT_EQ(composeStoredPath("", paths), "\\");
}

TEST(FolderList, WalkStopsAtAnEmptyEntryAndIgnoresAnUnfinishedOne)
{
    EXPECT_EQ(walkFolderList("C:\\A;C:\\B;C:\\A;"), (std::vector<std::string>{"C:\\A", "C:\\B", "C:\\A"}));
    EXPECT_EQ(walkFolderList("C:\\A;C:\\B"), (std::vector<std::string>{"C:\\A"}));
    EXPECT_EQ(walkFolderList("C:\\A;;C:\\B;"), (std::vector<std::string>{"C:\\A"}));
    EXPECT_TRUE(walkFolderList(";C:\\A;").empty());

    std::string unfinished = "C:\\A;C:\\B";
    appendFolder(unfinished, "C:\\T");
    EXPECT_EQ(unfinished, "C:\\A;C:\\B;C:\\T;");
}

class Store : public ::testing::Test {
protected:
    std::string addMap(const std::string& calFile, const SampleMap& map)
    {
        return test::writeSampleMap(dir.path(), calFile, map);
    }
    std::string stored(const std::string& file) const { return "FolderId_00\\" + file; }

    TempFolder dir;
    Registry registry;
};

TEST_F(Store, FirstStartWithEmptySettings)
{
    {
        cl_Manager manager(registry);
        EXPECT_EQ(manager.folderList(), "");
        EXPECT_TRUE(manager.maps().empty());
        EXPECT_TRUE(manager.tours().empty());
        EXPECT_FALSE(manager.selectedMap());
        EXPECT_FALSE(manager.currentTour());
    }
    EXPECT_EQ(registry.number(names::kSettings, names::kFolderCount), 0);
    EXPECT_EQ(registry.number(names::kSettings, names::kMapCount), 0);
    EXPECT_EQ(registry.number(names::kSettings, names::kTourCount), 0);
}

TEST_F(Store, EntriesWithoutANameAreSkippedAndTheRestRenumbered)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    addMap("c.cal", {.name = "Coast"});
    registry.map(0, "Alps", stored("a.cal"), 1);
    registry.map(1, "", stored("a.cal"), 1);
    registry.map(2, "Coast", stored("c.cal"), 0);
    registry.map(3, "NoFolderKey", "\\c.cal", 1);
    {
        cl_Manager manager(registry);
        EXPECT_EQ(keys(manager.maps()), "Alps:1 Coast:0");
    }
    EXPECT_EQ(registry.number(names::kSettings, names::kMapCount), 2);
    EXPECT_EQ(registry.text(names::kMapName, "MapId_001"), "Coast");
    EXPECT_EQ(registry.text(names::kMapPath, "MapId_001"), stored("c.cal"));
    EXPECT_EQ(registry.number(names::kMapStatus, "MapId_001"), 0);
    for (const std::string_view section : {names::kMapName, names::kMapPath, names::kMapStatus}) {
        EXPECT_FALSE(registry.has(section, "MapId_002")) << section;
        EXPECT_FALSE(registry.has(section, "MapId_003")) << section;
    }
}

TEST_F(Store, ALaterEntryOfTheSameNameReplacesTheEarlier)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    const std::string second = addMap("b.cal", {.name = "Alps"});
    registry.map(0, "Alps", stored("a.cal"), 1);
    registry.map(1, "Alps", stored("b.cal"), 0);
    {
        cl_Manager manager(registry);
        ASSERT_EQ(manager.maps().size(), 1u);
        EXPECT_EQ(manager.maps().at("Alps")->calPath(), second);
    }
    EXPECT_EQ(registry.number(names::kSettings, names::kMapCount), 1);
    EXPECT_EQ(registry.text(names::kMapPath, "MapId_000"), stored("b.cal"));
}

TEST_F(Store, FoldersAreSavedOnceEachAndStaleOnesDeleted)
{
    registry.folders({"C:\\A", "C:\\B", "C:\\A", "C:\\D", "C:\\E"});
    {
        cl_Manager manager(registry);
        EXPECT_EQ(manager.folderList(), "C:\\A;C:\\B;C:\\A;C:\\D;C:\\E;");
        manager.folderPage().setFolderText("C:\\A;C:\\B;C:\\A;C:\\Unfinished");
        manager.folderPage().apply();
    }
    EXPECT_EQ(registry.number(names::kSettings, names::kFolderCount), 2);
    EXPECT_EQ(registry.text(names::kFolder, "FolderId_00"), "C:\\A");
    EXPECT_EQ(registry.text(names::kFolder, "FolderId_01"), "C:\\B");
    EXPECT_EQ(registry.count(names::kFolder), 2u);
}

TEST_F(Store, FilesOutsideTheFolderListAreStoredWithoutAFolderAndGoneNextStart)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    registry.map(0, "Alps", stored("a.cal"), 1);
    {
        cl_Manager manager(registry);
        manager.folderPage().setFolderText("/other;");
        manager.folderPage().apply();
    }
    EXPECT_EQ(registry.text(names::kMapPath, "MapId_000"), "\\a.cal");
    cl_Manager next(registry);
    EXPECT_TRUE(next.maps().empty());
}

TEST_F(Store, LastSaveFolderJoinsTheListUnlessItsTextIsThere)
{
    struct Row {
        const char* name;
        std::string folder, saveFolder, expected;
    };
    const Row rows[] = {
        {"Added", "C:\\Maps", "C:\\Tours\\", "C:\\Maps;C:\\Tours;"},
        {"SubstringCountsAsPresent", "C:\\Tours", "C:\\Tour\\", "C:\\Tours;"},
        {"NoneSaved", "C:\\Maps", "", "C:\\Maps;"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Registry settings;
        settings.folders({row.folder});
        cl_Manager manager(settings);
        manager.lastSaveFolder() = row.saveFolder;
        manager.addLastSaveFolder();
        manager.addLastSaveFolder();
        EXPECT_EQ(manager.folderList(), row.expected);
    }
}

TEST_F(Store, ExitWritesTheLastSaveFolderAndRegistersIt)
{
    registry.writeString(names::kFolderStrings, names::kLastSaveFolder, "/home/u/tours/");
    {
        cl_Manager manager(registry);
        EXPECT_EQ(manager.lastSaveFolder(), "/home/u/tours/");
        manager.lastSaveFolder() = "/home/u/walks/";
    }
    EXPECT_EQ(registry.text(names::kFolderStrings, names::kLastSaveFolder), "/home/u/walks/");
    EXPECT_EQ(registry.text(names::kFolder, "FolderId_00"), "/home/u/walks");
}

TEST_F(Store, AMapWithoutStoredStatusIsKeptUnreadAndUnlisted)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    registry.map(0, "Alps", stored("a.cal"), std::nullopt);
    {
        cl_Manager manager(registry);
        ASSERT_EQ(keys(manager.maps()), "Alps:-1");
        EXPECT_EQ(manager.maps().at("Alps")->found(), 0);
        EXPECT_EQ(manager.maps().at("Alps")->calPath(), "");
        manager.beginSheet();
        EXPECT_TRUE(manager.mapList().entries().empty());
    }
    EXPECT_EQ(registry.number(names::kMapStatus, "MapId_000"), -1);
    EXPECT_EQ(registry.text(names::kMapPath, "MapId_000"), "\\");
}

TEST_F(Store, UnreadableFilesAreDroppedAtLoadAndFromTheNextSave)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    dir.write("t.TXT", "53.05,9.05,0\n");
    registry.map(0, "Gone", stored("gone.cal"), 1);
    registry.map(1, "Alps", stored("a.cal"), 1);
    registry.tour(0, stored("missing.TXT"), 1);
    registry.tour(1, stored("t.TXT"), 0);
    {
        cl_Manager manager(registry);
        EXPECT_EQ(keys(manager.maps()), "Alps:1");
        ASSERT_EQ(manager.tours().size(), 1u);
        EXPECT_TRUE(manager.tours().contains("t"));
    }
    EXPECT_EQ(registry.number(names::kSettings, names::kMapCount), 1);
    EXPECT_EQ(registry.number(names::kSettings, names::kTourCount), 1);
    EXPECT_FALSE(registry.has(names::kTourPath, "TourId_001"));
}

TEST_F(Store, SavedAndLoadedAgainGivesTheSameLists)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    addMap("b.cal", {.name = "Bay", .west = 9.1, .east = 9.2});
    addMap("c.cal", {.name = "Coast", .west = 9.2, .east = 9.3});
    dir.write("Trip.2009.TXT", "53.05,9.05,0\n53.06,9.15,0\n");
    dir.write("Walk.TXT", "53.05,9.25,0\n");
    registry.map(0, "Coast", stored("c.cal"), 0);
    registry.map(1, "Alps", stored("a.cal"), 2);
    registry.map(2, "Bay", stored("b.cal"), 1);
    registry.tour(0, stored("Trip.2009.TXT"), 2);
    registry.tour(1, stored("Walk.TXT"), 0);

    const auto snapshot = [](cl_Manager& manager) {
        std::string text = manager.folderList() + " | " + keys(manager.maps()) + " |";
        for (const auto& [name, tour] : manager.tours())
            text += " " + name + ":" + std::to_string(tour->status()) + ":" + std::to_string(tour->getPointCount());
        return text;
    };
    std::string first;
    {
        cl_Manager manager(registry);
        first = snapshot(manager);
        // The registry name of Trip.2009.TXT ends at the first dot; a tour
        // stored as current is listed checked and none is current.
        EXPECT_EQ(first, toUtf8(dir.path()) + "; | Alps:2 Bay:1 Coast:0 | Trip:1:2 Walk:0:1");
        EXPECT_FALSE(manager.currentTour());
        ASSERT_TRUE(manager.selectedMap());
        EXPECT_EQ(manager.selectedMap()->mapName(), "Alps");
    }
    cl_Manager again(registry);
    EXPECT_EQ(snapshot(again), first);
    EXPECT_EQ(registry.text(names::kMapPath, "MapId_000"), stored("a.cal"));
}

TEST_F(Store, FindsTheFirstCheckedMapHoldingAPosition)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    addMap("b.cal", {.name = "Bay", .west = 9.1, .east = 9.2});
    addMap("c.cal", {.name = "Cove", .west = 9.1, .east = 9.2});
    registry.map(0, "Alps", stored("a.cal"), 2);
    registry.map(1, "Bay", stored("b.cal"), 0);
    registry.map(2, "Cove", stored("c.cal"), 1);
    cl_Manager manager(registry);

    const auto at = [](double lon, double lat) {
        cl_RefPoint point;
        point.setRefPoint(IPoint{1, 1}, DPoint{lon, lat});
        return point;
    };
    cl_RefPoint inAlps = at(9.05, 53.03);
    EXPECT_EQ(manager.findMapContaining(inAlps), manager.maps().at("Alps"));
    EXPECT_NEAR(inAlps.pixel.x, 100, 2);
    EXPECT_NEAR(inAlps.pixel.y, 100, 2);

    // Bay comes first but is unchecked; Cove covers the same ground.
    cl_RefPoint east = at(9.15, 53.03);
    EXPECT_EQ(manager.findMapContaining(east), manager.maps().at("Cove"));
    manager.markChecked(*manager.maps().at("Bay"));
    EXPECT_EQ(manager.findMapContaining(east), manager.maps().at("Bay"));

    cl_RefPoint nowhere = at(10.5, 53.03);
    nowhere.pixel = {-7, -7};
    EXPECT_FALSE(manager.findMapContaining(nowhere));
    EXPECT_EQ(nowhere.pixel.x, -7);
}

TEST_F(Store, DamagedValuesNeitherCrashNorStall)
{
    registry.folders({toUtf8(dir.path())});
    addMap("a.cal", {.name = "Alps"});
    addMap("b.cal", {.name = "Bay"});
    registry.map(0, "Alps", stored("a.cal"), 9);
    registry.map(1, "Bay", stored("b.cal"), std::nullopt);
    registry.writeString(names::kMapStatus, "MapId_001", "2");
    registry.writeInt(names::kSettings, names::kTourCount, 2147483647);

    const auto start = std::chrono::steady_clock::now();
    {
        cl_Manager manager(registry);
        EXPECT_EQ(keys(manager.maps()), "Alps:0 Bay:-1");
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(registry.number(names::kSettings, names::kTourCount), 0);
}

} // namespace
} // namespace rovanta
