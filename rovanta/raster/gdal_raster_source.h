// The raster source for every format GDAL reads. Tiled files are read
// through GDAL's bounded block cache, zoomed-out windows from the file's
// own reductions (overviews).
#pragma once

#include "raster/gdal_handle.h"
#include "raster/raster_info.h"
#include "raster/raster_source.h"

#include <array>
#include <filesystem>
#include <memory>
#include <mutex>

namespace rovanta {

class GdalRasterSource : public RasterSource {
public:
    /// A source, or why there is none.
    struct Opened {
        std::unique_ptr<GdalRasterSource> source;
        RasterFault fault = RasterFault::kNone;
    };

    /// Opens `file` and reads what turning samples into colours needs (the
    /// palette, the sample range of 16-bit bands); never throws.
    static Opened open(const std::filesystem::path& file);

    int width() const override { return info_.width; }
    int height() const override { return info_.height; }
    const RasterInfo& info() const { return info_; }
    [[nodiscard]] RasterPixels read(const RasterRect& rect, int columns, int rows) const override;
    bool hasReductions() const override { return info_.overviews > 0; }

private:
    /// Maps a band's samples linearly onto 0..255.
    struct Scale {
        double offset = 0.0;
        double factor = 1.0;
    };

    GdalRasterSource(GdalDataset dataset, const RasterInfo& info);
    void readScales();
    [[nodiscard]] bool readColoursInPlace(const RasterRect& rect, RasterPixels& pixels) const;
    [[nodiscard]] bool readSamples(const RasterRect& rect, int columns, int rows,
                                   std::vector<std::uint8_t>& bytes) const;
    void toArgb(const std::vector<std::uint8_t>& bytes, RasterPixels& pixels) const;

    GdalDataset dataset_;
    RasterInfo info_;
    int channels_ = 0; ///< bands read: 1 to 4
    bool opaque_ = true;
    /// 8-bit colour bands, read straight into the pixels.
    bool inPlace_ = false;
    std::array<Scale, 4> scales_{};
    std::array<std::uint32_t, 256> palette_{};
    /// A GDAL dataset serves one thread at a time.
    mutable std::mutex mutex_;
};

} // namespace rovanta
