// Box-filtered reductions of a map's bitmap for painting it zoomed out, so
// that thin linework averages into the picture instead of aliasing away.
// Built in a background thread; the bitmap is painted from its own rows
// until the pyramid is ready.
#pragma once

#include "view/qt/sheet_pixels.h"

#include <QImage>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace rovanta {

/// One reduction of the bitmap: pixel (i, j) is the mean of the stored
/// pixels [i·2^shift, (i+1)·2^shift) × [j·2^shift, (j+1)·2^shift), clipped
/// to the bitmap, so the last row and column may average fewer pixels.
struct PyramidLevel {
    int shift = 0; ///< each side is the bitmap's divided by 2^shift, rounded up
    QImage image;  ///< Format_RGB32, rows in the bitmap's stored order
};

class BitmapPyramid {
public:
    /// Starts building at once. `onReady` runs in the building thread when
    /// every level is done; it must only post to the GUI thread.
    BitmapPyramid(std::shared_ptr<const SheetPixels> bitmap, std::function<void()> onReady);
    /// Stops a build still running and waits for its thread.
    ~BitmapPyramid();
    BitmapPyramid(const BitmapPyramid&) = delete;
    BitmapPyramid& operator=(const BitmapPyramid&) = delete;

    bool ready() const { return ready_.load(std::memory_order_acquire); }
    /// The level to paint from at `scale` (< 1, painted size over bitmap
    /// size): the coarsest level at least as fine as `scale`, else the
    /// finest level kept; nullptr while not ready or when no level is kept.
    const PyramidLevel* levelFor(double scale) const;
    /// All levels kept, finest first; empty while not ready.
    const std::vector<PyramidLevel>& levels() const;

    /// Largest level kept, bytes: finer levels would cost more memory than
    /// the zoom band they serve is worth; those zooms use the finest kept
    /// level, scaled up smoothly.
    static constexpr qsizetype kLargestLevelBytes = qsizetype{128} << 20;
    /// Reduction stops once both sides are at most this many pixels.
    static constexpr int kSmallestSide = 32;

    /// Stored rows [first, first + count) of a width × height bitmap, in any
    /// format QImage converts to Format_RGB32.
    using RowReader = std::function<QImage(int first, int count)>;
    /// The levels for a width × height bitmap (pixels, each ≥ 1), finest
    /// first, reading every stored row once, in order, a few at a time.
    /// Only levels of at most `largestLevelBytes` are kept; empty when
    /// `stop` is requested meanwhile or when the bitmap is no larger than
    /// kSmallestSide on both sides.
    static std::vector<PyramidLevel> buildLevels(int width, int height, const RowReader& rows,
                                                 const std::stop_token& stop,
                                                 qsizetype largestLevelBytes = kLargestLevelBytes);

private:
    void build(const std::stop_token& stop);

    std::shared_ptr<const SheetPixels> bitmap_;
    std::function<void()> onReady_;
    std::vector<PyramidLevel> levels_;
    std::atomic<bool> ready_{false};
    std::jthread thread_;
};

} // namespace rovanta
