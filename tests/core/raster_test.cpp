// Rasters of every format and pixel layout read through GDAL, and the cache
// of tiled copies. The rasters are made with GDAL in a temporary folder.
#include "map/cl_map.h"
#include "raster/gdal_raster_source.h"
#include "raster/raster_cache.h"
#include "raster/raster_info.h"
#include "raster_files.h"
#include "temp_folder.h"

#include <gdal.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace rovanta {
namespace {

namespace fs = std::filesystem;
using test::Pixels;

int channelDifference(std::uint32_t a, std::uint32_t b)
{
    int largest = 0;
    for (int shift = 0; shift < 32; shift += 8)
        largest = std::max(largest, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
    return largest;
}

// The largest channel difference between `pixels` (read from `rect`) and the pattern.
int differenceFromPattern(const RasterPixels& pixels, const RasterRect& rect, Pixels kind, int width, int height)
{
    int largest = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < pixels.width; ++x)
            largest =
                std::max(largest, channelDifference(pixels.argb[std::size_t(y) * pixels.width + x],
                                                    test::patternColour(kind, width, height, rect.x + x, rect.y + y)));
    return largest;
}

TEST(RasterSourceTest, EveryFormatAndLayoutShowsItsColours)
{
    struct Row {
        const char* name;
        const char* driver;
        Pixels pixels;
        std::vector<std::string> options;
        RasterLayout layout;
        int bitsPerSample;
        int tolerance; ///< JPEG is lossy
        int bitsPixel; ///< as the map's properties show it
    };
    const Row rows[] = {
        {"PNG paletted", "PNG", Pixels::kPaletted, {}, RasterLayout::kPaletted, 8, 0, 8},
        {"PNG grey", "PNG", Pixels::kGrey, {}, RasterLayout::kGrey, 8, 0, 8},
        {"PNG grey with alpha", "PNG", Pixels::kGreyAlpha, {}, RasterLayout::kGreyAlpha, 8, 0, 16},
        {"PNG RGB", "PNG", Pixels::kRgb, {}, RasterLayout::kRgb, 8, 0, 24},
        {"PNG RGBA", "PNG", Pixels::kRgba, {}, RasterLayout::kRgba, 8, 0, 32},
        {"PNG 16-bit grey", "PNG", Pixels::kGrey16, {}, RasterLayout::kGrey, 16, 0, 16},
        {"PNG 16-bit RGB", "PNG", Pixels::kRgb16, {}, RasterLayout::kRgb, 16, 0, 48},
        {"JPEG grey", "JPEG", Pixels::kGrey, {"QUALITY=95"}, RasterLayout::kGrey, 8, 6, 8},
        {"JPEG RGB", "JPEG", Pixels::kRgb, {"QUALITY=95"}, RasterLayout::kRgb, 8, 8, 24},
        {"TIFF paletted", "GTiff", Pixels::kPaletted, {}, RasterLayout::kPaletted, 8, 0, 8},
        {"TIFF RGB, 16-pixel tiles",
         "GTiff",
         Pixels::kRgb,
         {"TILED=YES", "BLOCKXSIZE=16", "BLOCKYSIZE=16"},
         RasterLayout::kRgb,
         8,
         0,
         24},
        {"TIFF RGBA, deflated", "GTiff", Pixels::kRgba, {"COMPRESS=DEFLATE"}, RasterLayout::kRgba, 8, 0, 32},
        {"TIFF 16-bit RGB", "GTiff", Pixels::kRgb16, {}, RasterLayout::kRgb, 16, 0, 48},
        {"TIFF grey with alpha", "GTiff", Pixels::kGreyAlpha, {}, RasterLayout::kGreyAlpha, 8, 0, 16},
        {"GIF", "GIF", Pixels::kPaletted, {}, RasterLayout::kPaletted, 8, 0, 8},
        {"BMP RGB", "BMP", Pixels::kRgb, {}, RasterLayout::kRgb, 8, 0, 24},
        {"BMP paletted", "BMP", Pixels::kPaletted, {}, RasterLayout::kPaletted, 8, 0, 8},
    };
    constexpr int kWidth = 37;
    constexpr int kHeight = 23;
    const test::TempFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path file = folder.path() / (std::string(row.driver) + "-" + row.name);
        ASSERT_TRUE(test::writeRaster(file, row.driver, row.pixels, kWidth, kHeight, row.options));

        const RasterRead read = inspectRaster(file);
        ASSERT_TRUE(read.info);
        EXPECT_EQ(read.info->width, kWidth);
        EXPECT_EQ(read.info->height, kHeight);
        EXPECT_EQ(read.info->layout, row.layout);
        EXPECT_EQ(read.info->bitsPerSample, row.bitsPerSample);
        cl_Map map;
        std::string name;
        ASSERT_TRUE(map.loadCalFile(folder.write("sheet.cal", "FILENAME: " + file.filename().string() + "\r\n"), name));
        EXPECT_EQ(map.getBitmapInfo().width, kWidth);
        EXPECT_EQ(map.getBitmapInfo().bitsPixel, row.bitsPixel);

        const GdalRasterSource::Opened opened = GdalRasterSource::open(file);
        ASSERT_TRUE(opened.source);
        // Off the corner, so rows and columns are not mixed up.
        const RasterRect rect{3, 2, kWidth - 5, kHeight - 4};
        const RasterPixels pixels = opened.source->read(rect, rect.width, rect.height);
        ASSERT_EQ(pixels.width, rect.width);
        ASSERT_EQ(pixels.height, rect.height);
        EXPECT_LE(differenceFromPattern(pixels, rect, row.pixels, kWidth, kHeight), row.tolerance);
    }
    // Reading leaves nothing beside the sheets (GDAL's .aux.xml statistics).
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.path()))
        EXPECT_FALSE(entry.path().string().ends_with(".aux.xml")) << entry.path();
}

TEST(RasterSourceTest, FaultsNameTheReason)
{
    const test::TempFolder folder;
    const std::string text = folder.write("notes.png", "not a raster at all");
    const fs::path floats = folder.path() / "floats.tif";
    {
        initRasterLibrary();
        GDALDatasetH made = GDALCreate(GDALGetDriverByName("GTiff"), floats.c_str(), 8, 8, 1, GDT_Float32, nullptr);
        ASSERT_NE(made, nullptr);
        GDALClose(made);
    }
    const struct {
        const char* name;
        fs::path file;
        RasterFault fault;
    } rows[] = {
        {"missing", folder.path() / "missing.png", RasterFault::kMissing},
        {"a folder", folder.path(), RasterFault::kMissing},
        {"text named .png", text, RasterFault::kUnsupported},
        // Floating-point samples have no one colour.
        {"32-bit floats", floats, RasterFault::kUnsupported},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(inspectRaster(row.file).fault, row.fault);
        EXPECT_EQ(GdalRasterSource::open(row.file).fault, row.fault);
    }
}

TEST(RasterCacheTest, RoutesBySizeAndLayout)
{
    const struct {
        const char* name;
        int width;
        int height;
        int blockWidth;
        int overviews;
        RasterRoute route;
    } rows[] = {
        {"small strips", 4096, 4096, 4096, 0, RasterRoute::kDirect},
        {"large strips", 4097, 4096, 4097, 0, RasterRoute::kTiledCopy},
        {"large tiles without reductions", 20000, 20000, 256, 0, RasterRoute::kReductions},
        {"large tiles with reductions", 20000, 20000, 256, 6, RasterRoute::kDirect},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        RasterInfo info;
        info.width = row.width;
        info.height = row.height;
        info.blockWidth = row.blockWidth;
        info.overviews = row.overviews;
        EXPECT_EQ(routeFor(info), row.route);
    }
}

// A cache where 300 × 200 pixels count as large.
constexpr std::int64_t kTestDirectPixels = 250 * 150;

std::optional<fs::path> prepared(RasterCache& cache, const fs::path& sheet)
{
    return cache.prepare(sheet, [](double) { return true; });
}

TEST(RasterCacheTest, ConvertsOnceAndReadsTheSamePixels)
{
    const test::TempFolder folder;
    RasterCache cache(folder.path() / "cache", RasterCache::kDefaultBytes, kTestDirectPixels);
    const struct {
        const char* name;
        const char* driver;
        Pixels pixels;
        const char* extension;
        int tolerance;
    } rows[] = {
        {"baseline JPEG", "JPEG", Pixels::kRgb, ".tif", 6},
        {"PNG", "PNG", Pixels::kPaletted, ".tif", 0},
        {"tiled TIFF without reductions", "GTiff", Pixels::kRgb, ".vrt", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path sheet = folder.path() / (std::string(row.name) + "." + row.driver);
        const std::vector<std::string> tiles{"TILED=YES", "BLOCKXSIZE=16", "BLOCKYSIZE=16"};
        ASSERT_TRUE(test::writeRaster(sheet, row.driver, row.pixels, 300, 200,
                                      row.driver == std::string("GTiff") ? tiles : std::vector<std::string>{}));
        EXPECT_FALSE(cache.find(sheet));
        std::vector<double> progress;
        const std::optional<fs::path> entry = cache.prepare(sheet, [&progress](double done) {
            progress.push_back(done);
            return true;
        });
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->extension(), row.extension);
        EXPECT_EQ(cache.find(sheet), entry);
        ASSERT_FALSE(progress.empty());
        EXPECT_DOUBLE_EQ(progress.back(), 1.0);

        const RasterRead read = inspectRaster(*entry);
        ASSERT_TRUE(read.info);
        EXPECT_TRUE(read.info->tiled());
        EXPECT_GT(read.info->overviews, 0);
        const GdalRasterSource::Opened opened = GdalRasterSource::open(*entry);
        ASSERT_TRUE(opened.source);
        const RasterRect whole{0, 0, 300, 200};
        const RasterPixels pixels = opened.source->read(whole, 300, 200);
        ASSERT_EQ(pixels.argb.size(), std::size_t{300 * 200});
        EXPECT_LE(differenceFromPattern(pixels, whole, row.pixels, 300, 200), row.tolerance);
    }
}

TEST(RasterCacheTest, ChangedSheetsAreConvertedAgainAndTheOldestGoFirst)
{
    const test::TempFolder folder;
    const fs::path cacheFolder = folder.path() / "cache";
    const fs::path first = folder.path() / "first.png";
    const fs::path second = folder.path() / "second.png";
    ASSERT_TRUE(test::writeRaster(first, "PNG", Pixels::kRgb, 300, 200));
    ASSERT_TRUE(test::writeRaster(second, "PNG", Pixels::kRgb, 300, 200));
    RasterCache roomy(cacheFolder, RasterCache::kDefaultBytes, kTestDirectPixels);
    const std::optional<fs::path> firstEntry = prepared(roomy, first);
    ASSERT_TRUE(firstEntry);

    // Rewritten with another size: its old copy must not be shown any more.
    ASSERT_TRUE(test::writeRaster(first, "PNG", Pixels::kGrey, 300, 200));
    EXPECT_FALSE(roomy.find(first));
    const std::optional<fs::path> changedEntry = prepared(roomy, first);
    ASSERT_TRUE(changedEntry);
    EXPECT_NE(changedEntry, firstEntry);
    EXPECT_FALSE(fs::exists(*firstEntry));

    // Room for one entry only: the least recently used one goes.
    RasterCache tight(cacheFolder, fs::file_size(*changedEntry) + 1, kTestDirectPixels);
    const std::optional<fs::path> secondEntry = prepared(tight, second);
    ASSERT_TRUE(secondEntry);
    EXPECT_TRUE(fs::exists(*secondEntry));
    EXPECT_FALSE(fs::exists(*changedEntry));
    EXPECT_EQ(std::distance(fs::directory_iterator(cacheFolder), fs::directory_iterator()), 1);
}

} // namespace
} // namespace rovanta
