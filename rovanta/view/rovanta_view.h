// The map view: the current map's bitmap on a scrollable canvas at a zoom
// the user changes in steps, with the current tour drawn on top. It owns
// the manager (the settings store and the Manager sheet's logic).
#pragma once

#include "manager/cl_manager.h"
#include "manager/records.h"
#include "view/bitmap_pyramid.h"
#include "view/map_bitmap.h"
#include "view/menu_states.h"
#include "view/view_layout.h"

#include <QAbstractScrollArea>

#include <memory>
#include <optional>

namespace rovanta {

class CRovantaView : public QAbstractScrollArea {
    Q_OBJECT
public:
    /// Constructs the manager, which loads folders, maps and tours.
    CRovantaView(SettingsAccess& settings, MenuStates& menus, QWidget* parent = nullptr);
    /// Destroys the manager, which writes folders, maps and tours.
    ~CRovantaView() override;

    cl_Manager& manager() { return manager_; }
    /// The map shown, or nothing.
    const MapRecord& currentMap() const { return map_; }
    /// The tour being edited, or nothing.
    const TourRecord& currentTour() const { return tour_; }

    /// Shows the selected map and sets the menus to their first states;
    /// again on every new document (Ctrl+N).
    void initialUpdate();
    /// A command of the menus, the toolbar or the accelerators meant for
    /// the view.
    void onCommand(int id);
    /// The Manager command: runs the sheet modally.
    void runManager();

    /// Shows the manager's selected map. Without one, the bitmap shown
    /// stays; a bitmap that cannot be read leaves the view blank, silently.
    void loadMapBitmap();
    /// The 1:1 layout with the bitmap's centre at the window's centre.
    void resetLayout();
    /// Zooms by `factor`, keeping the canvas point at the window's centre.
    void zoomBy(double factor);
    /// Centres the canvas position `canvas` in the window, then zooms.
    void zoomAt(double factor, IPoint canvas);
    IPoint windowToPixel(IPoint canvas) const { return layout_.windowToPixel(canvas); }
    IPoint pixelToWindow(IPoint pixel) const { return layout_.pixelToWindow(pixel); }

    /// The next paint centres the view on the tour's first point.
    void setClearBackground();
    /// The canvas position circled as the marked tour point, or none.
    void setMarkedPoint(std::optional<IPoint> canvas);

    const ViewLayout& layout() const { return layout_; }
    bool bitmapLoaded() const { return bitmap_ != nullptr; }
    /// The canvas position at the window's top-left corner.
    IPoint scrollPosition() const;
    /// The view's outer size, scroll bars included.
    ISize outerSize() const { return {width(), height()}; }
    /// The pyramid for zoomed-out painting, once a paint has asked for it.
    const BitmapPyramid* pyramid() const { return pyramid_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void setScroll(IPoint position);
    void updateScrollRange();
    ISize canvasSize() const;
    void centreOnFirstPoint();
    QRect targetRect() const;

    cl_Manager manager_;
    MenuStates& menus_;
    MapRecord map_;
    TourRecord tour_;
    ViewLayout layout_;
    std::shared_ptr<const MapBitmap> bitmap_;
    std::unique_ptr<BitmapPyramid> pyramid_;
    std::optional<IPoint> marked_;
    bool clearBackground_ = false;
    bool painting_ = false;
};

} // namespace rovanta
