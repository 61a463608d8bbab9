// What a raster file's header says, for any format GDAL reads, without
// decoding a pixel.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace rovanta {

/// Why a raster cannot be shown.
enum class RasterFault {
    kNone,
    kMissing,     ///< no file at the path
    kUnsupported, ///< no format GDAL reads, or a pixel layout we cannot show
    kUnreadable,  ///< recognised, but cannot be opened or read
};

/// How the bands make colours.
enum class RasterLayout {
    kPaletted, ///< one band of indices into a colour table
    kGrey,     ///< one band of grey
    kGreyAlpha,
    kRgb,
    kRgba,
};

struct RasterInfo {
    int width = 0; ///< pixels
    int height = 0;
    int bands = 0;
    int bitsPerSample = 0; ///< of band 1: 1 to 8 show as they are, up to 16 are scaled
    RasterLayout layout = RasterLayout::kRgb;
    int blockWidth = 0; ///< of band 1; a block as wide as the image is a strip
    int blockHeight = 0;
    int overviews = 0; ///< reductions stored in the file
    bool tiled() const { return blockWidth < width; }
};

/// The header of the raster at `file`, or why there is none.
struct RasterRead {
    std::optional<RasterInfo> info;
    RasterFault fault = RasterFault::kNone; ///< kNone exactly when there is info
};

/// Opens `file` through GDAL and reads its header only: start-up and
/// Search stay independent of the file's size.
[[nodiscard]] RasterRead inspectRaster(const std::filesystem::path& file);

/// Registers GDAL's drivers and bounds its block cache, once per process;
/// every other function here calls it first.
void initRasterLibrary();

/// GDAL's block cache limit, bytes: the tiles of a full-HD view at every
/// zoom fit several times over, and memory stays bounded on any sheet.
constexpr std::int64_t kRasterBlockCacheBytes = std::int64_t{96} << 20;

} // namespace rovanta
