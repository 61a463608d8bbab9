// The UTM grid of a map's zone as lines in the map's pixel space, for the
// view and for paper alike: the caller says which part of the map it draws
// and how many of its device pixels one map pixel takes.
//
// Map pixels are doubles here, x right from the bitmap's left edge and y up
// from its bottom edge, as the map's own integer pixels are.
#pragma once

#include <kalimark/kalimark.h>

#include <functional>
#include <string>
#include <vector>

namespace rovanta {

class cl_Map;

/// A map's tie between its pixels and UTM metres in its own zone; `x` is
/// the pixel's x or the easting.
struct UtmGeoreference {
    std::function<DPoint(DPoint pixel)> toUtm;
    std::function<DPoint(DPoint utm)> toPixel;
};

/// The similarity transform of a georeferenced map, without the integer
/// truncation of its own conversions, so grid lines lie straight and even.
UtmGeoreference utmGeoreferenceOf(const cl_Map& map);

/// A part of the map in map pixels; empty when left >= right or bottom >= top.
struct PixelArea {
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;
};

struct GridLine {
    /// True for a line of one easting (running about north), false for one
    /// of one northing.
    bool easting = true;
    /// Metres, a multiple of the grid's step.
    double value = 0.0;
    /// Kilometres, with one decimal on a 100 m grid: "680", "5237", "680.1".
    std::string label;
    /// Where the label goes: the top end of an easting line, the left end
    /// of a northing line; `end` is the other end. Both on the area's edge.
    DPoint start;
    DPoint end;
};

/// Closest spacing of grid lines on the device, pixels: closer lines hide
/// the map.
inline constexpr double kGridMinSpacing = 40.0;

/// The grid step in metres for a drawing at `metresPerDevicePixel`: 1 km,
/// or the next of 10 km and 100 km while the lines would come closer than
/// `minSpacing` device pixels; 100 m once 1 km lines would be twenty times
/// that apart. 0 for a scale that is not positive and finite.
double utmGridStep(double metresPerDevicePixel, double minSpacing = kGridMinSpacing);

/// The grid lines of `step` metres crossing `area`, clipped to it: easting
/// lines west to east, then northing lines south to north. At most a
/// thousand lines of each kind, none for a bad step or an empty area.
std::vector<GridLine> utmGridLines(const UtmGeoreference& georeference, const PixelArea& area, double step);

/// Metres on the ground per map pixel around the area's centre.
double metresPerMapPixel(const UtmGeoreference& georeference, const PixelArea& area);

} // namespace rovanta
