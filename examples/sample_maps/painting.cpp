#include "painting.h"

#include <QPainter>
#include <QPen>

namespace sample_maps {

QPainterPath pathOf(const Sheet& sheet, const std::vector<Pt>& points)
{
    QPainterPath path;
    for (const Pt& p : points) {
        if (path.elementCount() == 0)
            path.moveTo(toImage(sheet, p));
        else
            path.lineTo(toImage(sheet, p));
    }
    return path;
}

QFont font(int pixels, bool bold, bool italic)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void label(QPainter& painter, QPointF at, const QString& text, const QFont& f, QColor colour)
{
    QPainterPath path;
    path.addText(at, f, text);
    painter.strokePath(path, QPen(QColor(255, 255, 255, 230), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, colour);
}

} // namespace sample_maps
