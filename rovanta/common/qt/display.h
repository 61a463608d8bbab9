// Conversions between the core's texts and paths (bytes) and what Qt shows.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace rovanta {

/// A text from a file for display: UTF-8 when it is valid UTF-8, otherwise
/// Windows-1252, so files written on Windows read right.
QString displayText(std::string_view bytes);

/// What the user typed, as the core keeps it (UTF-8).
std::string coreText(const QString& text);

/// A path Qt gives as text (a file dialog's choice, the program's folder)
/// as the file system's bytes. Qt shows a name that is not UTF-8 with
/// replacement characters; such a name is matched against the folder's
/// entries as Qt shows them. Names not found (a file to be created) are
/// encoded as they are.
std::string fileSystemPath(const QString& path);

/// A path of bytes as Qt's file functions and dialogs take it; lossy for
/// names that are not UTF-8, which fileSystemPath finds again.
QString qtPath(std::string_view path);

} // namespace rovanta
