// A calibration file as found in a shared folder: read, georeferenced, and
// a few of its bitmap's pixels taken through the transform both ways.
#include "fuzz_input.h"
#include "map/cl_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    static const auto bitmap = fuzz::writeScratch("map.bmp", fuzz::tinyBmp());
    const auto file = fuzz::writeScratch("map.cal", fuzz::bytesOf(data, size));
    cl_Map map;
    std::string name = "map";
    if (!map.loadCalFile(file.string(), name) || !map.computeReference())
        return 0;
    const BitmapInfo info = map.getBitmapInfo();
    const IPoint pixels[] = {{0, 0}, {info.width, info.height}, {info.width / 2, info.height / 2}, {-1, 1}};
    for (const IPoint& pixel : pixels) {
        int inside = 1;
        cl_RefPoint point = map.pixelToRefPoint(pixel.x, pixel.y, inside);
        (void)map.refPointToPixel(point);
    }
    return 0;
}
