// The Tour menu (New, Save, Clear, Distances), the Edit menu's undo and
// redo, the effect of the Manager sheet on the tour being edited, and the
// menu states they set.
#pragma once

#include "editing/editor_view.h"
#include "editing/menu_states.h"
#include "editing/tour_editor.h"
#include "editing/tour_history.h"
#include "manager/cl_manager.h"

#include <functional>
#include <string>

namespace rovanta {

class TourCommands {
public:
    /// All four must outlive the commands. The manager's sheet asks these
    /// commands before its OK drops the tour being edited.
    TourCommands(cl_Manager& manager, TourEditor& editor, EditorView& view, MenuStates& menus);
    TourCommands(const TourCommands&) = delete;
    TourCommands& operator=(const TourCommands&) = delete;

    /// The states of the popup and the main menu when a document starts.
    void setInitialMenuStates();
    /// Runs a Tour menu command; false for any other id.
    bool onCommand(int id);

    /// Starts the tour "New Tour", after asking about an unsaved one.
    void newTour();
    /// Starts "New Tour" for a double click on the map, which only comes
    /// here without a tour, so there is nothing to ask; the view stays where
    /// the click was. The start listener runs after it.
    void startTourHere();
    /// Asks for a file and writes the tour there. Only a tour that was
    /// written leaves the view; otherwise nothing changes. True when written.
    [[nodiscard]] bool saveTour();
    /// Drops the tour from the view without a question.
    void clearTour();
    /// Takes back the last change of the tour, or does the last one taken
    /// back again, showing the map it happened on.
    void undo();
    void redo();
    /// The remarks dialog's OK wrote `tour`'s remarks.
    void remarksApplied(const TourRecord& tour);
    /// The tour being edited got its points from elsewhere (a GPX file, a
    /// recovery file): its history starts here.
    void tourReplaced();
    void tourDistances();
    /// The Manager sheet closed, `ok` when with OK: it may have chosen
    /// another map or tour, or left none.
    void managerClosed(bool ok);
    /// The program is about to close; false keeps it open because an
    /// unsaved tour could not be saved.
    [[nodiscard]] bool queryClose();

    /// Runs with the tour file's path after every save.
    void setSaveListener(std::function<void(const std::string&)> listener) { saved_ = std::move(listener); }
    /// Runs after a double click started a tour.
    void setStartListener(std::function<void()> listener) { started_ = std::move(listener); }

    /// No tour started with New Tour waits to be saved.
    bool tourSaved() const { return tourSaved_; }

    /// A tour with points that New Tour started or that was changed, and
    /// that is not as its file holds it, undone or redone to there.
    bool unsavedTour() const { return unsaved(tour()); }

    const TourHistory& history() const { return history_; }

private:
    TourRecord tour() const { return manager_.currentTour(); }
    bool unsaved(const TourRecord& tour) const;
    /// Asks for a file and writes `tour` there; nothing changes otherwise.
    [[nodiscard]] bool writeTour(cl_Tour& tour);
    /// The sheet's OK is about to drop `tour`: the question about an unsaved
    /// one, as New Tour asks it. False keeps the sheet open.
    bool mayDropTour(const TourRecord& tour);
    void setTourMenus(bool editing);
    /// Clear Tour's work, without recording it.
    void releaseTour();
    void edited(std::string_view label, const MapRecord& before);
    bool undoable() const;
    bool redoable() const;
    /// The tour after an undo or redo of a change of its points.
    void showChange(const TourHistory::Change& change);
    /// The Edit menu's items follow the history.
    void showHistory();
    /// New Tour's steps after its question; `recentre`: the next paint
    /// centres on the tour's first point.
    void startTour(bool recentre);

    cl_Manager& manager_;
    TourEditor& editor_;
    EditorView& view_;
    MenuStates& menus_;
    bool tourSaved_ = true;
    TourHistory history_;
    std::function<void(const std::string&)> saved_;
    std::function<void()> started_;
};

} // namespace rovanta
