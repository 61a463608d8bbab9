// The headers of a Windows BMP file, read without touching its pixels.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace rovanta {

/// BMP compression codes we understand.
enum BmpCompression : std::uint32_t {
    kBmpRgb = 0, ///< uncompressed
    kBmpRle8 = 1,
    kBmpRle4 = 2,
    kBmpBitfields = 3,      ///< uncompressed, channel masks
    kBmpAlphaBitfields = 6, ///< uncompressed, channel masks with alpha
};

/// What the file and info headers say, checked for consistency.
struct BmpHeader {
    std::uint32_t infoHeaderSize = 0; ///< 12 (core), 40 (V3), 52/56, 64, 108 (V4) or 124 (V5) bytes
    std::int32_t width = 0;           ///< pixels, > 0
    std::int32_t height = 0;          ///< pixels, > 0 (the absolute stored value)
    bool topDown = false;             ///< rows stored top row first (negative stored height)
    std::uint16_t planes = 0;         ///< always 1
    std::uint16_t bitsPerPixel = 0;   ///< 1, 4, 8, 16, 24 or 32
    std::uint32_t compression = kBmpRgb;
    std::uint64_t pixelOffset = 0;      ///< bytes from the file's start to the first stored row
    std::uint64_t pixelBytes = 0;       ///< bytes of pixel data from pixelOffset: stride * height, or the rest of
                                        ///< the file for RLE (the span to map)
    std::int64_t stride = 0;            ///< bytes per stored row, a multiple of 4 (uncompressed layout)
    std::uint64_t paletteOffset = 0;    ///< bytes from the file's start to the colour table; 0 when none
    std::uint32_t paletteEntries = 0;   ///< colour table entries (0 above 8 bits per pixel)
    std::uint32_t paletteEntrySize = 4; ///< bytes per entry: 3 in core files, else 4
    std::uint32_t redMask = 0;          ///< channel masks: stored ones for the bit-field forms, the implied
                                        ///< ones for uncompressed 16/24/32 bits; 0 with a palette
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    std::uint32_t alphaMask = 0;
    std::uint64_t fileSize = 0; ///< bytes
};

/// Why a bitmap cannot be shown.
enum class BmpFault {
    kNone,
    kMissing,     ///< no file at the path
    kUnsupported, ///< not a BMP, or a form of BMP we do not read
    kUnreadable,  ///< cannot be opened, is inconsistent or cut short
};

/// The headers of a BMP file, or why there are none.
struct BmpRead {
    std::optional<BmpHeader> header;
    BmpFault fault = BmpFault::kNone; ///< kNone exactly when there is a header
};

/// Reads and checks the headers of the BMP file at `file`; reads a few
/// hundred bytes whatever the file's size. A file shorter than its pixel
/// rows need (a truncated file) is unreadable.
[[nodiscard]] BmpRead inspectBmpHeader(const std::filesystem::path& file);

/// The header of inspectBmpHeader, when there is one.
[[nodiscard]] std::optional<BmpHeader> readBmpHeader(const std::filesystem::path& file);

} // namespace rovanta
