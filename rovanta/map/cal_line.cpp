#include "map/cal_line.h"

#include "common/text_convert.h"

namespace rovanta {
namespace {

// Latin-1 degree sign; in UTF-8 it is the second byte of C2 B0, and the
// number before it stops at C2 either way.
constexpr char kDegreeByte = '\xB0';

/// The text behind the first `c`; the whole text if there is none.
std::string_view cutAfter(std::string_view text, char c)
{
    const std::size_t at = text.find(c);
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

/// The leading part that holds none of `stops`.
std::string_view upTo(std::string_view text, std::string_view stops)
{
    return text.substr(0, text.find_first_of(stops));
}

/// One "<deg>°<min>'<letter>" coordinate; returns the text after it.
std::string_view parseCoordinate(std::string_view text, std::int32_t& sign, std::int32_t& degrees, double& minutes,
                                 char& letter)
{
    degrees = parseIntPrefix(upTo(text, std::string_view(&kDegreeByte, 1)));
    text = cutAfter(text, kDegreeByte);
    minutes = parseDecimalPrefix(upTo(text, "'"));
    text = cutAfter(text, '\'');
    const std::string_view rest = trimBlanks(text);
    letter = rest.empty() ? '\0' : rest.front();
    sign = (letter == 'N' || letter == 'E' || letter == 'O') ? 1 : -1;
    return text;
}

} // namespace

bool isHemisphereLetter(char letter)
{
    return std::string_view("NEOSW").find(letter) != std::string_view::npos;
}

int matchCalKey(std::string_view line)
{
    for (std::size_t i = 0; i < kCalKeys.size(); ++i) {
        if (line.starts_with(kCalKeys[i].key))
            return static_cast<int>(i);
    }
    return -1;
}

std::string_view calValue(std::string_view line)
{
    const std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? std::string_view{} : trimBlanks(line.substr(colon + 1));
}

CalReferencePoint parseReferencePoint(std::string_view line)
{
    CalReferencePoint point;
    std::string_view text = cutAfter(line, '(');
    point.pixel.x = parseIntPrefix(upTo(text, ","));
    text = cutAfter(text, ',');
    point.pixel.y = parseIntPrefix(upTo(text, ")"));
    text = cutAfter(text, '(');
    text = parseCoordinate(text, point.sign.x, point.degrees.x, point.minutes.x, point.letter[0]);
    text = cutAfter(text, ',');
    parseCoordinate(text, point.sign.y, point.degrees.y, point.minutes.y, point.letter[1]);
    return point;
}

} // namespace rovanta
