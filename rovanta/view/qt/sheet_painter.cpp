#include "view/qt/sheet_painter.h"

#include "view/qt/bitmap_painter.h"
#include "view/qt/raster_sheet.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace rovanta {
namespace {

int floorToInt(double value)
{
    return static_cast<int>(std::floor(value));
}

int ceilToInt(double value)
{
    return static_cast<int>(std::ceil(value));
}

// A pyramid level's stored rows within `rect`, wrapped without copying.
BitmapWindow levelWindow(const PyramidLevel& level, const QRect& rect)
{
    const QImage& image = level.image;
    const QRect clipped = rect & image.rect();
    if (clipped.isEmpty())
        return {};
    const uchar* first = image.constScanLine(clipped.top()) + qsizetype{clipped.left()} * 4;
    return {QImage(first, clipped.width(), clipped.height(), image.bytesPerLine(), image.format()), clipped.topLeft()};
}

QTransform fromAffine(const PixelAffine& a)
{
    // QTransform: x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy.
    return {a.xx, a.yx, a.xy, a.yy, a.dx, a.dy};
}

} // namespace

BitmapNeighbourPixels::BitmapNeighbourPixels(std::shared_ptr<const SheetPixels> bitmap, std::function<void()> onPyramidReady)
    : bitmap_(std::move(bitmap)), onPyramidReady_(std::move(onPyramidReady))
{
}

void BitmapNeighbourPixels::paint(QPainter& painter, const QRect& area, double devicePerPixel)
{
    const SheetPixels& bitmap = *bitmap_;
    const PyramidLevel* level = nullptr;
    // A sheet with reductions of its own reads them through its windows.
    if (devicePerPixel < kPyramidBelowZoom && !bitmap.hasOwnReductions()) {
        if (!pyramid_)
            pyramid_ = std::make_unique<BitmapPyramid>(bitmap_, onPyramidReady_);
        level = pyramid_->levelFor(devicePerPixel);
    }
    // Stored units: bitmap pixels, or a level's pixels of `unit` bitmap pixels.
    const double unit = level ? std::ldexp(1.0, level->shift) : 1.0;
    const int height = bitmap.height();
    const double low = bitmap.bottomUp() ? area.y() : height - (double(area.y()) + area.height());
    const int c0 = floorToInt(area.x() / unit);
    const int c1 = ceilToInt((double(area.x()) + area.width()) / unit);
    const int r0 = floorToInt(low / unit);
    const int r1 = ceilToInt((low + area.height()) / unit);
    // Zoomed out without a level, only the rows and columns nearest-neighbour
    // sampling shows are read, on multiples of the step so they stay put.
    const int step = !level && devicePerPixel < kPyramidBelowZoom ? std::max(1, floorToInt(1.0 / devicePerPixel)) : 1;
    const QRect stored(c0 / step * step, r0 / step * step, c1 - c0 / step * step, r1 - r0 / step * step);
    const BitmapWindow window = level ? levelWindow(*level, stored) : bitmap.window(stored, step);
    if (window.image.isNull())
        return;

    const QImage& image = window.image;
    const double span = window.step * unit;
    const QRectF placed(window.origin.x() * unit, window.origin.y() * unit, image.width() * span,
                        image.height() * span);
    painter.save();
    // A level coarser than the screen, when finer ones were too big to keep,
    // is scaled up smoothly rather than in blocks.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, level && unit * devicePerPixel > 1.0);
    if (!bitmap.bottomUp()) {
        // Stored row 0 is the top row: count rows down from the top edge.
        painter.translate(0, height);
        painter.scale(1, -1);
    }
    painter.drawImage(placed, image, QRectF(image.rect()));
    painter.restore();
}

NeighbourPixels* SheetCache::pixels(const cl_Map& map)
{
    auto entry = std::ranges::find(entries_, map.calPath(), &Entry::calPath);
    if (entry == entries_.end()) {
        entries_.push_back({map.calPath(), open_(map), paint_});
        return entries_.back().pixels.get();
    }
    if (entry->pixels && !entry->pixels->usable())
        entry->pixels = open_(map);
    entry->paint = paint_;
    return entry->pixels.get();
}

void SheetCache::paintDone()
{
    if (entries_.size() > kKept) {
        std::ranges::stable_sort(entries_, std::ranges::greater{}, &Entry::paint);
        const auto keep = std::max<std::ptrdiff_t>(kKept, std::ranges::count(entries_, paint_, &Entry::paint));
        entries_.erase(entries_.begin() + keep, entries_.end());
    }
    ++paint_;
}

bool SheetCache::ready() const
{
    return std::ranges::all_of(entries_, [](const Entry& entry) { return !entry.pixels || entry.pixels->ready(); });
}

QTransform mapToDevice(const QRect& target, QSize bitmap)
{
    const double fx = double(target.width()) / bitmap.width();
    const double fy = double(target.height()) / bitmap.height();
    return {fx, 0, 0, -fy, double(target.left()), double(target.top()) + target.height()};
}

SheetMosaicPainter::SheetMosaicPainter(std::function<void()> update)
    : cache_([update = std::move(update)](const cl_Map& map) -> std::unique_ptr<NeighbourPixels> {
          std::shared_ptr<const SheetPixels> sheet = openSheetForReading(map.getBitmapPath());
          if (!sheet)
              return nullptr;
          return std::make_unique<BitmapNeighbourPixels>(std::move(sheet), update);
      })
{
}

void SheetMosaicPainter::paint(QPainter& painter, const QRect& exposed, const QRect& window, const QRect& target,
                               QSize bitmap, const MapRecord& current, const MapCollection& maps)
{
    const QTransform toDevice = mapToDevice(target, bitmap);
    // The whole window, not just what is exposed, so a strip scrolled into
    // view is placed as the rest was.
    const QRectF inPixels = toDevice.inverted().mapRect(QRectF(window));
    const std::vector<MosaicSheet> sheets =
        sheetsAround(current, maps, {inPixels.left(), inPixels.top(), inPixels.right(), inPixels.bottom()});
    // The current sheet is painted over them: no neighbour is painted there.
    QPainterPath shown;
    shown.addRect(QRectF(exposed));
    QPainterPath currentSheet;
    currentSheet.addRect(QRectF(target));
    shown = shown.subtracted(currentSheet);
    for (const MosaicSheet& sheet : sheets)
        paintSheet(painter, shown, toDevice, sheet);
    cache_.paintDone();
}

void SheetMosaicPainter::paintSheet(QPainter& painter, const QPainterPath& shown, const QTransform& toDevice,
                                    const MosaicSheet& sheet)
{
    const std::optional<PixelAffine> toCurrent = sheet.toSheet.inverted();
    if (!toCurrent)
        return;
    // Two calibrations agree to a metre or so, not to the device pixel: the
    // sheet is drawn one device pixel larger all round, so no white hairline
    // opens along a seam. Across the whole sheet that stretch does not show.
    QTransform sheetToDevice = fromAffine(*toCurrent) * toDevice;
    const double devicePerPixel = std::sqrt(std::fabs(sheetToDevice.determinant()));
    const double side = devicePerPixel * std::min(sheet.width, sheet.height);
    const QPointF middle = sheetToDevice.map(QPointF(sheet.width / 2.0, sheet.height / 2.0));
    const double grow = side > 4.0 ? 1.0 + 2.0 / side : 1.0;
    sheetToDevice *= QTransform::fromTranslate(-middle.x(), -middle.y()) * QTransform::fromScale(grow, grow) *
                     QTransform::fromTranslate(middle.x(), middle.y());

    QPolygonF outline;
    for (const QPointF corner :
         {QPointF(0, 0), QPointF(sheet.width, 0), QPointF(sheet.width, sheet.height), QPointF(0, sheet.height)})
        outline << sheetToDevice.map(corner);
    QPainterPath clip;
    clip.addPolygon(outline);
    clip.closeSubpath();
    clip = clip.intersected(shown);
    if (clip.isEmpty())
        return;
    const QRectF reach =
        sheetToDevice.inverted().mapRect(clip.boundingRect()) & QRectF(0, 0, sheet.width, sheet.height);
    const QRect area(QPoint(floorToInt(reach.left()), floorToInt(reach.top())),
                     QPoint(ceilToInt(reach.right()) - 1, ceilToInt(reach.bottom()) - 1));
    NeighbourPixels* pixels = area.isEmpty() ? nullptr : cache_.pixels(*sheet.map);
    if (!pixels)
        return;
    painter.save();
    painter.setClipPath(clip);
    painter.setTransform(sheetToDevice);
    pixels->paint(painter, area, devicePerPixel);
    painter.restore();
}

} // namespace rovanta
