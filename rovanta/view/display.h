// Conversions between the core's UTF-8 texts and what the widgets show.
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

} // namespace rovanta
