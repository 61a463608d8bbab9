#include "bmp_writer.h"

#include "little_endian.h"

#include <fstream>
#include <string>
#include <system_error>

namespace rovanta::test {
namespace {

std::uint32_t infoSize(BmpInfoForm form)
{
    switch (form) {
    case BmpInfoForm::kCore:
        return 12;
    case BmpInfoForm::kV3:
        return 40;
    case BmpInfoForm::kV4:
        return 108;
    case BmpInfoForm::kV5:
        return 124;
    }
    return 40;
}

} // namespace

bool writeBmp(const std::filesystem::path& file, const BmpLayout& layout)
{
    const bool core = layout.form == BmpInfoForm::kCore;
    const std::uint32_t paletteEntries = layout.bitsPerPixel <= 8 ? (1u << layout.bitsPerPixel) : 0;
    const std::uint32_t paletteBytes = paletteEntries * (core ? 3u : 4u);
    const std::uint32_t pixelOffset = 14 + infoSize(layout.form) + paletteBytes;
    const std::int64_t stride = (static_cast<std::int64_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
    const std::int64_t fileSize = pixelOffset + stride * layout.height;

    std::string header;
    header += "BM";
    put32(header, static_cast<std::uint32_t>(fileSize > 0xFFFFFFFF ? 0 : fileSize));
    put32(header, 0);
    put32(header, pixelOffset);
    put32(header, infoSize(layout.form));
    const std::int32_t height = layout.topDown ? -layout.height : layout.height;
    if (core) {
        put16(header, static_cast<std::uint32_t>(layout.width));
        put16(header, static_cast<std::uint32_t>(layout.height));
        put16(header, 1);
        put16(header, layout.bitsPerPixel);
    } else {
        put32(header, static_cast<std::uint32_t>(layout.width));
        put32(header, static_cast<std::uint32_t>(height));
        put16(header, 1);
        put16(header, layout.bitsPerPixel);
        put32(header, 0); // BI_RGB
        put32(header, 0); // image size, may be 0 for BI_RGB
        put32(header, 2835);
        put32(header, 2835);
        put32(header, paletteEntries);
        put32(header, 0);
        header.resize(14 + infoSize(layout.form), '\0');
    }
    for (std::uint32_t i = 0; i < paletteEntries; ++i) {
        const auto grey = static_cast<char>(i * 255 / (paletteEntries - 1));
        header.append(3, grey);
        if (!core)
            header.push_back('\0');
    }

    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        if (!out)
            return false;
    }
    std::error_code error;
    std::filesystem::resize_file(file, static_cast<std::uintmax_t>(fileSize - layout.dropBytes), error);
    return !error;
}

} // namespace rovanta::test
