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

// Unknown codes (JPEG, PNG, CMYK) are forms we do not read; a known code at
// the wrong depth or row order is a broken file.
BmpFault compressionFault(const BmpHeader& h)
{
    switch (h.compression) {
    case kBmpRgb:
        return BmpFault::kNone;
    // Run-length rows have no top-down form.
    case kBmpRle8:
        return h.bitsPerPixel == 8 && !h.topDown ? BmpFault::kNone : BmpFault::kUnreadable;
    case kBmpRle4:
        return h.bitsPerPixel == 4 && !h.topDown ? BmpFault::kNone : BmpFault::kUnreadable;
    // In the 64-byte OS/2 header code 3 means Huffman coding, and there are no masks.
    case kBmpBitfields:
    case kBmpAlphaBitfields:
        if (h.infoHeaderSize == 64)
            return BmpFault::kUnsupported;
        return h.bitsPerPixel == 16 || h.bitsPerPixel == 32 ? BmpFault::kNone : BmpFault::kUnreadable;
    default:
        return BmpFault::kUnsupported;
    }
}

// Size, depth and compression from the info header (core or V3 layout).
BmpFault readGeometry(const Bytes& bytes, BmpHeader& h, std::uint32_t& colorsUsed)
{
    std::int64_t width = 0;
    std::int64_t height = 0;
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
    if (width <= 0 || height == 0 || h.planes != 1)
        return BmpFault::kUnreadable;
    if (width > kLargestSide || height > kLargestSide || !knownDepth(h.bitsPerPixel))
        return BmpFault::kUnsupported;
    h.width = static_cast<std::int32_t>(width);
    h.height = static_cast<std::int32_t>(height);
    return compressionFault(h);
}

// The channel masks: from the header or the masks after a 40-byte one, or
// the fixed ones of uncompressed 16, 24 and 32 bits. Moves `headersEnd`
// past masks that follow the header.
BmpFault readMasks(const Bytes& bytes, BmpHeader& h, std::uint64_t& headersEnd)
{
    if (h.compression == kBmpBitfields || h.compression == kBmpAlphaBitfields) {
        // A 40-byte header is followed by the masks; the longer ones hold them.
        bool alpha = h.infoHeaderSize >= 56;
        if (h.infoHeaderSize == 40) {
            alpha = h.compression == kBmpAlphaBitfields;
            headersEnd += alpha ? 16 : 12;
            if (bytes.size < headersEnd)
                return BmpFault::kUnreadable;
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
    return BmpFault::kNone;
}

// The colour table of 1 to 8 bits, at `headersEnd`, which moves past it.
BmpFault readPalette(BmpHeader& h, std::uint32_t colorsUsed, std::uint64_t& headersEnd)
{
    if (h.bitsPerPixel > 8)
        return BmpFault::kNone;
    const std::uint32_t fullPalette = 1u << h.bitsPerPixel;
    if (colorsUsed > fullPalette)
        return BmpFault::kUnreadable;
    h.paletteEntries = colorsUsed != 0 ? colorsUsed : fullPalette;
    h.paletteOffset = headersEnd;
    headersEnd += std::uint64_t{h.paletteEntries} * h.paletteEntrySize;
    return BmpFault::kNone;
}

// Where the pixel rows lie: after the headers and inside the file.
BmpFault readPixelExtent(BmpHeader& h, std::uint64_t headersEnd)
{
    if (h.pixelOffset < headersEnd || h.pixelOffset >= h.fileSize)
        return BmpFault::kUnreadable;
    h.stride = (std::int64_t{h.width} * h.bitsPerPixel + 31) / 32 * 4;
    if (h.compression == kBmpRle8 || h.compression == kBmpRle4) {
        h.pixelBytes = h.fileSize - h.pixelOffset;
        return BmpFault::kNone;
    }
    h.pixelBytes = static_cast<std::uint64_t>(h.stride * h.height);
    return h.pixelBytes > h.fileSize - h.pixelOffset ? BmpFault::kUnreadable : BmpFault::kNone;
}

// Channel masks, the colour table and where the pixel rows lie in the file.
BmpFault readLayout(const Bytes& bytes, BmpHeader& h, std::uint32_t colorsUsed)
{
    std::uint64_t headersEnd = kInfoStart + h.infoHeaderSize;
    if (const BmpFault fault = readMasks(bytes, h, headersEnd); fault != BmpFault::kNone)
        return fault;
    if (const BmpFault fault = readPalette(h, colorsUsed, headersEnd); fault != BmpFault::kNone)
        return fault;
    return readPixelExtent(h, headersEnd);
}

BmpRead failed(BmpFault fault)
{
    return {std::nullopt, fault};
}

} // namespace

BmpRead inspectBmpHeader(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return failed(BmpFault::kMissing);
    const std::uintmax_t fileSize = std::filesystem::file_size(file, error);
    if (error)
        return failed(BmpFault::kUnreadable);

    Bytes bytes;
    {
        std::ifstream in(file, std::ios::binary);
        if (!in)
            return failed(BmpFault::kUnreadable);
        in.read(bytes.data.data(), static_cast<std::streamsize>(bytes.data.size()));
        bytes.size = static_cast<std::size_t>(in.gcount());
    }
    // Two bytes tell a BMP from any other image; fewer are a cut-off file.
    if (bytes.size >= 2 && (bytes.data[0] != 'B' || bytes.data[1] != 'M'))
        return failed(BmpFault::kUnsupported);
    if (bytes.size < kInfoStart + 4)
        return failed(BmpFault::kUnreadable);

    BmpHeader h;
    h.fileSize = fileSize;
    h.pixelOffset = bytes.u32(10);
    h.infoHeaderSize = bytes.u32(kInfoStart);
    if (!knownInfoSize(h.infoHeaderSize))
        return failed(BmpFault::kUnsupported);
    if (bytes.size < kInfoStart + h.infoHeaderSize)
        return failed(BmpFault::kUnreadable);

    std::uint32_t colorsUsed = 0;
    if (const BmpFault fault = readGeometry(bytes, h, colorsUsed); fault != BmpFault::kNone)
        return failed(fault);
    if (const BmpFault fault = readLayout(bytes, h, colorsUsed); fault != BmpFault::kNone)
        return failed(fault);
    return {h, BmpFault::kNone};
}

std::optional<BmpHeader> readBmpHeader(const std::filesystem::path& file)
{
    return inspectBmpHeader(file).header;
}

} // namespace rovanta
