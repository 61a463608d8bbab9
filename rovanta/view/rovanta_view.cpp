#include "view/rovanta_view.h"

#include "manager/manager_sheet.h"
#include "resources/command_ids.h"
#include "view/bitmap_painter.h"
#include "view/display.h"
#include "view/tour_painter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace rovanta {

namespace {

// Main menu states at the initial update.
constexpr std::pair<int, bool> kInitialMenuStates[] = {
    {commands::kZoomIn, true},    {commands::kZoomOut, true},        {commands::kNewTour, true},
    {commands::kSaveTour, false}, {commands::kTourDistances, false}, {commands::kClearTour, false},
    {commands::kManager, true},
};

constexpr double kZoomInStep = 1.25;
constexpr double kZoomOutStep = 0.8;
// The scroll range while no bitmap is shown.
constexpr ISize kEmptyCanvas{100, 100};
constexpr int kScrollLineStep = 20;

} // namespace

CRovantaView::CRovantaView(SettingsAccess& settings, MenuStates& menus, QWidget* parent)
    : QAbstractScrollArea(parent), manager_(settings), menus_(menus)
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
}

// The pyramid's thread stops before anything it reports to goes.
CRovantaView::~CRovantaView()
{
    pyramid_.reset();
}

void CRovantaView::initialUpdate()
{
    pyramid_.reset();
    bitmap_.reset();
    updateScrollRange();
    loadMapBitmap();
    for (const auto& [id, enabled] : kInitialMenuStates)
        menus_.setMenuEnabled(id, enabled);
}

void CRovantaView::onCommand(int id)
{
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
    default:
        break;
    }
}

void CRovantaView::runManager()
{
    ManagerSheet sheet(manager_, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    // The sheet may have chosen another map and placed the tour on it.
    loadMapBitmap();
    tour_ = manager_.currentTour();
    if (tour_) {
        menus_.setMenuEnabled(commands::kNewTour, false);
        for (const int id : {commands::kSaveTour, commands::kTourDistances, commands::kClearTour})
            menus_.setMenuEnabled(id, true);
        setClearBackground();
    }
}

void CRovantaView::loadMapBitmap()
{
    map_ = manager_.selectedMap();
    if (!map_)
        return;
    window()->setWindowTitle(displayText(map_->mapName()));
    pyramid_.reset();
    bitmap_ = MapBitmap::load(QFile::decodeName(QByteArray::fromStdString(map_->getBitmapPath())));
    if (bitmap_)
        resetLayout();
    else
        updateScrollRange();
    viewport()->update();
}

void CRovantaView::resetLayout()
{
    if (!bitmap_)
        return;
    layout_.reset({bitmap_->width(), bitmap_->height()});
    updateScrollRange();
    setScroll(centredScroll(layout_, outerSize()));
}

void CRovantaView::zoomBy(double factor)
{
    if (!bitmap_ || !layout_.zoomBy(factor))
        return;
    const IPoint scroll = zoomedScroll(factor, outerSize(), scrollPosition());
    updateScrollRange();
    setScroll(scroll);
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
}

void CRovantaView::setMarkedPoint(std::optional<IPoint> canvas)
{
    marked_ = canvas;
    viewport()->update();
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
    // while painting, the whole window is drawn again instead.
    if (painting_)
        viewport()->update();
    else
        viewport()->scroll(dx, dy);
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
    if (!pyramid_ && layout_.zoom() < kPyramidBelowZoom) {
        // Started on the first zoomed-out paint, not at load, so opening a
        // map costs no more than its first screen.
        pyramid_ = std::make_unique<BitmapPyramid>(bitmap_, [viewport = viewport()] {
            QMetaObject::invokeMethod(viewport, qOverload<>(&QWidget::update), Qt::QueuedConnection);
        });
    }
    QPainter painter(viewport());
    paintBitmap(painter, event->rect(), target, layout_.zoom(), *bitmap_, pyramid_.get());

    const IPoint scroll = scrollPosition();
    const auto onViewport = [scroll](IPoint canvas) { return QPoint(canvas.x - scroll.x, canvas.y - scroll.y); };
    std::vector<QPoint> points;
    if (const TourRecord tour = manager_.currentTour()) {
        for (cl_Tour::Position at = tour->getHeadPosition(); at;)
            points.push_back(onViewport(pixelToWindow(tour->getNext(at).pixel)));
    }
    std::optional<QPoint> marked;
    if (marked_)
        marked = onViewport(*marked_);
    paintTour(painter, points, marked);
}

} // namespace rovanta
