#include "view/qt/rovanta_view.h"

#include "common/qt/display.h"
#include "dialogs/qt/tour_distances_dialog.h"
#include "editing/qt/import_dialog.h"
#include "editing/qt/mouse_adapter.h"
#include "manager/qt/manager_sheet.h"
#include "navigation/go_to_position.h"
#include "navigation/qt/go_to_dialog.h"
#include "navigation/qt/grid_painter.h"
#include "navigation/view_settings.h"
#include "ports/message.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "view/qt/bitmap_painter.h"
#include "view/qt/tour_painter.h"
#include "view/qt/tour_recovery_guard.h"

#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleHints>

#include <algorithm>

namespace rovanta {

namespace {

// The scroll range while no bitmap is shown.
constexpr ISize kEmptyCanvas{100, 100};
constexpr int kScrollLineStep = 20;
// The popup opens this far right of the click, clear of the marked point.
constexpr int kPopupOffset = 20;
// The printout's positions are printer pixels laid out for this resolution.
constexpr int kPrintResolution = 600;

// Why the view stays blank; nothing when the bitmap is shown.
QString bitmapNotice(BmpFault fault, const std::string& path)
{
    std::string text;
    switch (fault) {
    case BmpFault::kNone:
        return {};
    case BmpFault::kMissing:
        text = strings::tr(strings::kBitmapNotFound);
        break;
    case BmpFault::kUnsupported:
        text = strings::tr(strings::kBitmapNotSupported);
        break;
    case BmpFault::kUnreadable:
        text = strings::tr(strings::kBitmapUnreadable);
        break;
    }
    return displayText(text).arg(QDir::toNativeSeparators(displayText(path)));
}

BmpFault asBmpFault(RasterFault fault)
{
    switch (fault) {
    case RasterFault::kNone:
        return BmpFault::kNone;
    case RasterFault::kMissing:
        return BmpFault::kMissing;
    case RasterFault::kUnsupported:
        return BmpFault::kUnsupported;
    case RasterFault::kUnreadable:
        return BmpFault::kUnreadable;
    }
    return BmpFault::kUnreadable;
}

} // namespace

CRovantaView::CRovantaView(SettingsAccess& settings, MenuStates& menus, QWidget* parent)
    : QAbstractScrollArea(parent), settings_(settings), manager_(settings), popup_(menus, this),
      editor_(manager_, *this, popup_), tourCommands_(manager_, editor_, *this, popup_),
      transfer_(manager_, tourCommands_, editor_, *this, settings),
      mosaic_([viewport = viewport()] {
          QMetaObject::invokeMethod(viewport, qOverload<>(&QWidget::update), Qt::QueuedConnection);
      }),
      printSetup_([this](QPrinter& printer) {
          QPrintDialog dialog(&printer, this);
          return dialog.exec() == QDialog::Accepted;
      }),
      mapPrint_(this), runPopup_([](ViewPopup& popup, QPoint global) { return popup.exec(global); }),
      utmGrid_(settings.readInt(settings::kView, settings::kUtmGrid, 0) != 0),
      marker_(new PositionMarker(*this))
{
    setFrameShape(QFrame::NoFrame);
    // The canvas is white whatever the desktop's colours.
    QPalette white = viewport()->palette();
    white.setColor(QPalette::Window, Qt::white);
    viewport()->setPalette(white);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
    verticalScrollBar()->setSingleStep(kScrollLineStep);
    updateScrollRange();
    editor_.setDoubleClickInterval(doubleClickInterval());
    tourCommands_.setSaveListener([this](const std::string& path) { transfer_.tourSaved(path); });
    transfer_.setImportChooser(dialogImportChooser(this));
    tourCommands_.setStartListener([this] { startedByDoubleClick(); });
    // The status bar follows the cursor without a button held.
    viewport()->setMouseTracking(true);
    connect(QGuiApplication::styleHints(), &QStyleHints::mouseDoubleClickIntervalChanged, this,
            [this] { editor_.setDoubleClickInterval(doubleClickInterval()); });
}

// The pyramid's thread stops before anything it reports to goes. The view's
// options reach the settings at exit, with the manager's lists.
CRovantaView::~CRovantaView()
{
    pyramid_.reset();
    settings_.writeInt(settings::kView, settings::kUtmGrid, utmGrid_ ? 1 : 0);
    mosaic_.clear();
    raster_.reset();
    bitmap_.reset();
}

void CRovantaView::initialUpdate()
{
    pyramid_.reset();
    raster_.reset();
    bitmap_.reset();
    updateScrollRange();
    loadMapBitmap();
    tourCommands_.setInitialMenuStates();
}

void CRovantaView::onCommand(int id)
{
    if (editor_.onPopupCommand(id)) {
        redraw();
        return;
    }
    if (tourCommands_.onCommand(id))
        return;
    // CSV follows the format the distances table shows.
    if (transfer_.onCommand(id, distances_ ? distances_->format() : kDecimalMinute))
        return;
    switch (id) {
    case commands::kManager:
        runManager();
        break;
    case commands::kZoomIn:
        zoomBy(kZoomInStep);
        break;
    case commands::kZoomOut:
        zoomBy(kZoomOutStep);
        break;
    case commands::kPrintMap:
        printMap();
        break;
    case commands::kGoToPosition:
        goToPosition();
        break;
    case commands::kWholeMap:
        showWholeMap();
        break;
    case commands::kZoomOneToOne:
        showOneToOne();
        break;
    default:
        break;
    }
}

bool CRovantaView::queryClose()
{
    if (!tourCommands_.queryClose())
        return false;
    if (recovery_)
        recovery_->keeper().discard();
    return true;
}

void CRovantaView::startRecovery(const std::filesystem::path& folder)
{
    recovery_ = std::make_unique<TourRecoveryGuard>(folder, *this);
}

// Every change of the tour, its map or its saved state ends in a new table
// or a fresh background, so both tell the recovery file.
void CRovantaView::tourMayHaveChanged()
{
    if (recovery_)
        recovery_->keeper().changed();
}

void CRovantaView::runManager()
{
    ManagerSheet sheet(manager_, this);
    const bool ok = sheet.exec() == QDialog::Accepted;
    tourCommands_.managerClosed(ok);
}

void CRovantaView::loadMapBitmap()
{
    map_ = manager_.selectedMap();
    if (!map_)
        return;
    window()->setWindowTitle(displayText(map_->mapName()));
    pyramid_.reset();
    raster_.reset();
    const std::string path = map_->getBitmapPath();
    MapBitmap::Opened opened = MapBitmap::open(path);
    bitmap_ = std::move(opened.bitmap);
    // Anything but a BMP goes through GDAL.
    const BmpFault fault = opened.fault == BmpFault::kUnsupported ? openRasterSheet(path) : opened.fault;
    emit notice(bitmapNotice(fault, path));
    if (bitmap_)
        resetLayout();
    else
        updateScrollRange();
    announceScale();
    viewport()->update();
}

BmpFault CRovantaView::openRasterSheet(const std::string& path)
{
    // The sheet's thread reports through the event loop; a report from a
    // sheet no longer shown is dropped there.
    RasterSheet::Opened opened = RasterSheet::open(
        path, sheetCacheFolder(),
        [this](const RasterSheet* sheet, int percent) {
            QMetaObject::invokeMethod(
                this, [this, sheet, percent] { rasterProgress(sheet, percent); }, Qt::QueuedConnection);
        },
        [this](const RasterSheet* sheet) {
            QMetaObject::invokeMethod(
                this, [this, sheet] { rasterPrepared(sheet); }, Qt::QueuedConnection);
        });
    raster_ = std::move(opened.sheet);
    bitmap_ = raster_;
    return asBmpFault(opened.fault);
}

void CRovantaView::rasterProgress(const RasterSheet* sheet, int percent)
{
    if (!raster_ || raster_.get() != sheet || !raster_->preparing())
        return;
    const QString path = QDir::toNativeSeparators(displayText(map_ ? map_->getBitmapPath() : std::string()));
    emit notice(displayText(strings::tr(strings::kPreparingSheet)).arg(path, QString::number(percent)));
}

void CRovantaView::rasterPrepared(const RasterSheet* sheet)
{
    if (!raster_ || raster_.get() != sheet)
        return;
    raster_->adoptPrepared();
    emit notice(QString());
    viewport()->update();
}

// Found while painting, here or in the pyramid's thread, whose end this waits for.
void CRovantaView::dropUnreadableBitmap()
{
    if (!bitmap_ || !bitmap_->unreadable())
        return;
    pyramid_.reset();
    raster_.reset();
    bitmap_.reset();
    emit notice(bitmapNotice(BmpFault::kUnreadable, map_ ? map_->getBitmapPath() : std::string()));
    updateScrollRange();
    announceScale();
    viewport()->update();
}

void CRovantaView::resetLayout()
{
    if (!bitmap_)
        return;
    layout_.reset({bitmap_->width(), bitmap_->height()});
    updateScrollRange();
    setScroll(centredScroll(layout_, outerSize()));
    announceScale();
}

void CRovantaView::setUtmGridShown(bool shown)
{
    utmGrid_ = shown;
    viewport()->update();
}

void CRovantaView::goToPosition()
{
    GoToDialog dialog(lastPosition_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lastPosition_ = dialog.text();
    static_cast<void>(showPosition(*dialog.position()));
}

bool CRovantaView::showPosition(cl_RefPoint position)
{
    const MapRecord map = mapForPosition(manager_, map_, position);
    if (!map) {
        showMessage(strings::tr(strings::kPositionOffMaps), kMessageOk);
        return false;
    }
    if (map != map_)
        editor_.switchMap(map);
    setScroll(centringScroll(pixelToWindow(position.pixel), outerSize()));
    marker_->place(map, position.pixel);
    return true;
}

void CRovantaView::zoomBy(double factor)
{
    if (!bitmap_ || !layout_.zoomBy(factor))
        return;
    const IPoint scroll = zoomedScroll(factor, outerSize(), scrollPosition());
    updateScrollRange();
    setScroll(scroll);
    announceScale();
    viewport()->update();
}

void CRovantaView::zoomAt(double factor, IPoint canvas)
{
    setScroll(centringScroll(canvas, outerSize()));
    zoomBy(factor);
}

void CRovantaView::setClearBackground()
{
    clearBackground_ = true;
    viewport()->update();
    tourMayHaveChanged();
}

void CRovantaView::refreshDistances()
{
    tourMayHaveChanged();
    if (!distances_)
        return;
    // A tour taken off the tours page is gone for the user, even while
    // something still holds its record.
    const TourRecord& shown = distances_->tour();
    if (shown && std::ranges::none_of(manager_.tourList().working(),
                                      [&shown](const auto& item) { return item.second == shown; }))
        distances_->dropTour();
    distances_->refresh();
}

void CRovantaView::openDistances(const TourRecord& tour)
{
    // One table at a time, so every table on screen follows the edits.
    if (distances_ && distances_->tour() == tour) {
        distances_->refresh();
        distances_->show();
        distances_->raise();
        distances_->activateWindow();
        return;
    }
    delete distances_;
    distances_ = new TourDistancesDialog(tour, this);
    connect(distances_, &TourDistancesDialog::printRequested, this, &CRovantaView::printDistances,
            Qt::QueuedConnection);
    connect(distances_, &TourDistancesDialog::remarksChanged, this, [this] {
        tourCommands_.remarksApplied(distances_->tour());
        tourMayHaveChanged();
    });
    connect(distances_, &TourDistancesDialog::exportRequested, this, [this](bool csv) {
        transfer_.exportTour(distances_->tour(), csv ? ExportFormat::csv : ExportFormat::kml, distances_->format());
    });
}

void CRovantaView::printDistances()
{
    if (!distances_)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kPrintResolution);
    if (!printSetup_(printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        showMessage(strings::tr(strings::kPrintingNotPossible), kMessageOk);
        return;
    }
    distances_->printTable(painter);
    painter.end();
}

void CRovantaView::printMap()
{
    MapPrintSource source{map_, bitmap_, manager_.currentTour(), {}, {}};
    for (const auto& [name, map] : manager_.maps()) {
        if (map != map_ && map->status() >= 1)
            source.otherMaps.push_back(map);
    }
    const IPoint scroll = scrollPosition();
    const QSize window = viewport()->size();
    for (const IPoint corner : {IPoint{0, 0}, IPoint{window.width(), window.height()}})
        source.windowCorners.push_back(windowToPixel(IPoint{scroll.x + corner.x, scroll.y + corner.y}));
    mapPrint_.run(source);
}

void CRovantaView::mousePressEvent(QMouseEvent* event)
{
    onMouse(event);
}

void CRovantaView::mouseMoveEvent(QMouseEvent* event)
{
    showCursorPosition(event->position());
    onMouse(event);
}

void CRovantaView::mouseReleaseEvent(QMouseEvent* event)
{
    onMouse(event);
}

void CRovantaView::mouseDoubleClickEvent(QMouseEvent* event)
{
    onMouse(event);
}

void CRovantaView::onMouse(QMouseEvent* event)
{
    const MouseAction action = interpretMouseEvent(*event);
    switch (action.gesture) {
    case MouseGesture::kLeftPress:
        editor_.leftPress(action.client, action.time);
        break;
    case MouseGesture::kLeftDrag:
        editor_.leftDrag(action.client);
        break;
    case MouseGesture::kLeftRelease:
        editor_.leftRelease(action.client);
        break;
    case MouseGesture::kDoubleClick:
        editor_.doubleClick(action.client, action.time);
        break;
    case MouseGesture::kRightClick:
        editor_.rightClick(action.client);
        showPopup(action.client);
        break;
    case MouseGesture::kNone:
        return;
    }
    event->accept();
}

void CRovantaView::showPopup(IPoint client)
{
    const QPoint global = mapToGlobal(QPoint(client.x + kPopupOffset, client.y));
    emit popupOpened();
    const int chosen = runPopup_(popup_, global);
    emit popupClosed();
    editor_.popupClosed();
    if (chosen != 0)
        onCommand(chosen);
}

IPoint CRovantaView::scrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void CRovantaView::setScroll(IPoint position)
{
    horizontalScrollBar()->setValue(position.x);
    verticalScrollBar()->setValue(position.y);
}

ISize CRovantaView::canvasSize() const
{
    return bitmap_ ? layout_.canvasSize() : kEmptyCanvas;
}

void CRovantaView::updateScrollRange()
{
    const ISize canvas = canvasSize();
    const QSize page = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, canvas.width - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, canvas.height - page.height()));
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
}

void CRovantaView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
}

void CRovantaView::scrollContentsBy(int dx, int dy)
{
    // Everything drawn is fixed to the canvas, so the pixels can move;
    // while painting, the whole window is drawn again instead, and so is
    // the grid, whose labels keep to the window's edges.
    if (painting_ || utmGrid_)
        viewport()->update();
    else
        viewport()->scroll(dx, dy);
    updateScaleBar(dx, dy);
}

QRect CRovantaView::targetRect() const
{
    const IPoint scroll = scrollPosition();
    const IPoint origin = layout_.targetOrigin();
    const ISize size = layout_.targetSize();
    return {origin.x - scroll.x, origin.y - scroll.y, size.width, size.height};
}

void CRovantaView::centreOnFirstPoint()
{
    const TourRecord tour = manager_.currentTour();
    if (!tour || tour->getPointCount() == 0)
        return;
    zoomAt(1.0, pixelToWindow(tour->getPoint(0)->pixel));
}

void CRovantaView::paintEvent(QPaintEvent* event)
{
    if (!bitmap_)
        return;
    painting_ = true;
    if (clearBackground_) {
        clearBackground_ = false;
        centreOnFirstPoint();
    }
    painting_ = false;

    const QRect target = targetRect();
    if (!pyramid_ && layout_.zoom() < kPyramidBelowZoom && !bitmap_->hasOwnReductions()) {
        // Started on the first zoomed-out paint, not at load, so opening a
        // map costs no more than its first screen.
        pyramid_ = std::make_unique<BitmapPyramid>(bitmap_, [viewport = viewport()] {
            QMetaObject::invokeMethod(viewport, qOverload<>(&QWidget::update), Qt::QueuedConnection);
        });
    }
    QPainter painter(viewport());
    mosaic_.paint(painter, event->rect(), viewport()->rect(), target, {bitmap_->width(), bitmap_->height()}, map_,
                  manager_.maps());
    paintBitmap(painter, event->rect(), target, layout_.zoom(), *bitmap_, pyramid_.get());
    if (bitmap_->unreadable())
        QMetaObject::invokeMethod(this, &CRovantaView::dropUnreadableBitmap, Qt::QueuedConnection);

    if (utmGrid_ && map_) {
        const QTransform toViewport(double(target.width()) / bitmap_->width(), 0, 0,
                                    -double(target.height()) / bitmap_->height(), target.left(),
                                    target.top() + target.height());
        paintUtmGrid(painter, *map_, QSizeF(bitmap_->width(), bitmap_->height()), toViewport, viewport()->rect());
    }

    const IPoint scroll = scrollPosition();
    const auto onViewport = [scroll](IPoint canvas) { return QPoint(canvas.x - scroll.x, canvas.y - scroll.y); };
    std::vector<QPoint> points;
    if (const TourRecord tour = manager_.currentTour()) {
        for (cl_Tour::Position at = tour->getHeadPosition(); at;)
            points.push_back(onViewport(pixelToWindow(tour->getNext(at).pixel)));
    }
    std::optional<QPoint> marked;
    if (const std::optional<IPoint> at = editor_.markedPosition())
        marked = onViewport(*at);
    paintTour(painter, points, marked, event->rect());
    if (const std::optional<IPoint> at = marker_->pixelOn(map_))
        PositionMarker::paint(painter, onViewport(pixelToWindow(*at)));
    paintScaleBar(painter);
}

} // namespace rovanta
