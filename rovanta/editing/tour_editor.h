// Editing the current tour with the mouse and the view's popup menu. The
// view's mouse adapter hands over meaningful events (a right click, a left
// press, drag and release, a double click) at window positions; this class
// keeps the editing state and changes the tour, the map shown and the
// popup's menu states.
#pragma once

#include "editing/editor_view.h"
#include "editing/menu_states.h"
#include "manager/cl_manager.h"

#include <kalimark/kalimark.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace rovanta {

/// Milliseconds on the platform's clock of input events.
using EventTime = std::uint64_t;

class TourEditor {
public:
    /// All three must outlive the editor.
    TourEditor(cl_Manager& manager, EditorView& view, MenuStates& menus);

    // Mouse events; `client` is a window position in pixels, canvas position
    // = scroll position + client.
    /// Marks the tour point under the click, if any, and prepares the popup.
    void rightClick(IPoint client);
    /// The popup was closed: its point commands are disabled again.
    void popupClosed();
    /// The left button alone pressed at `time`: a pending move or insert
    /// happens here, and a tour point under the press is grabbed.
    void leftPress(IPoint client, EventTime time);
    /// The left button alone held while the mouse moves: pans, unless a
    /// point is marked.
    void leftDrag(IPoint client);
    /// Drops a grabbed point here when one is marked.
    void leftRelease(IPoint client);
    /// Adds a point here, unless this double click belongs to the press
    /// that just dropped a point: no other press came between, and it
    /// follows that press within the double-click interval. With a map
    /// shown and no tour, the tour starter runs first.
    void doubleClick(IPoint client, EventTime time);
    /// Starts a tour for a double click that finds none.
    void setTourStarter(std::function<void()> start) { startTour_ = std::move(start); }
    /// The platform's double-click interval.
    void setDoubleClickInterval(EventTime interval) { doubleClickInterval_ = interval; }

    /// Runs a command of the view's popup menu; false for any other id.
    bool onPopupCommand(int id);

    /// Adds the cursor pixel's position to the tour; off the shown map, the
    /// view moves to a checked map that holds it. `centre`: then centre the
    /// window on the click.
    void addTourPoint(bool centre);
    /// Shows `map` and places every tour point on it.
    void switchMap(const MapRecord& map);

    /// Positions into the tour end here: its points were removed or the
    /// tour replaced.
    void forgetPoints();

    /// The canvas position circled as the marked point, while one is marked.
    std::optional<IPoint> markedPosition() const;
    bool pointMarked() const { return marked_; }
    bool draggingPoint() const { return dragging_; }
    /// "Move This Point" waits for the next left press.
    bool moveMode() const { return pending_ == PendingEdit::kMove || pending_ == PendingEdit::kMoveThenInsert; }
    /// "Insert Before This" waits for a left press (the next one after a
    /// pending move).
    bool insertMode() const { return pending_ == PendingEdit::kInsert || pending_ == PendingEdit::kMoveThenInsert; }
    bool justMoved() const { return justMoved_; }
    /// The map pixel of the last click that set it.
    IPoint cursorPixel() const { return cursorPixel_; }
    /// The canvas position the popup's zoom commands centre.
    IPoint clickPosition() const { return clickPosition_; }

    /// Runs after every change of the tour's points here, with the step's
    /// name and the map shown before the change.
    using EditListener = std::function<void(std::string_view label, const MapRecord& before)>;
    void setEditListener(EditListener listener) { edited_ = std::move(listener); }

private:
    /// The popup's point commands act on the next left press. Both may
    /// wait: that press moves the point, the one after it inserts.
    enum class PendingEdit : std::uint8_t { kNone, kMove, kInsert, kMoveThenInsert };

    TourRecord tour() const { return manager_.currentTour(); }
    /// The marked or grabbed point, if it still belongs to `tour`.
    cl_Tour::Position valid(cl_Tour::Position pos, const TourRecord& tour) const;
    /// A point about to be removed is neither marked nor grabbed any more.
    void forgetPoint(const TourRecord& tour, cl_Tour::Position removed);
    void setCursorPixel(IPoint client);
    void movePointToCursor(const TourRecord& tour, cl_Tour::Position pos);
    void enablePointCommands(bool enabled);
    void edited(std::string_view label, const MapRecord& before) const;

    cl_Manager& manager_;
    EditorView& view_;
    MenuStates& menus_;

    bool marked_ = false;
    bool dragging_ = false;
    PendingEdit pending_ = PendingEdit::kNone;
    bool justMoved_ = false;
    EventTime pressTime_ = 0;
    EventTime doubleClickInterval_ = 500;
    IPoint savedPixel_{0, 0};
    IPoint cursorPixel_{0, 0};
    IPoint buttonDown_{0, 0};
    IPoint markedPosition_{0, 0};
    IPoint clickPosition_{0, 0};
    cl_Tour::Position markedPoint_;
    cl_Tour::Position grabbedPoint_;
    /// The tour the two positions point into.
    std::weak_ptr<cl_Tour> positionsTour_;
    EditListener edited_;
    std::function<void()> startTour_;
};

} // namespace rovanta
