#include "editing/tour_history.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace rovanta {

namespace {

// Where a point is; its pixel follows the map shown and is no change.
bool samePlace(const cl_RefPoint& a, const cl_RefPoint& b)
{
    return a.longitude == b.longitude && a.latitude == b.latitude;
}

template <typename T> std::vector<T> slice(const std::vector<T>& items, std::size_t first, std::size_t end)
{
    using Diff = typename std::vector<T>::difference_type;
    return {items.begin() + static_cast<Diff>(first), items.begin() + static_cast<Diff>(end)};
}

template <typename T> void splice(std::vector<T>& items, int first, std::size_t count, const std::vector<T>& by)
{
    const auto at = items.erase(items.begin() + first, items.begin() + first + static_cast<int>(count));
    items.insert(at, by.begin(), by.end());
}

} // namespace

void TourHistory::reset(const TourRecord& tour, bool saved)
{
    tour_ = tour;
    steps_.clear();
    done_ = 0;
    saved_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
    take();
}

bool TourHistory::follow(const TourRecord& tour, bool saved)
{
    if (tour && tour == tour_) {
        std::vector<cl_RefPoint> points = std::move(points_);
        std::vector<std::string> remarks = std::move(remarks_);
        take();
        const bool unchanged =
            std::equal(points.begin(), points.end(), points_.begin(), points_.end(), samePlace) && remarks == remarks_;
        if (unchanged) {
            if (undoRestoresTour()) {
                steps_.resize(--done_);
                if (saved_ && *saved_ > done_)
                    saved_.reset();
            }
            return true;
        }
    }
    reset(tour, saved);
    return false;
}

bool TourHistory::record(std::string_view label, const MapRecord& before, const MapRecord& after)
{
    if (!tour_)
        return false;
    const std::vector<cl_RefPoint> oldPoints = std::move(points_);
    const std::vector<std::string> oldRemarks = std::move(remarks_);
    take();
    const auto same = [&](std::size_t was, std::size_t now) {
        return samePlace(oldPoints[was], points_[now]) && oldRemarks[was] == remarks_[now];
    };
    const std::size_t oldCount = oldPoints.size();
    const std::size_t newCount = points_.size();
    std::size_t head = 0;
    while (head < oldCount && head < newCount && same(head, head))
        ++head;
    if (head == oldCount && head == newCount)
        return false;
    std::size_t tail = 0;
    while (tail < oldCount - head && tail < newCount - head && same(oldCount - 1 - tail, newCount - 1 - tail))
        ++tail;
    Step step{.label = std::string(label),
              .first = static_cast<int>(head),
              .beforePoints = slice(oldPoints, head, oldCount - tail),
              .beforeRemarks = slice(oldRemarks, head, oldCount - tail),
              .afterPoints = slice(points_, head, newCount - tail),
              .afterRemarks = slice(remarks_, head, newCount - tail),
              .beforeMap = before,
              .afterMap = after};
    push(std::move(step));
    return true;
}

void TourHistory::recordRelease(std::string_view label)
{
    if (!tour_)
        return;
    Step step;
    step.label = label;
    step.release = true;
    push(std::move(step));
}

std::string_view TourHistory::undoLabel() const
{
    return canUndo() ? std::string_view(steps_[done_ - 1].label) : std::string_view();
}

std::string_view TourHistory::redoLabel() const
{
    return canRedo() ? std::string_view(steps_[done_].label) : std::string_view();
}

TourHistory::Change TourHistory::undo()
{
    return apply(steps_[--done_], false);
}

TourHistory::Change TourHistory::redo()
{
    return apply(steps_[done_++], true);
}

void TourHistory::push(Step step)
{
    // A new step drops the steps undone; the file's state may go with them.
    steps_.resize(done_);
    if (saved_ && *saved_ > done_)
        saved_.reset();
    steps_.push_back(std::move(step));
    ++done_;
}

TourHistory::Change TourHistory::apply(const Step& step, bool forward)
{
    Change change;
    if (step.release) {
        change.release = true;
        return change;
    }
    const auto& fromPoints = forward ? step.beforePoints : step.afterPoints;
    const auto& toPoints = forward ? step.afterPoints : step.beforePoints;
    const auto& toRemarks = forward ? step.afterRemarks : step.beforeRemarks;
    const int removed = static_cast<int>(fromPoints.size());
    tour_->replacePoints(step.first, removed, toPoints, toRemarks);
    splice(points_, step.first, fromPoints.size(), toPoints);
    splice(remarks_, step.first, fromPoints.size(), toRemarks);
    change.first = step.first;
    change.count = static_cast<int>(toPoints.size());
    const MapRecord before = step.beforeMap.lock();
    const MapRecord after = step.afterMap.lock();
    if (before != after)
        change.map = forward ? after : before;
    return change;
}

void TourHistory::take()
{
    points_.clear();
    remarks_.clear();
    if (!tour_)
        return;
    points_.reserve(static_cast<std::size_t>(tour_->getPointCount()));
    for (cl_Tour::Position at = tour_->getHeadPosition(); at;)
        points_.push_back(tour_->getNext(at));
    remarks_ = tour_->getRemarks();
    // One remark per point, whatever the tour holds.
    remarks_.resize(points_.size());
}

} // namespace rovanta
