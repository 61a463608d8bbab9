// The view's ways around the map: the wheel, pinch and keys, Whole Map and
// 1:1, the position and scale for the status bar, the scale bar, and the
// tour a double click starts.
#include "view/qt/rovanta_view.h"

#include "common/qt/display.h"
#include "manager/settings_layout.h"
#include "navigation/cursor_position.h"
#include "navigation/map_scale.h"
#include "navigation/qt/scale_bar_painter.h"
#include "resources/string_table.h"

#include <QApplication>
#include <QKeyEvent>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <cstdlib>

namespace rovanta {
namespace {

// Set once the hint about a tour started by a double click was shown.
constexpr std::string_view kDoubleClickHintShown = "DoubleClickHintShown";

// Screens that do not know their size report nothing sensible.
constexpr double kFallbackDpi = 96.0;

double screenDpi(const QWidget& widget)
{
    const QScreen* screen = widget.screen();
    const double dpi = screen ? screen->physicalDotsPerInch() : 0.0;
    return dpi > 0.0 ? dpi : kFallbackDpi;
}

} // namespace

void CRovantaView::zoomStepsAround(int steps, QPointF client)
{
    if (!bitmap_ || steps == 0)
        return;
    // Wheel events at one spot, with nothing moved or zoomed between them,
    // keep the map point of the first, so the steps' roundings cannot drift.
    const DPoint at{client.x(), client.y()};
    const IPoint scroll = scrollPosition();
    if (!anchor_ || anchor_->client.x != at.x || anchor_->client.y != at.y || anchor_->scroll.x != scroll.x ||
        anchor_->scroll.y != scroll.y || anchor_->canvas != layout_.canvasSize() || anchor_->zoom != layout_.zoom())
        anchor_ = ZoomAnchor{at, scroll, {}, 0.0, mapPointUnder(at, scroll, canvasMapping(layout_))};
    int done = 0;
    // Each step truncates as a menu step does; the bounds stop the rest.
    while (done < std::abs(steps) && layout_.zoomBy(steps > 0 ? kZoomInStep : kZoomOutStep))
        ++done;
    if (done == 0)
        return;
    updateScrollRange();
    setScroll(scrollKeeping(at, anchor_->map, canvasMapping(layout_)));
    anchor_->scroll = scrollPosition();
    anchor_->canvas = layout_.canvasSize();
    anchor_->zoom = layout_.zoom();
    announceScale();
    viewport()->update();
}

void CRovantaView::showWholeMap()
{
    if (!bitmap_)
        return;
    const QSize page = viewport()->size();
    const double zoom = wholeMapZoom(bitmap_->width(), bitmap_->height(), page.width(), page.height(), kOneToOneSnap);
    layout_.reset({bitmap_->width(), bitmap_->height()});
    // A refused zoom leaves the 1:1 layout, which is still a whole map.
    if (zoom > 0.0)
        static_cast<void>(layout_.zoomBy(zoom));
    updateScrollRange();
    centreMap();
    announceScale();
    viewport()->update();
}

void CRovantaView::showOneToOne()
{
    if (!bitmap_)
        return;
    const IPoint scroll = zoomedScroll(1.0 / layout_.zoom(), outerSize(), scrollPosition());
    layout_.reset({bitmap_->width(), bitmap_->height()});
    updateScrollRange();
    setScroll(scroll);
    announceScale();
    viewport()->update();
}

void CRovantaView::centreMap()
{
    if (!bitmap_)
        return;
    const IPoint origin = layout_.targetOrigin();
    const ISize target = layout_.targetSize();
    const QSize page = viewport()->size();
    setScroll(
        centringScroll({origin.x + target.width / 2, origin.y + target.height / 2}, {page.width(), page.height()}));
}

QString CRovantaView::scaleText() const
{
    if (!map_ || !bitmap_)
        return {};
    return displayText(rovanta::scaleText(scaleDenominator(map_->scale(), layout_.zoom(), screenDpi(*this))));
}

void CRovantaView::announceScale()
{
    emit scaleChanged(scaleText());
}

void CRovantaView::showCursorPosition(QPointF client)
{
    if (!map_ || !bitmap_) {
        emit cursorPosition({}, {});
        return;
    }
    const IPoint scroll = scrollPosition();
    const IPoint pixel = windowToPixel({scroll.x + client.toPoint().x(), scroll.y + client.toPoint().y()});
    int inside = 1;
    cl_RefPoint point = map_->pixelToRefPoint(pixel.x, pixel.y, inside);
    if (inside == 0) {
        emit cursorPosition({}, {});
        return;
    }
    const DisplayFormat format = distances_ ? distances_->format() : kDecimalMinute;
    emit cursorPosition(displayText(positionText(point, format)), displayText(utmText(point)));
}

void CRovantaView::paintScaleBar(QPainter& painter)
{
    if (!map_ || !bitmap_)
        return;
    const std::optional<ScaleBar> bar =
        chooseScaleBar(metresPerScreenPixel(map_->scale(), layout_.zoom()), viewport()->width());
    if (bar)
        rovanta::paintScaleBar(painter, *bar, viewport()->size());
}

// The bar stays in the corner while the map's pixels move under it.
void CRovantaView::updateScaleBar(int dx, int dy)
{
    if (painting_)
        return;
    const QRect area = scaleBarArea(viewport()->size());
    viewport()->update(area);
    viewport()->update(area.translated(dx, dy));
}

void CRovantaView::scrollBy(int dx, int dy)
{
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + dx);
    verticalScrollBar()->setValue(verticalScrollBar()->value() + dy);
}

void CRovantaView::wheelEvent(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    // A wheel notch scrolls as many lines as the desktop asks for.
    const int line = horizontalScrollBar()->singleStep();
    const auto pixels = [line](int delta) {
        return -delta * QApplication::wheelScrollLines() * line / ZoomNotches::kWheelNotch;
    };
    if (event->modifiers() & Qt::ShiftModifier) {
        scrollBy(pixels(angle.y() != 0 ? angle.y() : angle.x()), 0);
    } else {
        scrollBy(pixels(angle.x()), 0);
        zoomStepsAround(notches_.addWheel(angle.y()), event->position());
    }
    event->accept();
}

void CRovantaView::keyPressEvent(QKeyEvent* event)
{
    // Arrows and Page Up/Down are the scroll area's own.
    if (event->key() == Qt::Key_Home && event->modifiers() == Qt::NoModifier) {
        centreMap();
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

bool CRovantaView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::NativeGesture: {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::BeginNativeGesture)
            notches_.reset();
        if (gesture->gestureType() == Qt::ZoomNativeGesture)
            zoomStepsAround(notches_.addPinch(gesture->value(), kZoomInStep), gesture->position());
        return true;
    }
    case QEvent::Leave:
        emit cursorPosition({}, {});
        break;
    default:
        break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CRovantaView::startedByDoubleClick()
{
    if (settings_.readInt(settings::kSettings, kDoubleClickHintShown, 0) != 0)
        return;
    settings_.writeInt(settings::kSettings, kDoubleClickHintShown, 1);
    emit notice(displayText(strings::tr(strings::kDoubleClickStartedTour)));
}

} // namespace rovanta
