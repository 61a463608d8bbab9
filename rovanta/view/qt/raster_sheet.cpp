#include "view/qt/raster_sheet.h"

#include "common/file_names.h"
#include "raster/gdal_raster_source.h"
#include "view/qt/map_bitmap.h"

#include <QStandardPaths>

#include <bit>
#include <cmath>
#include <system_error>

namespace rovanta {
namespace {

// Windows up to a 4K screen are kept for the next repaint; larger ones
// (a printout's) are read for once.
constexpr qsizetype kLastWindowPixels = qsizetype{3840} * 2160;

std::shared_ptr<const RasterSource> openSource(const std::filesystem::path& file)
{
    return GdalRasterSource::open(file).source;
}

// Hands the pixels to QImage without copying them. Opaque ones paint
// without blending.
QImage wrap(RasterPixels pixels)
{
    auto* argb = new std::vector<std::uint32_t>(std::move(pixels.argb));
    return QImage(
        reinterpret_cast<uchar*>(argb->data()), pixels.width, pixels.height, qsizetype{pixels.width} * 4,
        pixels.opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32,
        [](void* data) { delete static_cast<std::vector<std::uint32_t>*>(data); }, argb);
}

} // namespace

RasterSheet::Opened RasterSheet::open(const std::string& path, const std::filesystem::path& cacheFolder,
                                      Progress progress, Prepared prepared)
{
    const std::filesystem::path file = toFsPath(path);
    const RasterRead read = inspectRaster(file);
    if (!read.info)
        return {nullptr, read.fault};
    std::unique_ptr<RasterSheet> sheet(new RasterSheet(file, *read.info, cacheFolder));
    std::optional<std::filesystem::path> cached =
        sheet->route_ == RasterRoute::kDirect ? std::nullopt : sheet->cache_.find(file);
    // Strips read at random would decode the file from its start each time:
    // until its copy is made, nothing is read.
    if (sheet->route_ != RasterRoute::kTiledCopy || cached)
        sheet->source_ = openSource(cached.value_or(file));
    // A damaged entry is made again.
    if (cached && !sheet->source_) {
        cached.reset();
        if (sheet->route_ == RasterRoute::kReductions)
            sheet->source_ = openSource(file);
    }
    sheet->reduced_ = cached.has_value();
    if (sheet->route_ != RasterRoute::kTiledCopy && !sheet->source_)
        return {nullptr, RasterFault::kUnreadable};
    if (sheet->route_ != RasterRoute::kDirect && !cached) {
        sheet->done_ = false;
        sheet->thread_ =
            std::jthread([raw = sheet.get(), progress = std::move(progress), prepared = std::move(prepared)](
                             const std::stop_token& stop) { raw->prepare(stop, progress, prepared); });
    }
    return {std::move(sheet), RasterFault::kNone};
}

RasterSheet::RasterSheet(std::filesystem::path file, const RasterInfo& info, std::filesystem::path cacheFolder)
    : file_(std::move(file)), info_(info), route_(routeFor(info)), cache_(std::move(cacheFolder))
{
    std::error_code error;
    openedTime_ = std::filesystem::last_write_time(file_, error);
    openedSize_ = std::filesystem::file_size(file_, error);
}

RasterSheet::~RasterSheet()
{
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
}

void RasterSheet::prepare(const std::stop_token& stop, const Progress& progress, const Prepared& prepared)
{
    int reported = -1;
    const auto onProgress = [&](double done) {
        const int percent = int(std::floor(done * 100.0));
        if (percent != reported && progress)
            progress(this, reported = percent);
        return !stop.stop_requested();
    };
    std::optional<std::filesystem::path> made = cache_.prepare(file_, onProgress);
    if (stop.stop_requested())
        return;
    {
        const std::lock_guard lock(mutex_);
        prepared_ = std::move(made);
        done_ = true;
    }
    if (prepared)
        prepared(this);
}

bool RasterSheet::preparing() const
{
    const std::lock_guard lock(mutex_);
    return !done_;
}

void RasterSheet::adoptPrepared()
{
    std::optional<std::filesystem::path> made;
    {
        const std::lock_guard lock(mutex_);
        if (!done_)
            return;
        made = prepared_;
    }
    std::shared_ptr<const RasterSource> source = made ? openSource(*made) : nullptr;
    // Without a copy the sheet still shows, read slowly as it is.
    if (!source && route_ == RasterRoute::kTiledCopy)
        source = openSource(file_);
    if (!source)
        return;
    const std::lock_guard lock(mutex_);
    source_ = std::move(source);
    reduced_ = made.has_value();
    last_ = {};
}

bool RasterSheet::unreadable() const
{
    std::error_code error;
    const auto time = std::filesystem::last_write_time(file_, error);
    const auto size = error ? 0 : std::filesystem::file_size(file_, error);
    const std::lock_guard lock(mutex_);
    if (error || time != openedTime_ || size != openedSize_)
        unreadable_ = true;
    return unreadable_;
}

BitmapWindow RasterSheet::window(const QRect& stored, int step) const
{
    const QRect clipped = stored & QRect(0, 0, info_.width, info_.height);
    step = std::max(step, 1);
    std::shared_ptr<const RasterSource> source;
    {
        const std::lock_guard lock(mutex_);
        // Zoomed out before its reductions exist, a sheet would be read whole
        // for every paint: it stays blank until they are there.
        if (unreadable_ || (step > 1 && route_ == RasterRoute::kReductions && !reduced_))
            return {};
        source = source_;
        if (source && last_.source == source && last_.stored == clipped && last_.step == step)
            return last_.window;
    }
    if (clipped.isEmpty() || !source)
        return {};
    // Reductions halve the sheet level by level: read at the power of two
    // just below the step, from a whole reduction pixel on, its pixels are
    // copied as they are, not sampled anew; the painter scales them.
    const int unit = source->hasReductions() ? int(std::bit_floor(unsigned(step))) : step;
    const QPoint origin(clipped.x() / unit * unit, clipped.y() / unit * unit);
    const int columns = (clipped.right() + 1 - origin.x() + unit - 1) / unit;
    const int rows = (clipped.bottom() + 1 - origin.y() + unit - 1) / unit;
    // Whole steps where the sheet reaches, so each pixel read spans `unit` stored ones.
    const RasterRect rect{origin.x(), origin.y(), std::min(columns * unit, info_.width - origin.x()),
                          std::min(rows * unit, info_.height - origin.y())};
    RasterPixels pixels = source->read(rect, columns, rows);
    const std::lock_guard lock(mutex_);
    if (pixels.argb.empty()) {
        unreadable_ = true;
        return {};
    }
    BitmapWindow window{wrap(std::move(pixels)), origin, unit};
    if (qsizetype{columns} * rows <= kLastWindowPixels)
        last_ = {std::move(source), clipped, step, window};
    return window;
}

std::filesystem::path sheetCacheFolder()
{
    return toFsPath(QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString()) / "sheets";
}

std::shared_ptr<const SheetPixels> openSheetForReading(const std::string& path)
{
    MapBitmap::Opened bitmap = MapBitmap::open(path);
    if (bitmap.bitmap)
        return std::move(bitmap.bitmap);
    if (bitmap.fault != BmpFault::kUnsupported)
        return nullptr;
    return RasterSheet::open(path, sheetCacheFolder(), {}, {}).sheet;
}

} // namespace rovanta
