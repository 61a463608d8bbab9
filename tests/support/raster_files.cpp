#include "raster_files.h"

#include "raster/gdal_handle.h"
#include "raster/raster_info.h"

#include <gdal.h>

#include <cmath>

namespace rovanta::test {
namespace {

constexpr std::uint32_t kPalette[] = {0xFFC81E1E, 0xFF1E961E, 0xFF1E1EDC, 0xFFF0C800};

// Smooth ramps, so that JPEG stays close to them.
int ramp(int value, int last)
{
    return last > 0 ? value * 255 / last : 0;
}

// 16-bit samples of band `band` (0-based); their ranges differ per band.
int wide(int band, int width, int height, int x, int y)
{
    (void)width;
    (void)height;
    switch (band) {
    case 0:
        return 500 + 11 * x + 2 * y;
    case 1:
        return 2000 + 3 * y;
    default:
        return 100 + 5 * (x + y);
    }
}

int stretched(int band, int width, int height, int x, int y)
{
    const int low = wide(band, width, height, 0, 0);
    const int high = wide(band, width, height, width - 1, height - 1);
    return int(std::lround((wide(band, width, height, x, y) - low) * 255.0 / (high - low)));
}

int bandCount(Pixels pixels)
{
    switch (pixels) {
    case Pixels::kPaletted:
    case Pixels::kGrey:
    case Pixels::kGrey16:
        return 1;
    case Pixels::kGreyAlpha:
        return 2;
    case Pixels::kRgb:
    case Pixels::kRgb16:
        return 3;
    case Pixels::kRgba:
        return 4;
    }
    return 1;
}

// Sample of band `band` at (x, y) as stored.
int sample(Pixels pixels, int band, int width, int height, int x, int y)
{
    const std::uint32_t colour = patternColour(pixels, width, height, x, y);
    switch (pixels) {
    case Pixels::kPaletted:
        return (x / 4 + y / 4) % 4;
    case Pixels::kGrey16:
        return wide(2, width, height, x, y);
    case Pixels::kRgb16:
        return wide(band, width, height, x, y);
    case Pixels::kGrey:
        return colour & 0xFF;
    case Pixels::kGreyAlpha:
        return band == 0 ? colour & 0xFF : colour >> 24;
    default:
        return band == 3 ? colour >> 24 : (colour >> (16 - 8 * band)) & 0xFF;
    }
}

GdalDataset patternInMemory(Pixels pixels, int width, int height)
{
    const bool isWide = pixels == Pixels::kGrey16 || pixels == Pixels::kRgb16;
    const int bands = bandCount(pixels);
    GDALDatasetH made =
        GDALCreate(GDALGetDriverByName("MEM"), "", width, height, bands, isWide ? GDT_UInt16 : GDT_Byte, nullptr);
    GdalDataset dataset(made);
    for (int band = 0; band < bands; ++band) {
        std::vector<std::uint16_t> samples(std::size_t(width) * std::size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                samples[std::size_t(y) * width + x] = std::uint16_t(sample(pixels, band, width, height, x, y));
        GDALRasterBandH target = GDALGetRasterBand(made, band + 1);
        if (GDALRasterIO(target, GF_Write, 0, 0, width, height, samples.data(), width, height, GDT_UInt16, 0, 0) !=
            CE_None)
            return nullptr;
    }
    if (pixels == Pixels::kPaletted) {
        GDALColorTableH table = GDALCreateColorTable(GPI_RGB);
        for (int index = 0; index < 4; ++index) {
            const std::uint32_t c = kPalette[index];
            const GDALColorEntry entry{short(c >> 16 & 0xFF), short(c >> 8 & 0xFF), short(c & 0xFF), 255};
            GDALSetColorEntry(table, index, &entry);
        }
        GDALSetRasterColorTable(GDALGetRasterBand(made, 1), table);
        GDALDestroyColorTable(table);
    }
    if (pixels == Pixels::kGreyAlpha || pixels == Pixels::kRgba)
        GDALSetRasterColorInterpretation(GDALGetRasterBand(made, bands), GCI_AlphaBand);
    return dataset;
}

} // namespace

std::uint32_t patternColour(Pixels pixels, int width, int height, int x, int y)
{
    const auto argb = [](int a, int r, int g, int b) {
        return std::uint32_t(a) << 24 | std::uint32_t(r) << 16 | std::uint32_t(g) << 8 | std::uint32_t(b);
    };
    const int grey = ramp(x + y, width + height - 2);
    switch (pixels) {
    case Pixels::kPaletted:
        return kPalette[(x / 4 + y / 4) % 4];
    case Pixels::kGrey:
        return argb(255, grey, grey, grey);
    case Pixels::kGreyAlpha:
        return argb(ramp(x, width - 1), grey, grey, grey);
    case Pixels::kRgb:
        return argb(255, ramp(x, width - 1), ramp(y, height - 1), grey);
    case Pixels::kRgba:
        return argb(ramp(y, height - 1), ramp(x, width - 1), ramp(y, height - 1), grey);
    case Pixels::kGrey16: {
        const int value = stretched(2, width, height, x, y);
        return argb(255, value, value, value);
    }
    case Pixels::kRgb16:
        return argb(255, stretched(0, width, height, x, y), stretched(1, width, height, x, y),
                    stretched(2, width, height, x, y));
    }
    return 0;
}

bool writeRaster(const std::filesystem::path& file, const std::string& driver, Pixels pixels, int width, int height,
                 const std::vector<std::string>& options)
{
    initRasterLibrary();
    const GdalDataset pattern = patternInMemory(pixels, width, height);
    GDALDriverH format = GDALGetDriverByName(driver.c_str());
    if (!pattern || !format)
        return false;
    std::vector<char*> list;
    for (const std::string& option : options)
        list.push_back(const_cast<char*>(option.c_str()));
    list.push_back(nullptr);
    return GdalDataset(GDALCreateCopy(format, file.c_str(), pattern.get(), FALSE, list.data(), nullptr, nullptr)) !=
           nullptr;
}

} // namespace rovanta::test
