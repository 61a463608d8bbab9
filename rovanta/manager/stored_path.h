// Paths as the settings keep them: the folder's value name, a backslash and
// the file name ("FolderId_03\Alps.cal"), the same on every platform.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace rovanta {

/// Value name → folder path (built when the folders are loaded), or folder
/// path → value name (built when they are saved).
using FolderTable = std::map<std::string, std::string, std::less<>>;

struct SplitStoredPath {
    std::string folderKey; ///< text before the first backslash
    std::string fullPath;  ///< the folder (empty if the key is unknown), native separator, file
    std::string baseName;  ///< the file name up to its first "."; empty without one
};

/// Nothing when the stored path holds no backslash.
[[nodiscard]] std::optional<SplitStoredPath> splitStoredPath(std::string_view stored, const FolderTable& folderKeys);

/// The stored form of a real path: the value name of its folder (empty when
/// the folder is not listed), a backslash and the file name.
std::string composeStoredPath(std::string_view fullPath, const FolderTable& folderPaths);

} // namespace rovanta
