// Texts from files written on Windows (Windows-1252) or here (UTF-8) must
// both read right; valid UTF-8 is never reinterpreted.
#include "common/display_text.h"

#include <gtest/gtest.h>

#include <string>

namespace rovanta {
namespace {

struct DisplayRow {
    const char* name;
    std::string bytes;
    std::string shown;
};

class DisplayText : public testing::TestWithParam<DisplayRow> {};

TEST_P(DisplayText, ShowsUtf8AsIsAndEverythingElseAsWindows1252)
{
    EXPECT_EQ(toDisplayUtf8(GetParam().bytes), GetParam().shown);
}

// Windows-1252 code points from the Unicode mapping table
// (unicode.org, MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1252.TXT).
INSTANTIATE_TEST_SUITE_P(
    Rows, DisplayText,
    testing::Values(DisplayRow{"Ascii", "Alps 1:50000", "Alps 1:50000"},
                    DisplayRow{"Utf8Umlaut", "Gr\xC3\xBCn", "Gr\xC3\xBCn"},
                    DisplayRow{"Utf8FourBytes", "Map \xF0\x9F\x97\xBA", "Map \xF0\x9F\x97\xBA"},
                    DisplayRow{"Latin1Umlaut", "Gr\xFCn", "Gr\xC3\xBCn"},
                    DisplayRow{"DegreeSign", "53\xB0", "53\xC2\xB0"},
                    DisplayRow{"EuroAndDash", "\x80 \x96", "\xE2\x82\xAC \xE2\x80\x93"},
                    DisplayRow{"UnassignedStaysControl", "\x81", "\xC2\x81"},
                    DisplayRow{"OverlongIsNotUtf8", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
                    DisplayRow{"SurrogateIsNotUtf8", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
                    DisplayRow{"TruncatedSequence", "Gr\xC3", "Gr\xC3\x83"},
                    DisplayRow{"AboveUnicode", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}),
    [](const testing::TestParamInfo<DisplayRow>& info) { return std::string(info.param.name); });

} // namespace
} // namespace rovanta
