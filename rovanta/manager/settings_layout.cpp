#include "manager/settings_layout.h"

namespace rovanta::settings {
namespace {
// printf's "%.<digits>d" for a non-negative number.
std::string numbered(std::string_view prefix, int index, std::size_t digits)
{
    std::string number = std::to_string(index);
    if (number.size() < digits)
        number.insert(0, digits - number.size(), '0');
    return std::string(prefix) + number;
}
} // namespace

std::string folderKey(int index)
{
    return numbered("FolderId_", index, 2);
}

std::string mapKey(int index)
{
    return numbered("MapId_", index, 3);
}

std::string tourKey(int index)
{
    return numbered("TourId_", index, 3);
}

} // namespace rovanta::settings
