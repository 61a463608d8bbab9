// Cuts a piece of ground into printed pages at a scale: as many rows and
// columns as it needs, neighbours overlapping by a strip of paper, the
// whole block centred on the ground asked for. Ground is UTM metres in one
// zone (east right, north up), paper millimetres.
#pragma once

#include <string>
#include <vector>

namespace rovanta {

struct GroundPoint {
    double east = 0.0;
    double north = 0.0;
};

struct GroundRect {
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;

    double width() const { return east - west; }
    double height() const { return north - south; }
    bool intersects(const GroundRect& other) const
    {
        return west < other.east && other.west < east && south < other.north && other.south < north;
    }
};

/// The smallest rectangle around `points`, grown by `margin` metres on
/// every side; all zero for no points.
GroundRect boundsOf(const std::vector<GroundPoint>& points, double margin);

/// The map's part of one sheet of paper, millimetres.
struct PaperArea {
    double width = 0.0;
    double height = 0.0;
};

inline constexpr double kDefaultOverlap = 10.0; ///< mm
/// More pages than this is a mistyped scale, not a wish.
inline constexpr int kMaxPages = 200;

struct PrintPage {
    int row = 0;    ///< 0 at the top (north)
    int column = 0; ///< 0 at the left (west)
    GroundRect ground;
};

struct PageLayout {
    int denominator = 0;
    PaperArea area;
    double overlap = 0.0; ///< mm
    int rows = 0;
    int columns = 0;
    /// Row by row from the top left.
    std::vector<PrintPage> pages;
};

enum class LayoutFault {
    kNone,
    kEmptyArea,       ///< the paper area is no area
    kOverlapTooLarge, ///< negative, or half a page or more
    kTooManyPages,    ///< more than kMaxPages
};

struct LayoutResult {
    PageLayout layout;
    LayoutFault fault = LayoutFault::kNone;
};

[[nodiscard]] LayoutResult layoutPages(const GroundRect& extent, int denominator, PaperArea area, double overlap);

/// "A1": the row as a letter (A to Z, then AA…), the column from 1.
std::string pageLabel(int row, int column);
/// "row 1, column 2": the same, counted from 1, for people who do not read
/// spreadsheets.
std::string pageLongLabel(int row, int column);

} // namespace rovanta
