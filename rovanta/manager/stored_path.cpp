#include "manager/stored_path.h"

#include "common/file_names.h"
#include "manager/folder_list.h"

#include <algorithm>

namespace rovanta {

std::optional<SplitStoredPath> splitStoredPath(std::string_view stored, const FolderTable& folderKeys)
{
    const std::size_t slash = stored.find('\\');
    if (slash == std::string_view::npos)
        return std::nullopt;
    SplitStoredPath split;
    split.folderKey = std::string(stored.substr(0, slash));
    const std::string_view file = stored.substr(slash + 1);
    const auto folder = folderKeys.find(split.folderKey);
    split.fullPath = joinFolderFile(folder != folderKeys.end() ? std::string_view(folder->second) : "", file);
    const std::size_t dot = file.find('.');
    if (dot != std::string_view::npos)
        split.baseName = std::string(file.substr(0, dot));
    return split;
}

std::string composeStoredPath(std::string_view fullPath, const FolderTable& folderPaths)
{
    const auto separator = std::ranges::find_if(fullPath.rbegin(), fullPath.rend(), isPathSeparator);
    const std::size_t fileStart = static_cast<std::size_t>(fullPath.rend() - separator);
    const std::string_view dir = fullPath.substr(0, fileStart == 0 ? 0 : fileStart - 1);
    const auto key = folderPaths.find(dir);
    std::string stored = key != folderPaths.end() ? key->second : std::string();
    stored += '\\';
    stored += fullPath.substr(fileStart);
    return stored;
}

} // namespace rovanta
