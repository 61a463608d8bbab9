// A new map name (the input's first part) written into a calibration file
// (the second part), which is then read back.
#include "fuzz_input.h"
#include "map/cl_map.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const auto [newName, content] = fuzz::splitInput(fuzz::bytesOf(data, size));
    const auto file = fuzz::writeScratch("renamed.cal", content);
    if (!cl_Map::renameCalFile(file.string(), std::string(newName)))
        return 0;
    cl_Map map;
    std::string name;
    (void)map.loadCalFile(file.string(), name);
    return 0;
}
