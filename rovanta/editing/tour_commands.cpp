#include "editing/tour_commands.h"

#include "common/text_convert.h"
#include "ports/message.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

#include <algorithm>
#include <string>
#include <utility>

namespace rovanta {

namespace {

using namespace commands;

// Menu states when a document starts: the popup in its order, then the
// main menu.
constexpr std::pair<int, bool> kInitialMenuStates[] = {
    {kAddPointCenter, false},  {kInsertBeforeThis, false}, {kMoveThisPoint, false}, {kDeleteThisPoint, false},
    {kDeleteLastPoint, false}, {kZoomInHere, true},        {kZoomOutHere, true},    {kNextMap, true},
    {kZoomIn, true},           {kZoomOut, true},           {kNewTour, true},        {kSaveTour, false},
    {kTourDistances, false},   {kClearTour, false},        {kManager, true},
};

} // namespace

TourCommands::TourCommands(cl_Manager& manager, TourEditor& editor, EditorView& view, MenuStates& menus)
    : manager_(manager), editor_(editor), view_(view), menus_(menus)
{
    manager_.setDropTourCheck([this](const TourRecord& dropped) { return mayDropTour(dropped); });
    editor_.setEditListener([this](std::string_view label, const MapRecord& before) { edited(label, before); });
    editor_.setTourStarter([this] { startTourHere(); });
}

void TourCommands::setInitialMenuStates()
{
    for (const auto& [id, enabled] : kInitialMenuStates)
        menus_.setMenuEnabled(id, enabled);
    showHistory();
}

bool TourCommands::onCommand(int id)
{
    switch (id) {
    case kNewTour:
        newTour();
        return true;
    case kSaveTour:
        // A declined or failed save has told the user and changed nothing.
        static_cast<void>(saveTour());
        return true;
    case kClearTour:
        clearTour();
        return true;
    case kTourDistances:
        tourDistances();
        return true;
    case kUndo:
        undo();
        return true;
    case kRedo:
        redo();
        return true;
    default:
        return false;
    }
}

void TourCommands::newTour()
{
    if (unsavedTour() && showMessage(strings::kTourNotSavedQuestion, kMessageYesNo) == kAnswerYes) {
        // The user goes on with the saved tour's map; no tour starts.
        if (saveTour()) {
            menus_.setMenuEnabled(kAddPointCenter, false);
            menus_.setMenuEnabled(kDeleteLastPoint, false);
        }
        return;
    }
    startTour(true);
}

void TourCommands::startTourHere()
{
    if (tour())
        return;
    startTour(false);
    if (started_)
        started_();
}

void TourCommands::startTour(bool recentre)
{
    manager_.tourList().newTour();
    editor_.forgetPoints();
    history_.reset(tour(), false);
    showHistory();
    menus_.setMenuEnabled(kAddPointCenter, true);
    menus_.setMenuEnabled(kDeleteLastPoint, true);
    setTourMenus(true);
    menus_.setMenuEnabled(kClearTour, true);
    tourSaved_ = false;
    view_.refreshDistances();
    // Centring on the first point would move the map away from a double
    // click that is about to add it.
    if (recentre)
        view_.setClearBackground();
    view_.redraw();
}

bool TourCommands::saveTour()
{
    const TourRecord current = tour();
    if (!current || !writeTour(*current))
        return false;
    manager_.tourList().releaseCurrentTour();
    editor_.forgetPoints();
    setTourMenus(false);
    showHistory();
    view_.setClearBackground();
    view_.redraw();
    return true;
}

void TourCommands::clearTour()
{
    if (const TourRecord current = tour(); current && current == history_.tour())
        history_.recordRelease(step_labels::kClearTour);
    releaseTour();
    showHistory();
}

void TourCommands::releaseTour()
{
    setTourMenus(false);
    menus_.setMenuEnabled(kClearTour, false);
    tourSaved_ = true;
    manager_.tourList().releaseCurrentTour();
    editor_.forgetPoints();
    view_.setClearBackground();
    view_.redraw();
}

void TourCommands::undo()
{
    if (!undoable())
        return;
    const TourHistory::Change change = history_.undo();
    if (change.release) {
        // The tour comes back as Clear Tour found it.
        manager_.tourList().restoreCurrentTour(history_.tour());
        tourSaved_ = history_.savedStateKnown();
        setTourMenus(true);
        menus_.setMenuEnabled(kClearTour, true);
        view_.setClearBackground();
    } else {
        showChange(change);
    }
    view_.refreshDistances();
    view_.redraw();
    showHistory();
}

void TourCommands::redo()
{
    if (!redoable())
        return;
    const TourHistory::Change change = history_.redo();
    if (change.release)
        releaseTour();
    else
        showChange(change);
    view_.refreshDistances();
    view_.redraw();
    showHistory();
}

void TourCommands::remarksApplied(const TourRecord& tour)
{
    // The map shown is no part of a change of remarks.
    if (!tour || tour != history_.tour())
        return;
    const MapRecord map = view_.currentMap();
    if (history_.record(step_labels::kRemarks, map, map))
        showHistory();
}

void TourCommands::tourReplaced()
{
    history_.reset(tour(), tourSaved_);
    showHistory();
}

void TourCommands::tourDistances()
{
    if (const TourRecord current = tour())
        view_.openDistances(current);
}

void TourCommands::managerClosed(bool ok)
{
    // The sheet may have removed, replaced or re-projected the tour.
    editor_.forgetPoints();
    history_.follow(tour(), tourSaved_);
    showHistory();
    if (ok)
        view_.loadMapBitmap();
    if (!tour()) {
        setTourMenus(false);
        menus_.setMenuEnabled(kClearTour, false);
    } else if (ok) {
        setTourMenus(true);
        menus_.setMenuEnabled(kClearTour, true);
        view_.setClearBackground();
    }
    view_.refreshDistances();
}

bool TourCommands::queryClose()
{
    if (!unsavedTour() || showMessage(strings::kTourNotSavedQuestion, kMessageYesNo) != kAnswerYes)
        return true;
    return saveTour();
}

bool TourCommands::unsaved(const TourRecord& tour) const
{
    if (!tour || tour->getPointCount() == 0)
        return false;
    return tour == history_.tour() ? !history_.atSaved() : !tourSaved_;
}

bool TourCommands::writeTour(cl_Tour& tour)
{
    // The recovery file goes only at the change notice after this returns,
    // so a kill between the save's two renames leaves the tour to recover.
    if (!tour.save(manager_.lastSaveFolder()))
        return false;
    if (&tour == history_.tour().get())
        history_.markSaved();
    manager_.addLastSaveFolder();
    tourSaved_ = true;
    if (saved_)
        saved_(tour.savedPath());
    return true;
}

bool TourCommands::mayDropTour(const TourRecord& tour)
{
    if (unsaved(tour) && showMessage(strings::kTourNotSavedQuestion, kMessageYesNo) == kAnswerYes && !writeTour(*tour))
        return false;
    // Whatever the sheet leaves in the view was not started by New Tour.
    tourSaved_ = true;
    return true;
}

void TourCommands::edited(std::string_view label, const MapRecord& before)
{
    // A tour the history does not follow starts one here; this change of
    // it cannot be undone.
    if (tour() != history_.tour())
        history_.reset(tour(), tourSaved_);
    else
        history_.record(label, before, view_.currentMap());
    showHistory();
}

bool TourCommands::undoable() const
{
    if (!history_.canUndo())
        return false;
    // Only Clear Tour leaves the tour out of the view with steps to undo.
    return tour() ? tour() == history_.tour() : history_.undoRestoresTour();
}

bool TourCommands::redoable() const
{
    return history_.canRedo() && tour() && tour() == history_.tour();
}

void TourCommands::showChange(const TourHistory::Change& change)
{
    editor_.forgetPoints();
    const TourRecord current = tour();
    if (change.map && change.map != view_.currentMap()) {
        // Back on the map the change left or entered, centred on the
        // points put back, or the point before them.
        editor_.switchMap(change.map);
        const int count = current->getPointCount();
        if (const int index = std::min(change.first, count - 1); index >= 0)
            view_.zoomAt(1.0, view_.pixelToWindow(current->getPoint(index)->pixel));
    } else if (const MapRecord map = view_.currentMap()) {
        // The points put back may have been placed on another map.
        cl_Tour::Position at = current->getHeadPosition();
        for (int i = 0; at && i < change.first + change.count; ++i) {
            cl_RefPoint& point = current->getNext(at);
            if (i >= change.first)
                static_cast<void>(map->refPointToPixel(point));
        }
    }
    menus_.setMenuEnabled(kDeleteLastPoint, current->getPointCount() > 0);
}

void TourCommands::showHistory()
{
    const auto text = [](std::string_view alone, std::string_view pattern, std::string_view label) {
        return label.empty() ? strings::tr(alone) : replacePlaceholder(strings::tr(pattern), strings::tr(label));
    };
    const bool undo = undoable();
    const bool redo = redoable();
    menus_.setMenuEnabled(kUndo, undo);
    menus_.setMenuEnabled(kRedo, redo);
    menus_.setMenuText(kUndo,
                       text(strings::kUndoMenu, strings::kUndoStep, undo ? history_.undoLabel() : std::string_view()));
    menus_.setMenuText(kRedo,
                       text(strings::kRedoMenu, strings::kRedoStep, redo ? history_.redoLabel() : std::string_view()));
}

void TourCommands::setTourMenus(bool editing)
{
    menus_.setMenuEnabled(kNewTour, !editing);
    menus_.setMenuEnabled(kSaveTour, editing);
    menus_.setMenuEnabled(kTourDistances, editing);
}

} // namespace rovanta
