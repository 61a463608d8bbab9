#include "raster/gdal_raster_source.h"

#include <cpl_error.h>
#include <gdal.h>

#include <algorithm>
#include <bit>
#include <cmath>

namespace rovanta {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
// Up to this many pixels, 16-bit bands are read whole for their exact range;
// larger ones are reduced to about this many.
constexpr std::int64_t kExactRangePixels = std::int64_t{4096} * 4096;

int channelsOf(RasterLayout layout)
{
    switch (layout) {
    case RasterLayout::kPaletted:
    case RasterLayout::kGrey:
        return 1;
    case RasterLayout::kGreyAlpha:
        return 2;
    case RasterLayout::kRgb:
        return 3;
    case RasterLayout::kRgba:
        return 4;
    }
    return 1;
}

std::uint32_t argb(std::uint32_t alpha, std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return alpha << 24 | red << 16 | green << 8 | blue;
}

// The sample range to stretch over 0..255: the statistics the file
// carries, else the extremes of the band, read whole up to
// kExactRangePixels and reduced (from the file's reductions where it has
// some) beyond. Nothing is written beside the file.
std::pair<double, double> sampleRange(GDALRasterBandH band, int width, int height)
{
    double low = 0.0;
    double high = 0.0;
    if (GDALGetRasterStatistics(band, FALSE, FALSE, &low, &high, nullptr, nullptr) == CE_None && high > low)
        return {low, high};
    const double reduction = std::max(1.0, std::sqrt(double(width) * double(height) / double(kExactRangePixels)));
    const int columns = std::max(1, int(width / reduction));
    const int rows = std::max(1, int(height / reduction));
    std::vector<float> samples(std::size_t(columns) * std::size_t(rows));
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const CPLErr error =
        GDALRasterIO(band, GF_Read, 0, 0, width, height, samples.data(), columns, rows, GDT_Float32, 0, 0);
    CPLPopErrorHandler();
    const auto [least, most] = std::minmax_element(samples.begin(), samples.end());
    if (error != CE_None || *most <= *least)
        return {0.0, 65535.0};
    return {*least, *most};
}

} // namespace

GdalRasterSource::Opened GdalRasterSource::open(const std::filesystem::path& file)
{
    const RasterRead read = inspectRaster(file);
    if (!read.info)
        return {nullptr, read.fault};
    GdalDataset dataset = openRaster(file);
    if (!dataset)
        return {nullptr, RasterFault::kUnreadable};
    std::unique_ptr<GdalRasterSource> source(new GdalRasterSource(std::move(dataset), *read.info));
    return {std::move(source), RasterFault::kNone};
}

GdalRasterSource::GdalRasterSource(GdalDataset dataset, const RasterInfo& info)
    : dataset_(std::move(dataset)), info_(info), channels_(channelsOf(info.layout)),
      opaque_(info.layout != RasterLayout::kGreyAlpha && info.layout != RasterLayout::kRgba),
      inPlace_(std::endian::native == std::endian::little && info.bitsPerSample == 8 &&
               (info.layout == RasterLayout::kRgb || info.layout == RasterLayout::kRgba))
{
    readScales();
    if (info_.layout != RasterLayout::kPaletted)
        return;
    GDALColorTableH table = GDALGetRasterColorTable(GDALGetRasterBand(dataset_.get(), 1));
    const bool grey = GDALGetPaletteInterpretation(table) == GPI_Gray;
    const int count = std::min<int>(GDALGetColorEntryCount(table), int(palette_.size()));
    palette_.fill(kOpaque);
    for (int index = 0; index < count; ++index) {
        const GDALColorEntry* entry = GDALGetColorEntry(table, index);
        const auto channel = [](short value) { return std::uint32_t(std::clamp<int>(value, 0, 255)); };
        opaque_ = opaque_ && (grey || entry->c4 >= 255);
        palette_[std::size_t(index)] =
            grey ? argb(255, channel(entry->c1), channel(entry->c1), channel(entry->c1))
                 : argb(channel(entry->c4), channel(entry->c1), channel(entry->c2), channel(entry->c3));
    }
}

void GdalRasterSource::readScales()
{
    // Alpha keeps its meaning: 16-bit alpha is scaled by its full range.
    const bool alphaLast = info_.layout == RasterLayout::kGreyAlpha || info_.layout == RasterLayout::kRgba;
    for (int channel = 0; channel < channels_; ++channel) {
        Scale& scale = scales_[std::size_t(channel)];
        if (info_.bitsPerSample < 8 && info_.layout != RasterLayout::kPaletted) {
            scale.factor = 255.0 / ((1 << info_.bitsPerSample) - 1);
        } else if (info_.bitsPerSample > 8) {
            const bool alpha = alphaLast && channel == channels_ - 1;
            const auto [low, high] =
                alpha ? std::pair{0.0, 65535.0}
                      : sampleRange(GDALGetRasterBand(dataset_.get(), channel + 1), info_.width, info_.height);
            scale.offset = low;
            scale.factor = high > low ? 255.0 / (high - low) : 1.0;
        }
    }
}

RasterPixels GdalRasterSource::read(const RasterRect& rect, int columns, int rows) const
{
    RasterPixels pixels;
    const bool inside = rect.x >= 0 && rect.y >= 0 && rect.width > 0 && rect.height > 0 &&
                        rect.x + rect.width <= info_.width && rect.y + rect.height <= info_.height;
    if (!inside || columns < 1 || rows < 1)
        return pixels;
    pixels.width = std::min(columns, rect.width);
    pixels.height = std::min(rows, rect.height);
    pixels.opaque = opaque_;
    if (inPlace_)
        return readColoursInPlace(rect, pixels) ? pixels : RasterPixels{};
    std::vector<std::uint8_t> bytes;
    if (!readSamples(rect, pixels.width, pixels.height, bytes))
        return {};
    pixels.argb.resize(std::size_t(pixels.width) * std::size_t(pixels.height));
    toArgb(bytes, pixels);
    return pixels;
}

// Into the 32-bit pixels, which hold blue, green, red, alpha in that byte
// order: no samples buffer, no second pass.
bool GdalRasterSource::readColoursInPlace(const RasterRect& rect, RasterPixels& pixels) const
{
    pixels.argb.assign(std::size_t(pixels.width) * std::size_t(pixels.height), kOpaque);
    std::array<int, 4> bands{3, 2, 1, 4};
    auto* bytes = reinterpret_cast<std::uint8_t*>(pixels.argb.data());
    const std::lock_guard lock(mutex_);
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const CPLErr error =
        GDALDatasetRasterIO(dataset_.get(), GF_Read, rect.x, rect.y, rect.width, rect.height, bytes, pixels.width,
                            pixels.height, GDT_Byte, channels_, bands.data(), 4, 4 * pixels.width, 1);
    CPLPopErrorHandler();
    return error == CE_None;
}

// Samples pixel-interleaved: bytes, or floats for 16-bit bands (signed or
// not, GDAL converts).
bool GdalRasterSource::readSamples(const RasterRect& rect, int columns, int rows,
                                   std::vector<std::uint8_t>& bytes) const
{
    const bool wide = info_.bitsPerSample > 8;
    const GDALDataType type = wide ? GDT_Float32 : GDT_Byte;
    const int sampleBytes = wide ? 4 : 1;
    bytes.resize(std::size_t(columns) * std::size_t(rows) * std::size_t(channels_ * sampleBytes));
    std::array<int, 4> bands{1, 2, 3, 4};
    const GSpacing pixelSpace = GSpacing(channels_) * sampleBytes;
    const std::lock_guard lock(mutex_);
    CPLPushErrorHandler(CPLQuietErrorHandler);
    const CPLErr error = GDALDatasetRasterIO(dataset_.get(), GF_Read, rect.x, rect.y, rect.width, rect.height,
                                             bytes.data(), columns, rows, type, channels_, bands.data(),
                                             int(pixelSpace), int(pixelSpace * columns), sampleBytes);
    CPLPopErrorHandler();
    return error == CE_None;
}

void GdalRasterSource::toArgb(const std::vector<std::uint8_t>& bytes, RasterPixels& pixels) const
{
    const bool wide = info_.bitsPerSample > 8;
    const bool scaled = wide || (info_.bitsPerSample < 8 && info_.layout != RasterLayout::kPaletted);
    const auto* floats = reinterpret_cast<const float*>(bytes.data());
    const auto sample = [&](std::size_t pixel, int channel) -> std::uint32_t {
        const std::size_t at = pixel * std::size_t(channels_) + std::size_t(channel);
        if (!scaled)
            return bytes[at];
        const double value = wide ? double(floats[at]) : double(bytes[at]);
        const Scale& scale = scales_[std::size_t(channel)];
        return std::uint32_t(std::clamp(std::lround((value - scale.offset) * scale.factor), 0L, 255L));
    };
    const std::size_t count = pixels.argb.size();
    for (std::size_t pixel = 0; pixel < count; ++pixel) {
        std::uint32_t& out = pixels.argb[pixel];
        switch (info_.layout) {
        case RasterLayout::kPaletted:
            out =
                palette_[wide ? std::min<std::size_t>(std::size_t(std::max(0.0f, floats[pixel])), 255) : bytes[pixel]];
            break;
        case RasterLayout::kGrey: {
            const std::uint32_t grey = sample(pixel, 0);
            out = argb(255, grey, grey, grey);
            break;
        }
        case RasterLayout::kGreyAlpha: {
            const std::uint32_t grey = sample(pixel, 0);
            out = argb(sample(pixel, 1), grey, grey, grey);
            break;
        }
        case RasterLayout::kRgb:
            out = argb(255, sample(pixel, 0), sample(pixel, 1), sample(pixel, 2));
            break;
        case RasterLayout::kRgba:
            out = argb(sample(pixel, 3), sample(pixel, 0), sample(pixel, 1), sample(pixel, 2));
            break;
        }
    }
}

} // namespace rovanta
