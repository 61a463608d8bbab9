// The compiled help files as the help window reads them.
#include "damaged_help.h"
#include "help/chm_archive.h"
#include "help/chm_file.h"
#include "help/chm_reader_client.h"
#include "help/help_contents.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace rovanta {
namespace {

using namespace std::chrono_literals;
using test::HelpDamage;
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
        // Every object, images included, comes through the reader byte for byte.
        const auto inProcess = ChmFile::open(kHelpDir / file);
        ASSERT_NE(inProcess, nullptr);
        for (const std::string& entry : inProcess->entries())
            EXPECT_EQ(archive->read(entry), inProcess->read(entry)) << entry;
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

struct DamageCase {
    const char* name;
    HelpDamage damage;
    bool refusedInProcess; ///< our own check keeps chmlib away from it
};

class DamagedHelpFile : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedHelpFile, IsUnreadableWithoutHarmingTheProgram)
{
    const std::string bytes = test::damageHelpFile(readBytes(kHelpDir / "RovantaENG.chm"), GetParam().damage);
    ASSERT_FALSE(bytes.empty());
    TempFolder folder;
    const std::string file = folder.write("damaged.chm", bytes);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ChmArchive::open(file), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    if (GetParam().refusedInProcess) {
        EXPECT_EQ(ChmFile::open(file), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedHelpFile,
                         testing::Values(DamageCase{"WindowSizeZero", HelpDamage::WindowSizeZero, true},
                                         DamageCase{"WindowSizeOne", HelpDamage::WindowSizeOne, true},
                                         DamageCase{"WindowsPerResetZero", HelpDamage::WindowsPerResetZero, true},
                                         DamageCase{"DirectoryLoop", HelpDamage::DirectoryLoop, false}),
                         [](const testing::TestParamInfo<DamageCase>& info) { return std::string(info.param.name); });

// Stand-ins for the reader, as sh scripts; the help file is their $1.
constexpr const char* kOpening = "printf 'O\\000\\000\\000\\000E\\000\\000\\000\\000'; ";

struct ReaderCase {
    const char* name;
    std::string script;
    bool opens;
    std::chrono::milliseconds timeout; ///< long where the failure must be seen at once
};

class FailingReader : public testing::TestWithParam<ReaderCase> {};

TEST_P(FailingReader, MakesTheFileUnreadableWithinTheTimeout)
{
    const ReaderCase& row = GetParam();
    const ChmReaderClient::Command command{{"/bin/sh", "-c", row.script, "sh"}, row.timeout, row.timeout};
    const auto start = std::chrono::steady_clock::now();
    const auto archive = ChmReaderClient::open(kHelpDir / "RovantaENG.chm", command);
    ASSERT_EQ(archive != nullptr, row.opens);
    if (archive) {
        EXPECT_FALSE(archive->read("/HTML/Eng/index.htm"));
        EXPECT_FALSE(archive->read("/HTML/Eng/index.htm"));
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailingReader,
    testing::Values(ReaderCase{"Missing", "exec /no/such/reader", false, 10s},
                    ReaderCase{"CrashesWhileOpening", "kill -FPE $$", false, 10s},
                    ReaderCase{"HangsWhileOpening", "exec sleep 10", false, 300ms},
                    ReaderCase{"AnswersGarbage", "printf 'HTTP/1.1 200 OK'; exec sleep 10", false, 10s},
                    ReaderCase{"ClaimsAnOverlongFrame",
                               "printf 'O\\000\\000\\000\\000C\\377\\377\\377\\377'; exec sleep 10", false, 10s},
                    ReaderCase{"CrashesOnAPage", std::string(kOpening) + "head -c 1 >/dev/null; kill -FPE $$", true,
                               10s},
                    ReaderCase{"HangsOnAPage", std::string(kOpening) + "exec sleep 10", true, 300ms}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

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
    const auto archive = ChmFile::open(folder.write("reset.chm", bytes));
    ASSERT_NE(archive, nullptr);
    EXPECT_FALSE(archive->read("/HTML/Eng/index.htm"));
    // Pages of a sound file are compressed, so the guard is what held.
    EXPECT_TRUE(ChmFile::open(kHelpDir / "RovantaENG.chm")->read("/HTML/Eng/index.htm"));
}

} // namespace
} // namespace rovanta
