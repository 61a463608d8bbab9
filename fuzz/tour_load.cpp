// A tour file (the input's first part) with its remarks file (the second),
// loaded and shown in the distances table in every coordinate format.
#include "dialogs/distance_table.h"
#include "fuzz_input.h"
#include "tour/cl_tour.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const auto [points, remarks] = fuzz::splitInput(fuzz::bytesOf(data, size));
    const auto file = fuzz::writeScratch("tour.TXT", points);
    fuzz::writeScratch("tour.rmk", remarks);
    cl_Tour tour;
    if (!tour.load("tour", file.string(), 1))
        return 0;
    if (tour.getRemarks().size() != static_cast<std::size_t>(tour.getPointCount()))
        std::abort();
    for (DisplayFormat format : {kDecimalDegree, kDecimalMinute, kDecimalSecond, kUtm})
        (void)buildDistanceRows(tour, format);
    return 0;
}
