#include "raster/gdal_handle.h"

#include <cpl_error.h>
#include <gdal.h>

namespace rovanta {

void GdalCloser::operator()(void* dataset) const
{
    GDALClose(dataset);
}

GdalDataset openRaster(const std::filesystem::path& file)
{
    CPLPushErrorHandler(CPLQuietErrorHandler);
    GDALDatasetH dataset = GDALOpenEx(file.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
    CPLPopErrorHandler();
    return GdalDataset(dataset);
}

} // namespace rovanta
