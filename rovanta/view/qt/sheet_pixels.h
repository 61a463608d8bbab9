// What the painter asks of a sheet's pixels, wherever they come from: the
// BMP read in place (MapBitmap) or any other raster through GDAL
// (RasterSheet).
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

namespace rovanta {

/// Part of a bitmap's rows, in stored order.
struct BitmapWindow {
    /// Convertible to Format_RGB32 by QImage::convertToFormat. Pixels read
    /// from the file are its own; a decoded bitmap's are referred to, so it
    /// must not outlive its sheet.
    QImage image;
    /// Stored position (column, row) of the image's top-left pixel. Lies at
    /// or before the rectangle asked for: 1-bit rows start on a byte.
    QPoint origin;
    /// Image pixel (i, j) is stored pixel origin + step · (i, j).
    int step = 1;
};

class SheetPixels {
public:
    virtual ~SheetPixels() = default;

    /// Pixels, each at least 1.
    virtual int width() const = 0;
    virtual int height() const = 0;
    /// True when stored row 0 is the bitmap's bottom row (the map's own y
    /// axis); false when it is the top row.
    virtual bool bottomUp() const = 0;
    /// True once the file is found changed or unreadable since it was
    /// opened; every window is empty from then on.
    virtual bool unreadable() const = 0;
    /// True when zoomed-out windows come from reductions the sheet has (or
    /// is building) itself, so the view builds no pyramid for it.
    virtual bool hasOwnReductions() const = 0;
    /// Every `step`-th stored row and column of `stored` (clipped to the
    /// bitmap), from its top-left corner on, or a finer step where that is
    /// cheaper to read (the window's own step says which); empty when
    /// nothing can be read. Safe to call from any thread.
    virtual BitmapWindow window(const QRect& stored, int step = 1) const = 0;
};

} // namespace rovanta
