// Writes a sheet as an uncompressed 8-bit BMP.
#pragma once

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace sample_maps {

/// The image must be kWidth × kHeight; lut comes from nearestIndex(palette).
void writeBmp(const std::filesystem::path& file, const QImage& image, const std::vector<QRgb>& palette,
              const std::vector<std::uint8_t>& lut);

} // namespace sample_maps
