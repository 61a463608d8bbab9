#include "view/qt/tour_painter.h"

#include <QPen>
#include <QStaticText>

namespace rovanta {
namespace {

// Slack around a point's marks for the pens' widths.
constexpr int kPenSlack = 2;

// Point numbers laid out once; most repaints draw the same ones again.
const QStaticText& numberText(std::size_t index)
{
    static std::vector<QStaticText> texts;
    while (texts.size() <= index) {
        QStaticText& text = texts.emplace_back(QString::number(texts.size()));
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
    }
    return texts[index];
}

QPen tourPen(int width)
{
    return QPen(QColor::fromRgb(kTourColor), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A point's circle and the stroke from its centre to the right, drawn once
// around the stamp's centre pixel; stamping it is a plain blit.
constexpr int kStampHalf = kPointRadius + kTourLineWidth;

const QImage& pointStamp()
{
    static const QImage stamp = [] {
        QImage image(2 * kStampHalf + 1, 2 * kStampHalf + 1, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(tourPen(kTourLineWidth));
        const QPoint centre(kStampHalf, kStampHalf);
        painter.drawEllipse(centre, kPointRadius, kPointRadius);
        painter.drawLine(centre, centre + QPoint(kPointRadius, 0));
        return image;
    }();
    return stamp;
}

} // namespace

void paintTour(QPainter& painter, const std::vector<QPoint>& points, std::optional<QPoint> marked, const QRect& exposed)
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
    // A long tour on a zoomed map is mostly off screen: skip what the
    // repaint cannot show.
    const QFontMetrics metrics(font);
    const int digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    const auto shown = [&exposed](const QRect& box) { return !exposed.isValid() || exposed.intersects(box); };
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPoint p = points[i];
        if (i > 0 && shown(QRect(points[i - 1], p).normalized().adjusted(-kPenSlack, -kPenSlack, kPenSlack, kPenSlack)))
            painter.drawLine(points[i - 1], p);
        const QStaticText& number = numberText(i);
        const QRect marks(p.x() - kPointRadius - kPenSlack, p.y() - kNumberLift,
                          kPointRadius + 2 * kPenSlack + digitWidth * (int(number.text().size()) + 1),
                          kNumberLift + kPointRadius + kPenSlack + metrics.height());
        if (!shown(marks))
            continue;
        painter.drawStaticText(QPoint(p.x(), p.y() - kNumberLift), number);
        // The circle starts at its right-hand point, joined to the centre.
        painter.drawImage(p - QPoint(kStampHalf, kStampHalf), pointStamp());
    }
    if (marked) {
        painter.setPen(tourPen(kMarkLineWidth));
        painter.drawEllipse(*marked, kMarkRadius, kMarkRadius);
    }
    painter.restore();
}

} // namespace rovanta
