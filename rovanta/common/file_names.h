// Paths as the program keeps them (UTF-8 strings) and the file-name rules
// that must hold on case-sensitive file systems too.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rovanta {

/// The separator the program joins real paths with.
inline constexpr char kNativeSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

/// True for the separators of real paths here: '/' and, on Windows, '\\'.
bool isPathSeparator(char c);

/// A UTF-8 path string as a file-system path.
std::filesystem::path toFsPath(std::string_view utf8);

/// A file-system path as a UTF-8 string with native separators.
std::string toUtf8(const std::filesystem::path& path);

/// ASCII letters compared without regard to case; other bytes exactly.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);

/// A path written on Windows, read here: backslashes become separators.
std::filesystem::path fromWindowsPath(std::string_view text);

/// The entry of `folder` whose name equals `name` without regard to case,
/// the exact name preferred; empty when there is none.
std::filesystem::path findInFolderIgnoreCase(const std::filesystem::path& folder, std::string_view name);

/// Renames `from` to `to` unless `to` already exists (no file is ever
/// replaced); false when refused or when the rename fails.
[[nodiscard]] bool renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace rovanta
