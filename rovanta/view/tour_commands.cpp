#include "view/tour_commands.h"

#include "dialogs/message.h"
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
        saveTour();
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
    manager_.tourList().newTour();
    editor_.forgetPoints();
    editor_.clearEdited();
    menus_.setMenuEnabled(kAddPointCenter, true);
    menus_.setMenuEnabled(kDeleteLastPoint, true);
    setTourMenus(true);
    menus_.setMenuEnabled(kClearTour, true);
    tourSaved_ = false;
    view_.refreshDistances();
    view_.setClearBackground();
    view_.redraw();
}

bool TourCommands::saveTour()
{
    const TourRecord current = tour();
    if (!current || !current->save(manager_.lastSaveFolder()))
        return false;
    manager_.tourList().releaseCurrentTour();
    editor_.forgetPoints();
    editor_.clearEdited();
    manager_.addLastSaveFolder();
    setTourMenus(false);
    tourSaved_ = true;
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
    if (ok) {
        view_.loadMapBitmap();
        if (tour()) {
            setTourMenus(true);
            menus_.setMenuEnabled(kClearTour, true);
            view_.setClearBackground();
        }
    }
    view_.refreshDistances();
}

bool TourCommands::queryClose()
{
    if (!unsavedTour() || showMessage(strings::kTourNotSavedQuestion, kMessageYesNo) != kAnswerYes)
        return true;
    return saveTour();
}

bool TourCommands::unsavedTour() const
{
    const TourRecord current = tour();
    return current && current->getPointCount() > 0 && (!tourSaved_ || editor_.edited(current));
}

void TourCommands::setTourMenus(bool editing)
{
    menus_.setMenuEnabled(kNewTour, !editing);
    menus_.setMenuEnabled(kSaveTour, editing);
    menus_.setMenuEnabled(kTourDistances, editing);
}

} // namespace rovanta
