#include "map/bmp_header.h"

#include <array>
#include <fstream>
#include <system_error>

namespace rovanta {
namespace {

constexpr std::uint64_t kFileHeaderSize = 14;
constexpr std::uint64_t kInfoStart = kFileHeaderSize;
// The largest info header; masks after a 40-byte one end well before it.
constexpr std::size_t kMostHeaderBytes = kFileHeaderSize + 124;
// Far beyond any scanned sheet, and small enough that stride * height
// (at most 4e6 * 1e6 bytes) can never overflow.
constexpr std::int64_t kLargestSide = 1'000'000;

// The bytes read from the file's start; callers check `size` before reading.
struct Bytes {
    std::array<char, kMostHeaderBytes> data{};
    std::size_t size = 0;

    std::uint32_t u8(std::size_t at) const { return static_cast<unsigned char>(data[at]); }
    std::uint32_t u16(std::size_t at) const { return u8(at) | u8(at + 1) << 8; }
    std::uint32_t u32(std::size_t at) const { return u16(at) | u16(at + 2) << 16; }
    // Two's complement by value, not by cast, so it is defined everywhere.
    std::int64_t i32(std::size_t at) const
    {
        const std::uint32_t raw = u32(at);
        return raw < 0x80000000u ? std::int64_t{raw} : std::int64_t{raw} - 0x100000000;
    }
};

bool knownInfoSize(std::uint32_t size)
{
    switch (size) {
    case 12:
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        return true;
    default:
        return false;
    }
}

bool knownDepth(std::uint32_t bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool compressionFits(const BmpHeader& h)
{
    switch (h.compression) {
    case kBmpRgb:
        return true;
    // Run-length rows have no top-down form.
    case kBmpRle8:
        return h.bitsPerPixel == 8 && !h.topDown;
    case kBmpRle4:
        return h.bitsPerPixel == 4 && !h.topDown;
    // In the 64-byte OS/2 header code 3 means Huffman coding, and there are no masks.
    case kBmpBitfields:
    case kBmpAlphaBitfields:
        return (h.bitsPerPixel == 16 || h.bitsPerPixel == 32) && h.infoHeaderSize != 64;
    default:
        return false;
    }
}

} // namespace

std::optional<BmpHeader> readBmpHeader(const std::filesystem::path& file, BmpFailure& failure)
{
    // Anything that stops short of a header is damage unless said otherwise.
    failure = BmpFailure::kUnreadable;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        if (!std::filesystem::exists(file, error))
            failure = BmpFailure::kMissing;
        return std::nullopt;
    }
    const std::uintmax_t fileSize = std::filesystem::file_size(file, error);
    if (error)
        return std::nullopt;

    Bytes bytes;
    {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return std::nullopt;
        in.read(bytes.data.data(), static_cast<std::streamsize>(bytes.data.size()));
        bytes.size = static_cast<std::size_t>(in.gcount());
    }
    if (bytes.size >= 2 && (bytes.data[0] != 'B' || bytes.data[1] != 'M')) {
        failure = BmpFailure::kUnsupported;
        return std::nullopt;
    }
    if (bytes.size < kInfoStart + 4)
        return std::nullopt;

    BmpHeader h;
    h.fileSize = fileSize;
    h.pixelOffset = bytes.u32(10);
    h.infoHeaderSize = bytes.u32(kInfoStart);
    if (!knownInfoSize(h.infoHeaderSize)) {
        failure = BmpFailure::kUnsupported;
        return std::nullopt;
    }
    if (bytes.size < kInfoStart + h.infoHeaderSize)
        return std::nullopt;

    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t colorsUsed = 0;
    if (h.infoHeaderSize == 12) {
        width = bytes.u16(18);
        height = bytes.u16(20);
        h.planes = static_cast<std::uint16_t>(bytes.u16(22));
        h.bitsPerPixel = static_cast<std::uint16_t>(bytes.u16(24));
        h.paletteEntrySize = 3;
    } else {
        // The OS/2 2.x header shares its first 40 bytes with V3.
        width = bytes.i32(18);
        height = bytes.i32(22);
        h.planes = static_cast<std::uint16_t>(bytes.u16(26));
        h.bitsPerPixel = static_cast<std::uint16_t>(bytes.u16(28));
        h.compression = bytes.u32(30);
        colorsUsed = bytes.u32(46);
    }
    h.topDown = height < 0;
    height = h.topDown ? -height : height;
    if (width <= 0 || width > kLargestSide || height == 0 || height > kLargestSide)
        return std::nullopt;
    h.width = static_cast<std::int32_t>(width);
    h.height = static_cast<std::int32_t>(height);
    if (h.planes != 1)
        return std::nullopt;
    if (!knownDepth(h.bitsPerPixel) || !compressionFits(h)) {
        failure = BmpFailure::kUnsupported;
        return std::nullopt;
    }

    std::uint64_t headersEnd = kInfoStart + h.infoHeaderSize;
    if (h.compression == kBmpBitfields || h.compression == kBmpAlphaBitfields) {
        // A 40-byte header is followed by the masks; the longer ones hold them.
        bool alpha = h.infoHeaderSize >= 56;
        if (h.infoHeaderSize == 40) {
            alpha = h.compression == kBmpAlphaBitfields;
            headersEnd += alpha ? 16 : 12;
            if (bytes.size < headersEnd)
                return std::nullopt;
        }
        h.redMask = bytes.u32(kInfoStart + 40);
        h.greenMask = bytes.u32(kInfoStart + 44);
        h.blueMask = bytes.u32(kInfoStart + 48);
        if (alpha)
            h.alphaMask = bytes.u32(kInfoStart + 52);
    } else if (h.bitsPerPixel == 16) {
        h.redMask = 0x7C00;
        h.greenMask = 0x03E0;
        h.blueMask = 0x001F;
    } else if (h.bitsPerPixel >= 24) {
        h.redMask = 0xFF0000;
        h.greenMask = 0x00FF00;
        h.blueMask = 0x0000FF;
    }

    if (h.bitsPerPixel <= 8) {
        const std::uint32_t fullPalette = 1u << h.bitsPerPixel;
        if (colorsUsed > fullPalette)
            return std::nullopt;
        h.paletteEntries = colorsUsed != 0 ? colorsUsed : fullPalette;
        h.paletteOffset = headersEnd;
        headersEnd += std::uint64_t{h.paletteEntries} * h.paletteEntrySize;
    }
    if (h.pixelOffset < headersEnd || h.pixelOffset >= fileSize)
        return std::nullopt;

    h.stride = (width * h.bitsPerPixel + 31) / 32 * 4;
    if (h.compression == kBmpRle8 || h.compression == kBmpRle4) {
        h.pixelBytes = fileSize - h.pixelOffset;
    } else {
        h.pixelBytes = static_cast<std::uint64_t>(h.stride * height);
        if (h.pixelBytes > fileSize - h.pixelOffset)
            return std::nullopt;
    }
    failure = BmpFailure::kNone;
    return h;
}

std::optional<BmpHeader> readBmpHeader(const std::filesystem::path& file)
{
    BmpFailure ignored = BmpFailure::kNone;
    return readBmpHeader(file, ignored);
}

} // namespace rovanta
