// The contents or index file of a help archive, and the page of each entry.
#include "fuzz_input.h"
#include "help/help_contents.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    for (const HelpEntry& entry : parseSitemap(fuzz::bytesOf(data, size))) {
        if (entry.depth < 0)
            std::abort();
        (void)helpPagePath(entry.local);
    }
    return 0;
}
