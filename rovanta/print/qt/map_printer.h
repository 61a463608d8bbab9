// Prints a piece of ground at a true scale: page after page of the sheets'
// pixels resampled once at the printer's resolution, with the tour, the
// UTM grid, a scale bar, a north arrow and a footer drawn as vectors.
#pragma once

#include "print/page_layout.h"
#include "print/qt/print_pixels.h"

#include <QImage>
#include <QRectF>

#include <string>
#include <vector>

class QPainter;
class QPrinter;

namespace rovanta {

struct MapPrintRequest {
    GroundRect extent;
    int denominator = 25000;
    double overlap = kDefaultOverlap; ///< mm
    bool grid = true;
    /// Drawn in order, so the tour's own sheet goes last, on top.
    std::vector<PrintSheet> sheets;
    std::vector<GroundPoint> tour;
    double convergence = 0.0; ///< radians, as gridConvergence gives it
    std::string tourName;     ///< empty without a tour
    double tourKilometres = 0.0;
    std::string sheetName;
};

/// Paper kept below the map on every page for the footer, mm.
inline constexpr double kFooterHeight = 12.0;

class MapPrinter {
public:
    explicit MapPrinter(MapPrintRequest request) : request_(std::move(request)) {}

    /// The pages on the printer's paper as it is set up now.
    [[nodiscard]] LayoutResult layoutFor(const QPrinter& printer) const;
    /// Every page onto the printer; false when the layout fails or the
    /// printer cannot be painted on.
    [[nodiscard]] bool print(QPrinter& printer) const;

    /// Page `index` of `layout` into `map` (device pixels of the map area,
    /// `dotsPerMm` of them per millimetre) and the footer below it.
    void paintPage(QPainter& painter, const PageLayout& layout, std::size_t index, const QRectF& map,
                   double dotsPerMm) const;

private:
    void paintSheets(QPainter& painter, const PrintPage& page, const QRectF& map, double dotsPerMm) const;
    void paintGrid(QPainter& painter, const PrintPage& page, const QRectF& map, double dotsPerMm) const;
    void paintTour(QPainter& painter, const PrintPage& page, const QRectF& map, double dotsPerMm) const;
    void paintScaleBar(QPainter& painter, const QRectF& map, double dotsPerMm) const;
    void paintNorthArrow(QPainter& painter, const QRectF& map, double dotsPerMm) const;
    void paintOverview(QPainter& painter, const PageLayout& layout, const QRectF& map, double dotsPerMm) const;
    void paintFooter(QPainter& painter, const PageLayout& layout, const PrintPage& page, const QRectF& footer,
                     double dotsPerMm) const;

    MapPrintRequest request_;
};

/// The sheet's pixels of `topDown`, averaged over `factor` x `factor`
/// blocks (a box filter; 1 reads them as they are), a strip at a time.
/// Pixel (i, j) of the result covers sheet pixels topDown.topLeft() +
/// factor · (i, j) onward.
QImage boxReduced(const PrintPixels& pixels, const QRect& topDown, int factor);

} // namespace rovanta
