// A sheet in any raster format GDAL reads, painted like a BMP. A sheet that
// cannot be read at random is first converted into the cache in a
// background thread; until then it paints blank (or, when only its
// reductions are being built, from its full-size tiles).
#pragma once

#include "raster/raster_cache.h"
#include "raster/raster_info.h"
#include "raster/raster_source.h"
#include "view/qt/sheet_pixels.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace rovanta {

class RasterSheet : public SheetPixels {
public:
    /// A sheet, or why there is none.
    struct Opened {
        std::unique_ptr<RasterSheet> sheet;
        RasterFault fault = RasterFault::kNone;
    };
    /// Conversion progress in percent; runs in the converting thread.
    using Progress = std::function<void(const RasterSheet* sheet, int percent)>;
    /// The conversion ended; runs in the converting thread, which must only
    /// post to the GUI thread, which then calls adoptPrepared().
    using Prepared = std::function<void(const RasterSheet* sheet)>;

    /// Opens the raster at `path` (UTF-8); a copy or reductions found in
    /// `cacheFolder` are used at once, missing ones are made there.
    static Opened open(const std::string& path, const std::filesystem::path& cacheFolder, Progress progress,
                       Prepared prepared);

    /// Stops a conversion still running and waits for its thread.
    ~RasterSheet() override;
    RasterSheet(const RasterSheet&) = delete;
    RasterSheet& operator=(const RasterSheet&) = delete;

    int width() const override { return info_.width; }
    int height() const override { return info_.height; }
    bool bottomUp() const override { return false; }
    bool unreadable() const override;
    bool hasOwnReductions() const override { return route_ != RasterRoute::kDirect || info_.overviews > 0; }
    /// The window asked for last comes again without a read: a repaint of
    /// an unchanged view decodes nothing.
    BitmapWindow window(const QRect& stored, int step = 1) const override;

    /// True while the conversion runs.
    bool preparing() const;
    /// Paints from what the conversion made, or, had it failed, from the
    /// sheet itself. GUI thread.
    void adoptPrepared();

private:
    RasterSheet(std::filesystem::path file, const RasterInfo& info, std::filesystem::path cacheFolder);
    void prepare(const std::stop_token& stop, const Progress& progress, const Prepared& prepared);

    std::filesystem::path file_;
    RasterInfo info_;
    RasterRoute route_ = RasterRoute::kDirect;
    RasterCache cache_;
    std::filesystem::file_time_type openedTime_{};
    std::uintmax_t openedSize_ = 0;
    /// Guards source_, prepared_ and the flags.
    mutable std::mutex mutex_;
    std::shared_ptr<const RasterSource> source_;
    std::optional<std::filesystem::path> prepared_;
    bool done_ = true;
    /// The source is the cache's copy or reductions.
    bool reduced_ = false;
    mutable bool unreadable_ = false;
    /// The window read last and what it was read from.
    struct LastWindow {
        std::shared_ptr<const RasterSource> source;
        QRect stored;
        int step = 0;
        BitmapWindow window;
    };
    mutable LastWindow last_;
    std::jthread thread_;
};

/// Tiled copies and reductions of sheets, per user.
std::filesystem::path sheetCacheFolder();

/// The sheet at `path` (UTF-8) for reading alone: a BMP in place, anything
/// else through GDAL, from its cached copy when one is there (a sheet still
/// to be converted reads blank). Nullptr when it cannot be opened.
std::shared_ptr<const SheetPixels> openSheetForReading(const std::string& path);

} // namespace rovanta
