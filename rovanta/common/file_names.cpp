#include "common/file_names.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace rovanta {
namespace fs = std::filesystem;

namespace {
char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool isPathSeparator(char c)
{
    return c == '/' || c == kNativeSeparator;
}

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

bool renameNoReplace(const fs::path& from, const fs::path& to)
{
#if defined(__linux__) && defined(RENAME_NOREPLACE)
    // The kernel checks and renames in one step.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    std::error_code error;
    if (fs::exists(to, error) || error || !fs::exists(from, error))
        return false;
    fs::rename(from, to, error);
    return !error;
}

} // namespace rovanta
