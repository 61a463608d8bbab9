// A help file from a setting or a file dialog, read through chmlib as the
// help window reads it: the start page, contents, index and a few objects.
#include "fuzz_input.h"
#include "view/chm_archive.h"
#include "view/help_contents.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const auto archive = ChmArchive::open(fuzz::writeScratch("help.chm", fuzz::bytesOf(data, size)));
    if (!archive)
        return 0;
    for (const std::string& sitemap : {archive->contentsFile(), archive->indexFile()})
        (void)parseSitemap(archive->read(sitemap).value_or(""));
    (void)archive->read(archive->defaultTopic());
    const auto& entries = archive->entries();
    for (std::size_t i = 0; i < std::min<std::size_t>(entries.size(), 16); ++i)
        (void)archive->read(entries[i]);
    return 0;
}
