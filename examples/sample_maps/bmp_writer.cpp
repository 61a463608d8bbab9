#include "bmp_writer.h"

#include "layout.h"

#include <fstream>
#include <string>

namespace sample_maps {
namespace {

void put(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xFF);
}

} // namespace

// File and info headers, the palette, then the rows bottom-up (the width is
// a multiple of 4, so rows need no padding).
void writeBmp(const std::filesystem::path& file, const QImage& image, const std::vector<QRgb>& palette,
              const std::vector<std::uint8_t>& lut)
{
    const std::uint32_t offset = 14 + 40 + 256 * 4, size = offset + kWidth * kHeight;
    std::string out = "BM";
    put(out, size, 4);
    put(out, 0, 4);
    put(out, offset, 4);
    for (const std::uint32_t v : {40u, std::uint32_t(kWidth), std::uint32_t(kHeight)})
        put(out, v, 4);
    put(out, 1, 2);
    put(out, 8, 2);
    for (const std::uint32_t v : {0u, std::uint32_t(kWidth * kHeight), 3937u, 3937u, 256u, 0u}) // 100 dpi
        put(out, v, 4);
    for (const QRgb c : palette)
        put(out, static_cast<std::uint32_t>(qBlue(c) | qGreen(c) << 8 | qRed(c) << 16), 4);
    for (int r = kHeight - 1; r >= 0; --r) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(r));
        for (int c = 0; c < kWidth; ++c)
            out +=
                static_cast<char>(lut[(qRed(line[c]) >> 3) << 10 | (qGreen(line[c]) >> 3) << 5 | qBlue(line[c]) >> 3]);
    }
    std::ofstream(file, std::ios::binary) << out;
}

} // namespace sample_maps
