// Number parsing and formatting for the program's text files and tables.
// Independent of the C locale: the GUI switches it to the user's, and our
// files always use '.' as the decimal separator.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace rovanta {

/// Leading white space skipped, an optional sign, then decimal digits up to
/// the first non-digit; 0 when there is no digit. Saturates at the int32
/// limits instead of overflowing.
std::int32_t parseIntPrefix(std::string_view text);

/// Leading white space skipped, then the longest prefix that forms a decimal
/// number (optional sign, digits, point, exponent). 0.0 when there is no
/// such prefix, and also when the number is not finite or out of range, so
/// that garbage in a file never becomes an infinite coordinate.
double parseDecimalPrefix(std::string_view text);

/// printf's "%<width>.<precision>f" without the locale: rounded in the last
/// decimal, padded with leading blanks to at least `width` characters.
std::string formatFixed(double value, int width, int precision);

/// printf's "%<width>d".
std::string formatInt(std::int64_t value, int width);

/// The text with leading and trailing blanks, tabs, CR, LF, VT and FF removed.
std::string_view trimBlanks(std::string_view text);

/// Truncates toward zero into int32, saturating at its limits; NaN gives 0.
/// Pixel and metre conversions use it so huge inputs stay defined.
std::int32_t truncateToInt32(double value);

/// The text with CR and LF turned into blanks, so it stays one line of a file.
std::string singleLine(std::string text);

/// The text without control characters (bytes below 0x20 and DEL), which
/// have no place in a name: a NUL or line break would break its file line.
std::string withoutControlCharacters(std::string text);

/// Replaces every "%1" in `pattern` by `argument`.
std::string replacePlaceholder(std::string_view pattern, std::string_view argument);

/// Replaces "%1", "%2", ... in `pattern` by the arguments in one pass, so a
/// "%2" inside the first argument stays as it is.
std::string replacePlaceholders(std::string_view pattern, std::initializer_list<std::string_view> arguments);

} // namespace rovanta
