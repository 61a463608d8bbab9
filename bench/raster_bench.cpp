// Raster sheets through GDAL: a JPEG-compressed tiled GeoTIFF with internal
// reductions opened to its first paint and repainted full-HD across the
// zoom, and a baseline JPEG converted into the tiled cache side by side with
// gdal_translate plus gdaladdo on the same file, and that JPEG opened anew
// once its copy is in the cache.
//
// The sheets are made once in /tmp with GDAL and kept there. Their side is
// ROVANTA_BENCH_RASTER_SIDE (default 40000); the baseline JPEG is half of it.
#include "process_memory.h"
#include "common/file_names.h"
#include "map_files.h"
#include "memory_settings.h"
#include "no_menus.h"
#include "raster/gdal_handle.h"
#include "raster/raster_cache.h"
#include "raster/raster_info.h"
#include "temp_folder.h"
#include "view/qt/raster_sheet.h"
#include "view/qt/rovanta_view.h"

#include <benchmark/benchmark.h>
#include <cpl_conv.h>
#include <gdal_utils.h>
#include <ogr_srs_api.h>

#include <QCoreApplication>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

using rovanta::bench::anonymousBytes;

namespace fs = std::filesystem;
using rovanta::CRovantaView;
using rovanta::GdalDataset;
using rovanta::test::MemorySettings;

constexpr QSize kWindow(1920, 1080);
constexpr int kRowsPerWrite = 256;

int sheetSide()
{
    const char* side = std::getenv("ROVANTA_BENCH_RASTER_SIDE");
    return side ? std::max(1024, std::atoi(side)) : 40000;
}

// Something like a scanned sheet: pale ground, a grid of dark lines every
// 100 pixels, coloured blocks.
void fillRows(std::vector<std::uint8_t>& rgb, int width, int firstRow, int rows)
{
    for (int y = 0; y < rows; ++y) {
        const int row = firstRow + y;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = rgb.data() + (std::size_t(y) * width + x) * 3;
            const bool line = x % 100 < 2 || row % 100 < 2;
            pixel[0] = line ? 40 : std::uint8_t(200 + (x / 300) % 50);
            pixel[1] = line ? 40 : std::uint8_t(190 + (row / 300) % 60);
            pixel[2] = line ? 90 : std::uint8_t(160 + ((x + row) / 500) % 80);
        }
    }
}

GdalDataset createTiledJpeg(const fs::path& file, int side)
{
    const char* options[] = {"TILED=YES",   "COMPRESS=JPEG",        "PHOTOMETRIC=YCBCR",
                             "BIGTIFF=YES", "NUM_THREADS=ALL_CPUS", nullptr};
    GdalDataset made(
        GDALCreate(GDALGetDriverByName("GTiff"), file.c_str(), side, side, 3, GDT_Byte, const_cast<char**>(options)));
    if (!made)
        return made;
    // UTM 32 N, 1 m pixels: a GeoTIFF as survey offices hand them out.
    double transform[6] = {500000.0, 1.0, 0.0, 5900000.0, 0.0, -1.0};
    GDALSetGeoTransform(made.get(), transform);
    OGRSpatialReferenceH utm = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(utm, 32632);
    GDALSetSpatialRef(made.get(), utm);
    OSRDestroySpatialReference(utm);
    std::vector<std::uint8_t> rgb(std::size_t(side) * kRowsPerWrite * 3);
    for (int row = 0; row < side; row += kRowsPerWrite) {
        const int rows = std::min(kRowsPerWrite, side - row);
        fillRows(rgb, side, row, rows);
        if (GDALDatasetRasterIO(made.get(), GF_Write, 0, row, side, rows, rgb.data(), side, rows, GDT_Byte, 3, nullptr,
                                3, 3 * side, 1) != CE_None)
            return nullptr;
    }
    return made;
}

std::vector<int> reductionLevels(int side)
{
    std::vector<int> levels;
    for (int level = 2; side / (level / 2) > 32; level *= 2)
        levels.push_back(level);
    return levels;
}

// The tiled sheet with internal reductions; made once.
fs::path tiledSheet()
{
    static const fs::path file = [] {
        rovanta::initRasterLibrary();
        const int side = sheetSide();
        const fs::path path = "/tmp/rovanta-bench-tiled-" + std::to_string(side) + ".tif";
        if (fs::exists(path))
            return path;
        const fs::path part = path.string() + ".part";
        GdalDataset made = createTiledJpeg(part, side);
        std::vector<int> levels = reductionLevels(side);
        CPLSetConfigOption("COMPRESS_OVERVIEW", "JPEG");
        CPLSetConfigOption("PHOTOMETRIC_OVERVIEW", "YCBCR");
        if (!made || GDALBuildOverviews(made.get(), "AVERAGE", int(levels.size()), levels.data(), 0, nullptr, nullptr,
                                        nullptr) != CE_None)
            return fs::path();
        made.reset();
        fs::rename(part, path);
        return path;
    }();
    return file;
}

// A baseline (strip) JPEG of half the side, cut from the tiled sheet; made once.
fs::path baselineJpeg()
{
    static const fs::path file = [] {
        const int side = sheetSide() / 2;
        const fs::path path = "/tmp/rovanta-bench-baseline-" + std::to_string(side) + ".jpg";
        if (fs::exists(path) || tiledSheet().empty())
            return path;
        const std::string command = "gdal_translate -q -of JPEG -co QUALITY=85 -outsize " + std::to_string(side) + " " +
                                    std::to_string(side) + " " + tiledSheet().string() + " " + path.string();
        return std::system(command.c_str()) == 0 ? path : fs::path();
    }();
    return file;
}

// One registered map whose calibration file names `sheet`.
class SheetMap {
public:
    explicit SheetMap(const fs::path& sheet) : sheet_(sheet)
    {
        rovanta::test::writeSampleMap(folder_.path(), "Sheet.cal", {.name = "Sheet", .width = 64, .height = 64});
        fs::remove(folder_.path() / "Sheet.bmp");
        const fs::path cal = folder_.path() / "Sheet.cal";
        std::string text = rovanta::test::readBytes(cal);
        const std::string name = "Sheet" + sheet.extension().string();
        fs::create_symlink(sheet, folder_.path() / name);
        text.replace(text.find("Sheet.bmp"), 9, name);
        std::ofstream(cal, std::ios::binary | std::ios::trunc) << text;
        rovanta::test::registerCurrentMap(store, folder_.path(), "Sheet.cal", "Sheet");
    }
    /// What the calibration names, as the view opens it.
    fs::path sheet() const { return folder_.path() / ("Sheet" + sheet_.extension().string()); }
    MemorySettings store;

private:
    fs::path sheet_;
    rovanta::test::TempFolder folder_;
};

struct ShownView {
    explicit ShownView(SheetMap& map) : view(map.store, menus)
    {
        QObject::connect(&view, &CRovantaView::notice, [this](const QString& text) { notice = text.toStdString(); });
        view.resize(kWindow);
        view.show();
        QCoreApplication::processEvents();
        view.resize(kWindow * 2 - view.viewport()->size());
        QCoreApplication::processEvents();
        view.initialUpdate();
    }
    rovanta::test::NoMenus menus;
    CRovantaView view;
    std::string notice;
};

std::string zoomLabel(double zoom)
{
    return "zoom " + std::to_string(zoom).substr(0, 4) + ", side " + std::to_string(sheetSide());
}

// Opening the tiled sheet (GDAL's cache empty) to the end of its first paint at a zoom.
void BM_TiledOpenToFirstPaint(benchmark::State& state)
{
    const double zoom = state.range(0) / 100.0;
    SheetMap map(tiledSheet());
    ShownView shown(map);
    const long long before = anonymousBytes();
    for (auto _ : state) {
        shown.view.loadMapBitmap();
        shown.view.zoomBy(zoom);
        shown.view.viewport()->repaint();
    }
    state.counters["anon_growth_MB"] = double(anonymousBytes() - before) / (1 << 20);
    if (!shown.view.bitmapLoaded())
        state.SkipWithError(("the sheet did not load: " + shown.notice).c_str());
    state.SetLabel(zoomLabel(zoom));
}

// A full-HD repaint once the tiles shown are cached: of the same view, or
// of one moved sideways by a few pixels each time (a window read anew).
void BM_TiledRepaint(benchmark::State& state)
{
    const double zoom = state.range(0) / 100.0;
    const bool moved = state.range(1) != 0;
    SheetMap map(tiledSheet());
    ShownView shown(map);
    const long long before = anonymousBytes();
    shown.view.zoomBy(zoom);
    shown.view.viewport()->repaint();
    QScrollBar* bar = shown.view.horizontalScrollBar();
    const int from = bar->value();
    const int to = from + 8 <= bar->maximum() ? from + 8 : std::max(bar->minimum(), from - 8);
    bool there = false;
    for (auto _ : state) {
        if (moved)
            bar->setValue((there = !there) ? to : from);
        shown.view.viewport()->repaint();
    }
    state.counters["anon_growth_MB"] = double(anonymousBytes() - before) / (1 << 20);
    if (!shown.view.bitmapLoaded())
        state.SkipWithError(("the sheet did not load: " + shown.notice).c_str());
    if (moved && to == from)
        state.SkipWithError("the view cannot move");
    state.SetLabel(zoomLabel(zoom) + (moved ? ", moved" : ""));
}

// The baseline JPEG behind a map, converted into a cache of this run's own
// (the views' too from here on); made once.
struct ConvertedSheet {
    ConvertedSheet()
    {
        qputenv("XDG_CACHE_HOME", QByteArray::fromStdString(cacheHome.path().string()));
        rovanta::RasterCache cache(rovanta::sheetCacheFolder());
        converted = cache.prepare(map.sheet(), [](double) { return true; }).has_value();
    }
    rovanta::test::TempFolder cacheHome;
    SheetMap map{baselineJpeg()};
    bool converted = false;
};

// The baseline JPEG opened anew, its copy made on an earlier open, to the
// end of its first paint.
void BM_ConvertedOpenToFirstPaint(benchmark::State& state)
{
    static ConvertedSheet sheet;
    const double zoom = state.range(0) / 100.0;
    if (!sheet.converted) {
        state.SkipWithError("the conversion failed");
        return;
    }
    ShownView shown(sheet.map);
    for (auto _ : state) {
        shown.view.loadMapBitmap();
        shown.view.zoomBy(zoom);
        shown.view.viewport()->repaint();
    }
    // Painted from the copy, not blank while a conversion runs.
    const QImage shot = shown.view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* row = reinterpret_cast<const QRgb*>(shot.constScanLine(shot.height() / 2));
    if (std::all_of(row, row + shot.width(), [](QRgb pixel) { return (pixel & 0xFFFFFF) == 0xFFFFFF; }))
        state.SkipWithError(("the sheet painted blank: " + shown.notice).c_str());
    state.SetLabel("zoom " + std::to_string(zoom).substr(0, 4) + ", " + baselineJpeg().filename().string());
}

// The baseline JPEG into the cache: a tiled copy with reductions.
void BM_ConvertIntoCache(benchmark::State& state)
{
    const fs::path jpeg = baselineJpeg();
    for (auto _ : state) {
        rovanta::test::TempFolder folder;
        rovanta::RasterCache cache(folder.path());
        if (!cache.prepare(jpeg, [](double) { return true; }))
            state.SkipWithError("the conversion failed");
    }
    // The whole process's peak: the conversion runs here.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MB"] = double(usage.ru_maxrss) / 1024;
    state.SetLabel(jpeg.filename().string());
}

// The same with GDAL's command-line tools, as one would by hand.
void BM_ConvertWithGdalTools(benchmark::State& state)
{
    const fs::path jpeg = baselineJpeg();
    std::string levels;
    for (const int level : reductionLevels(sheetSide() / 2))
        levels += " " + std::to_string(level);
    for (auto _ : state) {
        rovanta::test::TempFolder folder;
        const std::string out = (folder.path() / "copy.tif").string();
        const std::string command = "gdal_translate -q -of GTiff -co TILED=YES -co COMPRESS=JPEG " + jpeg.string() +
                                    " " + out + " && gdaladdo -q -r average " + out + levels;
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("the tools failed");
    }
    state.SetLabel(jpeg.filename().string());
}

BENCHMARK(BM_TiledOpenToFirstPaint)->Arg(5)->Arg(25)->Arg(100)->Arg(400)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiledRepaint)->ArgsProduct({{5, 25, 100, 400}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertedOpenToFirstPaint)->Arg(5)->Arg(100)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertIntoCache)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertWithGdalTools)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
