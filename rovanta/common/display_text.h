// Texts read from files (map names, remarks, paths) may come from Windows,
// where they were written in the ANSI code page, or from here, in UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace rovanta {

/// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or
/// code points above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

/// The text as UTF-8 for display: unchanged when it is valid UTF-8,
/// otherwise read as Windows-1252 (its five unassigned bytes as the C1
/// controls of the same value, as Windows itself maps them).
std::string toDisplayUtf8(std::string_view bytes);

} // namespace rovanta
