#include "navigation/qt/grid_painter.h"

#include "map/cl_map.h"

#include <QFontMetrics>
#include <QPen>

#include <cmath>

namespace rovanta {
namespace {

// Labels keep this far from the edge and from their line, pixels.
constexpr int kLabelInset = 3;
// A half-transparent white behind a label keeps it legible on dark map areas.
constexpr int kLabelBackdropAlpha = 200;

QPointF toQt(DPoint p)
{
    return {p.x, p.y};
}

void paintLabel(QPainter& painter, const GridLine& line, QPointF at)
{
    const QString text = QString::fromStdString(line.label);
    const QFontMetrics metrics(painter.font());
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    // Right of an easting line below the top, above a northing line right
    // of the left edge.
    const QPointF corner =
        line.easting ? at + QPointF(kLabelInset, kLabelInset) : at + QPointF(kLabelInset, -kLabelInset - size.height());
    const QRectF box(corner, size);
    painter.fillRect(box, QColor(255, 255, 255, kLabelBackdropAlpha));
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

void paintUtmGrid(QPainter& painter, const cl_Map& map, QSizeF bitmap, const QTransform& toDevice, const QRectF& device,
                  double minSpacing)
{
    bool invertible = false;
    const QTransform toMap = toDevice.inverted(&invertible);
    if (!invertible || map.scale() <= 0.0)
        return;
    const QRectF shown = toMap.mapRect(device) & QRectF(QPointF(0, 0), bitmap);
    if (shown.isEmpty())
        return;
    // In map pixels y runs up, so the rectangle's top() is the bottom edge.
    const PixelArea area{shown.left(), shown.top(), shown.right(), shown.bottom()};
    const UtmGeoreference georeference = utmGeoreferenceOf(map);
    const double devicePerMapPixel = std::hypot(toDevice.m11(), toDevice.m12());
    const double step = utmGridStep(metresPerMapPixel(georeference, area) / devicePerMapPixel, minSpacing);
    const std::vector<GridLine> lines = utmGridLines(georeference, area, step);

    painter.save();
    // Sharp, one pure colour: the lines are a calibration check.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(kGridColor), 1));
    for (const GridLine& line : lines)
        painter.drawLine(toDevice.map(toQt(line.start)), toDevice.map(toQt(line.end)));
    for (const GridLine& line : lines)
        paintLabel(painter, line, toDevice.map(toQt(line.start)));
    painter.restore();
}

} // namespace rovanta
