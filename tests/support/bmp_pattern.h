// BMP files with real pixels, in every uncompressed layout the map view
// reads, so a decoder can be checked against another one pixel by pixel.
#pragma once

#include <cstdint>
#include <filesystem>

namespace rovanta::test {

/// How 16- and 32-bit pixels are packed.
enum class BmpPacking {
    kPlain,        ///< BI_RGB: 5-5-5 at 16 bits, B, G, R, unused at 32 bits
    kBitfields565, ///< BI_BITFIELDS, 16 bits: 5-6-5
    kBitfields888, ///< BI_BITFIELDS, 32 bits: 0x00FF0000, 0x0000FF00, 0x000000FF
};

struct PatternBmp {
    std::int32_t width = 0; ///< pixels, > 0
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 24; ///< 1, 4, 8 (with a full palette), 16, 24 or 32
    BmpPacking packing = BmpPacking::kPlain;
    bool topDown = false; ///< rows stored top row first (negative height)
    /// Value written to the unused fourth byte of 32-bit BI_RGB pixels; 0 is
    /// what most writers put there.
    std::uint8_t unusedByte = 0;
};

/// Writes a 40-byte-header BMP whose pixels vary with x, y and depth (every
/// palette entry distinct, rows and columns distinguishable), so that a
/// wrong stride, row order, channel order, bit order or palette shows.
/// Row padding bytes are filled with garbage, not zeros. False on an I/O
/// error.
bool writePatternBmp(const std::filesystem::path& file, const PatternBmp& bmp);

} // namespace rovanta::test
