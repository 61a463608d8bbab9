#include "common/file_names.h"

#include <algorithm>
#include <system_error>

namespace rovanta {
namespace fs = std::filesystem;

namespace {
char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

fs::path toFsPath(std::string_view utf8)
{
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string toUtf8(const fs::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

fs::path fromWindowsPath(std::string_view text)
{
    std::string normalized(text);
    if constexpr (fs::path::preferred_separator == '/')
        std::ranges::replace(normalized, '\\', '/');
    return toFsPath(normalized);
}

fs::path findInFolderIgnoreCase(const fs::path& folder, std::string_view name)
{
    std::error_code error;
    if (name.empty())
        return {};
    if (fs::exists(folder / toFsPath(name), error))
        return folder / toFsPath(name);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (equalsIgnoreCase(toUtf8(it->path().filename()), name))
            return it->path();
    }
    return {};
}

} // namespace rovanta
