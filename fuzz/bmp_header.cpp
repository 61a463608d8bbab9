// A BMP's headers. Whatever they claim, a header that is accepted must
// describe pixel rows lying wholly inside the file: the view maps them.
#include "map/bmp_header.h"
#include "fuzz_input.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const BmpRead read = inspectBmpHeader(fuzz::writeScratch("map.bmp", fuzz::bytesOf(data, size)));
    if ((read.fault == BmpFault::kNone) != read.header.has_value())
        std::abort();
    if (!read.header)
        return 0;
    const BmpHeader& h = *read.header;
    const bool rowsInFile = h.fileSize == size && h.pixelOffset <= size && h.pixelBytes <= size - h.pixelOffset;
    const bool uncompressed = h.compression != kBmpRle8 && h.compression != kBmpRle4;
    const bool rowsFit =
        !uncompressed || (h.stride % 4 == 0 && h.stride * 8 >= std::int64_t{h.width} * h.bitsPerPixel &&
                          h.pixelBytes == static_cast<std::uint64_t>(h.stride) * h.height);
    if (h.width <= 0 || h.height <= 0 || !rowsInFile || !rowsFit)
        std::abort();
    return 0;
}
