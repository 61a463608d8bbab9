#include "editing/tour_commands.h"

#include "ports/message.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

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
    editor_.setTourStarter([this] { startTourHere(); });
}

void TourCommands::setInitialMenuStates()
{
    for (const auto& [id, enabled] : kInitialMenuStates)
        menus_.setMenuEnabled(id, enabled);
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
    editor_.clearEdited();
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
    view_.setClearBackground();
    view_.redraw();
    return true;
}

void TourCommands::clearTour()
{
    setTourMenus(false);
    menus_.setMenuEnabled(kClearTour, false);
    tourSaved_ = true;
    manager_.tourList().releaseCurrentTour();
    editor_.forgetPoints();
    editor_.clearEdited();
    view_.setClearBackground();
    view_.redraw();
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
    return tour && tour->getPointCount() > 0 && (!tourSaved_ || editor_.edited(tour));
}

bool TourCommands::writeTour(cl_Tour& tour)
{
    // The recovery file goes only at the change notice after this returns,
    // so a kill between the save's two renames leaves the tour to recover.
    if (!tour.save(manager_.lastSaveFolder()))
        return false;
    editor_.clearEdited();
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
    editor_.clearEdited();
    return true;
}

void TourCommands::setTourMenus(bool editing)
{
    menus_.setMenuEnabled(kNewTour, !editing);
    menus_.setMenuEnabled(kSaveTour, editing);
    menus_.setMenuEnabled(kTourDistances, editing);
}

} // namespace rovanta
