// Locale-independent character tests. The host program may switch the C
// locale (a GUI toolkit does at start-up); table codes must not care.
#pragma once

namespace kalimark {

/// Blank, tab, line feed, vertical tab, form feed, carriage return.
constexpr bool isAsciiSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

constexpr char toAsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace kalimark
