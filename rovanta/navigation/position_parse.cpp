#include "navigation/position_parse.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace rovanta {
namespace {

struct Token {
    bool number = false;
    double value = 0.0; ///< magnitude
    bool negative = false;
    bool whole = false; ///< no decimals
    bool signedNumber = false;
    char letter = 0; ///< upper case
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Degree, minute and second signs as people type or paste them, in UTF-8
// or as the Latin-1 degree sign.
constexpr std::array<std::string_view, 9> kSymbols{
    "\xC2\xB0", "\xC2\xBA", "\xE2\x80\xB2", "\xE2\x80\xB3", "\xE2\x80\x99", "\xE2\x80\x9D", "\xB0", "'", "\""};

std::size_t symbolLength(std::string_view rest)
{
    for (const std::string_view symbol : kSymbols) {
        if (rest.starts_with(symbol))
            return symbol.size();
    }
    const char c = rest.front();
    return c == ' ' || c == '\t' || c == ',' || c == ';' ? 1 : 0;
}

// The number at `at`, which starts with a sign, a digit or a point.
std::optional<Token> readNumber(std::string_view text, std::size_t& at, bool decimalComma)
{
    Token token{.number = true};
    if (text[at] == '+' || text[at] == '-') {
        token.negative = text[at] == '-';
        token.signedNumber = true;
        ++at;
    }
    std::string digits;
    bool separator = false;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        const bool decimal = c == '.' || (decimalComma && c == ',' && at + 1 < text.size() && isDigit(text[at + 1]));
        if (decimal && !separator && !digits.empty()) {
            separator = true;
            digits += '.';
        } else if (isDigit(c)) {
            digits += c;
        } else {
            break;
        }
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), token.value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    token.whole = !separator;
    return token;
}

std::optional<std::vector<Token>> tokenize(std::string_view text)
{
    const bool decimalComma = text.find('.') == std::string_view::npos;
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        const bool signStart = (c == '+' || c == '-') && at + 1 < text.size() && isDigit(text[at + 1]);
        if (isDigit(c) || signStart) {
            std::optional<Token> number = readNumber(text, at, decimalComma);
            if (!number)
                return std::nullopt;
            tokens.push_back(*number);
        } else if (isLetter(c)) {
            // One letter at a time: "32T", "N47"; a word is no position.
            if (at + 1 < text.size() && isLetter(text[at + 1]))
                return std::nullopt;
            tokens.push_back({.letter = static_cast<char>(c & ~0x20)});
            ++at;
        } else if (const std::size_t length = symbolLength(text.substr(at)); length > 0) {
            at += length;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

bool isBandLetter(char letter)
{
    return letter >= 'C' && letter <= 'X' && letter != 'I' && letter != 'O';
}

bool isZone(const Token& token)
{
    return token.number && token.whole && !token.signedNumber && token.value >= 1 && token.value <= 60;
}

constexpr double kLargestEasting = 1'000'000.0;
constexpr double kLargestNorthing = 10'000'000.0;

// "32T 680000 5237000" or, as the table shows it, "680000 5237000 32T".
std::optional<cl_RefPoint> readUtm(const std::vector<Token>& tokens)
{
    const bool zoneFirst = isZone(tokens.front());
    const std::size_t zoneAt = zoneFirst ? 0 : 2;
    if (tokens.size() > 4 || zoneAt >= tokens.size() || !isZone(tokens[zoneAt]))
        return std::nullopt;
    const bool lettered = tokens.size() == 4;
    if (lettered && (tokens[zoneAt + 1].number || !isBandLetter(tokens[zoneAt + 1].letter)))
        return std::nullopt;
    const std::size_t eastingAt = zoneFirst ? (lettered ? 2 : 1) : 0;
    const Token& easting = tokens[eastingAt];
    const Token& northing = tokens[eastingAt + 1];
    if (!easting.number || !northing.number || easting.signedNumber || northing.signedNumber || easting.value <= 0 ||
        easting.value >= kLargestEasting || northing.value > kLargestNorthing)
        return std::nullopt;
    const int zone = static_cast<int>(tokens[zoneAt].value);
    const char letter = lettered ? tokens[zoneAt + 1].letter : 'N';
    const IPoint en{static_cast<std::int32_t>(easting.value), static_cast<std::int32_t>(northing.value)};
    cl_RefPoint point;
    point.setDatum(0, 0);
    point.setRefPoint(zone, letter, en);
    // The setter leaves the point where it was when the position has no
    // place in the zone; the way back tells.
    int backZone = 0;
    char backLetter = 0;
    IPoint back;
    point.setDatum(zone, 0);
    point.getRefPoint(backZone, backLetter, back);
    point.setDatum(0, 0);
    if (backZone != zone || std::abs(back.x - en.x) > 1 || std::abs(back.y - en.y) > 1)
        return std::nullopt;
    return point;
}

struct Axis {
    char letter = 0;
    std::vector<Token> numbers;
};

// One coordinate's degrees, minutes and seconds; negative for a minus sign.
std::optional<double> degreesOf(const Axis& axis)
{
    const std::vector<Token>& parts = axis.numbers;
    double degrees = 0.0;
    double unit = 1.0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        if ((i > 0 && (parts[i].signedNumber || parts[i].value >= 60)) || (!last && !parts[i].whole) ||
            (axis.letter != 0 && parts[i].signedNumber))
            return std::nullopt;
        degrees += parts[i].value / unit;
        unit *= 60.0;
    }
    return parts.front().negative ? -degrees : degrees;
}

// Two halves, each with its letter before or after its numbers, or none.
std::optional<std::array<Axis, 2>> splitAxes(const std::vector<Token>& tokens, std::size_t perAxis)
{
    const std::size_t letters = tokens.size() - 2 * perAxis;
    if (letters != 0 && letters != 2)
        return std::nullopt;
    const bool lettersFirst = letters == 2 && !tokens.front().number;
    std::array<Axis, 2> axes;
    std::size_t at = 0;
    for (Axis& axis : axes) {
        if (letters == 2 && lettersFirst) {
            if (tokens[at].number)
                return std::nullopt;
            axis.letter = tokens[at++].letter;
        }
        for (std::size_t i = 0; i < perAxis; ++i) {
            if (!tokens[at].number)
                return std::nullopt;
            axis.numbers.push_back(tokens[at++]);
        }
        if (letters == 2 && !lettersFirst) {
            if (tokens[at].number)
                return std::nullopt;
            axis.letter = tokens[at++].letter;
        }
    }
    return axes;
}

bool isLatitudeLetter(char letter)
{
    return letter == 'N' || letter == 'S';
}

bool isLongitudeLetter(char letter)
{
    return letter == 'E' || letter == 'W' || letter == 'O';
}

std::optional<cl_RefPoint> readDegrees(const std::vector<Token>& tokens, std::size_t perAxis)
{
    const std::optional<std::array<Axis, 2>> axes = splitAxes(tokens, perAxis);
    if (!axes)
        return std::nullopt;
    const auto& [first, second] = *axes;
    const bool lettered = first.letter != 0;
    if (lettered &&
        !(isLatitudeLetter(first.letter) ? isLongitudeLetter(second.letter)
                                         : isLongitudeLetter(first.letter) && isLatitudeLetter(second.letter)))
        return std::nullopt;
    const bool latitudeFirst = !lettered || isLatitudeLetter(first.letter);
    const Axis& latitudeAxis = latitudeFirst ? first : second;
    const Axis& longitudeAxis = latitudeFirst ? second : first;
    std::optional<double> latitude = degreesOf(latitudeAxis);
    std::optional<double> longitude = degreesOf(longitudeAxis);
    if (!latitude || !longitude || std::abs(*latitude) > 90.0 || std::abs(*longitude) > 180.0)
        return std::nullopt;
    if (latitudeAxis.letter == 'S')
        latitude = -*latitude;
    if (longitudeAxis.letter == 'W')
        longitude = -*longitude;
    cl_RefPoint point;
    point.setRefPoint(IPoint{*longitude < 0 ? -1 : 1, *latitude < 0 ? -1 : 1},
                      DPoint{std::abs(*longitude), std::abs(*latitude)});
    return point;
}

} // namespace

std::optional<cl_RefPoint> parsePosition(std::string_view text)
{
    const std::optional<std::vector<Token>> tokens = tokenize(text);
    if (!tokens || tokens->empty())
        return std::nullopt;
    std::size_t numbers = 0;
    for (const Token& token : *tokens)
        numbers += token.number ? 1 : 0;
    switch (numbers) {
    case 3:
        return readUtm(*tokens);
    case 2:
    case 4:
    case 6:
        return readDegrees(*tokens, numbers / 2);
    default:
        return std::nullopt;
    }
}

} // namespace rovanta
