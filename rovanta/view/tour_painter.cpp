#include "view/tour_painter.h"

#include <QPen>

namespace rovanta {
namespace {

// Room for any point number, so the text is never cut.
constexpr int kNumberBox = 1000;

QPen tourPen(int width)
{
    return QPen(QColor::fromRgb(kTourColor), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

void paintTour(QPainter& painter, const std::vector<QPoint>& points, std::optional<QPoint> marked)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(tourPen(kTourLineWidth));
    painter.setBackgroundMode(Qt::TransparentMode);
    // Pure magenta on any map colour, without blended edges.
    QFont font = painter.font();
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPoint p = points[i];
        if (i > 0)
            painter.drawLine(points[i - 1], p);
        painter.drawText(QRect(p.x(), p.y() - kNumberLift, kNumberBox, kNumberBox), Qt::AlignLeft | Qt::AlignTop,
                         QString::number(i));
        painter.drawEllipse(p, kPointRadius, kPointRadius);
        // The circle starts at its right-hand point, joined to the centre.
        painter.drawLine(p, p + QPoint(kPointRadius, 0));
    }
    if (marked) {
        painter.setPen(tourPen(kMarkLineWidth));
        painter.drawEllipse(*marked, kMarkRadius, kMarkRadius);
    }
    painter.restore();
}

} // namespace rovanta
