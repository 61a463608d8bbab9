// The checked sheets around the current one: which of them reach into the
// window, where each lies in the current map's pixels and how the current
// map's pixels map onto its own, so the view can draw them seamlessly under
// the current sheet. Placement goes through the maps' georeference alone.
#pragma once

#include "manager/records.h"
#include "map/cl_map.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace rovanta {

/// A position in a map's pixels, fractional: x right from the left edge,
/// y up from the bottom edge. Pixel (i, j) covers [i, i + 1) × [j, j + 1).
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

/// An axis-parallel box in a map's pixels.
struct PixelBox {
    double left = 0.0;
    double bottom = 0.0;
    double right = 0.0;
    double top = 0.0;
};

/// x' = xx·x + xy·y + dx,  y' = yx·x + yy·y + dy.
struct PixelAffine {
    double xx = 1.0;
    double xy = 0.0;
    double dx = 0.0;
    double yx = 0.0;
    double yy = 1.0;
    double dy = 0.0;

    PixelPoint operator()(PixelPoint p) const { return {xx * p.x + xy * p.y + dx, yx * p.x + yy * p.y + dy}; }
    /// Nothing when the transform flattens the plane.
    [[nodiscard]] std::optional<PixelAffine> inverted() const;
};

/// One sheet drawn around the current one.
struct MosaicSheet {
    MapRecord map;
    std::int32_t width = 0; ///< the sheet's bitmap, pixels
    std::int32_t height = 0;
    /// Current-map pixel → this sheet's pixel: exact within one UTM zone,
    /// else the transform at the window's centre.
    PixelAffine toSheet;
    /// The sheet's corners in current-map pixels through that transform,
    /// bottom-left, bottom-right, top-right, top-left: what it covers.
    std::array<PixelPoint, 4> outline;
};

/// Pixel of `current` → pixel of `sheet`, fitted around the centre of
/// `window` (current-map pixels); nothing for sheets more than a zone
/// apart or where the two georeferences do not meet in an affine way.
[[nodiscard]] std::optional<PixelAffine> transformAt(const cl_Map& current, const cl_Map& sheet,
                                                     const PixelBox& window);

/// The checked sheets of `maps` (the current map itself and sheets without
/// a bitmap size left out) whose outline's bounding box meets `window`, in
/// the current map's pixels. In painting order: the sheet nearest the
/// window's centre last, so it lies just under the current sheet.
std::vector<MosaicSheet> sheetsAround(const MapRecord& current, const MapCollection& maps, const PixelBox& window);

} // namespace rovanta
