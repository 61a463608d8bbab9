// Small rasters in any format GDAL writes, with a known colour at every
// pixel, made on the fly for the raster tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace rovanta::test {

/// Bands and samples of a test raster.
enum class Pixels { kPaletted, kGrey, kGreyAlpha, kRgb, kRgba, kGrey16, kRgb16 };

/// Writes a width × height raster of `pixels` as `driver` ("PNG", "JPEG",
/// "GTiff", "GIF", "BMP") with GDAL's creation `options` ("KEY=VALUE").
bool writeRaster(const std::filesystem::path& file, const std::string& driver, Pixels pixels, int width, int height,
                 const std::vector<std::string>& options = {});

/// The colour pixel (x, y) of such a raster shows, 0xAARRGGBB, not
/// premultiplied; 16-bit samples stretched from their range to 0..255.
std::uint32_t patternColour(Pixels pixels, int width, int height, int x, int y);

} // namespace rovanta::test
