// The folder list: folder paths, each followed by ";", in one text. Every
// walker reads it the same way, so an empty entry ends it and text after
// the last ";" is no folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

/// The folders of the list in order, repeats included.
std::vector<std::string> walkFolderList(std::string_view list);

/// Appends `folder` and its ";". A list whose last entry lacks its ";" gets
/// one first, so the two folders are not glued into one path.
void appendFolder(std::string& list, std::string_view folder);

/// A real path: folder, native separator, file name.
std::string joinFolderFile(std::string_view folder, std::string_view file);

/// The names of the plain files directly in `folder` whose names end in
/// `extension` without regard to case; hidden files (leading dot) and
/// subfolders are left out, read-only files are listed. Sorted as the pages
/// list names. Empty when the folder cannot be read.
std::vector<std::string> listFolderFiles(std::string_view folder, std::string_view extension);

} // namespace rovanta
