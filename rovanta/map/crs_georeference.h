// The georeference of a raster that carries its own: its pixels tied to a
// coordinate system (geotransform or ground control points), converted to
// and from WGS 84 latitude and longitude through GDAL and PROJ.
#pragma once

#include "map/map_georeference.h"

#include <memory>
#include <string>

namespace rovanta {

class CrsGeoreference final : public MapGeoreference {
public:
    /// What reading a raster's georeference gave.
    struct Read {
        std::shared_ptr<const CrsGeoreference> georeference; ///< set when usable
        bool broken = false;                                 ///< no georeference at all when false and unset
        std::string problem;                                 ///< why it is broken
        std::string image;                                   ///< the pixels' file, when another file than the one read
    };
    /// Opens the raster (or a calibration file GDAL reads, such as an
    /// OziExplorer ".map") at `path` (UTF-8) and reads its georeference.
    [[nodiscard]] static Read read(const std::string& path);

    ~CrsGeoreference() override;
    CrsGeoreference(const CrsGeoreference&) = delete;
    CrsGeoreference& operator=(const CrsGeoreference&) = delete;

    cl_RefPoint positionOf(std::int32_t x, std::int32_t y) const override;
    PixelFix pixelOf(cl_RefPoint& point) const override;
    IPoint size() const override;
    std::string coordinateSystem() const override;
    double metresPerPixel() const override;

private:
    struct Transform;
    explicit CrsGeoreference(std::unique_ptr<Transform> transform);

    std::unique_ptr<Transform> transform_;
};

} // namespace rovanta
