// Paints the checked sheets around the current one, under it, each placed
// by its transform and clipped to its outline, so crossing a sheet's edge
// shows the next sheet instead of white. What a sheet's pixels are read
// from stays behind NeighbourPixels.
#pragma once

#include "navigation/sheet_mosaic.h"
#include "view/qt/bitmap_pyramid.h"
#include "view/qt/sheet_pixels.h"

#include <QPainter>
#include <QRect>
#include <QTransform>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace rovanta {

/// One sheet's pixels, whatever they are read from.
class NeighbourPixels {
public:
    virtual ~NeighbourPixels() = default;
    /// Paints the pixels of `area` (the sheet's own pixels: x the left
    /// column, y the bottom row, counted up from the bottom edge) at their
    /// own pixel coordinates; the painter's transform places them.
    /// `devicePerPixel` is how many device pixels one sheet pixel spans.
    virtual void paint(QPainter& painter, const QRect& area, double devicePerPixel) = 0;
    /// False once the source cannot be read any more; it is opened anew.
    virtual bool usable() const = 0;
    /// False while the last paint's detail is still being prepared.
    virtual bool ready() const = 0;
};

/// A sheet's bitmap, through its pyramid once painted zoomed out.
class BitmapNeighbourPixels : public NeighbourPixels {
public:
    /// `onPyramidReady` runs in the pyramid's thread; it must only post.
    BitmapNeighbourPixels(std::shared_ptr<const SheetPixels> bitmap, std::function<void()> onPyramidReady);
    void paint(QPainter& painter, const QRect& area, double devicePerPixel) override;
    bool usable() const override { return !bitmap_->unreadable(); }
    bool ready() const override { return !pyramid_ || pyramid_->ready(); }

private:
    std::shared_ptr<const SheetPixels> bitmap_;
    std::function<void()> onPyramidReady_;
    std::unique_ptr<BitmapPyramid> pyramid_;
};

/// The sheets painted lately, each opened once: every sheet of the last
/// paint is kept, and of the others the most recently painted up to kKept
/// in all.
class SheetCache {
public:
    /// The sheet's pixels, or nullptr when they cannot be read.
    using Opener = std::function<std::unique_ptr<NeighbourPixels>(const cl_Map& map)>;
    static constexpr std::size_t kKept = 8;

    explicit SheetCache(Opener open) : open_(std::move(open)) {}
    /// Opened on first use and again once unusable; nullptr when it cannot
    /// be read (not tried again while it is kept).
    NeighbourPixels* pixels(const cl_Map& map);
    /// One paint is over: sheets beyond kKept go, least recently painted first.
    void paintDone();
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    /// Every sheet kept is painted at its full detail.
    bool ready() const;

private:
    struct Entry {
        std::string calPath;
        std::unique_ptr<NeighbourPixels> pixels;
        std::uint64_t paint = 0;
    };
    Opener open_;
    std::vector<Entry> entries_;
    std::uint64_t paint_ = 0;
};

/// Current-map pixels (y up) → viewport, for the current sheet of
/// `bitmap` pixels painted into `target`.
QTransform mapToDevice(const QRect& target, QSize bitmap);

class SheetMosaicPainter {
public:
    /// Bitmaps opened as MapBitmap; `update` asks for a repaint from any
    /// thread, when a pyramid is ready.
    explicit SheetMosaicPainter(std::function<void()> update);
    /// For other sources.
    explicit SheetMosaicPainter(SheetCache::Opener open) : cache_(std::move(open)) {}

    /// The checked sheets of `maps` around `current` under the whole
    /// `window`, clipped to `exposed`; `target` is where the current sheet
    /// of `bitmap` pixels is painted, over them.
    void paint(QPainter& painter, const QRect& exposed, const QRect& window, const QRect& target, QSize bitmap,
               const MapRecord& current, const MapCollection& maps);
    const SheetCache& cache() const { return cache_; }
    void clear() { cache_.clear(); }

private:
    void paintSheet(QPainter& painter, const QPainterPath& shown, const QTransform& toDevice, const MosaicSheet& sheet);

    SheetCache cache_;
};

} // namespace rovanta
