// Undo and redo of the changes to the tour being edited: its points, their
// remarks, and Clear Tour taking it out of the view. A step keeps only the
// stretch of points that changed, before and after, so a long history of a
// long tour stays small; the tour as last recorded is kept once, to find
// that stretch.
#pragma once

#include "common/translation.h"
#include "manager/records.h"

#include <kalimark/kalimark.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

/// The steps' names, as the Edit menu shows them in "Undo %1" and "Redo %1".
namespace step_labels {
inline constexpr std::string_view kAddPoint = ROVANTA_TR_NOOP("Strings", "Add Point");
inline constexpr std::string_view kInsertPoint = ROVANTA_TR_NOOP("Strings", "Insert Point");
inline constexpr std::string_view kMovePoint = ROVANTA_TR_NOOP("Strings", "Move Point");
inline constexpr std::string_view kDeletePoint = ROVANTA_TR_NOOP("Strings", "Delete Point");
inline constexpr std::string_view kDeleteLastPoint = ROVANTA_TR_NOOP("Strings", "Delete Last Point");
inline constexpr std::string_view kRemarks = ROVANTA_TR_NOOP("Strings", "Remarks");
inline constexpr std::string_view kClearTour = ROVANTA_TR_NOOP("Strings", "Clear Tour");
} // namespace step_labels

class TourHistory {
public:
    /// What an undo or redo did, for the view to show it.
    struct Change {
        /// The points from `first` on, `count` of them, are the ones put back.
        int first = 0;
        int count = 0;
        /// The map of the state put back, when the step switched maps.
        MapRecord map;
        /// The step took the tour out of the view: an undo puts it back, a
        /// redo takes it out again. Its points did not change.
        bool release = false;
    };

    /// Starts afresh on `tour` (none: an empty history) as it is now;
    /// `saved`: this state is the tour's file.
    void reset(const TourRecord& tour, bool saved);
    /// Keeps the history when `tour` is the tour it follows, unchanged since
    /// the last record; otherwise starts afresh. True when kept. A released
    /// tour that comes back this way leaves no release to undo.
    bool follow(const TourRecord& tour, bool saved);

    /// The tour may have changed since the last record: when its points or
    /// remarks did, that is the step `label`. `before` and `after`: the maps
    /// shown before and after the change. False when nothing changed.
    bool record(std::string_view label, const MapRecord& before, const MapRecord& after);
    /// The tour was taken out of the view.
    void recordRelease(std::string_view label);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    /// The step the next undo or redo acts on; empty when there is none.
    std::string_view undoLabel() const;
    std::string_view redoLabel() const;
    /// The next undo puts a released tour back.
    bool undoRestoresTour() const { return canUndo() && steps_[done_ - 1].release; }
    /// Reverts the last step done; only while canUndo().
    Change undo();
    /// Does the last step undone again; only while canRedo().
    Change redo();

    /// The tour's state now is its file.
    void markSaved() { saved_ = done_; }
    /// The tour is as its file holds it, undone or redone to there.
    bool atSaved() const { return saved_ == done_; }
    /// Some state in the history is the tour's file.
    bool savedStateKnown() const { return saved_.has_value(); }
    const TourRecord& tour() const { return tour_; }

private:
    /// One change: the points from `first` on were `before`, then `after`.
    struct Step {
        std::string label;
        int first = 0;
        std::vector<cl_RefPoint> beforePoints;
        std::vector<std::string> beforeRemarks;
        std::vector<cl_RefPoint> afterPoints;
        std::vector<std::string> afterRemarks;
        std::weak_ptr<cl_Map> beforeMap;
        std::weak_ptr<cl_Map> afterMap;
        bool release = false;
    };

    void push(Step step);
    Change apply(const Step& step, bool forward);
    void take();

    TourRecord tour_;
    /// The tour as last recorded, to compare with.
    std::vector<cl_RefPoint> points_;
    std::vector<std::string> remarks_;
    std::vector<Step> steps_;
    /// Steps done; those after them can be redone.
    std::size_t done_ = 0;
    /// How many steps were done when the tour was as its file holds it.
    std::optional<std::size_t> saved_;
};

} // namespace rovanta
