#include "navigation/qt/scale_bar_painter.h"

#include <QFontMetrics>
#include <QPen>

#include <algorithm>

namespace rovanta {
namespace {

// Room for the label above the ticks and the plate's rim.
constexpr int kLabelHeight = 18;
constexpr int kPlateRim = 4;
// Wide enough for the longest label next to a bar of a fifth of the window.
constexpr int kLabelWidth = 80;
constexpr int kWindowShare = 5;
constexpr QRgb kPlateColor = 0xC0FFFFFF;

} // namespace

QRect scaleBarArea(QSize viewport)
{
    const int height = kScaleBarTick + kLabelHeight + 2 * kPlateRim + kScaleBarMargin;
    return {0, viewport.height() - height, kScaleBarMargin + viewport.width() / kWindowShare + kLabelWidth, height};
}

QRect scaleBarRect(const ScaleBar& bar, QSize viewport)
{
    return {kScaleBarMargin, viewport.height() - kScaleBarMargin - kScaleBarThickness, bar.pixels, kScaleBarThickness};
}

void paintScaleBar(QPainter& painter, const ScaleBar& bar, QSize viewport)
{
    const QRect rect = scaleBarRect(bar, viewport);
    const QString label = QString::fromStdString(bar.label);
    const QFontMetrics metrics(painter.font());
    const int labelWidth = metrics.horizontalAdvance(label);
    const QRect plate(rect.left() - kPlateRim, rect.bottom() - kScaleBarTick - kLabelHeight - kPlateRim,
                      std::max(rect.width(), labelWidth) + 2 * kPlateRim, kScaleBarTick + kLabelHeight + 2 * kPlateRim);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(plate, QColor::fromRgba(kPlateColor));
    painter.fillRect(rect, Qt::black);
    painter.fillRect(QRect(rect.left(), rect.bottom() - kScaleBarTick + 1, 2, kScaleBarTick), Qt::black);
    painter.fillRect(QRect(rect.right() - 1, rect.bottom() - kScaleBarTick + 1, 2, kScaleBarTick), Qt::black);
    painter.setPen(Qt::black);
    painter.drawText(QRect(rect.left(), plate.top(), plate.width(), kLabelHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     label);
    painter.restore();
}

} // namespace rovanta
