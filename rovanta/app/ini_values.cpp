#include "app/ini_values.h"

#include "common/text_convert.h"

#include <algorithm>

namespace rovanta {

namespace {

bool isPlainWord(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

std::string unescaped(std::string_view value)
{
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size() && (value[i + 1] == '\\' || value[i + 1] == '"'))
            text += value[++i];
        else if (c != '"')
            text += c;
    }
    return text;
}

} // namespace

std::map<IniKey, std::string> readPlainIniValues(std::string_view content)
{
    std::map<IniKey, std::string> values;
    std::string section;
    while (!content.empty()) {
        const std::size_t newline = content.find('\n');
        const std::string_view line = trimBlanks(content.substr(0, newline));
        content.remove_prefix(newline == std::string_view::npos ? content.size() : newline + 1);
        if (line.starts_with('[')) {
            section = line.ends_with(']') ? std::string(line.substr(1, line.size() - 2)) : std::string();
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !isPlainWord(section) || section == "General")
            continue;
        const std::string_view name = trimBlanks(line.substr(0, equals));
        const std::string_view value = trimBlanks(line.substr(equals + 1));
        if (isPlainWord(name) && !value.starts_with('@'))
            values[{section, std::string(name)}] = unescaped(value);
    }
    return values;
}

} // namespace rovanta
