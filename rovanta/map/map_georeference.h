// How a map ties its pixels to positions: one interface for the manager,
// the editor and the view, with the two-point similarity of a calibration
// file and the coordinate-system transform of a georeferenced raster
// (crs_georeference.h) behind it.
#pragma once

#include <kalimark/kalimark.h>

#include <cstdint>
#include <string>

namespace rovanta {

/// A map pixel before truncation; `valid` false when the position has no
/// place in the map's plane (outside the projection's domain).
struct PixelFix {
    double x = 0.0;
    double y = 0.0;
    bool valid = false;
};

/// Pixels are counted x right from the left edge, y up from the bottom
/// edge; pixel (0,0) is the bottom-left corner, (width, height) the
/// top-right one.
class MapGeoreference {
public:
    virtual ~MapGeoreference() = default;

    /// The position of pixel (x, y), with its pixel set to (x, y).
    virtual cl_RefPoint positionOf(std::int32_t x, std::int32_t y) const = 0;
    /// The pixel of the point's position. May select the library's datum
    /// on the point, as every UTM conversion does.
    virtual PixelFix pixelOf(cl_RefPoint& point) const = 0;
    /// Width and height of the georeferenced sheet in pixels.
    virtual IPoint size() const = 0;
    /// The coordinate system's name as the properties show it.
    virtual std::string coordinateSystem() const = 0;
    /// Ground metres per pixel at the sheet's centre.
    virtual double metresPerPixel() const = 0;
};

/// The calibration file's transform between pixels and UTM metres in the
/// zone of its two reference points' midpoint:
///   E = E_bl + s (x cos t - y sin t),  N = N_bl + s (x sin t + y cos t)
class CalSimilarity final : public MapGeoreference {
public:
    /// From two reference points and the bitmap's size; false when they
    /// give no usable transform (equal pixels or positions, outside UTM).
    /// Selects the map's datum on both points.
    [[nodiscard]] bool compute(cl_RefPoint& first, cl_RefPoint& second, IPoint bitmapSize);

    cl_RefPoint positionOf(std::int32_t x, std::int32_t y) const override;
    PixelFix pixelOf(cl_RefPoint& point) const override;
    IPoint size() const override { return corner_[1].pixel; }
    std::string coordinateSystem() const override;
    double metresPerPixel() const override { return scale_; }

    /// UTM metres between the position the transform gives the point's
    /// pixel and the point's own position: how well an extra reference
    /// point agrees with the two that made the transform.
    double residual(const cl_RefPoint& point) const;

    const cl_RefPoint& centre() const { return centre_; }
    const cl_RefPoint& corner(int index) const { return corner_[index]; }
    const std::int32_t* cornerUtm() const { return cornerUtm_; }
    double scale() const { return scale_; }
    std::int32_t zone() const { return zone_; }
    double cosRotation() const { return cos_; }
    double sinRotation() const { return sin_; }

private:
    cl_RefPoint centre_;
    cl_RefPoint corner_[2];
    std::int32_t cornerUtm_[4] = {0, 0, 0, 0};
    double scale_ = 0.0;
    std::int32_t zone_ = 0;
    double cos_ = 1.0;
    double sin_ = 0.0;
};

} // namespace rovanta
