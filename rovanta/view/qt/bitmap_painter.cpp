#include "view/qt/bitmap_painter.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace rovanta {
namespace {

// What is painted from: the bitmap's stored rows, or a pyramid level whose
// pixel spans `unit` bitmap pixels on each side.
struct Source {
    int width = 0; ///< stored pixels
    int height = 0;
    double unit = 1.0;
    bool bottomUp = false;
    std::function<BitmapWindow(const QRect&, int step)> window;
};

Source fromBitmap(const SheetPixels& bitmap)
{
    return {bitmap.width(), bitmap.height(), 1.0, bitmap.bottomUp(),
            [&bitmap](const QRect& rect, int step) { return bitmap.window(rect, step); }};
}

Source fromLevel(const PyramidLevel& level, bool bottomUp)
{
    const QImage& image = level.image;
    return {image.width(), image.height(), std::ldexp(1.0, level.shift), bottomUp, [&image](const QRect& rect, int) {
                const QRect clipped = rect & image.rect();
                if (clipped.isEmpty())
                    return BitmapWindow{};
                // Wraps the level's rows; the const accessors never copy.
                const uchar* first = image.constScanLine(clipped.top()) + qsizetype{clipped.left()} * 4;
                return BitmapWindow{
                    QImage(first, clipped.width(), clipped.height(), image.bytesPerLine(), image.format()),
                    clipped.topLeft()};
            }};
}

int floorToInt(double value)
{
    return static_cast<int>(std::floor(value));
}

int ceilToInt(double value)
{
    return static_cast<int>(std::ceil(value));
}

// Zoomed out without a pyramid level, nearest-neighbour shows one stored
// row and column in several anyway: only those are read. Otherwise the
// window is whole, so Qt picks the pixels exactly as from a decoded image.
int sampleStep(bool sampling, double devicePerStored)
{
    return sampling ? std::max(1, floorToInt(1.0 / devicePerStored)) : 1;
}

void paintFrom(QPainter& painter, const QRect& shown, const QRect& target, const Source& source, double fx, double fy,
               bool sampling = false)
{
    // Device pixels per stored pixel.
    const double sx = source.unit * fx;
    const double sy = source.unit * fy;
    const double bottom = double(target.top()) + target.height();
    const double shownBottom = double(shown.top()) + shown.height();
    const double shownRight = double(shown.left()) + shown.width();

    const int c0 = std::max(0, floorToInt((shown.left() - target.left()) / sx));
    const int c1 = std::min(source.width, ceilToInt((shownRight - target.left()) / sx));
    int r0 = 0;
    int r1 = 0;
    if (source.bottomUp) {
        r0 = std::max(0, floorToInt((bottom - shownBottom) / sy));
        r1 = std::min(source.height, ceilToInt((bottom - shown.top()) / sy));
    } else {
        r0 = std::max(0, floorToInt((shown.top() - target.top()) / sy));
        r1 = std::min(source.height, ceilToInt((shownBottom - target.top()) / sy));
    }
    if (c1 <= c0 || r1 <= r0)
        return;
    // Samples on multiples of the step stay put while the view scrolls.
    const int step = sampleStep(sampling, std::min(sx, sy));
    const int firstColumn = c0 / step * step;
    const int firstRow = r0 / step * step;
    const BitmapWindow window = source.window(QRect(firstColumn, firstRow, c1 - firstColumn, r1 - firstRow), step);
    if (window.image.isNull())
        return;

    const QImage& image = window.image;
    const double left = target.left() + window.origin.x() * sx;
    const double width = image.width() * window.step * sx;
    const double height = image.height() * window.step * sy;
    const QRectF whole(0, 0, image.width(), image.height());
    painter.save();
    painter.setClipRect(shown);
    if (source.bottomUp) {
        // Stored row 0 is the bottom row: paint upward from the bitmap's
        // bottom edge, which is also the map's own y axis.
        painter.translate(0, bottom);
        painter.scale(1, -1);
        painter.drawImage(QRectF(left, window.origin.y() * sy, width, height), image, whole);
    } else {
        painter.drawImage(QRectF(left, target.top() + window.origin.y() * sy, width, height), image, whole);
    }
    painter.restore();
}

} // namespace

void paintBitmap(QPainter& painter, const QRect& exposed, const QRect& target, double zoom, const SheetPixels& bitmap,
                 const BitmapPyramid* pyramid)
{
    const QRect shown = exposed & target;
    if (shown.isEmpty())
        return;
    const double fx = double(target.width()) / bitmap.width();
    const double fy = double(target.height()) / bitmap.height();
    const double scale = std::min(fx, fy);

    const PyramidLevel* level = nullptr;
    if (zoom < kPyramidBelowZoom && pyramid)
        level = pyramid->levelFor(scale);
    if (!level) {
        paintFrom(painter, shown, target, fromBitmap(bitmap), fx, fy, zoom < kPyramidBelowZoom);
        return;
    }
    // A level coarser than the target, when the finer ones were too big to
    // keep, is scaled up smoothly rather than in blocks.
    const bool upscaled = std::ldexp(1.0, -level->shift) < scale;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, upscaled);
    paintFrom(painter, shown, target, fromLevel(*level, bitmap.bottomUp()), fx, fy);
    painter.restore();
}

} // namespace rovanta
