// A raster as Search and the view meet it: its header, a window of its
// pixels, and the georeference it carries (a GeoTIFF's tags, a world file
// with its ".prj", an OziExplorer ".map"). The first byte picks the file's
// kind; after the part mark come the world file, then after another mark
// the ".prj".
#include "fuzz_input.h"
#include "map/cl_map.h"
#include "raster/gdal_raster_source.h"
#include "raster/raster_info.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr std::array<const char*, 5> kNames = {"sheet.tif", "sheet.png", "sheet.jpg", "sheet.map", "sheet.gif"};

void readCorners(const rovanta::GdalRasterSource& source)
{
    const int w = source.width();
    const int h = source.height();
    static_cast<void>(source.read({0, 0, std::min(w, 64), std::min(h, 64)}, 16, 16));
    static_cast<void>(source.read({0, 0, w, h}, 8, 8));
}

void convertCorners(const rovanta::cl_Map& map)
{
    const rovanta::BitmapInfo info = map.getBitmapInfo();
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{info.width, info.height}}) {
        int inside = 0;
        cl_RefPoint point = map.pixelToRefPoint(x, y, inside);
        static_cast<void>(map.refPointToPixel(point));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string name = kNames[data[0] % kNames.size()];
    const auto [raster, side] = rovanta::fuzz::splitInput(rovanta::fuzz::bytesOf(data + 1, size - 1));
    const auto file = rovanta::fuzz::writeScratch(name, raster);
    const auto [world, projection] = rovanta::fuzz::splitInput(side);
    rovanta::fuzz::writeScratch("sheet.wld", world);
    rovanta::fuzz::writeScratch("sheet.prj", projection);

    static_cast<void>(rovanta::inspectRaster(file));
    if (const rovanta::GdalRasterSource::Opened opened = rovanta::GdalRasterSource::open(file); opened.source)
        readCorners(*opened.source);
    rovanta::cl_Map map;
    std::string mapName;
    if (map.loadMapFile(file.string(), mapName))
        convertCorners(map);
    return 0;
}
