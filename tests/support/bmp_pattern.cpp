#include "bmp_pattern.h"

#include "little_endian.h"

#include <fstream>
#include <string>

namespace rovanta::test {
namespace {

// A mix of x and y with no symmetry, so a mirrored, shifted or transposed
// read never reproduces it.
std::uint32_t mix(std::int32_t x, std::int32_t y)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

// Odd multipliers make each channel a bijection of the index, so every
// entry differs from every other, and the channels from each other.
void putPaletteEntry(std::string& out, std::uint32_t index)
{
    out.push_back(static_cast<char>((index * 59 + 200) & 0xFF)); // blue
    out.push_back(static_cast<char>((index * 101 + 53) & 0xFF)); // green
    out.push_back(static_cast<char>((index * 37 + 11) & 0xFF));  // red
    out.push_back('\0');
}

void putPixel(std::string& row, const PatternBmp& bmp, std::int32_t x, std::int32_t y)
{
    const std::uint32_t h = mix(x, y);
    const std::uint32_t red = h & 0xFF;
    const std::uint32_t green = (h >> 8) & 0xFF;
    const std::uint32_t blue = (h >> 16) & 0xFF;
    switch (bmp.bitsPerPixel) {
    case 16:
        if (bmp.packing == BmpPacking::kBitfields565) {
            put16(row, (red >> 3) << 11 | (green >> 2) << 5 | blue >> 3);
        } else {
            // The unused top bit set now and then, as some writers do.
            put16(row, (h >> 24 & 1) << 15 | (red >> 3) << 10 | (green >> 3) << 5 | blue >> 3);
        }
        break;
    case 24:
        row.push_back(static_cast<char>(blue));
        row.push_back(static_cast<char>(green));
        row.push_back(static_cast<char>(red));
        break;
    case 32:
        row.push_back(static_cast<char>(blue));
        row.push_back(static_cast<char>(green));
        row.push_back(static_cast<char>(red));
        row.push_back(static_cast<char>(bmp.unusedByte));
        break;
    default:
        break;
    }
}

// Indexed rows are built bit by bit; the bits after the last pixel are
// garbage like the padding.
void putIndexedRow(std::string& row, const PatternBmp& bmp, std::int32_t y)
{
    const std::uint32_t bits = bmp.bitsPerPixel;
    const std::uint32_t entries = 1u << bits;
    std::uint32_t accumulator = 0;
    std::uint32_t filled = 0;
    for (std::int32_t x = 0; x < bmp.width; ++x) {
        accumulator = accumulator << bits | mix(x, y) % entries;
        filled += bits;
        if (filled == 8) {
            row.push_back(static_cast<char>(accumulator));
            accumulator = 0;
            filled = 0;
        }
    }
    if (filled != 0) {
        const std::uint32_t rest = 8 - filled;
        row.push_back(static_cast<char>(accumulator << rest | (0xB7u >> filled)));
    }
}

} // namespace

bool writePatternBmp(const std::filesystem::path& file, const PatternBmp& bmp)
{
    const bool indexed = bmp.bitsPerPixel <= 8;
    const bool bitfields = (bmp.bitsPerPixel == 16 && bmp.packing == BmpPacking::kBitfields565) ||
                           (bmp.bitsPerPixel == 32 && bmp.packing == BmpPacking::kBitfields888);
    const std::uint32_t paletteEntries = indexed ? 1u << bmp.bitsPerPixel : 0;
    const std::uint32_t pixelOffset = 14 + 40 + (bitfields ? 12 : 0) + paletteEntries * 4;
    const std::size_t stride = (static_cast<std::size_t>(bmp.width) * bmp.bitsPerPixel + 31) / 32 * 4;
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(bmp.height);

    std::string out;
    out.reserve(pixelOffset + pixelBytes);
    out += "BM";
    put32(out, static_cast<std::uint32_t>(pixelOffset + pixelBytes));
    put32(out, 0);
    put32(out, pixelOffset);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(bmp.width));
    put32(out, static_cast<std::uint32_t>(bmp.topDown ? -bmp.height : bmp.height));
    put16(out, 1);
    put16(out, bmp.bitsPerPixel);
    put32(out, bitfields ? 3 : 0);
    put32(out, static_cast<std::uint32_t>(pixelBytes));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, paletteEntries);
    put32(out, 0);
    if (bitfields && bmp.bitsPerPixel == 16) {
        put32(out, 0xF800);
        put32(out, 0x07E0);
        put32(out, 0x001F);
    } else if (bitfields) {
        put32(out, 0xFF0000);
        put32(out, 0x00FF00);
        put32(out, 0x0000FF);
    }
    for (std::uint32_t i = 0; i < paletteEntries; ++i)
        putPaletteEntry(out, i);

    // Stored row s is image row s from the top when top-down, else from the bottom.
    for (std::int32_t s = 0; s < bmp.height; ++s) {
        const std::int32_t y = bmp.topDown ? s : bmp.height - 1 - s;
        const std::size_t rowStart = out.size();
        if (indexed) {
            putIndexedRow(out, bmp, y);
        } else {
            for (std::int32_t x = 0; x < bmp.width; ++x)
                putPixel(out, bmp, x, y);
        }
        // Never zero, and different in every byte and row.
        for (std::size_t pad = out.size() - rowStart; pad < stride; ++pad)
            out.push_back(static_cast<char>((0x5A + pad * 29 + static_cast<std::size_t>(s) * 7) | 1));
    }

    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(stream);
}

} // namespace rovanta::test
