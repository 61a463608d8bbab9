// The map view: the current map's bitmap on a scrollable canvas at a zoom
// the user changes in steps, with the current tour drawn on top and edited
// with the mouse. It owns the manager (the settings store and the Manager
// sheet's logic).
#pragma once

#include "dialogs/qt/tour_distances_dialog.h"
#include "editing/editor_view.h"
#include "editing/menu_states.h"
#include "editing/tour_commands.h"
#include "editing/tour_editor.h"
#include "editing/tour_transfer.h"
#include "editing/view_layout.h"
#include "manager/cl_manager.h"
#include "manager/records.h"
#include "print/qt/map_print_command.h"
#include "navigation/qt/position_marker.h"
#include "navigation/zoom_navigation.h"
#include "view/qt/bitmap_pyramid.h"
#include "view/qt/map_bitmap.h"
#include "view/qt/sheet_painter.h"
#include "view/qt/raster_sheet.h"
#include "view/qt/view_popup.h"

#include <QAbstractScrollArea>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QPrinter;

namespace rovanta {

class TourRecoveryGuard;

class CRovantaView : public QAbstractScrollArea, public EditorView {
    Q_OBJECT
public:
    /// Constructs the manager, which loads folders, maps and tours.
    CRovantaView(SettingsAccess& settings, MenuStates& menus, QWidget* parent = nullptr);
    /// Writes the view's options; destroys the manager, which writes
    /// folders, maps and tours.
    ~CRovantaView() override;

    cl_Manager& manager() { return manager_; }
    TourEditor& editor() { return editor_; }
    TourCommands& tourCommands() { return tourCommands_; }
    /// Opening, importing and exporting tours as files.
    TourTransfer& transfer() { return transfer_; }
    ViewPopup& popup() { return popup_; }
    /// The map shown, or nothing.
    MapRecord currentMap() const override { return map_; }
    /// The tour being edited, or nothing.
    TourRecord currentTour() const { return manager_.currentTour(); }
    /// The distances table opened last, while it exists.
    TourDistancesDialog* distancesDialog() const { return distances_; }

    /// Shows the selected map and sets the menus to their first states;
    /// again on every new document (Ctrl+N).
    void initialUpdate();
    /// A command of the menus, the toolbar or the accelerators meant for
    /// the view.
    void onCommand(int id);
    /// The Manager command: runs the sheet modally.
    void runManager();
    /// The program is closing: asks about an unsaved tour. False keeps the
    /// program open; otherwise the recovery file goes.
    [[nodiscard]] bool queryClose();
    /// From now on an unsaved tour is kept in a recovery file in `folder`.
    void startRecovery(const std::filesystem::path& folder);
    /// While the recovery file is kept.
    TourRecoveryGuard* recovery() const { return recovery_.get(); }

    /// Shows the manager's selected map. Without one, the bitmap shown
    /// stays; a bitmap that cannot be shown, at once or once its file is
    /// cut short, replaced or deleted, leaves the view blank and says why
    /// through notice().
    void loadMapBitmap() override;
    /// The UTM grid over the map; the settings keep it from run to run.
    void setUtmGridShown(bool shown);
    bool utmGridShown() const { return utmGrid_; }
    /// Centres the position on the current map, or else on the first
    /// checked map that holds it, and marks it; a message when none does.
    [[nodiscard]] bool showPosition(cl_RefPoint position);
    const PositionMarker& marker() const { return *marker_; }
    /// The 1:1 layout with the bitmap's centre at the window's centre.
    void resetLayout();
    /// Zooms by `factor`, keeping the canvas point at the window's centre.
    void zoomBy(double factor);
    /// Centres the canvas position `canvas` in the window, then zooms.
    void zoomAt(double factor, IPoint canvas) override;
    /// Zooms `steps` Zoom In steps (negative: Zoom Out) keeping the map
    /// point under the window position `client` where it is.
    void zoomStepsAround(int steps, QPointF client);
    /// Whole Map: the sheet as large as fits the window, centred.
    void showWholeMap();
    /// 1:1: zoom 1, keeping the window's centre.
    void showOneToOne();
    /// Home: the sheet's centre at the window's centre, zoom kept.
    void centreMap();
    /// The current scale ("1:25 000") on this screen; empty without a map.
    QString scaleText() const;
    IPoint windowToPixel(IPoint canvas) const override { return layout_.windowToPixel(canvas); }
    IPoint pixelToWindow(IPoint pixel) const override { return layout_.pixelToWindow(pixel); }
    void scrollTo(IPoint canvas) override { setScroll(canvas); }
    void redraw() override { viewport()->update(); }

    /// The next paint centres the view on the tour's first point.
    void setClearBackground() override;

    void refreshDistances() override;
    void openDistances(const TourRecord& tour) override;
    /// Prints the distances table: the print dialog, then the pages.
    void printDistances();

    /// Prints the map at a scale the user picks (File → Print Map…).
    void printMap();
    /// The Print Map command, whose dialogs tests replace.
    MapPrintCommand& mapPrint() { return mapPrint_; }

    /// Replaces the print dialog; it prepares the printer and returns
    /// false to cancel. For tests.
    void setPrintSetup(std::function<bool(QPrinter&)> setup) { printSetup_ = std::move(setup); }
    /// Replaces running the popup menu at a screen position; it returns the
    /// chosen id or 0. For tests.
    void setPopupRunner(std::function<int(ViewPopup&, QPoint)> run) { runPopup_ = std::move(run); }

    const ViewLayout& layout() const { return layout_; }
    bool bitmapLoaded() const { return bitmap_ != nullptr; }
    /// The canvas position at the window's top-left corner.
    IPoint scrollPosition() const override;
    /// The view's outer size, scroll bars included.
    ISize outerSize() const { return {width(), height()}; }
    /// The pyramid for zoomed-out painting, once a paint has asked for it.
    const BitmapPyramid* pyramid() const { return pyramid_.get(); }
    /// The checked sheets painted around the current one.
    const SheetMosaicPainter& mosaic() const { return mosaic_; }

signals:
    /// Around the popup menu, for context help.
    void popupOpened();
    void popupClosed();
    /// A text for the status bar; an empty one clears it.
    void notice(const QString& text);
    /// The position under the cursor in the distances table's format and
    /// in UTM; both empty off the sheet.
    void cursorPosition(const QString& position, const QString& utm);
    /// The scale changed with the zoom or the map.
    void scaleChanged(const QString& scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void setScroll(IPoint position);
    void updateScrollRange();
    ISize canvasSize() const;
    void centreOnFirstPoint();
    QRect targetRect() const;
    void onMouse(QMouseEvent* event);
    void showPopup(IPoint client);
    void tourMayHaveChanged();

    void dropUnreadableBitmap();
    void goToPosition();
    /// The sheet at `path` through GDAL, or why not (BmpFault's words).
    BmpFault openRasterSheet(const std::string& path);
    void rasterProgress(const RasterSheet* sheet, int percent);
    void rasterPrepared(const RasterSheet* sheet);

    // Navigation, in rovanta_view_navigation.cpp.
    void showCursorPosition(QPointF client);
    void announceScale();
    void paintScaleBar(QPainter& painter);
    /// The scale bar's area, so scrolling repaints it in place.
    void updateScaleBar(int dx, int dy);
    void startedByDoubleClick();
    void scrollBy(int dx, int dy);

    SettingsAccess& settings_;
    cl_Manager manager_;
    ViewPopup popup_;
    TourEditor editor_;
    TourCommands tourCommands_;
    TourTransfer transfer_;
    MapRecord map_;
    ViewLayout layout_;
    std::shared_ptr<const SheetPixels> bitmap_;
    /// bitmap_ when it is a raster read through GDAL.
    std::shared_ptr<RasterSheet> raster_;
    std::unique_ptr<BitmapPyramid> pyramid_;
    SheetMosaicPainter mosaic_;
    QPointer<TourDistancesDialog> distances_;
    std::function<bool(QPrinter&)> printSetup_;
    MapPrintCommand mapPrint_;
    std::function<int(ViewPopup&, QPoint)> runPopup_;
    bool utmGrid_ = false;
    PositionMarker* marker_ = nullptr;
    QString lastPosition_;
    bool clearBackground_ = false;
    bool painting_ = false;
    ZoomNotches notches_;
    /// Where the last wheel or pinch zoom held still, and the view it left.
    struct ZoomAnchor {
        DPoint client;
        IPoint scroll;
        ISize canvas;
        double zoom;
        DPoint map;
    };
    std::optional<ZoomAnchor> anchor_;
    /// Last, so it goes first: its timer reads the tour and the map.
    std::unique_ptr<TourRecoveryGuard> recovery_;
};

} // namespace rovanta
