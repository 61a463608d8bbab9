#include "navigation/qt/position_marker.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QPen>

namespace rovanta {
namespace {

// A red circle with a cross, white-edged so it shows on any map colour.
constexpr QRgb kMarkerColor = 0xFFE00000;
constexpr int kMarkerLineWidth = 2;
constexpr int kMarkerEdgeWidth = 4;

} // namespace

PositionMarker::PositionMarker(QAbstractScrollArea& view) : QObject(&view), viewport_(view.viewport())
{
    view.installEventFilter(this);
    viewport_->installEventFilter(this);
}

void PositionMarker::place(const MapRecord& map, IPoint pixel)
{
    map_ = map;
    pixel_ = pixel;
    if (viewport_)
        viewport_->update();
}

void PositionMarker::clear()
{
    if (!map_)
        return;
    map_.reset();
    if (viewport_)
        viewport_->update();
}

std::optional<IPoint> PositionMarker::pixelOn(const MapRecord& map) const
{
    if (!map_ || map_ != map)
        return std::nullopt;
    return pixel_;
}

void PositionMarker::paint(QPainter& painter, QPointF at)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    const auto draw = [&](const QColor& colour, int width) {
        painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawEllipse(at, kMarkerRadius * 0.6, kMarkerRadius * 0.6);
        painter.drawLine(at - QPointF(kMarkerRadius, 0), at + QPointF(kMarkerRadius, 0));
        painter.drawLine(at - QPointF(0, kMarkerRadius), at + QPointF(0, kMarkerRadius));
    };
    draw(Qt::white, kMarkerEdgeWidth);
    draw(QColor::fromRgb(kMarkerColor), kMarkerLineWidth);
    painter.restore();
}

// Never consumes the event: the click still edits the tour, Escape still
// reaches whoever else wants it. The view is not asked for anything here:
// its events go on while it is being destroyed, when it is no view any more.
bool PositionMarker::eventFilter(QObject* watched, QEvent* event)
{
    const bool click = watched == viewport_ && event->type() == QEvent::MouseButtonPress;
    const bool escape = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    if (click || escape)
        clear();
    return QObject::eventFilter(watched, event);
}

} // namespace rovanta
