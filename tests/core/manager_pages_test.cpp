// The maps and tours pages on real folders: Search, the state icons, and
// the commands on one entry.
#include "manager/cl_manager.h"

#include "bmp_writer.h"
#include "common/file_names.h"
#include "manager_fixture.h"
#include "map_files.h"
#include "resources/string_table.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace rovanta {
namespace {
namespace fs = std::filesystem;
using test::listed;
using test::Registry;
using test::SampleMap;
using test::TempFolder;
using test::writeSampleMap;

class Pages : public ::testing::Test {
protected:
    Pages()
    {
        fs::create_directories(first);
        fs::create_directories(second);
        registry.folders({toUtf8(first), toUtf8(second)});
    }

    // The manager as a start with the registry finds it, the sheet open.
    cl_Manager& start()
    {
        manager = std::make_unique<cl_Manager>(registry);
        manager->beginSheet();
        return *manager;
    }
    cl_MapList& maps() { return manager->mapList(); }
    cl_TourList& tours() { return manager->tourList(); }
    int row(const auto& page, const std::string& name)
    {
        for (std::size_t i = 0; i < page.entries().size(); ++i) {
            if (page.entries()[i].text == name)
                return static_cast<int>(i);
        }
        ADD_FAILURE() << name << " not listed";
        return -1;
    }
    std::string storedFirst(const std::string& file) const { return "FolderId_00\\" + file; }

    TempFolder dir;
    fs::path first = dir.path() / "first";
    fs::path second = dir.path() / "second";
    Registry registry;
    test::ScriptedAnswerer answerer;
    test::ScriptedRenamePrompt renamer;
    std::unique_ptr<cl_Manager> manager;
};

TEST_F(Pages, MapSearchListsEachMapNameOnceFromItsFirstFile)
{
    writeSampleMap(first, "zz.cal", {.name = "Alps"});
    writeSampleMap(second, "aa.cal", {.name = "Alps"});
    writeSampleMap(second, "UPPER.CAL", {.name = "Harbour"});
    writeSampleMap(second, "shouting.cal", {.name = "ALPS"});
    writeSampleMap(second, "Nameless.cal", {});
    writeSampleMap(second, ".hidden.cal", {.name = "Hidden"});
    const std::string readOnly = writeSampleMap(second, "ro.cal", {.name = "Moor"});
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directories(second / "folder.cal");
    writeSampleMap(second / "folder.cal", "inner.cal", {.name = "Inner"});
    start();

    maps().search();
    EXPECT_EQ(listed(maps().entries()), "ALPS:0 Alps:0 Harbour:0 Moor:0 Nameless:0");
    EXPECT_EQ(maps().working().at("Alps")->calPath(), toUtf8(first / "zz.cal"));
    // The store learns of them only when the sheet closes with OK.
    EXPECT_TRUE(manager->maps().empty());
}

TEST_F(Pages, MapSearchDropsMapsGoneFromDiskButKeepsTheirHolders)
{
    const std::string gone = writeSampleMap(first, "gone.cal", {.name = "Gone"});
    writeSampleMap(first, "a.cal", {.name = "Alps"});
    registry.map(0, "Gone", storedFirst("gone.cal"), 2);
    registry.map(1, "Alps", storedFirst("a.cal"), 1);
    start();
    const MapRecord held = manager->selectedMap();
    ASSERT_TRUE(held);
    EXPECT_EQ(listed(maps().entries()), "Alps:1 Gone:2");

    fs::remove(gone);
    maps().search();
    EXPECT_EQ(listed(maps().entries()), "Alps:1");
    EXPECT_EQ(maps().currentIndex(), -1);
    EXPECT_EQ(held->mapName(), "Gone");
    manager->finishWithOk();
    EXPECT_EQ(manager->maps().size(), 1u);
}

TEST_F(Pages, MapSearchReadsAMapKeptUnread)
{
    writeSampleMap(first, "a.cal", {.name = "Alps"});
    registry.map(0, "Alps", storedFirst("a.cal"), std::nullopt);
    start();
    const MapRecord stored = manager->maps().at("Alps");
    ASSERT_EQ(stored->calPath(), "");

    maps().search();
    EXPECT_EQ(listed(maps().entries()), "Alps:0");
    EXPECT_EQ(maps().working().at("Alps"), stored);
    EXPECT_EQ(stored->calPath(), toUtf8(first / "a.cal"));
    maps().toggle(0);
    EXPECT_EQ(stored->status(), kStatusChecked);
    EXPECT_GT(stored->scale(), 0.0);
}

enum class Bitmap { kNone, kBmp, kPng, kCutShort };

struct CalFileRow {
    const char* name;
    std::string file;    ///< in sorted order, so the notice follows the table
    std::string mapName; ///< also names the bitmap; the file's whole text when empty
    std::string lines;   ///< behind the name and bitmap lines
    Bitmap bitmap;
    std::vector<std::string> problems; ///< notice lines behind the file's path
    bool listed;
};

/// A reference point line; '~' stands for the Latin-1 degree sign.
std::string refLine(std::string text)
{
    for (std::size_t at = text.find('~'); at != std::string::npos; at = text.find('~', at))
        text.replace(at, 1, "\xB0");
    return "REFERENCE_POINT: " + text + "\r\n";
}

std::string calendarOfFiftyLines()
{
    std::string text = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 48; ++i)
        text += "SUMMARY:Walk " + std::to_string(i) + "\r\n";
    return text + "END:VCALENDAR\r\n";
}

const std::string kSouthWest = refLine("(0,0) (9~0.0'E, 53~0.0'N)");
const std::string kNorthEast = refLine("(200,200) (9~6.0'E, 53~3.6'N)");

// One of every way a calibration file can fail, in one folder.
// clang-format off
const std::vector<CalFileRow> kCalFileRows = {
    {"Calendar", "a.cal", "", calendarOfFiftyLines(), Bitmap::kNone, {}, false},
    {"Binary", "b.cal", "", std::string("\x89PNG\r\n\x1a\n\0\0", 10), Bitmap::kNone, {}, false},
    {"Empty", "c.cal", "", "", Bitmap::kNone, {}, false},
    {"OneReferencePoint", "d.cal", "One", kSouthWest, Bitmap::kBmp, {": only one reference point"}, false},
    {"SamePixel", "e.cal", "Same", kSouthWest + refLine("(0,0) (9~6.0'E, 53~3.6'N)"), Bitmap::kBmp,
     {": both reference points on the same pixel"}, false},
    {"TooFarApart", "f.cal", "Far", refLine("(0,0) (3~0.0'E, 50~0.0'N)") + refLine("(5,5) (21~0.0'E, 50~0.0'N)"),
     Bitmap::kBmp, {": reference points too far apart or outside the UTM area"}, false},
    {"BitmapMissing", "g.cal", "Gone", kSouthWest + kNorthEast, Bitmap::kNone, {": bitmap not found: Gone.bmp"}, true},
    {"PngContent", "h.cal", "Png", kSouthWest + kNorthEast, Bitmap::kPng, {": bitmap format not supported"}, true},
    {"BitmapCutShort", "i.cal", "Cut", kSouthWest + kNorthEast, Bitmap::kCutShort,
     {": bitmap not readable: Cut.bmp"}, true},
    {"UnknownLineAndBadLetter", "j.cal", "Flawed",
     kSouthWest + "Datum: WGS84\r\n" + refLine("(200,200) (9~6.0'E, 53~3.6'Y)"), Bitmap::kBmp,
     {", line 4: Keyword Datum: WGS84 not found!", ", line 5: hemisphere letter Y is not N, E, O, S or W"}, true},
    {"Good", "k.cal", "Good", kSouthWest + kNorthEast, Bitmap::kBmp, {}, true},
};
// clang-format on

class BrokenCalFiles : public Pages {
protected:
    // Writes every row into the first folder; returns the one notice due.
    std::string writeRows()
    {
        std::string notice = "Problems in calibration files:";
        for (const CalFileRow& row : kCalFileRows) {
            const std::string text =
                row.mapName.empty() ? row.lines
                                    : "NAME: " + row.mapName + "\r\nFILENAME: " + row.mapName + ".bmp\r\n" + row.lines;
            const std::string cal = dir.write("first/" + row.file, text);
            const std::string bitmap = "first/" + row.mapName + ".bmp";
            if (row.bitmap == Bitmap::kBmp)
                test::writeBmp(dir.path() / bitmap, {.width = 200, .height = 200});
            else if (row.bitmap == Bitmap::kPng)
                dir.write(bitmap, std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
            else if (row.bitmap == Bitmap::kCutShort)
                dir.write(bitmap, "BM\x36");
            for (const std::string& problem : row.problems)
                notice += "\n" + cal + problem;
        }
        return notice;
    }
    static std::string listedRows()
    {
        std::vector<std::string> names;
        for (const CalFileRow& row : kCalFileRows) {
            if (row.listed)
                names.push_back(row.mapName);
        }
        std::ranges::sort(names);
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : " ") + name + ":0";
        return text;
    }
};

TEST_F(BrokenCalFiles, SearchListsEveryBrokenFileInOneNotice)
{
    const std::string notice = writeRows();
    start();
    maps().search();
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, notice);
    EXPECT_EQ(listed(maps().entries()), listedRows());
}

TEST_F(BrokenCalFiles, StartListsEveryBrokenRegisteredMapInOneNotice)
{
    const std::string notice = writeRows();
    for (std::size_t i = 0; i < kCalFileRows.size(); ++i)
        registry.map(static_cast<int>(i), kCalFileRows[i].name, storedFirst(kCalFileRows[i].file), 0);
    start();
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, notice);
    EXPECT_EQ(manager->maps().size(), 5u);
}

TEST_F(Pages, TourSearchNamesToursUpToTheLastDot)
{
    dir.write("first/Trip.TXT", "53.05,9.05,0\n");
    dir.write("second/Trip.2009.txt", "53.05,9.05,0\n53.06,9.06,0\n");
    dir.write("second/Trip.TXT", "53.05,9.05,0\n");
    dir.write("second/notes.text", "");
    fs::create_directories(second / "dir.TXT");
    start();

    tours().search();
    EXPECT_EQ(listed(tours().entries()), "Trip:0 Trip.2009:0");
    EXPECT_EQ(tours().working().at("Trip")->path(), toUtf8(first / "Trip.TXT"));
    EXPECT_EQ(tours().working().at("Trip.2009")->getPointCount(), 2);
}

TEST_F(Pages, TogglesCycleTheStateIcons)
{
    for (const char* name : {"a", "b", "c"}) {
        writeSampleMap(first, std::string(name) + ".cal", {.name = name});
        dir.write("first/" + std::string(name) + ".TXT", "53.05,9.05,0\n");
    }
    registry.map(0, "a", storedFirst("a.cal"), 0);
    registry.map(1, "b", storedFirst("b.cal"), 1);
    registry.map(2, "c", storedFirst("c.cal"), 2);
    registry.tour(0, storedFirst("a.TXT"), 0);
    registry.tour(1, storedFirst("b.TXT"), 1);
    registry.tour(2, storedFirst("c.TXT"), 1);
    start();
    manager->showPage(SheetPage::kTours);
    tours().show(row(tours(), "c"));
    ASSERT_EQ(tours().currentTour(), tours().working().at("c"));

    for (int i = 0; i < 3; ++i) {
        maps().toggle(i);
        tours().toggle(i);
    }
    EXPECT_EQ(listed(maps().entries()), "a:1 b:0 c:0");
    EXPECT_EQ(listed(tours().entries()), "a:1 b:0 c:0");
    EXPECT_EQ(manager->maps().at("c")->status(), kStatusUnchecked);
    EXPECT_FALSE(maps().selectedMap());
    EXPECT_FALSE(tours().currentTour());
    EXPECT_EQ(tours().currentIndex(), -1);
}

TEST_F(Pages, ShowMovesTheCurrentMarkAndAShownMapReleasesTheTour)
{
    writeSampleMap(first, "a.cal", {.name = "A"});
    writeSampleMap(first, "b.cal", {.name = "B"});
    dir.write("first/T1.TXT", "53.05,9.05,0\n");
    dir.write("first/T2.TXT", "53.05,9.05,0\n");
    registry.map(0, "A", storedFirst("a.cal"), 2);
    registry.map(1, "B", storedFirst("b.cal"), 0);
    registry.tour(0, storedFirst("T1.TXT"), 0);
    registry.tour(1, storedFirst("T2.TXT"), 0);
    start();
    manager->showPage(SheetPage::kTours);

    tours().show(0);
    tours().show(1);
    EXPECT_EQ(listed(tours().entries()), "T1:1 T2:2");
    EXPECT_EQ(tours().currentTour(), tours().working().at("T2"));

    maps().show(row(maps(), "B"));
    EXPECT_EQ(listed(maps().entries()), "A:1 B:2");
    EXPECT_EQ(manager->maps().at("A")->status(), kStatusChecked);
    EXPECT_FALSE(manager->currentTour());
    tours().refresh();
    EXPECT_EQ(listed(tours().entries()), "T1:1 T2:1");
}

TEST_F(Pages, RenamingATourMovesItsRemarksFile)
{
    dir.write("first/Trip.TXT", "53.05,9.05,0\n");
    dir.write("first/Trip.RMK", "Harbour\n");
    dir.write("first/Alps.TXT", "53.05,9.05,0\n");
    dir.write("first/Coast.TXT", "53.05,9.05,0\n");
    registry.tour(0, storedFirst("Trip.TXT"), 2);
    registry.tour(1, storedFirst("Alps.TXT"), 0);
    registry.tour(2, storedFirst("Coast.TXT"), 0);
    start();
    manager->showPage(SheetPage::kTours);

    renamer.choices = {"Alps1"};
    tours().rename(row(tours(), "Trip"));
    EXPECT_EQ(renamer.asked, std::vector<std::string>{"Trip"});
    EXPECT_TRUE(fs::exists(first / "Alps1.TXT"));
    EXPECT_TRUE(fs::exists(first / "Alps1.RMK"));
    EXPECT_FALSE(fs::exists(first / "Trip.TXT"));
    EXPECT_FALSE(fs::exists(first / "Trip.RMK"));
    EXPECT_EQ(listed(tours().entries()), "Alps:0 Alps1:0 Coast:0");
    const TourRecord renamed = tours().working().at("Alps1");
    EXPECT_EQ(renamed->name(), "Alps1");
    EXPECT_EQ(renamed->status(), kStatusChecked);
    EXPECT_EQ(tours().properties(row(tours(), "Alps1"))->body.substr(0, 6 + renamed->path().size()),
              "Path: " + toUtf8(first / "Alps1.TXT"));
    EXPECT_TRUE(answerer.shown.empty());

    // Refused: a file of that name, remarks of that name, another entry's
    // name, no name, a path.
    dir.write("first/Taken.TXT", "");
    dir.write("first/Stray.rmk", "");
    for (const char* refused : {"Taken", "Stray", "Coast", "coast", "", "../Escaped"}) {
        SCOPED_TRACE(refused);
        answerer.shown.clear();
        renamer.choices = {std::string(refused)};
        tours().rename(row(tours(), "Alps1"));
        ASSERT_EQ(answerer.shown.size(), 1u);
        EXPECT_EQ(answerer.shown[0].text, strings::kRenameNotPossible);
        EXPECT_TRUE(fs::exists(first / "Alps1.TXT") && fs::exists(first / "Alps1.RMK"));
        EXPECT_EQ(listed(tours().entries()), "Alps:0 Alps1:0 Coast:0");
    }
    EXPECT_FALSE(fs::exists(dir.path() / "Escaped.TXT"));
    EXPECT_EQ(test::readBytes(first / "Taken.TXT"), "");
}

TEST_F(Pages, RenamingAMapRewritesItsFileAndItsOwnName)
{
    writeSampleMap(first, "a.cal", {.name = "Alps"});
    writeSampleMap(first, "b.cal", {.name = "Bay"});
    registry.map(0, "Alps", storedFirst("a.cal"), 2);
    registry.map(1, "Bay", storedFirst("b.cal"), 1);
    start();

    for (const char* refused : {"", "bay", "\x01"}) {
        renamer.choices = {std::string(refused)};
        maps().rename(row(maps(), "Alps"));
    }
    EXPECT_EQ(listed(maps().entries()), "Alps:2 Bay:1");
    renamer.choices = {"Al\tpen"}; // listed as the file keeps it
    maps().rename(row(maps(), "Alps"));
    EXPECT_EQ(listed(maps().entries()), "Alpen:0 Bay:1");
    EXPECT_TRUE(answerer.shown.empty());

    const MapRecord alpen = maps().working().at("Alpen");
    EXPECT_EQ(alpen->status(), kStatusCurrent);
    EXPECT_EQ(alpen->mapName(), "Alpen");
    cl_Map reread;
    std::string name;
    ASSERT_TRUE(reread.loadCalFile(toUtf8(first / "a.cal"), name));
    EXPECT_EQ(name, "Alpen");

    // The renamed entry still counts as the current one when another is
    // shown, and selecting its record finds it.
    maps().show(row(maps(), "Bay"));
    EXPECT_EQ(listed(maps().entries()), "Alpen:1 Bay:2");
    EXPECT_EQ(alpen->status(), kStatusChecked);
    maps().selectRecord(alpen);
    EXPECT_EQ(listed(maps().entries()), "Alpen:2 Bay:1");
}

TEST_F(Pages, DeleteAsksAndLeavesTheFiles)
{
    const std::string cal = writeSampleMap(first, "a.cal", {.name = "Alps"});
    dir.write("first/Trip.TXT", "53.05,9.05,0\n");
    registry.map(0, "Alps", storedFirst("a.cal"), 2);
    registry.tour(0, storedFirst("Trip.TXT"), 0);
    start();
    manager->showPage(SheetPage::kTours);
    tours().show(0);

    answerer.answers = {kAnswerNo, kAnswerYes, kAnswerYes};
    maps().remove(0);
    EXPECT_EQ(listed(maps().entries()), "Alps:2");
    maps().remove(0);
    tours().remove(0);
    EXPECT_EQ(answerer.shown[0].type, kMessageYesNo);
    EXPECT_EQ(answerer.shown[0].text, "You will delete the Map Name Alps from the Maps List (the Map and the Cal-File "
                                      "will not be deleted)! Continue?");
    EXPECT_EQ(answerer.shown[2].text,
              "You will delete the Tour Name Trip from the Tour List (not the Tur-File itself)! Continue?");
    EXPECT_TRUE(maps().entries().empty());
    EXPECT_EQ(maps().currentIndex(), -1);
    EXPECT_FALSE(tours().currentTour());
    EXPECT_TRUE(fs::exists(cal));
    EXPECT_TRUE(fs::exists(first / "Trip.TXT"));
}

TEST_F(Pages, PropertiesDescribeTheFiles)
{
    writeSampleMap(first, "a.cal", {.name = "Alps", .width = 301, .height = 100});
    dir.write("first/Trip.TXT", "53.05,9.05,0\n");
    writeSampleMap(first, "b.cal", {.name = "Blank"});
    fs::remove(first / "b.bmp");
    registry.map(0, "Alps", storedFirst("a.cal"), 0);
    registry.map(1, "Blank", storedFirst("b.cal"), 0);
    registry.tour(0, storedFirst("Trip.TXT"), 0);
    const std::chrono::sys_seconds march7 =
        std::chrono::sys_days{std::chrono::March / 7 / 2008} + std::chrono::hours(12);
    fs::last_write_time(first / "a.bmp", fs::file_time_type::clock::from_sys(march7));
    fs::last_write_time(first / "Trip.TXT", fs::file_time_type::clock::from_sys(march7));
    start();
    manager->showPage(SheetPage::kTours);

    // 301 pixels of 3 bytes, padded to 904 bytes a row, plus 54 header bytes.
    const PropertiesText map = *maps().properties(0);
    EXPECT_EQ(map.caption, "Alps");
    EXPECT_EQ(map.body, "Path: " + toUtf8(first / "a.bmp") +
                            "\nDate:   07.03.2008\nWidth:  301\nHeight: 100\nSize:   88 kB\nColor:  24 bpp\n"
                            "System: UTM zone 32 (WGS 84), two-point calibration\nScale:  29.83 m per pixel\n");
    EXPECT_EQ(maps().properties(1)->body, "Path: " + toUtf8(first / "b.bmp") +
                                              "\nFile not found!\nSystem: UTM zone 32 (WGS 84), two-point "
                                              "calibration\nScale:  33.45 m per pixel\n");
    EXPECT_EQ(tours().properties(0)->body,
              "Path: " + toUtf8(first / "Trip.TXT") + "\nDate:   07.03.2008\nSize:   13 Bytes\n");
    EXPECT_FALSE(maps().properties(5));
}

TEST_F(Pages, NewTourIsReusedEmptyAndCurrent)
{
    dir.write("first/Trip.TXT", "53.05,9.05,0\n");
    registry.tour(0, storedFirst("Trip.TXT"), 0);
    start();
    manager->showPage(SheetPage::kTours);
    tours().show(0);

    const TourRecord fresh = tours().newTour();
    EXPECT_EQ(fresh->name(), "New Tour");
    EXPECT_EQ(fresh->path(), "");
    EXPECT_EQ(tours().working().at("Trip")->status(), kStatusChecked);
    fresh->addPoint(cl_RefPoint());

    const TourRecord again = tours().newTour();
    EXPECT_EQ(again, fresh);
    EXPECT_EQ(again->getPointCount(), 0);
    EXPECT_EQ(manager->currentTour(), again);
    tours().refresh();
    EXPECT_EQ(tours().currentTour(), again);
    EXPECT_EQ(listed(tours().entries()), "New Tour:2 Trip:1");

    tours().releaseCurrentTour();
    EXPECT_FALSE(manager->currentTour());
    EXPECT_EQ(again->status(), kStatusChecked);
}

} // namespace
} // namespace rovanta
