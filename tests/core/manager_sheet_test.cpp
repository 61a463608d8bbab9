// Closing the manager sheet: which map the current tour lands on, and what
// reaches the store.
#include "manager/cl_manager.h"

#include "common/file_names.h"
#include "manager_fixture.h"
#include "map_files.h"
#include "resources/string_table.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

namespace rovanta {
namespace {
using test::listed;
using test::Registry;
using test::TempFolder;
using test::writeSampleMap;

// Three maps side by side from west to east (A, B, C) and an unchecked one
// (D) further east; tours are written as "lat,lon,0" lines.
struct FourMaps {
    FourMaps()
    {
        registry.folders({toUtf8(dir.path())});
        const char* names[] = {"A", "B", "C", "D"};
        const int statuses[] = {2, 1, 0, 0};
        for (int i = 0; i < 4; ++i) {
            const std::string file = std::string(names[i]) + ".cal";
            writeSampleMap(dir.path(), file, {.name = names[i], .west = 9.0 + 0.1 * i, .east = 9.1 + 0.1 * i});
            registry.map(i, names[i], "FolderId_00\\" + file, statuses[i]);
        }
    }

    cl_Manager& startWithTour(const std::string& points)
    {
        dir.write("Trip.TXT", points);
        registry.tour(0, "FolderId_00\\Trip.TXT", 1);
        manager = std::make_unique<cl_Manager>(registry);
        manager->beginSheet();
        manager->showPage(SheetPage::kTours);
        manager->tourList().show(0);
        return *manager;
    }

    TempFolder dir;
    Registry registry;
    test::ScriptedAnswerer answerer;
    std::unique_ptr<cl_Manager> manager;
};

class Sheet : public ::testing::Test, protected FourMaps {};

// OK: the first point, in tour order, on a listed checked or current map
// puts the tour on that very record, which the view then shows.
TEST(SheetOk, TheTourGoesOnTheListedMapHoldingIt)
{
    constexpr const char* kOnB = "53.03,9.15,0\n";
    struct Row {
        const char* name;
        const char* points;
        std::function<void(FourMaps&)> beforeStart;
        std::function<void(FourMaps&)> inSheet;
        const char* shownMap;
        bool placed;
    };
    const auto nothing = [](FourMaps&) {};
    const Row rows[] = {
        // Points 1 and 2 lie on the unchecked map C and on no map; point 3 on B.
        {"FirstPointOnACheckedMap", "53.03,9.25,0\n53.03,11.00,0\n53.03,9.15,0\n53.01,9.05,0\n", nothing, nothing, "B",
         true},
        {"OnNoCheckedMap", "53.03,9.25,0\n53.03,9.35,0\n", nothing, nothing, "A", false},
        {"RegisteredUnderAnotherName", kOnB, [](FourMaps& f) { f.registry.map(1, "Bee", "FolderId_00\\B.cal", 1); },
         nothing, "Bee", true},
        {"DeletedOnThePage", "53.03,9.15,0\n53.01,9.05,0\n", nothing,
         [](FourMaps& f) {
             f.answerer.answers = {kAnswerYes};
             f.manager->mapList().remove(1);
         },
         "A", true},
        {"DroppedBySearch", kOnB, nothing,
         [](FourMaps& f) {
             std::filesystem::remove(f.dir.path() / "B.cal");
             f.manager->mapList().search();
         },
         "A", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FourMaps f;
        row.beforeStart(f);
        cl_Manager& m = f.startWithTour(row.points);
        const TourRecord tour = m.currentTour();
        row.inSheet(f);
        f.answerer.shown.clear();
        m.finishWithOk();

        const MapRecord shown = m.maps().at(row.shownMap);
        EXPECT_EQ(m.selectedMap(), shown);
        EXPECT_EQ(shown->status(), kStatusCurrent);
        for (const auto& [name, map] : m.maps())
            EXPECT_TRUE(map == shown || map->status() != kStatusCurrent) << name;
        EXPECT_EQ(m.currentTour(), row.placed ? tour : nullptr);
        if (!row.placed) {
            ASSERT_EQ(f.answerer.shown.size(), 1u);
            EXPECT_EQ(f.answerer.shown[0].text, strings::kNoSelectedMapFound);
            EXPECT_EQ(f.answerer.shown[0].type, kMessageOk);
            continue;
        }
        EXPECT_TRUE(f.answerer.shown.empty());
        for (int i = 0; i < tour->getPointCount(); ++i) {
            cl_RefPoint expected = *tour->getPoint(i);
            static_cast<void>(shown->refPointToPixel(expected)); // off the map too
            EXPECT_EQ(tour->getPoint(i)->pixel.x, expected.pixel.x) << i;
            EXPECT_EQ(tour->getPoint(i)->pixel.y, expected.pixel.y) << i;
        }
    }
}

TEST_F(Sheet, OnlyPagesShownInTheRunCommitAndCancelKeepsTheirWork)
{
    manager = std::make_unique<cl_Manager>(registry);
    cl_Manager& m = *manager;
    writeSampleMap(dir.path(), "e.cal", {.name = "E"});

    m.beginSheet();
    m.mapList().search();
    m.finishWithCancel();
    EXPECT_FALSE(m.maps().contains("E"));

    // The folder text edited in a run that is not shown again is not taken.
    m.beginSheet();
    m.showPage(SheetPage::kFolders);
    m.folderPage().setFolderText("/elsewhere;");
    m.finishWithCancel();
    m.beginSheet();
    EXPECT_EQ(listed(m.mapList().entries()), "A:2 B:1 C:0 D:0 E:0");
    m.finishWithOk();
    EXPECT_TRUE(m.maps().contains("E"));
    EXPECT_EQ(m.folderList(), toUtf8(dir.path()) + ";");
}

TEST_F(Sheet, FolderPageAddApplyAndTheActionButton)
{
    manager = std::make_unique<cl_Manager>(registry);
    cl_Manager& m = *manager;
    cl_Folder& folders = m.folderPage();
    m.beginSheet();
    EXPECT_EQ(m.actionButton().caption, "Search");
    m.showPage(SheetPage::kFolders);
    EXPECT_EQ(m.actionButton().caption, "Apply");
    EXPECT_TRUE(m.actionButton().enabled);

    folders.setFolderText("");
    folders.add();
    EXPECT_EQ(folders.folderText(), "");
    folders.setCurrentPath("/data/maps/");
    folders.add();
    folders.add();
    EXPECT_EQ(folders.folderText(), "/data/maps;/data/maps;");
    folders.setCurrentPath("/");
    folders.add();
    EXPECT_EQ(folders.folderText(), "/data/maps;/data/maps;/;");

    folders.apply();
    EXPECT_FALSE(m.actionButton().enabled);
    m.finishWithCancel();
    EXPECT_EQ(m.folderList(), "/data/maps;/data/maps;/;");
    EXPECT_EQ(folders.lastSelectedFolder(), "/");
    manager.reset();
    EXPECT_EQ(registry.text(settings::kFolderStrings, settings::kLastSelectedFolder), "/");
    EXPECT_EQ(registry.number(settings::kSettings, settings::kFolderCount), 2);
}

TEST_F(Sheet, TheViewsMapSwitchSelectsTheNewMap)
{
    manager = std::make_unique<cl_Manager>(registry);
    cl_Manager& m = *manager;
    const MapRecord a = m.maps().at("A");
    const MapRecord b = m.maps().at("B");
    m.markChecked(*a);
    m.markCurrent(b);
    EXPECT_EQ(m.selectedMap(), b);
    EXPECT_EQ(a->status(), kStatusChecked);
    manager.reset();
    EXPECT_EQ(registry.number(settings::kMapStatus, "MapId_001"), kStatusCurrent);
}

} // namespace
} // namespace rovanta
