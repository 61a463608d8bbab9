// The Tour menu (New, Save, Clear, Distances), the effect of the Manager
// sheet on the tour being edited, and the menu states they set.
#pragma once

#include "editing/editor_view.h"
#include "editing/menu_states.h"
#include "editing/tour_editor.h"
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

    /// A tour with points that New Tour started or the mouse changed, and
    /// that was not saved since.
    bool unsavedTour() const { return unsaved(tour()); }

private:
    TourRecord tour() const { return manager_.currentTour(); }
    bool unsaved(const TourRecord& tour) const;
    /// Asks for a file and writes `tour` there; nothing changes otherwise.
    [[nodiscard]] bool writeTour(cl_Tour& tour);
    /// The sheet's OK is about to drop `tour`: the question about an unsaved
    /// one, as New Tour asks it. False keeps the sheet open.
    bool mayDropTour(const TourRecord& tour);
    void setTourMenus(bool editing);
    /// New Tour's steps after its question; `recentre`: the next paint
    /// centres on the tour's first point.
    void startTour(bool recentre);

    cl_Manager& manager_;
    TourEditor& editor_;
    EditorView& view_;
    MenuStates& menus_;
    bool tourSaved_ = true;
    std::function<void(const std::string&)> saved_;
    std::function<void()> started_;
};

} // namespace rovanta
