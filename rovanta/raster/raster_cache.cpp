#include "raster/raster_cache.h"

#include "raster/gdal_handle.h"

#include <gdal.h>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <gdal_utils.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <system_error>
#include <vector>

namespace rovanta {
namespace fs = std::filesystem;

namespace {

// Reductions stop once the smallest level's longer side is at most this.
constexpr int kSmallestReduction = 32;
constexpr char kTemporaryPrefix[] = ".part-";

std::string hex(std::size_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016zx", value);
    return text;
}

// One prefix per sheet path; the rest changes with its size and time.
std::string pathKey(const fs::path& sheet)
{
    return hex(std::hash<std::string>{}(fs::absolute(sheet).lexically_normal().string()));
}

std::string entryStem(const fs::path& sheet, std::error_code& error)
{
    const std::uintmax_t size = fs::file_size(sheet, error);
    if (error)
        return {};
    const auto time = fs::last_write_time(sheet, error);
    if (error)
        return {};
    const std::string state = std::to_string(size) + "/" + std::to_string(time.time_since_epoch().count());
    return pathKey(sheet) + "-" + hex(std::hash<std::string>{}(state));
}

std::string stemOf(const fs::path& file)
{
    const std::string name = file.filename().string();
    return name.substr(0, name.find('.'));
}

std::vector<int> reductionLevels(const RasterInfo& info)
{
    std::vector<int> levels;
    for (int level = 2; std::max(info.width, info.height) / (level / 2) > kSmallestReduction; level *= 2)
        levels.push_back(level);
    return levels;
}

// Lossy JPEG only where the sheet already was: JPEG would smear palette
// indices into wrong colours and blur the linework of a lossless scan.
bool keepsJpeg(GDALDatasetH source, const RasterInfo& info)
{
    if (info.bitsPerSample != 8 || (info.layout != RasterLayout::kRgb && info.layout != RasterLayout::kGrey) ||
        info.bands > 3)
        return false;
    const std::string driver = GDALGetDriverShortName(GDALGetDatasetDriver(source));
    const char* compression = GDALGetMetadataItem(source, "COMPRESSION", "IMAGE_STRUCTURE");
    return driver == "JPEG" || (compression && std::string(compression) == "JPEG");
}

struct ProgressSpan {
    const RasterCache::Progress* progress;
    double from;
    double span;
};

int CPL_STDCALL reportProgress(double done, const char*, void* data)
{
    const auto* span = static_cast<const ProgressSpan*>(data);
    return !*span->progress || (*span->progress)(span->from + done * span->span) ? TRUE : FALSE;
}

// Creation options for the tiled copy.
std::vector<std::string> copyOptions(bool jpeg, const RasterInfo& info)
{
    std::vector<std::string> options{
        "-of", "GTiff", "-co", "TILED=YES", "-co", "BIGTIFF=IF_SAFER", "-co", "NUM_THREADS=ALL_CPUS"};
    if (jpeg) {
        // No quality given: GDAL then moves a JPEG's coded blocks into the
        // tiles as they are, with no loss and no decoding.
        options.insert(options.end(), {"-co", "COMPRESS=JPEG"});
        if (info.layout == RasterLayout::kRgb)
            options.insert(options.end(), {"-co", "PHOTOMETRIC=YCBCR"});
    } else {
        options.insert(options.end(), {"-co", "COMPRESS=DEFLATE"});
        if (info.layout != RasterLayout::kPaletted)
            options.insert(options.end(), {"-co", "PREDICTOR=2"});
    }
    return options;
}

GdalDataset translate(GDALDatasetH source, const fs::path& target, const std::vector<std::string>& arguments,
                      ProgressSpan& span)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    GDALTranslateOptions* options = GDALTranslateOptionsNew(argv.data(), nullptr);
    GDALTranslateOptionsSetProgress(options, reportProgress, &span);
    GDALDatasetH made = GDALTranslate(target.c_str(), source, options, nullptr);
    GDALTranslateOptionsFree(options);
    return GdalDataset(made);
}

// Overview options are read per thread, so conversions never disturb each other.
void setOverviewCompression(bool jpeg, const RasterInfo& info)
{
    CPLSetThreadLocalConfigOption("COMPRESS_OVERVIEW", jpeg ? "JPEG" : "DEFLATE");
    CPLSetThreadLocalConfigOption("PHOTOMETRIC_OVERVIEW",
                                  jpeg && info.layout == RasterLayout::kRgb ? "YCBCR" : nullptr);
    CPLSetThreadLocalConfigOption("BIGTIFF_OVERVIEW", "IF_SAFER");
}

bool buildReductions(GDALDatasetH dataset, const RasterInfo& info, ProgressSpan& span)
{
    std::vector<int> levels = reductionLevels(info);
    if (levels.empty())
        return true;
    // Averaged, so thin linework fades into the picture instead of breaking up.
    return GDALBuildOverviews(dataset, "AVERAGE", int(levels.size()), levels.data(), 0, nullptr, reportProgress,
                              &span) == CE_None;
}

bool renamed(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::rename(from, to, error);
    return !error;
}

void removeQuietly(const fs::path& file)
{
    std::error_code ignored;
    fs::remove(file, ignored);
}

} // namespace

RasterRoute routeFor(const RasterInfo& info, std::int64_t directPixels)
{
    if (std::int64_t{info.width} * info.height <= directPixels)
        return RasterRoute::kDirect;
    if (!info.tiled())
        return RasterRoute::kTiledCopy;
    return info.overviews > 0 ? RasterRoute::kDirect : RasterRoute::kReductions;
}

RasterCache::RasterCache(fs::path folder, std::uint64_t maxBytes, std::int64_t directPixels)
    : folder_(std::move(folder)), maxBytes_(maxBytes), directPixels_(directPixels)
{
}

std::optional<fs::path> RasterCache::entryFor(const fs::path& sheet) const
{
    std::error_code error;
    const std::string stem = entryStem(sheet, error);
    if (error)
        return std::nullopt;
    const RasterRead read = inspectRaster(sheet);
    if (!read.info)
        return std::nullopt;
    switch (routeFor(*read.info, directPixels_)) {
    case RasterRoute::kDirect:
        return std::nullopt;
    case RasterRoute::kReductions:
        return folder_ / (stem + ".vrt");
    case RasterRoute::kTiledCopy:
        return folder_ / (stem + ".tif");
    }
    return std::nullopt;
}

std::optional<fs::path> RasterCache::find(const fs::path& sheet) const
{
    const std::optional<fs::path> entry = entryFor(sheet);
    std::error_code error;
    if (!entry || !fs::is_regular_file(*entry, error))
        return std::nullopt;
    // Marks it used, for eviction.
    fs::last_write_time(*entry, fs::file_time_type::clock::now(), error);
    return entry;
}

std::optional<fs::path> RasterCache::prepare(const fs::path& sheet, const Progress& progress)
{
    initRasterLibrary();
    const std::optional<fs::path> entry = entryFor(sheet);
    const GdalDataset source = openRaster(sheet);
    const RasterRead read = inspectRaster(sheet);
    std::error_code error;
    fs::create_directories(folder_, error);
    if (!entry || !source || !read.info || error)
        return std::nullopt;
    const bool reductionsOnly = entry->extension() == ".vrt";
    const bool jpeg = keepsJpeg(source.get(), *read.info);
    const fs::path temporary = folder_ / (kTemporaryPrefix + entry->filename().string());
    const fs::path temporaryOverviews = fs::path(temporary.string() + ".ovr");

    // GDAL's messages would only reach stderr; failure shows as no entry.
    CPLPushErrorHandler(CPLQuietErrorHandler);
    ProgressSpan span{&progress, 0.0, reductionsOnly ? 0.0 : 0.6};
    GdalDataset made =
        translate(source.get(), temporary,
                  reductionsOnly ? std::vector<std::string>{"-of", "VRT"} : copyOptions(jpeg, *read.info), span);
    span = {&progress, span.span, 1.0 - span.span};
    setOverviewCompression(jpeg, *read.info);
    const bool built = made && buildReductions(made.get(), *read.info, span);
    made.reset();
    CPLPopErrorHandler();
    // The reductions first: the entry's own file appearing marks it complete.
    const bool placed = built && (!reductionsOnly || renamed(temporaryOverviews, entry->string() + ".ovr")) &&
                        renamed(temporary, *entry);
    if (!placed) {
        removeQuietly(temporary);
        removeQuietly(temporaryOverviews);
        return std::nullopt;
    }
    evictBeyondBound(*entry);
    if (progress)
        progress(1.0);
    return entry;
}

// Copies of the same sheet in an earlier state go first, then the least
// recently used, until the cache fits its bound.
void RasterCache::evictBeyondBound(const fs::path& keep) const
{
    struct Entry {
        std::uintmax_t bytes = 0;
        fs::file_time_type used{};
        std::vector<fs::path> files;
    };
    const std::string keepStem = stemOf(keep);
    const std::string keepPrefix = keepStem.substr(0, keepStem.find('-'));
    std::map<std::string, Entry> entries;
    std::uintmax_t total = 0;
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(folder_, error)) {
        const std::string name = file.path().filename().string();
        if (name.starts_with(".") || !file.is_regular_file(error))
            continue;
        Entry& entry = entries[stemOf(file.path())];
        const std::uintmax_t bytes = file.file_size(error);
        entry.bytes += bytes;
        entry.used = std::max(entry.used, file.last_write_time(error));
        entry.files.push_back(file.path());
        total += bytes;
    }
    std::vector<std::pair<std::string, Entry>> order(entries.begin(), entries.end());
    const auto stale = [&keepPrefix, &keepStem](const std::string& stem) {
        return stem != keepStem && stem.starts_with(keepPrefix + "-");
    };
    std::stable_sort(order.begin(), order.end(), [&stale](const auto& a, const auto& b) {
        if (stale(a.first) != stale(b.first))
            return stale(a.first);
        return a.second.used < b.second.used;
    });
    for (const auto& [stem, entry] : order) {
        if (stem == keepStem || (total <= maxBytes_ && !stale(stem)))
            continue;
        for (const fs::path& file : entry.files)
            removeQuietly(file);
        total -= entry.bytes;
    }
}

} // namespace rovanta
