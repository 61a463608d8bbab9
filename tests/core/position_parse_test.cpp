// Positions typed in every form the program shows them in, and text it
// must refuse.
#include "navigation/position_parse.h"

#include <gtest/gtest.h>

#include <numbers>
#include <optional>
#include <string_view>

namespace {

using rovanta::parsePosition;

constexpr double kDeg = 180.0 / std::numbers::pi;
// Degree forms are exact up to rounding; UTM goes through whole metres.
constexpr double kExact = 1e-7;
constexpr double kMetre = 1e-5;

struct Readable {
    std::string_view name;
    std::string_view text;
    double latitude;
    double longitude;
    double tolerance;
};

// 47°16.098' = 47.2683°, 16'05.9" = 0.26830556° by hand. UTM positions:
// GeographicLib 2.1 UTMUPS::Reverse(zone, northp, x, y).
constexpr Readable kReadable[] = {
    {"DecimalDegrees", "47.2683 11.3933", 47.2683, 11.3933, kExact},
    {"DecimalComma", "47,2683 11,3933", 47.2683, 11.3933, kExact},
    {"CommaBetween", "47.2683, 11.3933", 47.2683, 11.3933, kExact},
    {"MinusIsSouthAndWest", "-22.9 -43.2", -22.9, -43.2, kExact},
    {"DecimalMinutes", "47°16.098' N 11°23.598' E", 47.2683, 11.3933, kExact},
    {"Seconds", "47°16'05.9\" N 11°23'35.9\" E", 47.26830556, 11.39330556, kExact},
    {"TypographicSigns", "47° 16′ 5.9″ N, 11° 23′ 35.9″ E", 47.26830556, 11.39330556, kExact},
    {"LettersFirst", "N 47 16.098 E 11 23.598", 47.2683, 11.3933, kExact},
    {"GermanEastLetter", "47°16.098' N 11°23.598' O", 47.2683, 11.3933, kExact},
    {"SouthWestLetters", "22°54' s 43°12' w", -22.9, -43.2, kExact},
    {"TableDegrees", " 11.393300° E  47.268300° N", 47.2683, 11.3933, kExact},
    {"TableMinutes", " 11° 23.5980' E  47° 16.0980' N", 47.2683, 11.3933, kExact},
    {"TableSeconds", " 11° 23' 35.90\" E  47° 16'  5.90\" N", 47.26830556, 11.39330556, kExact},
    {"Utm", "32T 680000 5237000", 47.2617692, 11.3793229, kMetre},
    {"UtmWithoutLetter", "32 680000 5237000", 47.2617692, 11.3793229, kMetre},
    {"UtmAsTableShowsIt", " 680000 5237000 32T", 47.2617692, 11.3793229, kMetre},
    {"UtmDecimalComma", "32T 680000,4 5237000,4", 47.2617692, 11.3793229, kMetre},
    {"UtmSouthernBand", "56H 334000 6252000", -33.8592617, 151.2055147, kMetre},
};

constexpr std::string_view kUnreadable[] = {
    "",                          // Empty
    "Innsbruck",                 // Word
    "47.2683",                   // OneNumber
    "1 2 3 4 5",                 // FiveNumbers
    "91 11",                     // BeyondThePole
    "47 181",                    // BeyondTheDateLine
    "47 60.0 N 11 23 E",         // SixtyMinutes
    "47.2 N 11.3 N",             // TwoLatitudes
    "47.2 N 11.3",               // OneLetter
    "-47.2 N 11.3 E",            // SignAndLetter
    "47.5 16.098 N 11 23.598 E", // FractionalDegreesBeforeMinutes
    "61T 680000 5237000",        // NoSuchZone
    "32T 1680000 5237000",       // EastingBeyondTheZone
    "32I 680000 5237000",        // NoSuchBand
    "47.2683 # 11.3933",         // StrayCharacter
    "47.2683 11.3933 12",        // UtmLikeButNoZone
};

TEST(PositionParse, ReadsEveryForm)
{
    for (const Readable& row : kReadable) {
        SCOPED_TRACE(row.name);
        const std::optional<cl_RefPoint> point = parsePosition(row.text);
        ASSERT_TRUE(point.has_value());
        EXPECT_NEAR(point->latitude * kDeg, row.latitude, row.tolerance);
        EXPECT_NEAR(point->longitude * kDeg, row.longitude, row.tolerance);
    }
}

TEST(PositionParse, RefusesWhatIsNoPosition)
{
    for (const std::string_view text : kUnreadable)
        EXPECT_FALSE(parsePosition(text).has_value()) << '"' << text << '"';
}

} // namespace
