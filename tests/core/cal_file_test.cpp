// Calibration files: reading lines into a map record, rewriting the name line.
#include "map/cal_line.h"
#include "map/cl_map.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <string_view>
#include <vector>

namespace {
using rovanta::cl_Map;
using rovanta::test::readBytes;
using rovanta::test::ScriptedAnswerer;
using rovanta::test::TempFolder;

/// The text with every '~' turned into a degree sign: Latin-1 by default.
std::string deg(std::string text, std::string_view sign = "\xB0")
{
    for (std::size_t at = text.find('~'); at != std::string::npos; at = text.find('~', at + sign.size()))
        text.replace(at, 1, sign);
    return text;
}

const std::string kHarbour = deg("TYPE: RASTERMAP\r\nNAME: Harbour\r\n"
                                 "REFERENCE_POINT: (120,85) (9~59.250'O, 53~33.125'N)\r\n"
                                 "REFERENCE_POINT: (900,700) (10~05.000'O, 53~30.000'N)\r\n"
                                 "FILENAME: harbour.bmp\r\n");

double degrees(const cl_RefPoint& p, bool longitude)
{
    return (longitude ? p.longitude : p.latitude) * 180.0 / std::numbers::pi;
}

TEST(CalFile, LoadsHarbourSilently)
{
    TempFolder dir;
    ScriptedAnswerer answerer;
    cl_Map map;
    std::string name = "from caller";
    ASSERT_TRUE(map.loadCalFile(dir.write("harbour.cal", kHarbour), name));
    EXPECT_EQ(name, "Harbour");
    EXPECT_EQ(map.mapName(), "Harbour");
    EXPECT_EQ(map.bitmapFileName(), "harbour.bmp");
    EXPECT_EQ(map.calPath(), dir.file("harbour.cal"));
    EXPECT_EQ(map.found(), 1);
    EXPECT_EQ(map.referencePointCount(), 2);
    EXPECT_EQ(map.referencePoint(0).pixel.x, 120);
    EXPECT_EQ(map.referencePoint(0).pixel.y, 85);
    EXPECT_NEAR(degrees(map.referencePoint(0), true), 9 + 59.25 / 60, 1e-12);
    EXPECT_NEAR(degrees(map.referencePoint(0), false), 53 + 33.125 / 60, 1e-12);
    EXPECT_EQ(map.referencePoint(1).pixel.x, 900);
    EXPECT_TRUE(answerer.shown.empty());
}

TEST(CalFile, ReportsEveryUnknownLineAndTakesTheLastValues)
{
    TempFolder dir;
    ScriptedAnswerer answerer;
    cl_Map map;
    std::string name = "caller";
    const std::string path = dir.write("odd.cal", "NAME:   First  \n"
                                                  " NAME: indented\n"
                                                  "name: lower\n"
                                                  "\n"
                                                  "FILENAME: C:\\maps\\a:b.bmp\n"
                                                  "NAME: Second\t\n"
                                                  "DATE: whatever\n");
    ASSERT_TRUE(map.loadCalFile(path, name));
    EXPECT_EQ(name, "Second");
    EXPECT_EQ(map.bitmapFileName(), "C:\\maps\\a:b.bmp");
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text,
              "Problems in calibration files:\n" + path + ", line 2: Keyword  NAME: indented not found!\n" + path +
                  ", line 3: Keyword name: lower not found!\n" + path + ", line 4: Keyword  not found!");
    EXPECT_EQ(answerer.shown[0].type, rovanta::kMessageOk);
}

struct ProblemRow {
    const char* name;
    std::string text;
    bool loads;
    std::vector<std::string> problems; ///< behind "<path>", one notice line each, but for "... and n more"
};

class CalFileProblems : public testing::TestWithParam<ProblemRow> {};

// Files that are no calibration files pass silently; a calibration file's
// problems make one notice naming it.
TEST_P(CalFileProblems, OneNoticeOrNone)
{
    const ProblemRow& row = GetParam();
    TempFolder dir;
    ScriptedAnswerer answerer;
    cl_Map map;
    std::string name;
    const std::string path = dir.write("K\xC3\xBCste.cal", row.text);
    EXPECT_EQ(map.loadCalFile(path, name), row.loads);
    if (row.problems.empty()) {
        EXPECT_TRUE(answerer.shown.empty());
        return;
    }
    std::string expected = "Problems in calibration files:";
    for (const std::string& problem : row.problems)
        expected += "\n" + (problem.starts_with("...") ? problem : path + problem);
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, expected);
}

std::string calendar()
{
    std::string text = "BEGIN:VCALENDAR\r\n";
    for (int i = 0; i < 48; ++i)
        text += "SUMMARY:Meeting " + std::to_string(i) + "\r\n";
    return text + "END:VCALENDAR\r\n";
}

// Thirty empty lines: the notice names 25 and counts the rest.
std::vector<std::string> cutList()
{
    std::vector<std::string> lines;
    for (int line = 2; line <= 26; ++line)
        lines.push_back(", line " + std::to_string(line) + ": Keyword  not found!");
    lines.emplace_back("... and 5 more");
    return lines;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CalFile, CalFileProblems, testing::Values(
    ProblemRow{"CalendarOfFiftyLines", calendar(), false, {}},
    ProblemRow{"Empty", "", false, {}},
    ProblemRow{"BlankLinesOnly", "\r\n  \r\n\t\n", false, {}},
    ProblemRow{"FirstLineIndented", " NAME: x\nFILENAME: a.bmp\n", false, {}},
    ProblemRow{"BlankLineBeforeTheKeys", "\nNAME: x\n", true, {", line 1: Keyword  not found!"}},
    ProblemRow{"Windows1252LineBesideUtf8Path", "NAME: x\nK\xF6ln\n", true, {", line 2: Keyword K\xC3\xB6ln not found!"}},
    ProblemRow{"HemisphereLetters", deg("NAME: x\n"
                                        "REFERENCE_POINT: (0,0) (9~0'X, 53~0'N)\n"
                                        "REFERENCE_POINT: (1,1) (9~0'E, 53~0'n)\n"
                                        "REFERENCE_POINT: (2,2) (9~0'Q, 53~0'Q)\n"), true,
               {", line 2: hemisphere letter X is not N, E, O, S or W",
                ", line 3: hemisphere letter n is not N, E, O, S or W"}},
    ProblemRow{"MissingLetter", deg("NAME: x\nREFERENCE_POINT: (3,4) (9~0'W, 53~0'"), true,
               {", line 2: hemisphere letter missing"}},
    ProblemRow{"LongListIsCut", "NAME: x" + std::string(31, '\n'), true, cutList()}),
    [](const testing::TestParamInfo<ProblemRow>& info) { return std::string(info.param.name); });
// clang-format on

TEST(CalFile, WithoutNameKeepsTheCallersName)
{
    TempFolder dir;
    cl_Map map;
    std::string name = "Alps";
    ASSERT_TRUE(map.loadCalFile(dir.write("a.cal", "FILENAME: a.bmp\n"), name));
    EXPECT_EQ(name, "Alps");
    EXPECT_EQ(map.mapName(), "Alps");
}

TEST(CalFile, UnreadableFilesLeaveTheMapUnchanged)
{
    TempFolder dir;
    ScriptedAnswerer answerer;
    cl_Map map;
    std::string name = "keep";
    EXPECT_FALSE(map.loadCalFile("", name));
    EXPECT_FALSE(map.loadCalFile(dir.file("missing.cal"), name));
    EXPECT_FALSE(map.loadCalFile(dir.path().string(), name));
    // A bitmap given the wrong extension would otherwise raise a notice per "line".
    EXPECT_FALSE(map.loadCalFile(dir.write("binary.cal", std::string("BM\0\0\n\n\n", 7)), name));
    EXPECT_EQ(name, "keep");
    EXPECT_EQ(map.found(), 0);
    EXPECT_TRUE(map.calPath().empty());
    EXPECT_TRUE(answerer.shown.empty());
}

TEST(CalFile, ThirdReferencePointIsIgnored)
{
    TempFolder dir;
    const std::string text = kHarbour + deg("REFERENCE_POINT: (1,1) (1~0'O, 1~0'N)\r\n");
    cl_Map map;
    std::string name;
    ASSERT_TRUE(map.loadCalFile(dir.write("three.cal", text), name));
    EXPECT_EQ(map.referencePointCount(), 2);
    EXPECT_EQ(map.referencePoint(0).pixel.x, 120);
    EXPECT_EQ(map.referencePoint(1).pixel.x, 900);
}

struct ReferenceRow {
    const char* name;
    std::string line;
    IPoint pixel, sign, degrees;
    DPoint minutes;
};

class ReferencePointLine : public testing::TestWithParam<ReferenceRow> {};

TEST_P(ReferencePointLine, Parses)
{
    const ReferenceRow& row = GetParam();
    const auto p = rovanta::parseReferencePoint("REFERENCE_POINT: " + row.line);
    EXPECT_EQ((std::array{p.pixel.x, p.pixel.y, p.sign.x, p.sign.y, p.degrees.x, p.degrees.y}),
              (std::array{row.pixel.x, row.pixel.y, row.sign.x, row.sign.y, row.degrees.x, row.degrees.y}));
    EXPECT_DOUBLE_EQ(p.minutes.x, row.minutes.x);
    EXPECT_DOUBLE_EQ(p.minutes.y, row.minutes.y);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(CalFile, ReferencePointLine, testing::Values(
    ReferenceRow{"Latin1Degree", deg("(120,85) (9~59.250'O, 53~33.125'N)"), {120, 85}, {1, 1}, {9, 53}, {59.25, 33.125}},
    ReferenceRow{"Utf8Degree", deg("(120,85) (9~59.250'O, 53~33.125'N)", "\xC2\xB0"), {120, 85}, {1, 1}, {9, 53},
                 {59.25, 33.125}},
    ReferenceRow{"EastIsPositive", deg("(1,2) (9~1.5'E, 53~2'n)"), {1, 2}, {1, -1}, {9, 53}, {1.5, 2.0}},
    ReferenceRow{"SouthWestAndBlanks", deg("( -5 , 7 ) ( 70~ 3.5'  W , 33~52.1' S )"), {-5, 7}, {-1, -1}, {70, 33},
                 {3.5, 52.1}},
    ReferenceRow{"MissingLetterIsNegative", deg("(3,4) (9~0', 53~0'"), {3, 4}, {-1, -1}, {9, 53}, {0, 0}},
    ReferenceRow{"GarbageReadsAsZero", "junk", {0, 0}, {-1, -1}, {0, 0}, {0, 0}}),
    [](const testing::TestParamInfo<ReferenceRow>& info) { return std::string(info.param.name); });
// clang-format on

// Only the name lines change: every other byte stays, line ends included. A
// linked file is rewritten at its target, and a file name of 250 bytes leaves
// no room for a longer temporary name.
TEST(CalRename, ReplacesNameLinesOnly)
{
    using namespace std::string_literals;
    const std::string many = deg("TYPE: RASTERMAP\r\nNAME: Old\r\nDATE: 2001\r\nVISIBLE: YES\r\n"
                                 "REFERENCE_POINT: (0,0) (9~0'O, 53~0'N)\r\nREFERENCE_TYPE: BILINEAR_GEOGRAPHIC\r\n"
                                 "FILENAME: a.bmp\r\nNAME: Older\r\n");
    std::string manyAfter = many;
    manyAfter.replace(manyAfter.find("NAME: Old\r"), 9, "NAME:       K\xC3\xBCste");
    manyAfter.replace(manyAfter.find("NAME: Older"), 11, "NAME:       K\xC3\xBCste");
    const struct {
        const char* name;
        std::string before;
        std::string newName;
        std::string after;
        std::string file = "map.cal";
        bool linked = false;
    } cases[] = {
        {"every name line", many, "K\xC3\xBCste", manyAfter},
        {"added after TYPE", "TYPE: RASTERMAP\nFILENAME: a.bmp", "New",
         "TYPE: RASTERMAP\nNAME:       New\nFILENAME: a.bmp"},
        {"added first", "FILENAME: a.bmp\r\n", "New", "NAME:       New\r\nFILENAME: a.bmp\r\n"},
        {"added, mixed ends", "DATE: 2001\r\nTYPE: RASTERMAP\nFILENAME: a.bmp\r\n", "New",
         "DATE: 2001\r\nTYPE: RASTERMAP\nNAME:       New\nFILENAME: a.bmp\r\n"},
        {"replaced, mixed ends", "TYPE: RASTERMAP\nNAME: Old\r\nDATE: 2001\n", "New",
         "TYPE: RASTERMAP\nNAME:       New\r\nDATE: 2001\n"},
        {"byte order mark", "\xEF\xBB\xBFTYPE: RASTERMAP\r\nNAME: Old\r\n", "New",
         "\xEF\xBB\xBFTYPE: RASTERMAP\r\nNAME:       New\r\n"},
        {"control characters", "NAME: Old\n", "N\0e\x01w\r\n\t\x7F"s, "NAME:       New\n"},
        {"linked", "NAME: Old\n", "New", "NAME:       New\n", "link.cal", true},
        {"250-byte name", "NAME: Old\n", "New", "NAME:       New\n", std::string(246, 'a') + ".cal"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder dir;
        const std::string real = dir.write(c.linked ? "real.cal" : c.file, c.before);
        if (c.linked)
            std::filesystem::create_symlink("real.cal", dir.path() / c.file);
        ScriptedAnswerer answerer;

        ASSERT_TRUE(cl_Map::renameCalFile(dir.file(c.file), c.newName));
        EXPECT_EQ(readBytes(real), c.after);
        EXPECT_EQ(std::filesystem::is_symlink(dir.path() / c.file), c.linked);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), c.linked ? 2 : 1);
        EXPECT_TRUE(answerer.shown.empty());
    }
}

TEST(CalRename, FailureLeavesTheFileAlone)
{
    TempFolder dir;
    EXPECT_FALSE(cl_Map::renameCalFile("", "x"));
    EXPECT_FALSE(cl_Map::renameCalFile(dir.file("missing.cal"), "x"));

    const std::string locked = dir.write("locked.cal", kHarbour);
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    ScriptedAnswerer answerer;
    EXPECT_FALSE(cl_Map::renameCalFile(locked, "x"));
    EXPECT_EQ(readBytes(locked), kHarbour);
    ASSERT_EQ(answerer.shown.size(), 1u) << "a failed save says why";
    EXPECT_EQ(answerer.shown[0].text, "The File " + locked + " could not be saved: Permission denied");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary left";
}

} // namespace
