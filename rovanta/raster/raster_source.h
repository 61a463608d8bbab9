// Pixels of a raster sheet, read a window at a time into 32-bit colours,
// whatever the file's format; the view paints from this.
#pragma once

#include <cstdint>
#include <vector>

namespace rovanta {

/// A rectangle of stored pixels: columns [x, x + width), rows [y, y + height),
/// row 0 the top one.
struct RasterRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

/// Pixels 0xAARRGGBB, row by row, top row first (Qt's ARGB32 in memory).
struct RasterPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
    /// Every alpha is 0xFF, so the pixels can be painted without blending.
    bool opaque = true;
};

class RasterSource {
public:
    virtual ~RasterSource() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    /// `rect` (inside the raster) reduced to `columns` × `rows` pixels,
    /// each at least 1 and at most the rectangle's; from a stored reduction
    /// where one is fine enough. Empty when the file cannot be read any more.
    [[nodiscard]] virtual RasterPixels read(const RasterRect& rect, int columns, int rows) const = 0;
    /// True when zoomed-out windows come from reductions the file stores,
    /// so that the view need build none of its own.
    virtual bool hasReductions() const = 0;
};

} // namespace rovanta
