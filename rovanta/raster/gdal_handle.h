// Owning handles for GDAL's C objects, and opening a file read-only.
#pragma once

#include <gdal.h>

#include <filesystem>
#include <memory>
#include <type_traits>

namespace rovanta {

struct GdalCloser {
    void operator()(GDALDatasetH dataset) const { GDALClose(dataset); }
};
using GdalDataset = std::unique_ptr<std::remove_pointer_t<GDALDatasetH>, GdalCloser>;

/// The raster at `file`, read-only and raster drivers only; null when GDAL
/// knows no format for it. Quiet: GDAL's own messages stay out of stderr.
GdalDataset openRaster(const std::filesystem::path& file);

} // namespace rovanta
