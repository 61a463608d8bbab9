#include "raster/raster_info.h"

#include "raster/gdal_handle.h"

#include <gdal.h>

#include <cpl_conv.h>

#include <cstdlib>
#include <mutex>
#include <system_error>

namespace rovanta {
namespace {

std::optional<RasterLayout> layoutOf(GDALDatasetH dataset)
{
    const int bands = GDALGetRasterCount(dataset);
    if (bands < 1)
        return std::nullopt;
    GDALRasterBandH first = GDALGetRasterBand(dataset, 1);
    const GDALColorInterp colour = GDALGetRasterColorInterpretation(first);
    if (bands == 1) {
        GDALColorTableH table = GDALGetRasterColorTable(first);
        if (colour != GCI_PaletteIndex || table == nullptr)
            return RasterLayout::kGrey;
        // CMYK and HLS tables are rare enough not to be worth converting.
        const GDALPaletteInterp kind = GDALGetPaletteInterpretation(table);
        if (kind != GPI_RGB && kind != GPI_Gray)
            return std::nullopt;
        return RasterLayout::kPaletted;
    }
    if (bands == 2)
        return RasterLayout::kGreyAlpha;
    // A fourth band is alpha when the file says so or says nothing else.
    if (bands >= 4) {
        const GDALColorInterp fourth = GDALGetRasterColorInterpretation(GDALGetRasterBand(dataset, 4));
        if (fourth == GCI_AlphaBand || fourth == GCI_Undefined)
            return RasterLayout::kRgba;
    }
    return RasterLayout::kRgb;
}

// Complex, floating and wide integer samples have no one way to become a colour.
int bitsOf(GDALDataType type)
{
    switch (type) {
    case GDT_Byte:
        return 8;
    case GDT_UInt16:
    case GDT_Int16:
        return 16;
    default:
        return 0;
    }
}

} // namespace

void initRasterLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        GDALAllRegister();
        GDALSetCacheMax64(kRasterBlockCacheBytes);
    });
}

RasterRead inspectRaster(const std::filesystem::path& file)
{
    initRasterLibrary();
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return {std::nullopt, RasterFault::kMissing};
    const GdalDataset dataset = openRaster(file);
    if (!dataset)
        return {std::nullopt, RasterFault::kUnsupported};
    const std::optional<RasterLayout> layout = layoutOf(dataset.get());
    if (!layout)
        return {std::nullopt, RasterFault::kUnsupported};
    GDALRasterBandH first = GDALGetRasterBand(dataset.get(), 1);
    RasterInfo info;
    info.width = GDALGetRasterXSize(dataset.get());
    info.height = GDALGetRasterYSize(dataset.get());
    info.bands = GDALGetRasterCount(dataset.get());
    info.bitsPerSample = bitsOf(GDALGetRasterDataType(first));
    if (const char* nbits = GDALGetMetadataItem(first, "NBITS", "IMAGE_STRUCTURE"); nbits && info.bitsPerSample == 8)
        info.bitsPerSample = std::atoi(nbits);
    info.layout = *layout;
    GDALGetBlockSize(first, &info.blockWidth, &info.blockHeight);
    info.overviews = GDALGetOverviewCount(first);
    if (info.width < 1 || info.height < 1 || info.bitsPerSample == 0)
        return {std::nullopt, RasterFault::kUnsupported};
    return {info, RasterFault::kNone};
}

} // namespace rovanta
