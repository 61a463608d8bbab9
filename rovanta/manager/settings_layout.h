// Where the store keeps its lists in the settings: section and value names,
// and the numbered value names of folder, map and tour entries.
#pragma once

#include <string>
#include <string_view>

namespace rovanta::settings {

inline constexpr std::string_view kFolderStrings = "FolderStrings";
inline constexpr std::string_view kLastSaveFolder = "LastSaveFolder";
inline constexpr std::string_view kLastSelectedFolder = "LastSelectedFolder";

inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kFolderCount = "FolderCount";
inline constexpr std::string_view kMapCount = "MapCount";
inline constexpr std::string_view kTourCount = "TourCount";

inline constexpr std::string_view kFolder = "Folder";
inline constexpr std::string_view kMapName = "MapName";
inline constexpr std::string_view kMapPath = "MapPath";
inline constexpr std::string_view kMapStatus = "MapStatus";
inline constexpr std::string_view kTourPath = "TourPath";
inline constexpr std::string_view kTourStatus = "TourStatus";

/// Entries read per list at most: a damaged count must not keep the start
/// busy for hours reading two billion missing values.
inline constexpr int kMaxEntries = 100000;

/// "FolderId_%.2d": at least two digits, more when needed.
std::string folderKey(int index);
/// "MapId_%.3d".
std::string mapKey(int index);
/// "TourId_%.3d".
std::string tourKey(int index);

} // namespace rovanta::settings
