#include "tour/cl_tour.h"

#include "common/file_names.h"
#include "common/text_convert.h"
#include "common/text_file.h"
#include "resources/string_table.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace rovanta {
namespace {
namespace fs = std::filesystem;
using test::readBytes;
using test::TempFolder;
using Remarks = std::vector<std::string>;

struct LatLon {
    double lat, lon;
};

void addPoints(cl_Tour& tour, const std::vector<LatLon>& points)
{
    for (const LatLon& p : points) {
        cl_RefPoint point;
        point.setRefPoint(IPoint{p.lon < 0 ? -1 : 1, p.lat < 0 ? -1 : 1}, DPoint{std::fabs(p.lon), std::fabs(p.lat)});
        tour.addPoint(point);
    }
}

// Saves through the scripted dialog, answering a possible overwrite question.
bool saveAs(cl_Tour& tour, const std::string& path, std::string& folder, int answer = kAnswerYes)
{
    test::ScriptedSavePrompt prompt;
    prompt.choices.push_back(path);
    test::ScriptedAnswerer answerer;
    answerer.answers = {answer};
    return tour.save(folder);
}

void expectPoints(cl_Tour& tour, const std::vector<LatLon>& expected)
{
    ASSERT_EQ(tour.getPointCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < tour.getPointCount(); ++i) {
        const cl_RefPoint& point = *tour.getPoint(i);
        IPoint sign;
        DPoint deg;
        point.getRefPoint(sign, deg);
        EXPECT_NEAR(sign.y * deg.y, expected[i].lat, 1e-9) << "point " << i;
        EXPECT_NEAR(sign.x * deg.x, expected[i].lon, 1e-9) << "point " << i;
        // "-0.0" in a file must not become a southern or western zero.
        EXPECT_EQ(std::signbit(point.latitude), expected[i].lat < 0) << "point " << i;
        EXPECT_EQ(std::signbit(point.longitude), expected[i].lon < 0) << "point " << i;
    }
}

std::string withSeparator(const fs::path& folder)
{
    return toUtf8(folder) + static_cast<char>(fs::path::preferred_separator);
}

TEST(TourFiles, SaveAndLoadRoundTrip)
{
    TempFolder tmp;
    cl_Tour tour("Harbour", 2);
    tour.setPath("/elsewhere/Harbour.TXT");
    addPoints(tour, {{53.55, 9.9833333}, {-33.8688, 151.2093}, {0.0, -0.5}});
    tour.getRemarks() = {"K\xc3\xb6nig", "", "a\r\nb\nc"}; // a line break would shift later remarks
    test::ScriptedSavePrompt prompt;
    prompt.choices.push_back(tmp.file("Harbour.TXT"));
    std::string folder = "/start/";

    ASSERT_TRUE(tour.save(folder));
    const SaveFileRequest& r = prompt.requests.at(0);
    EXPECT_EQ(r.title + r.filter + r.defaultExtension + r.initialFolder + r.initialName,
              "RovantaText File (*.TXT) | *.TXT||.TXT/start/Harbour.TXT");
    EXPECT_EQ(folder, withSeparator(tmp.path()));
    EXPECT_EQ(tour.name(), "Harbour");
    EXPECT_EQ(tour.path(), "/elsewhere/Harbour.TXT");
    EXPECT_EQ(readBytes(tmp.file("Harbour.TXT")),
              "53.5500000,9.9833333,0\r\n-33.8688000,151.2093000,0\r\n0.0000000,-0.5000000,0\r\n");
    EXPECT_EQ(readBytes(tmp.file("Harbour.rmk")), "K\xc3\xb6nig\r\n\r\na  b c\r\n");

    cl_Tour loaded;
    ASSERT_TRUE(loaded.load("Hafen", tmp.file("Harbour.TXT"), 1));
    expectPoints(loaded, {{53.55, 9.9833333}, {-33.8688, 151.2093}, {0.0, -0.5}});
    EXPECT_EQ(loaded.getRemarks(), (Remarks{"K\xc3\xb6nig", "", "a  b c"}));
    EXPECT_EQ(loaded.name(), "Hafen");
    EXPECT_EQ(loaded.path(), tmp.file("Harbour.TXT"));
    EXPECT_EQ(loaded.status(), 1);
    EXPECT_EQ(loaded.found(), 1);
}

// Points are read leniently; remarks, from a file beside the tour in any
// case, fill up or are cut to the points.
TEST(TourFiles, LoadReadsPointsLenientlyAndAlignsRemarks)
{
    const std::string three = "1,1,0\n2,2,0\n3,3,0\n";
    const std::vector<LatLon> threePoints{{1, 1}, {2, 2}, {3, 3}};
    const struct {
        const char* name;
        std::string content;
        std::vector<LatLon> points;
        const char* remarksFile; // nullptr: none
        const char* remarksContent;
        Remarks remarks;
    } cases[] = {
        {"both line ends",
         "53.5500000,9.9833333,0\r\n-33.8688,151.2093,0\r\n",
         {{53.55, 9.9833333}, {-33.8688, 151.2093}},
         nullptr,
         "",
         {"", ""}},
        {"mixed ends, last unended", "1,2,0\n3,4,0\r\n5,6", {{1, 2}, {3, 4}, {5, 6}}, nullptr, "", {"", "", ""}},
        {"one number: both coordinates", "47.5\n", {{47.5, 47.5}}, nullptr, "", {""}},
        {"negative zeros", "-0.0,-0.0,0\n", {{0.0, 0.0}}, nullptr, "", {""}},
        {"blank and junk", "\n x1,  -1e1abc\n", {{0, 0}, {0, -10}}, nullptr, "", {"", ""}},
        {"empty", "", {}, nullptr, "", {}},
        {"fewer remarks", three, threePoints, "Harbour.rmk", "line 1\r\n", {"line 1", "", ""}},
        {"more remarks", three, threePoints, "Harbour.rmk", "a\nb\nc\nextra\n", {"a", "b", "c"}},
        {"remarks named in capitals",
         three,
         threePoints,
         "HARBOUR.RMK",
         "from Windows\r\n\r\nlast\r\n",
         {"from Windows", "", "last"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        if (c.remarksFile != nullptr)
            tmp.write(c.remarksFile, c.remarksContent);
        cl_Tour tour;
        ASSERT_TRUE(tour.load("Harbour", tmp.write("Harbour.TXT", c.content), 0));
        expectPoints(tour, c.points);
        EXPECT_EQ(tour.getRemarks(), c.remarks);
    }
}

// One damaged byte must not cost a point, nor every remark at the next save.
TEST(TourFiles, NulBytesLoseNoLine)
{
    using namespace std::string_literals;
    const struct {
        const char* name;
        std::string tour;
        std::string remarks;
    } cases[] = {
        {"NUL in a remark", "1,1,0\n2,2,0\n3,3,0\n", "first\nsec\0ond\nthird\n"s},
        {"NUL in a point",
         "1,1,0\n2,\0"
         "2,0\n3,3,0\n"s,
         "first\nsecond\nthird\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        const std::string path = tmp.write("Harbour.TXT", c.tour);
        tmp.write("Harbour.rmk", c.remarks);
        cl_Tour tour;
        ASSERT_TRUE(tour.load("Harbour", path, 1));
        expectPoints(tour, {{1, 1}, {2, 2}, {3, 3}});
        EXPECT_EQ(tour.getRemarks(), (Remarks{"first", "second", "third"}));

        std::string folder;
        ASSERT_TRUE(saveAs(tour, path, folder));
        EXPECT_EQ(readBytes(tmp.file("Harbour.rmk")), "first\r\nsecond\r\nthird\r\n");
    }
}

TEST(TourFiles, OversizedFileIsNamed)
{
    const struct {
        const char* name;
        const char* oversized;
        bool loads;
    } cases[] = {
        {"tour file", "Big.TXT", false},
        {"remarks file", "Big.rmk", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        const std::string path = tmp.write("Big.TXT", "1,1,0\n");
        tmp.write("Big.rmk", "remark\n");
        fs::resize_file(tmp.path() / c.oversized, kMaxTextFileBytes + 1); // sparse: costs no disk
        test::ScriptedAnswerer answerer;
        cl_Tour tour;

        EXPECT_EQ(tour.load("Big", path, 1), c.loads);
        EXPECT_EQ(tour.getRemarks(), Remarks(c.loads ? 1 : 0));
        ASSERT_EQ(answerer.shown.size(), 1u);
        EXPECT_EQ(answerer.shown[0].text, replacePlaceholder(strings::kFileTooLarge, tmp.file(c.oversized)));
        EXPECT_EQ(answerer.shown[0].type, kMessageOk);
    }
}

TEST(TourFiles, UnreadableTourFileLeavesTourUntouched)
{
    TempFolder tmp;
    cl_Tour tour("Kept", 0);
    tour.addPoint(cl_RefPoint());
    EXPECT_FALSE(tour.load("Other", tmp.file("Missing.TXT"), 2));
    EXPECT_EQ(tour.name() + tour.path() + std::to_string(tour.getPointCount() * 10 + tour.status()), "Kept10");
}

TEST(TourFiles, RemarksPathReplacesOnlyTheFileNameExtension)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/t/Harbour.TXT", "/t/Harbour.rmk"},
        {"/t/a.b.TXT", "/t/a.b.rmk"},
        {"/home/a.b/tours/Alps", "/home/a.b/tours/Alps.rmk"},
        {"Alps", "Alps.rmk"},
    };
    for (const auto& [tourPath, remarksPath] : cases)
        EXPECT_EQ(remarksPathFor(tourPath), remarksPath) << tourPath;
}

TEST(TourFiles, ChosenFileSetsFolderAndExtension)
{
    const struct {
        const char* subfolder;
        const char* chosen;
    } cases[] = {
        {"Alps", "Alps.TXT"},
        {"Old Alps.TXT copies", "Alps.TXT"}, // the file name occurs in the folder name
        {"trips.2024", "Alps"},              // no extension: the default one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subfolder);
        TempFolder tmp;
        const fs::path target = tmp.path() / c.subfolder;
        fs::create_directory(target);
        cl_Tour tour("Alps", 1);
        addPoints(tour, {{47.0, 11.0}});
        std::string folder;

        ASSERT_TRUE(saveAs(tour, toUtf8(target / c.chosen), folder));
        EXPECT_EQ(folder, withSeparator(target));
        EXPECT_EQ(readBytes(target / "Alps.TXT"), "47.0000000,11.0000000,0\r\n");
        EXPECT_EQ(readBytes(target / "Alps.rmk"), "\r\n");
    }
}

TEST(TourFiles, CancelledOrDeclinedSaveWritesNothing)
{
    TempFolder tmp;
    cl_Tour tour(std::string(254, 'a') + "\xc3\xa9", 1); // the last character straddles byte 255
    addPoints(tour, {{2.0, 2.0}});
    tour.getRemarks()[0] = "new";
    test::ScriptedSavePrompt prompt;
    test::ScriptedAnswerer answerer;
    std::string folder = "/somewhere/else/";
    EXPECT_FALSE(tour.save(folder)); // cancelled
    EXPECT_EQ(prompt.requests.at(0).initialName, std::string(254, 'a'));
    EXPECT_EQ(folder, "/somewhere/else/");
    EXPECT_TRUE(fs::is_empty(tmp.path()));

    const std::string tourPath = tmp.write("Harbour.TXT", "1,1,0\n");
    tmp.write("Harbour.rmk", "old\n");
    prompt.choices = {tourPath, tourPath};
    answerer.answers = {kAnswerNo, kAnswerYes};
    EXPECT_FALSE(tour.save(folder));
    ASSERT_EQ(answerer.shown.size(), 1u);
    EXPECT_EQ(answerer.shown[0].text, strings::loadString(strings::kFileExistsQuestion));
    EXPECT_EQ(answerer.shown[0].type, kMessageYesNo);
    EXPECT_EQ(folder, withSeparator(tmp.path()));
    EXPECT_EQ(readBytes(tourPath), "1,1,0\n");
    EXPECT_EQ(readBytes(tmp.file("Harbour.rmk")), "old\n");

    EXPECT_TRUE(tour.save(folder));
    EXPECT_EQ(readBytes(tourPath), "2.0000000,2.0000000,0\r\n");
    EXPECT_EQ(readBytes(tmp.file("Harbour.rmk")), "new\r\n");
}

std::vector<std::string> folderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        names.push_back(toUtf8(entry.path().filename()));
    std::ranges::sort(names);
    return names;
}

std::string contentOrFolder(const fs::path& file)
{
    return fs::is_directory(file) ? "<folder>" : readBytes(file);
}

#if defined(__unix__) || defined(__APPLE__)
// Writes stop once a file reaches `bytes`, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (bytes == 0)
            return;
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit lowered = previous_;
        lowered.rlim_cur = bytes;
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &lowered);
        active_ = true;
    }
    ~FileSizeLimit()
    {
        if (!active_)
            return;
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*handler_)(int) = SIG_DFL;
    bool active_ = false;
};

class RenameFault {
public:
    RenameFault(std::string extension, int error)
    {
        renameFaultForTesting = [extension, error](const fs::path& target) {
            return target.extension() == extension ? error : 0;
        };
    }
    ~RenameFault() { renameFaultForTesting = nullptr; }
    RenameFault(const RenameFault&) = delete;
    RenameFault& operator=(const RenameFault&) = delete;
};

// Whatever fails, the old pair stays whole, nothing is left behind, and the
// message names the file and the reason.
TEST(TourFiles, FailedSaveKeepsTheOldPairAndSaysWhy)
{
    const struct {
        const char* name;
        std::string_view folderInstead; // this file is a folder
        rlim_t fileSizeLimit;           // 0: none
        int remarksRenameFault;
        std::size_t remarkBytes;
        const char* failing;
        int reason;
    } cases[] = {
        {"tour file is a folder", "Alps.TXT", 0, 0, 1, "Alps.TXT", EISDIR},
        {"remarks file is a folder", "Alps.rmk", 0, 0, 1, "Alps.rmk", EISDIR},
        {"disk full at the tour", "", 16, 0, 1, "Alps.TXT", EFBIG},
        {"disk full at the remarks", "", 64, 0, 200, "Alps.rmk", EFBIG},
        {"second rename fails", "", 0, EIO, 1, "Alps.rmk", EIO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        const std::string tourPath = tmp.file("Alps.TXT");
        if (!c.folderInstead.empty())
            fs::create_directory(tmp.path() / c.folderInstead);
        if (!fs::exists(tourPath))
            tmp.write("Alps.TXT", "1,1,0\n");
        if (!fs::exists(tmp.path() / "Alps.rmk"))
            tmp.write("Alps.rmk", "old\n");
        cl_Tour tour("Alps", 1);
        addPoints(tour, {{2.0, 2.0}});
        tour.getRemarks()[0] = std::string(c.remarkBytes, 'r');
        test::ScriptedSavePrompt prompt;
        prompt.choices.push_back(tourPath);
        test::ScriptedAnswerer answerer;
        answerer.answers = {kAnswerYes};
        const RenameFault fault(".rmk", c.remarksRenameFault);
        std::string folder;

        bool saved = true;
        {
            const FileSizeLimit limit(c.fileSizeLimit);
            saved = tour.save(folder);
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(contentOrFolder(tourPath), c.folderInstead == "Alps.TXT" ? "<folder>" : "1,1,0\n");
        EXPECT_EQ(contentOrFolder(tmp.file("Alps.rmk")), c.folderInstead == "Alps.rmk" ? "<folder>" : "old\n");
        EXPECT_EQ(folderEntries(tmp.path()), (std::vector<std::string>{"Alps.TXT", "Alps.rmk"}));
        ASSERT_EQ(answerer.shown.size(), 2u); // the overwrite question, then why
        EXPECT_EQ(answerer.shown[1].text,
                  replacePlaceholders(strings::kFileNotSaved,
                                      {tmp.file(c.failing), std::generic_category().message(c.reason)}));
    }
}

// A kill between the two renames leaves one file new and the other's old
// version under a hidden name; the next save into the folder removes it.
TEST(TourFiles, KilledSaveLeavesNothingTheNextSaveKeeps)
{
    TempFolder tmp;
    const std::string tourPath = tmp.write("Alps.TXT", "1,1,0\n");
    tmp.write("Alps.rmk", "old\n");
    cl_Tour tour("Alps", 1);
    addPoints(tour, {{2.0, 2.0}});
    std::string folder;

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        renameFaultForTesting = [](const fs::path& target) {
            if (target.extension() == ".rmk")
                std::raise(SIGKILL);
            return 0;
        };
        (void)saveAs(tour, tourPath, folder);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    // The tour's old version and the staged remarks, both hidden.
    const std::vector<std::string> left = folderEntries(tmp.path());
    ASSERT_EQ(left.size(), 4u);
    for (const std::string& name : {left[0], left[1]})
        EXPECT_TRUE(name.starts_with(".Alps.") && isTemporaryFileName(name)) << name;
    EXPECT_EQ(readBytes(tmp.file("Alps.rmk")), "old\n");

    ASSERT_TRUE(saveAs(tour, tourPath, folder));
    EXPECT_EQ(folderEntries(tmp.path()), (std::vector<std::string>{"Alps.TXT", "Alps.rmk"}));
}
#endif

// Links stay links with their targets saved, and a name of 250 bytes, which
// leaves no room for a longer temporary name, saves too.
TEST(TourFiles, SavesThroughLinksAndUnderLongNames)
{
    const struct {
        const char* name;
        std::string stem;
        bool linked;
    } cases[] = {
        {"linked", "Alps", true},
        {"250-byte name", std::string(246, 'a'), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder tmp;
        const fs::path real = tmp.path() / "real";
        fs::create_directory(real);
        for (const char* extension : {".TXT", ".rmk"}) {
            const std::string file = c.stem + extension;
            if (!c.linked)
                continue;
            tmp.write("real/" + file, "old\n");
            fs::create_symlink(fs::path("real") / file, tmp.path() / file);
        }
        cl_Tour tour(c.stem, 1);
        addPoints(tour, {{2.0, 2.0}});
        tour.getRemarks()[0] = "new";
        std::string folder;

        ASSERT_TRUE(saveAs(tour, tmp.file(c.stem + ".TXT"), folder));
        const fs::path written = c.linked ? real : tmp.path();
        EXPECT_EQ(readBytes(written / (c.stem + ".TXT")), "2.0000000,2.0000000,0\r\n");
        EXPECT_EQ(readBytes(written / (c.stem + ".rmk")), "new\r\n");
        EXPECT_EQ(fs::is_symlink(tmp.path() / (c.stem + ".TXT")), c.linked);
        EXPECT_EQ(folderEntries(real).size(), c.linked ? 2u : 0u);
        EXPECT_EQ(folderEntries(tmp.path()).size(), 3u);
    }
}

TEST(TourFiles, TourFileNamedLikeRemarksIsNotReplacedByThem)
{
    TempFolder tmp;
    cl_Tour tour("Notes", 1);
    addPoints(tour, {{1.0, 1.0}});
    std::string folder;
    EXPECT_TRUE(saveAs(tour, tmp.file("Notes.rmk"), folder));
    EXPECT_EQ(readBytes(tmp.file("Notes.rmk")), "1.0000000,1.0000000,0\r\n");
}

} // namespace
} // namespace rovanta
