#include "editing/tour_editor.h"

#include "editing/tour_history.h"
#include "editing/view_layout.h"
#include "resources/command_ids.h"

namespace rovanta {

namespace {

IPoint plus(IPoint a, IPoint b)
{
    return {a.x + b.x, a.y + b.y};
}

IPoint minus(IPoint a, IPoint b)
{
    return {a.x - b.x, a.y - b.y};
}

cl_Tour::Position lastPosition(cl_Tour& tour)
{
    cl_Tour::Position last;
    for (cl_Tour::Position at = tour.getHeadPosition(); at; tour.getNext(at))
        last = at;
    return last;
}

} // namespace

TourEditor::TourEditor(cl_Manager& manager, EditorView& view, MenuStates& menus)
    : manager_(manager), view_(view), menus_(menus)
{
}

void TourEditor::rightClick(IPoint client)
{
    clickPosition_ = plus(view_.scrollPosition(), client);
    if (const TourRecord current = tour()) {
        marked_ = false;
        const IPoint pixel = view_.windowToPixel(clickPosition_);
        if (positionsTour_.lock() != current)
            grabbedPoint_ = {};
        positionsTour_ = current;
        markedPoint_ = current->findPoint(pixel.x, pixel.y);
        if (markedPoint_) {
            marked_ = true;
            markedPosition_ = view_.pixelToWindow(current->getPixel(markedPoint_));
            enablePointCommands(true);
        }
        view_.refreshDistances();
    }
    view_.redraw();
    setCursorPixel(client);
}

void TourEditor::popupClosed()
{
    enablePointCommands(false);
}

void TourEditor::leftPress(IPoint client, EventTime time)
{
    buttonDown_ = clickPosition_ = plus(view_.scrollPosition(), client);
    // A double click after this press belongs to it, not to an earlier drop.
    justMoved_ = false;
    pressTime_ = time;
    if (const TourRecord current = tour()) {
        const bool pending = pending_ != PendingEdit::kNone;
        if (moveMode()) {
            setCursorPixel(client);
            movePointToCursor(current, valid(markedPoint_, current));
            pending_ = insertMode() ? PendingEdit::kInsert : PendingEdit::kNone;
        } else if (insertMode()) {
            setCursorPixel(client);
            // The point to insert before may have gone since it was marked.
            const cl_Tour::Position before = valid(markedPoint_, current);
            if (const MapRecord map = view_.currentMap(); before && map) {
                int inside = 0;
                current->insertBefore(before, map->pixelToRefPoint(cursorPixel_.x, cursorPixel_.y, inside));
                edited(step_labels::kInsertPoint, map);
            }
            pending_ = PendingEdit::kNone;
        }
        // The table follows the point moved or inserted here too.
        if (pending)
            view_.refreshDistances();
        const IPoint pixel = view_.windowToPixel(buttonDown_);
        if (positionsTour_.lock() != current)
            markedPoint_ = {};
        positionsTour_ = current;
        grabbedPoint_ = current->findPoint(pixel.x, pixel.y);
        if (grabbedPoint_) {
            markedPosition_ = view_.pixelToWindow(current->getPixel(grabbedPoint_));
            dragging_ = true;
        }
    }
    view_.redraw();
}

void TourEditor::leftDrag(IPoint client)
{
    // The canvas point under the press follows the mouse.
    clickPosition_ = minus(buttonDown_, client);
    if (!marked_)
        view_.scrollTo(clickPosition_);
}

void TourEditor::leftRelease(IPoint client)
{
    if (!dragging_)
        return;
    dragging_ = false;
    clickPosition_ = minus(buttonDown_, client);
    if (marked_) {
        setCursorPixel(client);
        if (const TourRecord current = tour())
            movePointToCursor(current, valid(grabbedPoint_, current));
        justMoved_ = true;
        enablePointCommands(false);
    }
    marked_ = false;
    view_.refreshDistances();
    view_.redraw();
}

void TourEditor::doubleClick(IPoint client, EventTime time)
{
    dragging_ = false;
    // The double click that may follow dropping a point adds nothing; one
    // after the interval is a click of its own, however long ago the drop.
    const bool partOfDrop = justMoved_ && time - pressTime_ < doubleClickInterval_;
    justMoved_ = false;
    if (partOfDrop)
        return;
    if (!tour() && view_.currentMap() && startTour_)
        startTour_();
    clickPosition_ = plus(view_.scrollPosition(), client);
    setCursorPixel(client);
    addTourPoint(false);
}

bool TourEditor::onPopupCommand(int id)
{
    using namespace commands;
    switch (id) {
    case kAddPointCenter:
        addTourPoint(true);
        return true;
    case kDeleteLastPoint:
        if (const TourRecord current = tour()) {
            forgetPoint(current, lastPosition(*current));
            if (!current->deleteLast())
                menus_.setMenuEnabled(kDeleteLastPoint, false);
            edited(step_labels::kDeleteLastPoint, view_.currentMap());
            view_.refreshDistances();
        }
        return true;
    case kNextMap:
        if (const MapRecord map = view_.currentMap()) {
            int inside = 1;
            cl_RefPoint position = map->pixelToRefPoint(cursorPixel_.x, cursorPixel_.y, inside);
            if (const MapRecord next = manager_.findMapContaining(position))
                switchMap(next);
        }
        return true;
    case kZoomInHere:
        view_.zoomAt(kZoomInStep, clickPosition_);
        return true;
    case kZoomOutHere:
        view_.zoomAt(kZoomOutStep, clickPosition_);
        return true;
    case kDeleteThisPoint:
        if (const TourRecord current = tour()) {
            const IPoint pixel = view_.windowToPixel(clickPosition_);
            forgetPoint(current, current->findPoint(pixel.x, pixel.y));
            current->deleteAt(pixel.x, pixel.y);
            edited(step_labels::kDeletePoint, view_.currentMap());
            view_.refreshDistances();
        }
        marked_ = false;
        return true;
    case kMoveThisPoint:
        pending_ = insertMode() ? PendingEdit::kMoveThenInsert : PendingEdit::kMove;
        return true;
    case kInsertBeforeThis:
        pending_ = moveMode() ? PendingEdit::kMoveThenInsert : PendingEdit::kInsert;
        return true;
    default:
        return false;
    }
}

void TourEditor::addTourPoint(bool centre)
{
    const TourRecord current = tour();
    if (!current) {
        view_.redraw();
        return;
    }
    const MapRecord map = view_.currentMap();
    if (!map) {
        view_.refreshDistances();
        view_.redraw();
        return;
    }
    savedPixel_ = cursorPixel_;
    int inside = 1;
    cl_RefPoint point = map->pixelToRefPoint(cursorPixel_.x, cursorPixel_.y, inside);
    if (inside) {
        current->addPoint(point);
        if (centre)
            view_.zoomAt(1.0, clickPosition_);
    } else if (const MapRecord next = manager_.findMapContaining(point)) {
        switchMap(next);
        current->addPoint(point);
        // The new map has a layout of its own: centre where the point is on it.
        clickPosition_ = view_.pixelToWindow(point.pixel);
        view_.zoomAt(1.0, clickPosition_);
    } else {
        // Off every map: the point stays, outside the shown bitmap.
        current->addPoint(point);
    }
    edited(step_labels::kAddPoint, map);
    menus_.setMenuEnabled(commands::kDeleteLastPoint, true);
    view_.refreshDistances();
    view_.redraw();
}

void TourEditor::switchMap(const MapRecord& map)
{
    if (const MapRecord old = view_.currentMap())
        manager_.markChecked(*old);
    manager_.markCurrent(map);
    view_.loadMapBitmap();
    if (const TourRecord current = tour()) {
        // Points off this map keep the pixel written for them all the same.
        for (cl_Tour::Position at = current->getHeadPosition(); at;)
            static_cast<void>(map->refPointToPixel(current->getNext(at)));
    }
}

void TourEditor::forgetPoints()
{
    markedPoint_ = {};
    grabbedPoint_ = {};
    positionsTour_.reset();
}

void TourEditor::forgetPoint(const TourRecord& tour, cl_Tour::Position removed)
{
    if (!removed || positionsTour_.lock() != tour)
        return;
    if (markedPoint_ == removed)
        markedPoint_ = {};
    if (grabbedPoint_ == removed)
        grabbedPoint_ = {};
}

std::optional<IPoint> TourEditor::markedPosition() const
{
    if (!marked_)
        return std::nullopt;
    return markedPosition_;
}

cl_Tour::Position TourEditor::valid(cl_Tour::Position pos, const TourRecord& tour) const
{
    return positionsTour_.lock() == tour ? pos : cl_Tour::Position{};
}

void TourEditor::setCursorPixel(IPoint client)
{
    cursorPixel_ = view_.windowToPixel(plus(view_.scrollPosition(), client));
}

void TourEditor::movePointToCursor(const TourRecord& tour, cl_Tour::Position pos)
{
    const MapRecord map = view_.currentMap();
    if (!pos || !map)
        return;
    int inside = 0;
    tour->movePoint(pos, map->pixelToRefPoint(cursorPixel_.x, cursorPixel_.y, inside));
    edited(step_labels::kMovePoint, map);
}

void TourEditor::enablePointCommands(bool enabled)
{
    for (const int id : {commands::kDeleteThisPoint, commands::kMoveThisPoint, commands::kInsertBeforeThis})
        menus_.setMenuEnabled(id, enabled);
}

void TourEditor::edited(std::string_view label, const MapRecord& before) const
{
    if (edited_)
        edited_(label, before);
}

} // namespace rovanta
