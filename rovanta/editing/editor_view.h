// What the tour editing needs from the map view: its scroll position, the
// conversions of its layout, zoom, the map shown, repaints and the
// distances table. The view implements it; tests use a plain stand-in.
#pragma once

#include "manager/records.h"

#include <kalimark/kalimark.h>

namespace rovanta {

class EditorView {
public:
    virtual ~EditorView() = default;

    /// The canvas position at the window's top-left corner, pixels.
    virtual IPoint scrollPosition() const = 0;
    /// Scrolls so that `canvas` is at the window's top-left corner, as far
    /// as the scroll range allows.
    virtual void scrollTo(IPoint canvas) = 0;
    /// Centres the canvas position in the window, then zooms by `factor`.
    virtual void zoomAt(double factor, IPoint canvas) = 0;
    /// Canvas pixels to map pixels (y up from the bitmap's bottom edge).
    virtual IPoint windowToPixel(IPoint canvas) const = 0;
    virtual IPoint pixelToWindow(IPoint pixel) const = 0;

    /// The map shown, or nothing.
    virtual MapRecord currentMap() const = 0;
    /// Shows the manager's selected map, resetting the layout.
    virtual void loadMapBitmap() = 0;

    /// Draws again, without erasing.
    virtual void redraw() = 0;
    /// The next draw centres the window on the tour's first point.
    virtual void setClearBackground() = 0;

    /// Rebuilds the distances table, if one was opened.
    virtual void refreshDistances() = 0;
    /// Opens the distances table of `tour`.
    virtual void openDistances(const TourRecord& tour) = 0;
};

} // namespace rovanta
