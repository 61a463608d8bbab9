// A help file from a setting or a file dialog, read through chmlib as the
// help reader process reads it for the window: the start page, contents,
// index and a few objects. In process, so chmlib's own faults show here.
#include "fuzz_input.h"
#include "help/chm_file.h"
#include "help/help_contents.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const auto archive = ChmFile::open(fuzz::writeScratch("help.chm", fuzz::bytesOf(data, size)));
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
