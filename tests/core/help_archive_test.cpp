// The compiled help files as the help window reads them.
#include "temp_folder.h"
#include "view/chm_archive.h"
#include "view/help_contents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rovanta {
namespace {

using test::readBytes;
using test::TempFolder;

const std::filesystem::path kHelpDir = ROVANTA_HELP_BUILD_DIR;

std::string pageWithoutFragment(const std::string& local)
{
    return helpPagePath(local.substr(0, local.find('#')));
}

TEST(HelpArchive, BuiltFilesNameTheirStartPageContentsAndIndex)
{
    const std::pair<const char*, const char*> files[] = {{"RovantaENG.chm", "/HTML/Eng/index.htm"},
                                                         {"RovantaDEU.chm", "/HTML/Ger/index.htm"}};
    for (const auto& [file, start] : files) {
        SCOPED_TRACE(file);
        const auto archive = ChmArchive::open(kHelpDir / file);
        ASSERT_NE(archive, nullptr);
        EXPECT_EQ(archive->defaultTopic(), start);
        EXPECT_FALSE(archive->title().empty());
        EXPECT_TRUE(archive->contentsFile().ends_with(".hhc")) << archive->contentsFile();
        EXPECT_TRUE(archive->indexFile().ends_with(".hhk")) << archive->indexFile();
        const auto page = archive->read(archive->defaultTopic());
        ASSERT_TRUE(page.has_value());
        EXPECT_NE(page->find("<h1"), std::string::npos);

        // Every entry of the contents leads to a page of the same file.
        const auto contents = parseSitemap(archive->read(archive->contentsFile()).value_or(""));
        ASSERT_FALSE(contents.empty());
        EXPECT_EQ(contents.front().depth, 0);
        for (const HelpEntry& entry : contents) {
            if (!entry.local.empty()) {
                EXPECT_TRUE(archive->read(pageWithoutFragment(entry.local))) << entry.local;
            }
        }
    }
}

TEST(HelpArchive, ReadFindsPagesWithoutLeadingSlashAndInAnyCase)
{
    const auto archive = ChmArchive::open(kHelpDir / "RovantaENG.chm");
    ASSERT_NE(archive, nullptr);
    const auto page = archive->read("/HTML/Eng/Maps.htm");
    ASSERT_TRUE(page.has_value());
    EXPECT_EQ(archive->read("HTML/Eng/Maps.htm"), page);
    EXPECT_EQ(archive->read("/html/eng/MAPS.HTM"), page);
    EXPECT_EQ(archive->read("\\HTML\\Eng\\Maps.htm"), page);
    EXPECT_FALSE(archive->read("/HTML/Eng/NoSuchPage.htm"));
    EXPECT_FALSE(archive->read("/HTML/Eng/"));
}

TEST(HelpArchive, FilesThatAreNoArchiveGiveNothing)
{
    TempFolder folder;
    EXPECT_EQ(ChmArchive::open(folder.path() / "missing.chm"), nullptr);
    EXPECT_EQ(ChmArchive::open(folder.path()), nullptr);
    EXPECT_EQ(ChmArchive::open(folder.write("empty.chm", "")), nullptr);
    EXPECT_EQ(ChmArchive::open(folder.write("garbage.chm", std::string(4096, 'x'))), nullptr);
    EXPECT_EQ(ChmArchive::open(folder.write("header.chm", "ITSF\x03\0\0\0garbage")), nullptr);
}

TEST(HelpArchive, OverlongSystemRecordEndsTheRecordsAndFilesAreFoundByName)
{
    // #SYSTEM is stored uncompressed: stretch the start page's record
    // past the end of the object.
    std::string bytes = readBytes(kHelpDir / "RovantaENG.chm");
    const std::string record = std::string("\x02\x00", 2) + static_cast<char>(sizeof("HTML/Eng/index.htm")) +
                               std::string("\x00HTML/Eng/index.htm\x00", 20);
    const std::size_t at = bytes.find(record);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 2] = bytes[at + 3] = '\xFF';
    TempFolder folder;
    const auto archive = ChmArchive::open(folder.write("stretched.chm", bytes));
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->defaultTopic(), "");
    EXPECT_TRUE(archive->contentsFile().ends_with(".hhc")) << archive->contentsFile();
    EXPECT_TRUE(archive->indexFile().ends_with(".hhk")) << archive->indexFile();
    EXPECT_TRUE(archive->read("/HTML/Eng/index.htm"));
}

TEST(HelpArchive, CorruptCompressionWindowGivesNoPagesInsteadOfACrash)
{
    std::string bytes = readBytes(kHelpDir / "RovantaENG.chm");
    const std::size_t at = bytes.find("LZXC");
    ASSERT_NE(at, std::string::npos);
    // Version 1 counts the window in bytes, not in 32 KiB units: 2 bytes.
    bytes.replace(at + 4, 4, std::string("\x01\x00\x00\x00", 4));
    TempFolder folder;
    const auto archive = ChmArchive::open(folder.write("window.chm", bytes));
    ASSERT_NE(archive, nullptr);
    EXPECT_FALSE(archive->read("/HTML/Eng/index.htm"));
    EXPECT_EQ(archive->defaultTopic(), "/HTML/Eng/index.htm");
}

TEST(HelpArchive, ResetTableWithAnOverlongBlockGivesNoPagesInsteadOfAnOverrun)
{
    // The reset table: version 2, block count, entry size 8, table offset
    // 0x28, then the lengths; chmlib reads the last compressed block up to
    // the compressed length into a buffer of the block length + 6144.
    std::string bytes = readBytes(kHelpDir / "RovantaENG.chm");
    const std::size_t at = bytes.find(std::string("\x08\0\0\0\x28\0\0\0", 8));
    ASSERT_NE(at, std::string::npos);
    ASSERT_GE(at, 8u);
    const std::size_t table = at - 8;
    ASSERT_EQ(bytes.substr(table, 4), std::string("\x02\0\0\0", 4));
    bytes.replace(table + 0x18, 8, std::string("\0\0\0\x01\0\0\0\0", 8));
    TempFolder folder;
    const auto archive = ChmArchive::open(folder.write("reset.chm", bytes));
    ASSERT_NE(archive, nullptr);
    EXPECT_FALSE(archive->read("/HTML/Eng/index.htm"));
    // Pages of a sound file are compressed, so the guard is what held.
    EXPECT_TRUE(ChmArchive::open(kHelpDir / "RovantaENG.chm")->read("/HTML/Eng/index.htm"));
}

} // namespace
} // namespace rovanta
