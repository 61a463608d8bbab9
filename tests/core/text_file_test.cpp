// Text files as we read and write them, and locale-free numbers.
#include "common/text_convert.h"
#include "common/text_file.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include <unistd.h>

namespace {
using namespace rovanta;
using test::readBytes;
using test::TempFolder;

TEST(TextFile, LinesAsTextModeReadsThem)
{
    TempFolder dir;
    const auto lines = readTextLines(dir.write("a.txt", "\xEF\xBB\xBF"
                                                        "one\r\n\ntwo\r\nthree"));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 4u);
    EXPECT_EQ((*lines)[0].text, "one");
    EXPECT_EQ((*lines)[0].end, "\r\n");
    EXPECT_EQ((*lines)[1].text, "");
    EXPECT_EQ((*lines)[1].end, "\n");
    EXPECT_EQ((*lines)[3].text, "three");
    EXPECT_EQ((*lines)[3].end, "");
    EXPECT_TRUE(readTextLines(dir.write("empty.txt", ""))->empty());
    EXPECT_EQ(readTextLines(dir.write("end.txt", "x\n"))->size(), 1u);
    EXPECT_FALSE(readTextLines(dir.file("missing.txt")));
}

// Calibration files refuse NUL bytes (a bitmap given the wrong extension);
// tour and remarks files drop them.
TEST(TextFile, NulBytesAndSizeLimit)
{
    using namespace std::string_literals;
    TempFolder dir;
    const std::string damaged = dir.write("nul.txt", "a\0b\r\n\0\nc"s);
    EXPECT_FALSE(readTextLines(damaged));
    const auto lines = readTextLines(damaged, NulBytes::drop);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 3u);
    EXPECT_EQ((*lines)[0].text + "|" + (*lines)[1].text + "|" + (*lines)[2].text, "ab||c");

    const std::string big = dir.write("big.txt", "0123456789");
    EXPECT_FALSE(readTextLines(big, NulBytes::drop, 9));
    EXPECT_TRUE(exceedsTextLimit(big, 9));
    EXPECT_FALSE(exceedsTextLimit(big, 10));
}

TEST(TextFile, AtomicWriteReplacesOnlyWhenComplete)
{
    TempFolder dir;
    const std::string path = dir.write("tour.TXT", "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);

    {
        AtomicFile staged(path);
        ASSERT_TRUE(staged.stage("never committed"));
    }
    EXPECT_EQ(readBytes(path), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary removed";

    std::filesystem::create_directory(dir.path() / "folder");
    EXPECT_FALSE(writeFileAtomically(dir.path() / "folder", "x"));
    EXPECT_FALSE(writeFileAtomically(dir.path() / "no" / "such" / "dir.txt", "x"));
}

// Temporary files are hidden and marked as ours. Those a killed run left go
// with the next save into their folder; those of running programs and files
// that merely look alike stay.
TEST(TextFile, TemporaryFilesAreHiddenAndStaleOnesGo)
{
    TempFolder dir;
    const std::string path = dir.write("tour.TXT", "old");
    {
        AtomicFile staged(path);
        ASSERT_TRUE(staged.stage("new"));
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        ASSERT_EQ(names.size(), 2u);
        const std::string temporary = names[0] == "tour.TXT" ? names[1] : names[0];
        EXPECT_TRUE(temporary.starts_with(".tour.TXT") && isTemporaryFileName(temporary)) << temporary;
    }

    const std::string ownPid = std::to_string(::getpid());
    const struct {
        std::string name;
        bool stays;
    } leftovers[] = {
        {".tour.TXT.rovanta-2147483646-abc123.tmp", false}, // its program ended
        {".tour.TXT.rovanta-" + ownPid + "-abc123.tmp", false},
        {".tour.TXT.rovanta-1-abc123.tmp", true}, // its program runs
        {".tour.TXT.rovanta-2147483646-abc.tmp", true},
        {"tour.TXT.tmp123456", true},
    };
    for (const auto& leftover : leftovers)
        dir.write(leftover.name, "left");
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    for (const auto& leftover : leftovers)
        EXPECT_EQ(std::filesystem::exists(dir.path() / leftover.name), leftover.stays) << leftover.name;
}

// A GUI switches to the user's locale; our files keep the decimal point.
TEST(TextConvert, IgnoresAGermanLocale)
{
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "de_DE.UTF-8 not available";
    EXPECT_DOUBLE_EQ(parseDecimalPrefix("  -53.55,9.98"), -53.55);
    EXPECT_EQ(formatFixed(53.55, 0, 7), "53.5500000");
    std::setlocale(LC_NUMERIC, "C");
}

TEST(TextConvert, ParsesLikeTheCLibrary)
{
    EXPECT_DOUBLE_EQ(parseDecimalPrefix("1e2x"), 100.0);
    EXPECT_DOUBLE_EQ(parseDecimalPrefix("+.5"), 0.5);
    EXPECT_EQ(parseDecimalPrefix("abc"), 0.0);
    EXPECT_EQ(parseDecimalPrefix("inf"), 0.0);
    EXPECT_EQ(parseDecimalPrefix("nan"), 0.0);
    EXPECT_EQ(parseDecimalPrefix("1e999"), 0.0);
    EXPECT_EQ(parseIntPrefix(" -12x"), -12);
    EXPECT_EQ(parseIntPrefix("99999999999"), 2147483647);
    EXPECT_EQ(parseIntPrefix("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(truncateToInt32(-0.9), 0);
    EXPECT_EQ(truncateToInt32(1e300), 2147483647);
    EXPECT_EQ(formatFixed(2.5, 7, 3), "  2.500");
    EXPECT_EQ(formatFixed(0.00049, 7, 3), "  0.000");
    EXPECT_EQ(formatFixed(1234.5678, 3, 1), "1234.6");
    EXPECT_EQ(formatInt(7, 3), "  7");
}

} // namespace
