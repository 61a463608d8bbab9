// Where a sheet lies on the ground: its pixels turned into UTM metres of
// one zone and back, and the positions of tour points in that zone, so
// pages can be laid out on the ground and every sheet drawn onto them.
#pragma once

#include "map/cl_map.h"
#include "print/page_layout.h"

#include <optional>

namespace rovanta {

/// A map's similarity transform with pixel y up from the bottom edge, as
/// the map has it, in doubles: nothing is truncated on the way to paper.
struct SheetFrame {
    double east0 = 0.0; ///< corner 0 (bottom left), metres
    double north0 = 0.0;
    double scale = 1.0; ///< metres per pixel
    double cos = 1.0;
    double sin = 0.0;
    int zone = 0;
    bool southern = false; ///< northings counted in the southern hemisphere
    int width = 0;         ///< pixels
    int height = 0;

    GroundPoint toGround(double x, double y) const;
    /// The pixel (x, y up) at a ground position.
    GroundPoint toPixel(const GroundPoint& ground) const;
    /// The ground rectangle around the bitmap, which on a turned sheet is
    /// larger than the bitmap.
    GroundRect bounds() const;
};

SheetFrame sheetFrame(const cl_Map& map, int width, int height);

/// `sheet`, a sheet of another zone, as a frame on the ground of
/// `printFrame` (the frame of `printMap`), fitted around `page`'s centre:
/// the zones' grids turn and stretch against each other slowly enough
/// that a page's width stays well below a metre off. Nothing where the
/// two georeferences do not meet there.
std::optional<SheetFrame> frameAround(const cl_Map& sheet, int width, int height, const cl_Map& printMap,
                                      const SheetFrame& printFrame, const GroundRect& page);

/// The point's UTM position in the frame's zone and hemisphere; nothing
/// when it has none there (a neighbour zone's override does not reach).
std::optional<GroundPoint> groundOf(const cl_RefPoint& point, const SheetFrame& frame);

/// Meridian convergence at a position (radians, as cl_RefPoint holds
/// them) in UTM `zone`: the bearing of grid north clockwise from true
/// north, so positive east of the zone's central meridian in the north.
double gridConvergence(double longitude, double latitude, int zone);

} // namespace rovanta
