#include "common/text_convert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace rovanta {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skipBlanks(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return text.substr(i);
}

std::string padLeft(std::string text, int width)
{
    if (width > 0 && text.size() < static_cast<std::size_t>(width))
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

} // namespace

std::int32_t parseIntPrefix(std::string_view text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        magnitude = std::min(magnitude * 10 + (c - '0'), kLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

double parseDecimalPrefix(std::string_view text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a coordinate never is one.
    if (text.empty() || !(text.front() == '.' || (text.front() >= '0' && text.front() <= '9')))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::string formatFixed(double value, int width, int precision)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    if (result.ec != std::errc{})
        return padLeft(std::string(std::isnan(value) ? "nan" : "inf"), width);
    return padLeft(std::string(buffer, result.ptr), width);
}

std::string formatInt(std::int64_t value, int width)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return padLeft(std::string(buffer, result.ptr), width);
}

std::string_view trimBlanks(std::string_view text)
{
    text = skipBlanks(text);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::int32_t truncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

std::string singleLine(std::string text)
{
    std::ranges::replace(text, '\r', ' ');
    std::ranges::replace(text, '\n', ' ');
    return text;
}

std::string withoutControlCharacters(std::string text)
{
    std::erase_if(text, [](char c) { return static_cast<unsigned char>(c) < 0x20u || c == '\x7F'; });
    return text;
}

std::string replacePlaceholder(std::string_view pattern, std::string_view argument)
{
    std::string result;
    std::size_t start = 0;
    for (std::size_t at = pattern.find("%1"); at != std::string_view::npos; at = pattern.find("%1", start)) {
        result.append(pattern.substr(start, at - start)).append(argument);
        start = at + 2;
    }
    result.append(pattern.substr(start));
    return result;
}

std::string replacePlaceholders(std::string_view pattern, std::initializer_list<std::string_view> arguments)
{
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t index = i + 1 < pattern.size() ? static_cast<std::size_t>(pattern[i + 1] - '1') : SIZE_MAX;
        if (pattern[i] == '%' && index < arguments.size()) {
            result.append(arguments.begin()[index]);
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace rovanta
