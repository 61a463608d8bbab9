// Text files read line by line. The lines and their ends, put back
// together, must give the bytes read: nothing lost, nothing made up.
#include "common/text_file.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

std::string joined(const std::vector<rovanta::TextLine>& lines)
{
    std::string text;
    for (const rovanta::TextLine& line : lines)
        text.append(line.text).append(line.end);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace rovanta;
    const std::string_view input = fuzz::bytesOf(data, size);
    const auto file = fuzz::writeScratch("lines.txt", input);
    std::string expected(input);
    std::erase(expected, '\0');
    if (expected.starts_with("\xEF\xBB\xBF"))
        expected.erase(0, 3);

    const auto refused = readTextLines(file, NulBytes::refuse);
    const auto dropped = readTextLines(file, NulBytes::drop);
    const bool hasNul = input.find('\0') != std::string_view::npos;
    if (!dropped || joined(*dropped) != expected || refused.has_value() == hasNul ||
        (refused && joined(*refused) != expected))
        std::abort();
    return 0;
}
