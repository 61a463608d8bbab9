// A sheet as the printout reads it: where it lies, and its pixels a window
// at a time, so no page needs the whole sheet decoded.
#pragma once

#include "print/sheet_frame.h"

#include <QImage>
#include <QRect>

#include <functional>
#include <memory>
#include <optional>

namespace rovanta {

class SheetPixels;

/// Part of a sheet, rows top down.
struct SheetWindow {
    QImage image;  ///< any format QImage converts; null when unreadable
    QPoint origin; ///< top-down pixel of image pixel (0, 0)
    int step = 1;  ///< image pixel (i, j) is sheet pixel origin + step · (i, j)
};

/// The sheet's pixels of `topDown` (x right, y down from the top edge,
/// clipped by the callee) at `step`; it may return more, or step 1.
using PrintPixels = std::function<SheetWindow(const QRect& topDown, int step)>;

struct PrintSheet {
    SheetFrame frame;
    PrintPixels pixels;
    /// Set for a sheet of another zone: its frame on the print's ground,
    /// fitted anew for each page, which `frame` then does not hold.
    std::function<std::optional<SheetFrame>(const GroundRect& page)> placedOn = {};
};

/// Reads a sheet's pixels through its windows.
PrintPixels bitmapPixels(std::shared_ptr<const SheetPixels> bitmap);

} // namespace rovanta
