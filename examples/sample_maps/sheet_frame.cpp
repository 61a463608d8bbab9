#include "sheet_frame.h"

#include "painting.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <cmath>

namespace sample_maps {

// The grid lines are labelled along the sheet's edges.
void drawGrid(QPainter& painter, const Sheet& sheet)
{
    const QColor ink(40, 70, 150);
    painter.setPen(QPen(QColor(40, 70, 150, 150), 1.0));
    const QFont f = font(12);
    const double east = sheet.west + kWidth * kScale;
    for (double e = std::ceil(sheet.west / 1000) * 1000; e <= east; e += 1000) {
        const double x = toImage(sheet, {e, kSouth}).x();
        painter.drawLine(QPointF(x, 0), QPointF(x, kHeight));
        const QString text = QString::number(std::lround(e / 1000));
        label(painter, QPointF(x + 3, 14), text, f, ink);
        label(painter, QPointF(x + 3, kHeight - 5), text, f, ink);
    }
    for (double n = std::ceil(kSouth / 1000) * 1000; n <= kNorth; n += 1000) {
        const double y = toImage(sheet, {sheet.west, n}).y();
        painter.drawLine(QPointF(0, y), QPointF(kWidth, y));
        const QString text = QString::number(std::lround(n / 1000));
        label(painter, QPointF(4, y - 4), text, f, ink);
        label(painter, QPointF(kWidth - 36, y - 4), text, f, ink);
    }
}

void drawTitle(QPainter& painter, const Sheet& sheet)
{
    const QRectF box = titleBox(sheet);
    painter.setPen(QPen(QColor(40, 40, 40), 1.5));
    painter.setBrush(QColor(255, 255, 250));
    painter.drawRect(box);
    painter.setPen(QColor(20, 20, 20));
    painter.setFont(font(26, true));
    painter.drawText(box.topLeft() + QPointF(16, 36), QString::fromLatin1(sheet.name));
    painter.setFont(font(12));
    painter.drawText(box.topLeft() + QPointF(16, 58), QStringLiteral("Fictional terrain for trying out Rovanta"));
    painter.drawText(box.topLeft() + QPointF(16, 76), QStringLiteral("UTM zone 32T, WGS 84; grid 1 km; 1 px = 4 m"));
    painter.drawText(box.topLeft() + QPointF(16, 94), QStringLiteral("Contour interval 20 m; trails dashed red"));

    // Scale bar: 1 km in 250 m steps, alternately filled.
    const QPointF bar = box.topLeft() + QPointF(16, 112);
    const double step = 250 / kScale;
    painter.setPen(QPen(QColor(20, 20, 20), 1.0));
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(i % 2 ? QColor(255, 255, 255) : QColor(20, 20, 20));
        painter.drawRect(QRectF(bar.x() + i * step, bar.y(), step, 7));
    }
    painter.setFont(font(11));
    for (int i = 0; i <= 4; i += 2)
        painter.drawText(bar + QPointF(i * step - 4, 22), QString::number(i * 250));
    painter.drawText(bar + QPointF(4 * step + 8, 8), QStringLiteral("m"));

    // North arrow; grid north, which is what the sheet is drawn to.
    const QPointF tip = box.topRight() + QPointF(-40, 24);
    painter.setBrush(QColor(20, 20, 20));
    painter.drawPolygon(QPolygonF({tip, tip + QPointF(10, 40), tip + QPointF(0, 32), tip + QPointF(-10, 40)}));
    painter.setFont(font(16, true));
    painter.drawText(tip + QPointF(-6, 62), QStringLiteral("N"));
}

} // namespace sample_maps
