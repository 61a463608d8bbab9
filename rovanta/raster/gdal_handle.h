// Owning handles for GDAL's datasets, and opening a file read-only. GDAL's
// own headers stay in the .cpp files that call it.
#pragma once

#include <filesystem>
#include <memory>

namespace rovanta {

struct GdalCloser {
    void operator()(void* dataset) const;
};
/// A GDALDatasetH that closes itself.
using GdalDataset = std::unique_ptr<void, GdalCloser>;

/// The raster at `file`, read-only and raster drivers only; null when GDAL
/// knows no format for it. Quiet: GDAL's own messages stay out of stderr.
GdalDataset openRaster(const std::filesystem::path& file);

} // namespace rovanta
