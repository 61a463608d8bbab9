#include "print/qt/map_printer.h"

#include "common/qt/display.h"
#include "navigation/map_scale.h"
#include "navigation/utm_grid.h"
#include "print/print_scale.h"
#include "resources/string_table.h"

#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rovanta {
namespace {

// Sizes on paper, mm.
constexpr double kGridPen = 0.2;
constexpr double kGridLabel = 2.2;
constexpr double kTourPen = 0.5;
constexpr double kPointRadius = 1.0;
constexpr double kNumberSize = 3.0;
constexpr double kFooterText = 3.0;
constexpr double kScaleBarMax = 60.0;
constexpr double kScaleBarHeight = 1.5;
constexpr double kArrowLength = 12.0;
constexpr double kOverviewWidth = 40.0;
constexpr double kInset = 4.0; ///< between the map's edge and what sits on it
// The tour's colour, as on screen.
const QColor kTourColor = QColor::fromRgb(255, 0, 255);
// Pixels of a sheet read at once while averaging: a few megabytes.
constexpr qint64 kStripPixels = 4 << 20;

/// Device pixels of a page from ground metres: east right, north up.
QTransform groundToPage(const PrintPage& page, const QPointF& topLeft, double dotsPerMetre)
{
    return QTransform(dotsPerMetre, 0.0, 0.0, -dotsPerMetre, topLeft.x() - dotsPerMetre * page.ground.west,
                      topLeft.y() + dotsPerMetre * page.ground.north);
}

/// Sheet pixels, rows top down, to ground metres.
QTransform sheetToGround(const SheetFrame& f)
{
    const QTransform flip(1.0, 0.0, 0.0, -1.0, 0.0, f.height);
    const QTransform turn(f.scale * f.cos, f.scale * f.sin, -f.scale * f.sin, f.scale * f.cos, f.east0, f.north0);
    return flip * turn;
}

/// The sheet's pixels under a page, top down, with two pixels to spare
/// for the resampling's neighbours.
QRect sheetRectUnder(const SheetFrame& frame, const GroundRect& ground)
{
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    for (const GroundPoint corner : {GroundPoint{ground.west, ground.south}, GroundPoint{ground.east, ground.south},
                                     GroundPoint{ground.west, ground.north}, GroundPoint{ground.east, ground.north}}) {
        const GroundPoint p = frame.toPixel(corner);
        left = std::min(left, p.east);
        right = std::max(right, p.east);
        bottom = std::min(bottom, p.north);
        top = std::max(top, p.north);
    }
    const QRect sheet(0, 0, frame.width, frame.height);
    const auto clamp = [](double v, int lo, int hi) { return static_cast<int>(std::clamp(v, double(lo), double(hi))); };
    const int x0 = clamp(std::floor(left) - 2, 0, frame.width);
    const int x1 = clamp(std::ceil(right) + 2, 0, frame.width);
    const int y0 = clamp(frame.height - std::ceil(top) - 2, 0, frame.height);
    const int y1 = clamp(frame.height - std::floor(bottom) + 2, 0, frame.height);
    return QRect(x0, y0, x1 - x0, y1 - y0) & sheet;
}

QFont fontOfSize(const QPainter& painter, double pixels)
{
    QFont font = painter.font();
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}

/// Text on a white box, so it reads on any map colour.
void drawBoxedText(QPainter& painter, const QPointF& centre, const QString& text)
{
    QRectF box = painter.fontMetrics().boundingRect(text);
    box.moveCenter(centre);
    box.adjust(-1, 0, 1, 0);
    painter.fillRect(box, Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

QImage boxReduced(const PrintPixels& pixels, const QRect& topDown, int factor)
{
    if (topDown.isEmpty())
        return {};
    if (factor <= 1) {
        const SheetWindow window = pixels(topDown, 1);
        if (window.image.isNull() || window.step != 1)
            return {};
        return window.image.convertToFormat(QImage::Format_RGB32)
            .copy(QRect(topDown.topLeft() - window.origin, topDown.size()));
    }
    const int width = (topDown.width() + factor - 1) / factor;
    const int height = (topDown.height() + factor - 1) / factor;
    QImage out(width, height, QImage::Format_RGB32);
    out.fill(Qt::white);
    const int rowsPerStrip = static_cast<int>(std::max<qint64>(1, kStripPixels / (qint64(topDown.width()) * factor)));
    std::vector<quint32> sums(static_cast<std::size_t>(width) * 3);
    for (int row = 0; row < height; row += rowsPerStrip) {
        const int top = topDown.y() + row * factor;
        const QRect strip(topDown.x(), top, topDown.width(),
                          std::min(rowsPerStrip * factor, topDown.bottom() + 1 - top));
        const SheetWindow window = pixels(strip, 1);
        const QPoint at = strip.topLeft() - window.origin;
        if (window.image.isNull() || window.step != 1 || at.x() < 0 || at.y() < 0 ||
            at.x() + strip.width() > window.image.width() || at.y() + strip.height() > window.image.height())
            continue;
        const QImage image = window.image.convertToFormat(QImage::Format_RGB32);
        for (int r = row; r < std::min(height, row + rowsPerStrip); ++r) {
            std::fill(sums.begin(), sums.end(), 0u);
            const int firstLine = (r - row) * factor;
            const int lines = std::min(factor, strip.height() - firstLine);
            for (int line = 0; line < lines; ++line) {
                const auto* source =
                    reinterpret_cast<const QRgb*>(image.constScanLine(at.y() + firstLine + line)) + at.x();
                for (int x = 0; x < strip.width(); ++x) {
                    quint32* sum = &sums[static_cast<std::size_t>(x / factor) * 3];
                    sum[0] += qRed(source[x]);
                    sum[1] += qGreen(source[x]);
                    sum[2] += qBlue(source[x]);
                }
            }
            auto* target = reinterpret_cast<QRgb*>(out.scanLine(r));
            for (int x = 0; x < width; ++x) {
                const quint32 count = quint32(lines) * quint32(std::min(factor, strip.width() - x * factor));
                const quint32* sum = &sums[static_cast<std::size_t>(x) * 3];
                target[x] = qRgb(int(sum[0] / count), int(sum[1] / count), int(sum[2] / count));
            }
        }
    }
    return out;
}

LayoutResult MapPrinter::layoutFor(const QPrinter& printer) const
{
    const int dpi = printer.resolution();
    const double dotsPerMm = dpi / kMillimetresPerInch;
    const QRect paint = printer.pageLayout().paintRectPixels(dpi);
    // Whole device pixels, so the map's millimetres are the ones drawn.
    const double mapHeight = std::floor(paint.height() - kFooterHeight * dotsPerMm);
    return layoutPages(request_.extent, request_.denominator,
                       PaperArea{paint.width() / dotsPerMm, mapHeight / dotsPerMm}, request_.overlap);
}

bool MapPrinter::print(QPrinter& printer) const
{
    const LayoutResult result = layoutFor(printer);
    if (result.fault != LayoutFault::kNone)
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const double dotsPerMm = printer.resolution() / kMillimetresPerInch;
    const QRectF map(0.0, 0.0, std::round(result.layout.area.width * dotsPerMm),
                     std::round(result.layout.area.height * dotsPerMm));
    for (std::size_t i = 0; i < result.layout.pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        paintPage(painter, result.layout, i, map, dotsPerMm);
    }
    return painter.end();
}

void MapPrinter::paintPage(QPainter& painter, const PageLayout& layout, std::size_t index, const QRectF& map,
                           double dotsPerMm) const
{
    const PrintPage& page = layout.pages[index];
    painter.save();
    paintSheets(painter, page, map, dotsPerMm);
    painter.setClipRect(map);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (request_.grid)
        paintGrid(painter, page, map, dotsPerMm);
    paintTour(painter, page, map, dotsPerMm);
    paintScaleBar(painter, map, dotsPerMm);
    paintNorthArrow(painter, map, dotsPerMm);
    if (index == 0 && layout.pages.size() > 1)
        paintOverview(painter, layout, map, dotsPerMm);
    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, kGridPen * dotsPerMm));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(map);
    paintFooter(painter, layout, page, QRectF(map.left(), map.bottom(), map.width(), kFooterHeight * dotsPerMm),
                dotsPerMm);
    painter.restore();
}

void MapPrinter::paintSheets(QPainter& painter, const PrintPage& page, const QRectF& map, double dotsPerMm) const
{
    const double dotsPerMetre = dotsPerMm * 1000.0 / request_.denominator;
    // The page's pixels resampled once, at the printer's resolution.
    QImage target(static_cast<int>(map.width()), static_cast<int>(map.height()), QImage::Format_RGB32);
    target.fill(Qt::white);
    QPainter onTarget(&target);
    onTarget.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QTransform toTarget = groundToPage(page, QPointF(0.0, 0.0), dotsPerMetre);
    for (const PrintSheet& sheet : request_.sheets) {
        const std::optional<SheetFrame> frame = sheet.placedOn ? sheet.placedOn(page.ground) : sheet.frame;
        if (!frame || !frame->bounds().intersects(page.ground))
            continue;
        const QRect under = sheetRectUnder(*frame, page.ground);
        // Shrinking averages whole blocks of pixels first, so thin lines
        // stay; the smooth resampling after it shrinks by at most 1.5,
        // where every pixel still counts.
        const double pixelsPerDot = 1.0 / (dotsPerMetre * frame->scale);
        const int factor = std::max(1, static_cast<int>(std::lround(pixelsPerDot)));
        const QImage reduced = boxReduced(sheet.pixels, under, factor);
        if (reduced.isNull())
            continue;
        const QTransform toSheet(factor, 0.0, 0.0, factor, under.x(), under.y());
        onTarget.setTransform(toSheet * sheetToGround(*frame) * toTarget);
        onTarget.drawImage(QPointF(0.0, 0.0), reduced);
    }
    onTarget.end();
    painter.drawImage(map.topLeft(), target);
}

void MapPrinter::paintGrid(QPainter& painter, const PrintPage& page, const QRectF& map, double dotsPerMm) const
{
    const double dotsPerMetre = dotsPerMm * 1000.0 / request_.denominator;
    const QTransform toPage = groundToPage(page, map.topLeft(), dotsPerMetre);
    // The page's ground is already UTM metres of the grid's zone.
    const UtmGeoreference ground{[](DPoint p) { return p; }, [](DPoint p) { return p; }};
    const PixelArea area{page.ground.west, page.ground.south, page.ground.east, page.ground.north};
    painter.setPen(QPen(Qt::black, kGridPen * dotsPerMm));
    painter.setFont(fontOfSize(painter, kGridLabel * dotsPerMm));
    const double inset = kGridLabel * dotsPerMm;
    for (const GridLine& line : utmGridLines(ground, area, paperGridStep(request_.denominator))) {
        const QPointF start = toPage.map(QPointF(line.start.x, line.start.y));
        const QPointF end = toPage.map(QPointF(line.end.x, line.end.y));
        painter.drawLine(QLineF(start, end));
        // Labelled at both edges, inside the map, so pages cut anywhere.
        const QString label = displayText(line.label);
        const double half = painter.fontMetrics().horizontalAdvance(label) / 2.0 + 2.0;
        const QPointF along = line.easting ? QPointF(0.0, inset) : QPointF(half, 0.0);
        drawBoxedText(painter, start + along, label);
        drawBoxedText(painter, end - along, label);
    }
}

void MapPrinter::paintTour(QPainter& painter, const PrintPage& page, const QRectF& map, double dotsPerMm) const
{
    if (request_.tour.empty())
        return;
    const QTransform toPage = groundToPage(page, map.topLeft(), dotsPerMm * 1000.0 / request_.denominator);
    QPolygonF line;
    for (const GroundPoint& p : request_.tour)
        line << toPage.map(QPointF(p.east, p.north));
    painter.setPen(QPen(kTourColor, kTourPen * dotsPerMm, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
    const double radius = kPointRadius * dotsPerMm;
    painter.setFont(fontOfSize(painter, kNumberSize * dotsPerMm));
    for (int i = 0; i < line.size(); ++i) {
        painter.drawEllipse(line[i], radius, radius);
        painter.drawText(line[i] + QPointF(radius * 1.5, -radius * 1.5), QString::number(i));
    }
}

void MapPrinter::paintScaleBar(QPainter& painter, const QRectF& map, double dotsPerMm) const
{
    const int metres = paperScaleBarMetres(request_.denominator, kScaleBarMax);
    const double length = paperMillimetres(metres, request_.denominator) * dotsPerMm;
    const double height = kScaleBarHeight * dotsPerMm;
    painter.setFont(fontOfSize(painter, kGridLabel * dotsPerMm));
    const double textHeight = painter.fontMetrics().height();
    const QRectF box(map.left() + kInset * dotsPerMm, map.bottom() - kInset * 2 * dotsPerMm - height - textHeight,
                     length + 2 * kInset * dotsPerMm, height + textHeight + kInset * dotsPerMm);
    painter.fillRect(box, Qt::white);
    const QPointF start(box.left() + kInset * dotsPerMm, box.bottom() - kInset * dotsPerMm / 2 - height);
    painter.setPen(QPen(Qt::black, kGridPen * dotsPerMm));
    painter.setBrush(Qt::black);
    painter.drawRect(QRectF(start, QSizeF(length / 2, height)));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(start + QPointF(length / 2, 0), QSizeF(length / 2, height)));
    painter.drawText(start + QPointF(0, -height / 2), QStringLiteral("0"));
    const QString label = displayText(lengthLabel(metres));
    painter.drawText(start + QPointF(length - painter.fontMetrics().horizontalAdvance(label) / 2.0, -height / 2),
                     label);
}

void MapPrinter::paintNorthArrow(QPainter& painter, const QRectF& map, double dotsPerMm) const
{
    const double length = kArrowLength * dotsPerMm;
    const QPointF foot(map.right() - 3 * kInset * dotsPerMm, map.bottom() - 2 * kInset * dotsPerMm);
    painter.setFont(fontOfSize(painter, kGridLabel * dotsPerMm));
    const double degrees = request_.convergence * 180.0 / std::numbers::pi;
    const QString angle = QString::number(degrees, 'f', 2) + QChar(0x00B0);
    const QRectF box(foot.x() - length * 0.6, foot.y() - length * 1.35, length * 1.2,
                     length * 1.35 + kInset * dotsPerMm);
    painter.fillRect(box, Qt::white);
    painter.setPen(QPen(Qt::black, kGridPen * 1.5 * dotsPerMm));
    // Grid north straight up; true north turned against it by the
    // convergence (east of the central meridian: to the left).
    painter.drawLine(QLineF(foot, foot - QPointF(0, length)));
    drawBoxedText(painter, foot - QPointF(0, length * 1.15), displayText(strings::tr(strings::kGridNorth)));
    painter.save();
    painter.translate(foot);
    painter.rotate(-degrees);
    painter.setBrush(Qt::black);
    const QPolygonF head{QPointF(0, -length), QPointF(-length * 0.12, -length * 0.7),
                         QPointF(length * 0.12, -length * 0.7)};
    painter.drawLine(QLineF(QPointF(0, 0), QPointF(0, -length * 0.7)));
    painter.drawPolygon(head);
    painter.restore();
    drawBoxedText(painter, foot + QPointF(0, kInset * dotsPerMm / 2), angle);
}

void MapPrinter::paintOverview(QPainter& painter, const PageLayout& layout, const QRectF& map, double dotsPerMm) const
{
    GroundRect all = layout.pages.front().ground;
    for (const PrintPage& page : layout.pages) {
        all.west = std::min(all.west, page.ground.west);
        all.east = std::max(all.east, page.ground.east);
        all.south = std::min(all.south, page.ground.south);
        all.north = std::max(all.north, page.ground.north);
    }
    const double width = kOverviewWidth * dotsPerMm;
    const double perMetre = width / all.width();
    const QRectF box(map.right() - kInset * dotsPerMm - width, map.top() + 2 * kInset * dotsPerMm, width,
                     all.height() * perMetre);
    painter.fillRect(box.adjusted(-2, -2, 2, 2), Qt::white);
    const QTransform toBox(perMetre, 0.0, 0.0, -perMetre, box.left() - perMetre * all.west,
                           box.top() + perMetre * all.north);
    painter.setPen(QPen(Qt::black, kGridPen * dotsPerMm));
    painter.setFont(fontOfSize(painter, kGridLabel * dotsPerMm));
    for (std::size_t i = 0; i < layout.pages.size(); ++i) {
        const GroundRect& g = layout.pages[i].ground;
        const QRectF rect = toBox.mapRect(QRectF(QPointF(g.west, g.south), QPointF(g.east, g.north)));
        painter.setBrush(i == 0 ? QBrush(Qt::lightGray) : QBrush(Qt::NoBrush));
        painter.drawRect(rect);
        painter.drawText(rect, Qt::AlignCenter, displayText(pageLabel(layout.pages[i].row, layout.pages[i].column)));
    }
    QPolygonF line;
    for (const GroundPoint& p : request_.tour)
        line << toBox.map(QPointF(p.east, p.north));
    painter.setPen(QPen(kTourColor, kGridPen * dotsPerMm));
    painter.drawPolyline(line);
}

void MapPrinter::paintFooter(QPainter& painter, const PageLayout& layout, const PrintPage& page, const QRectF& footer,
                             double dotsPerMm) const
{
    painter.setPen(Qt::black);
    painter.setFont(fontOfSize(painter, kFooterText * dotsPerMm));
    const QString left =
        displayText(footerText(request_.tourName, request_.tourKilometres, request_.denominator, request_.sheetName));
    const QString right =
        displayText(strings::tr(strings::kFooterPage))
            .arg(displayText(pageLabel(page.row, page.column)), displayText(pageLongLabel(page.row, page.column)))
            .arg(page.row * layout.columns + page.column + 1)
            .arg(layout.pages.size());
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter, left);
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter, right);
}

} // namespace rovanta
