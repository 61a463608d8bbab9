// Editing the tour with the mouse, the popup and the Tour menu, on two maps
// side by side, through a stand-in for the map view.
#include "editing/tour_editor.h"

#include "common/file_names.h"
#include "editing/tour_commands.h"
#include "editing/view_layout.h"
#include "map_files.h"
#include "memory_settings.h"
#include "point_compare.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

namespace rovanta {
namespace {

using namespace commands;

// The view's layout and scrolling without a window: a 300 x 300 window,
// scroll positions unclamped.
class FakeView : public EditorView {
public:
    explicit FakeView(cl_Manager& manager) : manager_(manager) {}

    IPoint scrollPosition() const override { return scroll; }
    void scrollTo(IPoint canvas) override { scroll = canvas; }
    void zoomAt(double factor, IPoint canvas) override
    {
        scroll = centringScroll(canvas, kWindow);
        if (layout.zoomBy(factor))
            scroll = zoomedScroll(factor, kWindow, scroll);
    }
    IPoint windowToPixel(IPoint canvas) const override { return layout.windowToPixel(canvas); }
    IPoint pixelToWindow(IPoint pixel) const override { return layout.pixelToWindow(pixel); }
    MapRecord currentMap() const override { return map; }
    void loadMapBitmap() override
    {
        if (!manager_.selectedMap())
            return;
        map = manager_.selectedMap();
        const BitmapInfo info = map->getBitmapInfo();
        layout.reset({info.width, info.height});
        scroll = centredScroll(layout, kWindow);
    }
    void redraw() override {}
    void setClearBackground() override { ++clearBackgrounds; }
    void refreshDistances() override { ++refreshes; }
    void openDistances(const TourRecord& tour) override { distances = tour; }

    static constexpr ISize kWindow{300, 300};
    ViewLayout layout;
    IPoint scroll{0, 0};
    MapRecord map;
    int clearBackgrounds = 0;
    int refreshes = 0;
    TourRecord distances;

private:
    cl_Manager& manager_;
};

class Menus : public MenuStates {
public:
    void setMenuEnabled(int id, bool enabled) override { states[id] = enabled; }
    bool isMenuEnabled(int id) const override { return states.at(id); }
    void setMenuText(int id, std::string_view text) override { texts[id] = text; }
    std::map<int, bool> states;
    std::map<int, std::string> texts;
};

// West covers 9.0-9.1 degrees east, East 9.1-9.2, both 53.0-53.06 north on
// 200 x 200 pixels; West is current, East checked.
struct TwoMaps {
    TwoMaps()
    {
        test::writeSampleMap(dir.path(), "West.cal", {.name = "West", .west = 9.0, .east = 9.1});
        test::writeSampleMap(dir.path(), "East.cal", {.name = "East", .west = 9.1, .east = 9.2});
        test::registerMaps(settings, dir.path(), {{"West.cal", "West", 2}, {"East.cal", "East", 1}});
    }
    test::TempFolder dir;
    test::MemorySettings settings;
};

// The Tour menu and the editor on TwoMaps, West shown.
struct Desk : TwoMaps {
    Desk()
    {
        view.loadMapBitmap();
        commands.setInitialMenuStates();
    }

    /// The window position showing map pixel `pixel` now.
    IPoint client(IPoint pixel) const
    {
        const IPoint canvas = view.pixelToWindow(pixel);
        return {canvas.x - view.scroll.x, canvas.y - view.scroll.y};
    }
    TourRecord startTour(const std::vector<IPoint>& pixels)
    {
        commands.newTour();
        for (const IPoint pixel : pixels)
            editor.doubleClick(client(pixel), tick());
        return manager.currentTour();
    }
    /// A time well apart from every earlier event's.
    EventTime tick() { return clock += 10'000; }

    cl_Manager manager{settings};
    FakeView view{manager};
    Menus menus;
    TourEditor editor{manager, view, menus};
    TourCommands commands{manager, editor, view, menus};
    EventTime clock = 0;
};

class ViewEditing : public ::testing::Test, protected Desk {
protected:
    IPoint pixelOf(int index) { return manager.currentTour()->getPoint(index)->pixel; }
    void mark(IPoint pixel)
    {
        editor.rightClick(client(pixel));
        editor.popupClosed();
    }

    test::ScriptedAnswerer answerer;
    test::ScriptedSavePrompt savePrompt;
};

TEST_F(ViewEditing, DoubleClicksAddPointsAtTheClickedPixel)
{
    // Without a tour a double click starts one at the click, as New Tour
    // does, but leaves the view where it is.
    editor.doubleClick(client({50, 60}), tick());
    ASSERT_TRUE(manager.currentTour());
    EXPECT_EQ(manager.currentTour()->getPointCount(), 1);
    EXPECT_EQ(view.clearBackgrounds, 0) << "no jump to the first point";
    EXPECT_FALSE(menus.states[kNewTour]);
    EXPECT_TRUE(menus.states[kSaveTour]);
    EXPECT_TRUE(commands.unsavedTour());
    commands.clearTour();
    view.refreshes = 0;

    const TourRecord tour = startTour({{50, 60}, {0, 0}, {200, 200}});
    ASSERT_EQ(tour->getPointCount(), 3);
    EXPECT_EQ(pixelOf(0), (IPoint{50, 60}));
    EXPECT_EQ(pixelOf(1), (IPoint{0, 0}));
    EXPECT_EQ(pixelOf(2), (IPoint{200, 200})) << "the far edges belong to the map";
    EXPECT_TRUE(menus.states[kDeleteLastPoint]);
    EXPECT_EQ(view.refreshes, 4) << "the table follows every added point, and New Tour";

    // A double click on an existing point, none marked, adds another there.
    editor.doubleClick(client({50, 60}), tick());
    EXPECT_EQ(tour->getPointCount(), 4);
}

TEST_F(ViewEditing, RightClickMarksThePointForItsPopupOnly)
{
    startTour({{100, 100}});
    editor.rightClick(client({104, 95}));
    EXPECT_TRUE(editor.pointMarked()) << "inside the 10 x 10 hit square";
    EXPECT_EQ(editor.markedPosition(), view.pixelToWindow({100, 100}));
    for (const int id : {kDeleteThisPoint, kMoveThisPoint, kInsertBeforeThis})
        EXPECT_TRUE(menus.states[id]);
    editor.popupClosed();
    for (const int id : {kDeleteThisPoint, kMoveThisPoint, kInsertBeforeThis})
        EXPECT_FALSE(menus.states[id]);
    EXPECT_TRUE(editor.pointMarked()) << "the mark outlives the popup";

    editor.rightClick(client({105, 100}));
    EXPECT_FALSE(editor.pointMarked()) << "just outside the square";
    EXPECT_FALSE(menus.states[kMoveThisPoint]);
}

TEST_F(ViewEditing, DraggingAMarkedPointMovesIt)
{
    startTour({{50, 50}, {150, 150}});
    mark({50, 50});
    // The press may grab another point than the marked one.
    editor.leftPress(client({150, 150}), tick());
    EXPECT_TRUE(editor.draggingPoint());
    const IPoint before = view.scroll;
    editor.leftDrag(client({120, 80}));
    EXPECT_EQ(view.scroll, before) << "a marked point keeps the map still";
    editor.leftRelease(client({120, 80}));
    EXPECT_EQ(pixelOf(1), (IPoint{120, 80}));
    EXPECT_EQ(pixelOf(0), (IPoint{50, 50}));
    EXPECT_FALSE(editor.pointMarked());
    EXPECT_TRUE(editor.justMoved());
}

TEST_F(ViewEditing, OnlyTheDropsOwnDoubleClickIsSwallowed)
{
    struct Row {
        const char* name;
        EventTime interval;   ///< the platform's
        EventTime afterPress; ///< from the drag's press to the double click
        bool pressBetween;    ///< another click came first
        int points;
    };
    const Row rows[] = {
        {"within the interval", 500, 499, false, 2},      {"at the interval", 500, 500, false, 3},
        {"within a longer interval", 900, 800, false, 2}, {"beyond a shorter interval", 200, 300, false, 3},
        {"minutes later", 500, 300'000, false, 3},        {"after another press", 500, 100, true, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TourRecord tour = startTour({{50, 50}, {150, 150}});
        editor.setDoubleClickInterval(row.interval);
        mark({150, 150});
        const EventTime pressed = tick();
        editor.leftPress(client({150, 150}), pressed);
        editor.leftRelease(client({120, 80}));
        if (row.pressBetween) {
            editor.leftPress(client({120, 80}), pressed + 50);
            editor.leftRelease(client({120, 80}));
        }
        editor.doubleClick(client({120, 80}), pressed + row.afterPress);
        EXPECT_EQ(tour->getPointCount(), row.points);
        EXPECT_FALSE(editor.justMoved());
    }
}

TEST_F(ViewEditing, DraggingWithoutAMarkPans)
{
    const TourRecord tour = startTour({{50, 50}});
    const IPoint start = view.scroll;
    editor.leftPress({100, 100}, tick());
    editor.leftDrag({130, 90});
    EXPECT_EQ(view.scroll, (IPoint{start.x - 30, start.y + 10})) << "the canvas point follows the mouse";
    editor.leftRelease({130, 90});
    EXPECT_FALSE(editor.justMoved());

    // Pressing on a point without a mark pans too, and moves nothing.
    editor.leftPress(client({50, 50}), tick());
    editor.leftDrag({0, 0});
    editor.leftRelease({0, 0});
    EXPECT_EQ(pixelOf(0), (IPoint{50, 50}));
    EXPECT_FALSE(editor.justMoved());
}

TEST_F(ViewEditing, MoveAndInsertModesActOnTheNextPress)
{
    const TourRecord tour = startTour({{50, 50}, {150, 150}});
    editor.rightClick(client({150, 150}));
    editor.popupClosed();
    EXPECT_TRUE(editor.onPopupCommand(kMoveThisPoint));
    // No bounds test: the point may leave the bitmap.
    const int refreshes = view.refreshes;
    editor.leftPress(client({-30, 250}), tick());
    EXPECT_EQ(view.refreshes, refreshes + 1) << "the table shows the moved point";
    editor.leftRelease(client({-30, 250}));
    EXPECT_EQ(pixelOf(1), (IPoint{-30, 250}));
    EXPECT_FALSE(editor.moveMode());

    editor.rightClick(client({50, 50}));
    editor.popupClosed();
    editor.onPopupCommand(kInsertBeforeThis);
    editor.leftPress(client({10, 20}), tick());
    editor.leftRelease(client({10, 20}));
    ASSERT_EQ(tour->getPointCount(), 3);
    EXPECT_EQ(pixelOf(0), (IPoint{10, 20}));
    EXPECT_EQ(pixelOf(1), (IPoint{50, 50}));
    EXPECT_EQ(tour->getRemarks().size(), 3u);

    // Both chosen before a press: that press moves, the next one inserts.
    mark({50, 50});
    editor.onPopupCommand(kInsertBeforeThis);
    editor.onPopupCommand(kMoveThisPoint);
    editor.leftPress(client({20, 30}), tick());
    editor.leftRelease(client({20, 30}));
    EXPECT_EQ(pixelOf(1), (IPoint{20, 30}));
    EXPECT_TRUE(editor.insertMode());
    EXPECT_FALSE(editor.moveMode());
    editor.leftPress(client({5, 5}), tick());
    editor.leftRelease(client({5, 5}));
    ASSERT_EQ(tour->getPointCount(), 4);
    EXPECT_EQ(pixelOf(1), (IPoint{5, 5}));
    EXPECT_FALSE(editor.insertMode());
}

TEST_F(ViewEditing, APendingModeNeverTouchesARemovedPoint)
{
    const TourRecord tour = startTour({{50, 50}, {150, 150}});
    mark({150, 150});
    editor.onPopupCommand(kMoveThisPoint);
    editor.rightClick(client({150, 150}));
    editor.popupClosed();
    editor.onPopupCommand(kDeleteThisPoint);
    ASSERT_EQ(tour->getPointCount(), 1);
    EXPECT_FALSE(editor.pointMarked());
    editor.leftPress(client({100, 100}), tick());
    EXPECT_EQ(pixelOf(0), (IPoint{50, 50}));

    mark({50, 50});
    editor.onPopupCommand(kInsertBeforeThis);
    editor.onPopupCommand(kDeleteLastPoint);
    EXPECT_FALSE(menus.states[kDeleteLastPoint]) << "no point left";
    editor.leftPress(client({100, 100}), tick());
    EXPECT_EQ(tour->getPointCount(), 0);

    // Nor a point of a tour that New Tour emptied.
    editor.doubleClick(client({70, 70}), tick());
    mark({70, 70});
    editor.onPopupCommand(kMoveThisPoint);
    commands.newTour();
    editor.leftPress(client({70, 70}), tick());
    EXPECT_EQ(tour->getPointCount(), 0);
}

TEST_F(ViewEditing, APointOffTheMapMovesToTheCheckedMapHoldingIt)
{
    const TourRecord tour = startTour({{100, 100}, {190, 100}});
    const MapRecord west = view.map;
    editor.doubleClick(client({210, 100}), tick());

    ASSERT_EQ(view.map->mapName(), "East");
    EXPECT_EQ(west->status(), kStatusChecked);
    EXPECT_EQ(view.map->status(), kStatusCurrent);
    ASSERT_EQ(tour->getPointCount(), 3);
    // Every point now carries its pixel on East, some 200 pixels further
    // west, and the window is centred on the new point.
    for (int i = 0; i < 3; ++i) {
        cl_RefPoint copy = *tour->getPoint(i);
        static_cast<void>(view.map->refPointToPixel(copy)); // off the map too
        EXPECT_EQ(pixelOf(i), copy.pixel) << i;
    }
    EXPECT_NEAR(pixelOf(0).x, -100, 2);
    EXPECT_NEAR(pixelOf(2).x, 10, 2);
    const IPoint centre = view.pixelToWindow(pixelOf(2));
    EXPECT_EQ(view.scroll, (IPoint{centre.x - 150, centre.y - 150}));

    // Next Map from there finds West again for a click on its side.
    editor.rightClick(client({-50, 100}));
    editor.popupClosed();
    editor.onPopupCommand(kNextMap);
    EXPECT_EQ(view.map->mapName(), "West");
    EXPECT_NEAR(pixelOf(2).x, 210, 2);
}

TEST_F(ViewEditing, APointOffEveryMapStaysOffTheBitmap)
{
    const TourRecord tour = startTour({{100, 100}});
    editor.doubleClick(client({100, 260}), tick());
    EXPECT_EQ(view.map->mapName(), "West");
    ASSERT_EQ(tour->getPointCount(), 2);
    EXPECT_EQ(pixelOf(1), (IPoint{100, 260}));
}

TEST_F(ViewEditing, PopupZoomCentresTheClick)
{
    startTour({});
    editor.rightClick(client({20, 30}));
    editor.popupClosed();
    editor.onPopupCommand(kZoomInHere);
    EXPECT_DOUBLE_EQ(view.layout.zoom(), 1.25);
    const IPoint centre = view.windowToPixel({view.scroll.x + 150, view.scroll.y + 150});
    EXPECT_NEAR(centre.x, 20, 1);
    EXPECT_NEAR(centre.y, 30, 1);
    editor.onPopupCommand(kAddPointCenter);
    EXPECT_EQ(pixelOf(0), (IPoint{20, 30}));
    EXPECT_FALSE(editor.onPopupCommand(kSaveTour));
}

// The Tour menu.

TEST_F(ViewEditing, MenusFollowNewClearAndManager)
{
    EXPECT_FALSE(menus.states[kAddPointCenter]);
    EXPECT_TRUE(menus.states[kNextMap]);
    EXPECT_FALSE(menus.states[kSaveTour]);
    commands.newTour();
    for (const int id : {kAddPointCenter, kDeleteLastPoint, kSaveTour, kTourDistances, kClearTour})
        EXPECT_TRUE(menus.states[id]) << id;
    EXPECT_FALSE(menus.states[kNewTour]);
    EXPECT_FALSE(commands.tourSaved());

    commands.onCommand(kClearTour);
    EXPECT_FALSE(manager.currentTour());
    EXPECT_TRUE(commands.tourSaved());
    EXPECT_TRUE(menus.states[kNewTour]);
    for (const int id : {kSaveTour, kTourDistances, kClearTour})
        EXPECT_FALSE(menus.states[id]) << id;
    EXPECT_TRUE(answerer.shown.empty()) << "Clear asks nothing";

    commands.onCommand(kTourDistances);
    EXPECT_FALSE(view.distances) << "no tour, no table";
}

TEST_F(ViewEditing, NewTourAsksAboutAnUnsavedTour)
{
    const TourRecord first = startTour({{10, 10}});
    answerer.answers = {kAnswerNo};
    commands.newTour();
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, "Last Tour is not saved! Would you save it?");
    EXPECT_EQ(manager.currentTour(), first) << "the same record, emptied";
    EXPECT_EQ(first->getPointCount(), 0);

    editor.doubleClick(client({10, 10}), tick());
    answerer.answers = {kAnswerYes};
    const std::string file = dir.file("Trip.TXT");
    savePrompt.choices = {file};
    commands.newTour();
    EXPECT_TRUE(std::filesystem::exists(toFsPath(file)));
    EXPECT_FALSE(manager.currentTour()) << "Yes saves and starts nothing";
    EXPECT_FALSE(menus.states[kAddPointCenter]);
    EXPECT_FALSE(menus.states[kDeleteLastPoint]);
    EXPECT_TRUE(menus.states[kNewTour]);
    EXPECT_EQ(manager.lastSaveFolder(), toUtf8(dir.path()) + std::string(1, '/'));
}

TEST_F(ViewEditing, ATourThatWasNotWrittenStaysBeingEdited)
{
    const TourRecord tour = startTour({{10, 10}});
    const std::map<int, bool> before = menus.states;

    savePrompt.choices = {std::nullopt};
    EXPECT_FALSE(commands.saveTour()) << "cancelled";
    dir.write("Trip.TXT", "kept\n");
    savePrompt.choices = {dir.file("Trip.TXT")};
    answerer.answers = {kAnswerNo};
    EXPECT_FALSE(commands.saveTour()) << "overwrite declined";
    savePrompt.choices = {toUtf8(dir.path() / "missing" / "Trip.TXT")};
    EXPECT_FALSE(commands.saveTour()) << "not writable";

    EXPECT_EQ(manager.currentTour(), tour);
    EXPECT_EQ(tour->getPointCount(), 1);
    EXPECT_FALSE(commands.tourSaved());
    EXPECT_EQ(menus.states, before);
    EXPECT_EQ(test::readBytes(dir.path() / "Trip.TXT"), "kept\n");

    savePrompt.choices = {dir.file("Other.TXT")};
    EXPECT_TRUE(commands.saveTour());
    EXPECT_FALSE(manager.currentTour());
    EXPECT_EQ(tour->status(), kStatusChecked);
    EXPECT_TRUE(menus.states[kNewTour]);
    EXPECT_FALSE(menus.states[kSaveTour]);
    EXPECT_FALSE(menus.states[kTourDistances]);
    EXPECT_TRUE(commands.tourSaved());
}

TEST_F(ViewEditing, ClosingOffersToSaveTheEditedTour)
{
    EXPECT_TRUE(commands.queryClose());
    startTour({});
    EXPECT_TRUE(commands.queryClose()) << "an empty tour is not asked about";
    editor.doubleClick(client({10, 10}), tick());
    answerer.answers = {kAnswerYes};
    savePrompt.choices = {std::nullopt};
    EXPECT_FALSE(commands.queryClose()) << "the save was cancelled, so the program stays";
    answerer.answers = {kAnswerNo};
    EXPECT_TRUE(commands.queryClose());
    EXPECT_EQ(answerer.shown.size(), 2u);
}

TEST_F(ViewEditing, ManagerOkTakesUpTheSheetsTour)
{
    startTour({{10, 10}});
    commands.clearTour();
    const auto showFirstTour = [this] {
        manager.beginSheet();
        manager.showPage(SheetPage::kTours);
        manager.tourList().show(0);
    };
    showFirstTour();
    manager.finishWithCancel();
    commands.managerClosed(false);
    EXPECT_FALSE(menus.states[kSaveTour]) << "Cancel changes no menu";
    showFirstTour();
    manager.finishWithOk();
    commands.managerClosed(true);
    EXPECT_TRUE(menus.states[kSaveTour]);
    EXPECT_TRUE(menus.states[kClearTour]);
    EXPECT_FALSE(menus.states[kNewTour]);
    EXPECT_GT(view.clearBackgrounds, 2);
    EXPECT_TRUE(commands.tourSaved()) << "a tour from the sheet is not new";
    commands.onCommand(kTourDistances);
    EXPECT_EQ(view.distances, manager.currentTour());
}

// The tour New Tour started, with its point on West unless a row says
// otherwise, through one run of the sheet.
TEST(ManagerSheetRun, NeverDropsAnUnsavedTourUnasked)
{
    enum Close { kOk, kCancel };
    const std::vector<IPoint> onWest{{10, 10}};
    constexpr std::string_view kAsked = "Last Tour is not saved! Would you save it?";
    constexpr std::string_view kNoMap = strings::kNoSelectedMapFound;
    // The maps page lists East, then West.
    const auto showEast = [](Desk& d) { d.manager.mapList().show(0); };
    const auto uncheckWest = [](Desk& d) { d.manager.mapList().toggle(1); };
    const auto showAnotherTour = [](Desk& d) {
        d.dir.write("Trip.TXT", "53.03,9.05,0\n");
        d.manager.showPage(SheetPage::kTours);
        d.manager.tourList().search();
        d.manager.tourList().show(0);
    };
    struct Row {
        const char* name;
        std::vector<IPoint> points;
        std::function<void(Desk&)> inSheet;
        Close close;
        std::deque<int> answers;
        /// The file a Yes saves to, under the maps' folder; else cancelled.
        std::optional<std::string> saveAs;
        std::vector<std::string_view> shown;
        bool keepsTour;
    };
    const Row rows[] = {
        {"AnotherTourShownThenNo", onWest, showAnotherTour, kOk, {kAnswerNo}, {}, {kAsked}, false},
        {"AnotherMapShownThenYes", onWest, showEast, kOk, {kAnswerYes}, "Kept.TXT", {kAsked}, false},
        {"CancelledSaveKeepsTheSheetOpen", onWest, showEast, kOk, {kAnswerYes}, {}, {kAsked}, true},
        {"NoListedMapHoldsIt", onWest, uncheckWest, kOk, {}, {}, {kAsked, kNoMap}, false},
        {"KeptTourIsNotAsked", onWest, [](Desk&) {}, kOk, {}, {}, {}, true},
        {"EmptyTourIsNotAsked", {}, showEast, kOk, {}, {}, {}, false},
        {"CancelAfterAnotherMap", onWest, showEast, kCancel, {}, {}, {}, true},
        {"CancelAfterAnotherTour", onWest, showAnotherTour, kCancel, {}, {}, {}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Desk d;
        test::ScriptedAnswerer answerer;
        test::ScriptedSavePrompt savePrompt;
        const TourRecord tour = d.startTour(row.points);
        answerer.answers = row.answers;
        savePrompt.choices = {row.saveAs ? std::optional(d.dir.file(*row.saveAs)) : std::nullopt};
        d.manager.beginSheet();
        row.inSheet(d);
        const bool ok = row.close == kOk && d.manager.confirmOk();
        if (ok)
            d.manager.finishWithOk();
        else
            d.manager.finishWithCancel();
        d.commands.managerClosed(ok);

        std::vector<std::string_view> shown;
        for (const test::ShownMessage& message : answerer.shown)
            shown.push_back(message.text);
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(std::filesystem::exists(d.dir.path() / "Kept.TXT"), row.saveAs.has_value());
        const TourRecord current = d.manager.currentTour();
        EXPECT_EQ(current == tour, row.keepsTour);
        EXPECT_EQ(d.commands.tourSaved(), !row.keepsTour) << "only New Tour's own tour waits to be saved";
        if (row.keepsTour) {
            EXPECT_EQ(tour->status(), kStatusCurrent);
            const auto listed = d.manager.tourList().working().find(tour->name());
            EXPECT_TRUE(listed != d.manager.tourList().working().end() && listed->second == tour);
        }
        EXPECT_EQ(d.menus.states[kNewTour], !current);
        for (const int id : {kSaveTour, kTourDistances, kClearTour})
            EXPECT_EQ(d.menus.states[id], current != nullptr) << id;
    }
}

// Undo and redo after edits of every kind on the tour New Tour started
// with the row's points on West; pixels are on the map shown at the end.
TEST(TourHistoryRun, UndoAndRedoBringBackTheTourAndItsMap)
{
    using Act = std::function<void(Desk&)>;
    const auto add = [](IPoint pixel) { return [pixel](Desk& d) { d.editor.doubleClick(d.client(pixel), d.tick()); }; };
    const auto mark = [](Desk& d, IPoint pixel) {
        d.editor.rightClick(d.client(pixel));
        d.editor.popupClosed();
    };
    const auto drag = [mark](IPoint from, IPoint to) {
        return [=](Desk& d) {
            mark(d, from);
            d.editor.leftPress(d.client(from), d.tick());
            d.editor.leftRelease(d.client(to));
        };
    };
    const auto insertBefore = [mark](IPoint at, IPoint pixel) {
        return [=](Desk& d) {
            mark(d, at);
            d.editor.onPopupCommand(kInsertBeforeThis);
            d.editor.leftPress(d.client(pixel), d.tick());
            d.editor.leftRelease(d.client(pixel));
        };
    };
    const auto deleteThis = [mark](IPoint at) {
        return [=](Desk& d) {
            mark(d, at);
            d.editor.onPopupCommand(kDeleteThisPoint);
        };
    };
    const auto command = [](int id) { return [id](Desk& d) { d.commands.onCommand(id); }; };
    const Act undo = command(kUndo);
    const Act redo = command(kRedo);
    const Act deleteLast = [](Desk& d) { d.editor.onPopupCommand(kDeleteLastPoint); };
    const Act nextMap = [mark](Desk& d) {
        mark(d, {210, 100});
        d.editor.onPopupCommand(kNextMap);
    };
    const Act remark = [](Desk& d) {
        d.manager.currentTour()->getRemarks()[0] = "Hut";
        d.commands.remarksApplied(d.manager.currentTour());
    };
    // Shown again from the tours page.
    const Act reopen = [](Desk& d) {
        const TourRecord tour = d.manager.tourList().working().at(std::string(cl_TourList::kNewTourName));
        d.manager.beginSheet();
        d.manager.showPage(SheetPage::kTours);
        int row = 0;
        for (const auto& item : d.manager.tourList().working()) {
            if (item.second == tour)
                break;
            ++row;
        }
        d.manager.tourList().show(row);
        d.manager.finishWithOk();
        d.commands.managerClosed(true);
    };
    // Saving takes the tour out of the view.
    const Act save = [](Desk& d) {
        test::ScriptedSavePrompt savePrompt;
        savePrompt.choices = {d.dir.file("Trip.TXT")};
        ASSERT_TRUE(d.commands.saveTour());
    };
    const Act newTourUnasked = [](Desk& d) {
        test::ScriptedAnswerer answerer;
        answerer.answers = {kAnswerNo};
        d.commands.newTour();
    };

    const std::vector<IPoint> two{{50, 50}, {100, 100}};
    const std::vector<IPoint> nearEast{{100, 100}, {190, 100}};
    // Steps by name: "Undo " and "Redo " go before them in the menu; none
    // leaves the bare, disabled item.
    struct Row {
        const char* name;
        std::vector<IPoint> start;
        std::vector<Act> acts;
        std::vector<IPoint> pixels;
        std::string_view undoStep;
        std::string_view redoStep;
        bool unsaved;
        std::string_view map = "West";
        bool current = true;
        std::optional<std::string> firstRemark = std::nullopt;
    };
    // East starts 200 pixels further east.
    const std::vector<IPoint> twoEast{{-150, 50}, {-100, 100}};
    const std::vector<IPoint> onEast{{-100, 100}, {-10, 100}, {10, 100}};
    const Row rows[] = {
        {"UndoAdd", two, {undo}, {{50, 50}}, "Add Point", "Add Point", true},
        {"RedoAdd", two, {undo, redo}, two, "Add Point", "", true},
        {"NewEditDropsRedo", two, {undo, add({150, 150})}, {{50, 50}, {150, 150}}, "Add Point", "", true},
        {"UndoMove", two, {drag({100, 100}, {120, 80}), undo}, two, "Add Point", "Move Point", true},
        {"UndoInsert", two, {insertBefore({100, 100}, {10, 20}), undo}, two, "Add Point", "Insert Point", true},
        {"UndoDelete", two, {deleteThis({50, 50}), undo}, two, "Add Point", "Delete Point", true},
        {"UndoDeleteLast", two, {deleteLast, undo}, two, "Add Point", "Delete Last Point", true},
        {"NothingDeletedIsNoStep", two, {deleteThis({150, 150})}, two, "Add Point", "", true},
        {"UndoAllIsNothingToSave", two, {undo, undo}, {}, "", "Add Point", false},
        {"UndoAcrossAMapSwitch", nearEast, {add({210, 100}), undo}, nearEast, "Add Point", "Add Point", true},
        {"RedoAcrossAMapSwitch", nearEast, {add({210, 100}), undo, redo}, onEast, "Add Point", "", true, "East"},
        {"UndoAfterNextMap", two, {deleteLast, nextMap, undo}, twoEast, "Add Point", "Delete Last Point", true, "East"},
        {"UndoRemarks", two, {remark, undo}, two, "Add Point", "Remarks", true, "West", true, ""},
        {"RedoRemarks", two, {remark, undo, redo}, two, "Remarks", "", true, "West", true, "Hut"},
        {"UndoToSavedIsSaved", two, {save, reopen, add({150, 150}), undo}, two, "Add Point", "Add Point", false},
        {"UndoPastSavedIsUnsaved", two, {save, reopen, undo}, {{50, 50}}, "Add Point", "Add Point", true},
        {"ClearUndone", two, {command(kClearTour), undo}, two, "Add Point", "Clear Tour", true},
        {"ClearRedone", two, {command(kClearTour), undo, redo}, two, "Clear Tour", "", false, "West", false},
        {"ShownAfterClear", two, {command(kClearTour), reopen}, two, "Add Point", "", true},
        {"NewTourForgets", two, {newTourUnasked}, {}, "", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Desk d;
        const TourRecord tour = d.startTour(row.start);
        for (const Act& act : row.acts)
            act(d);
        EXPECT_EQ(d.manager.currentTour() == tour, row.current);
        ASSERT_EQ(tour->getPointCount(), static_cast<int>(row.pixels.size()));
        for (int i = 0; i < tour->getPointCount(); ++i) {
            EXPECT_NEAR(tour->getPoint(i)->pixel.x, row.pixels[i].x, 2) << i;
            EXPECT_NEAR(tour->getPoint(i)->pixel.y, row.pixels[i].y, 2) << i;
        }
        EXPECT_EQ(tour->getRemarks().size(), row.pixels.size());
        if (row.firstRemark) {
            EXPECT_EQ(tour->getRemarks()[0], *row.firstRemark);
        }
        EXPECT_EQ(d.view.map->mapName(), row.map);
        const auto item = [](std::string verb, std::string_view step) {
            return step.empty() ? verb : verb + " " + std::string(step);
        };
        EXPECT_EQ(d.menus.texts[kUndo], item("Undo", row.undoStep));
        EXPECT_EQ(d.menus.texts[kRedo], item("Redo", row.redoStep));
        EXPECT_EQ(d.menus.states[kUndo], !row.undoStep.empty());
        EXPECT_EQ(d.menus.states[kRedo], !row.redoStep.empty());
        EXPECT_EQ(d.commands.unsavedTour(), row.unsaved);
    }
}

} // namespace
} // namespace rovanta
