// A GPX file from a device, a phone or a web map: parsed, every route and
// track turned into tour points with the default simplification.
#include "fuzz_input.h"
#include "gpx/gpx_read.h"
#include "gpx/simplify.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    // A small limit keeps each run short; the limit itself is tested apart.
    const GpxContent content = parseGpx(fuzz::bytesOf(data, size), 1 << 20);
    if (content.ok() == content.paths.empty())
        std::abort();
    for (const GeoPath& path : content.paths) {
        const std::vector<GeoPoint> points = importPoints(path, 10.0);
        if (points.size() > path.points.size())
            std::abort();
    }
    return 0;
}
