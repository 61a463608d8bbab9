// The values of an INI file as a person writes them by hand.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace rovanta {

/// Section and name of one value.
using IniKey = std::pair<std::string, std::string>;

/// The plain text values of INI file `content`, one per line: the text
/// after the first "=", trimmed. A backslash escapes only a backslash or a
/// double quote and is kept before anything else; unescaped double quotes
/// only group; commas, semicolons and a final backslash are ordinary
/// characters. Only sections and names of letters, digits and "_" are read
/// (others may be encoded by the writer), "[General]" is not a section, and
/// values starting with "@" (typed values) are left out. A value given twice
/// keeps its last text.
std::map<IniKey, std::string> readPlainIniValues(std::string_view content);

} // namespace rovanta
