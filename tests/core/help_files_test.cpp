// The main window's help: which file and language a start finds, the
// search dialog for a missing file, and the topic of each help context.
#include "help/help_files.h"
#include "help/help_topics.h"
#include "memory_settings.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace rovanta {
namespace {

using test::MemorySettings;
using test::ScriptedAnswerer;
using test::ScriptedOpenPrompt;
using test::TempFolder;

constexpr int kEnglish = help::kEnglish;
constexpr int kGerman = help::kGerman;

class HelpFilesTest : public ::testing::Test {
protected:
    /// The program's folder holds the help files as installed.
    HelpFilesTest()
    {
        program_.write("RovantaENG.chm", "ITSF");
        program_.write("RovantaDEU.chm", "ITSF");
    }

    HelpPlaces places() const { return {{program_.path()}, program_.file("Rovanta.chm")}; }

    void store(const std::string& file, int id)
    {
        settings_.writeString("Settings", "HelpFile", file);
        settings_.writeInt("Settings", "HelpId", id);
    }

    TempFolder program_;
    TempFolder elsewhere_;
    MemorySettings settings_;
    ScriptedOpenPrompt prompt_;
    ScriptedAnswerer messages_;
};

struct StartCase {
    const char* name;
    const char* storedFile; ///< nullptr: no value; "@" stands for the program's folder
    int storedId;           ///< 0: no value
    int language;
    const char* foundFile;   ///< in the program's folder
    int interface = kGerman; ///< the interface's language, the default
};

class HelpStart : public HelpFilesTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(HelpStart, FindsTheFileOfTheLanguageWithoutAsking)
{
    const StartCase& c = GetParam();
    if (c.storedFile != nullptr) {
        std::string file = c.storedFile;
        if (file.starts_with('@'))
            file = program_.path().string() + file.substr(1);
        settings_.writeString("Settings", "HelpFile", file);
    }
    if (c.storedId != 0)
        settings_.writeInt("Settings", "HelpId", c.storedId);

    const HelpFiles help(settings_, places(), c.interface);

    EXPECT_EQ(help.language(), c.language);
    EXPECT_EQ(help.helpFilePath(), program_.file(c.foundFile));
    EXPECT_EQ(help.appHelpPath(), program_.file(c.foundFile));
    EXPECT_TRUE(prompt_.requests.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Stored, HelpStart,
    ::testing::Values(
        // "ROVANTADEU.CHM" alone matches German and is found beside the
        // program, whatever the spelling on disk and the working directory.
        StartCase{"FirstStart", nullptr, 0, kGerman, "RovantaDEU.chm"},
        StartCase{"EnglishInProgramFolder", "@/RovantaENG.chm", kEnglish, kEnglish, "RovantaENG.chm"},
        StartCase{"EnglishStoredInUpperCase", "@/ROVANTAENG.CHM", kEnglish, kEnglish, "RovantaENG.chm"},
        // The name does not match the language: the language's own file
        // is looked for beside the program.
        StartCase{"EnglishFileWithGermanId", "@/rovantaeng.chm", kGerman, kGerman, "RovantaDEU.chm"},
        StartCase{"GermanFileWithEnglishId", "ROVANTADEU.CHM", kEnglish, kEnglish, "RovantaENG.chm"},
        StartCase{"UnknownIdIsGerman", "ROVANTADEU.CHM", 5, kGerman, "RovantaDEU.chm"},
        StartCase{"UnknownIdWithEnglishFile", "RovantaENG.chm", 5, kGerman, "RovantaDEU.chm"},
        // A program moved since: the stored folder is gone, the file is
        // found beside the program.
        StartCase{"StaleFolder", "/no/such/folder/RovantaENG.chm", kEnglish, kEnglish, "RovantaENG.chm"},
        StartCase{"WindowsPath", "C:\\Programme\\Rovanta\\RovantaDEU.chm", kGerman, kGerman, "RovantaDEU.chm"},
        // Without a stored choice the help follows the interface; a stored
        // one wins.
        StartCase{"FirstStartEnglishInterface", nullptr, 0, kEnglish, "RovantaENG.chm", kEnglish},
        StartCase{"UnknownIdEnglishInterface", "ROVANTADEU.CHM", 5, kEnglish, "RovantaENG.chm", kEnglish},
        StartCase{"StoredGermanEnglishInterface", "@/RovantaDEU.chm", kGerman, kGerman, "RovantaDEU.chm", kEnglish}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpFilesTest, AStoredFileElsewhereIsKept)
{
    const std::string mine = elsewhere_.write("RovantaENG.chm", "ITSF");
    store(mine, kEnglish);

    const HelpFiles help(settings_, places());

    EXPECT_EQ(help.appHelpPath(), mine);
    EXPECT_TRUE(prompt_.requests.empty());
}

TEST_F(HelpFilesTest, AMissingFileOpensTheSearchDialogUntilAFileExists)
{
    std::filesystem::remove(program_.path() / "RovantaDEU.chm");
    const std::string chosen = elsewhere_.write("Hilfe.chm", "ITSF");
    prompt_.choices = {elsewhere_.file("Tippfehler.chm"), chosen};

    const HelpFiles help(settings_, places());

    ASSERT_EQ(prompt_.requests.size(), 2u);
    const OpenFileRequest& request = prompt_.requests.front();
    EXPECT_EQ(request.title, "Search Help File");
    EXPECT_EQ(request.filter, "Help File (*.chm) | *.chm||");
    EXPECT_EQ(request.defaultExtension, ".chm");
    EXPECT_EQ(request.initialName, "ROVANTADEU.CHM");
    EXPECT_EQ(request.initialFolder, program_.path().string());
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown.front().text, "File not found!");
    EXPECT_EQ(messages_.shown.front().type, kMessageOk);
    EXPECT_EQ(help.helpFilePath(), chosen);
    EXPECT_EQ(help.appHelpPath(), chosen);
}

TEST_F(HelpFilesTest, TheSearchStartsInTheDeepestFolderThatStillExists)
{
    store((elsewhere_.path() / "gone" / "deeper" / "RovantaENG.chm").string(), kEnglish);
    std::filesystem::remove(program_.path() / "RovantaENG.chm");

    const HelpFiles help(settings_, places());

    ASSERT_EQ(prompt_.requests.size(), 1u);
    EXPECT_EQ(prompt_.requests.front().initialFolder, elsewhere_.path().string() + "/");
    EXPECT_EQ(prompt_.requests.front().initialName, "RovantaENG.chm");
}

TEST_F(HelpFilesTest, ACancelledSearchLeavesTheDefaultAndStoresTheUnfoundPath)
{
    std::filesystem::remove(program_.path() / "RovantaENG.chm");
    store("RovantaDEU.chm", kGerman);
    HelpFiles help(settings_, places());
    ASSERT_EQ(help.appHelpPath(), program_.file("RovantaDEU.chm"));

    EXPECT_FALSE(help.selectHelpLanguage(kEnglish));

    EXPECT_EQ(prompt_.requests.size(), 1u);
    EXPECT_EQ(help.language(), kEnglish);
    EXPECT_EQ(help.helpFilePath(), program_.file("RovantaENG.chm"));
    EXPECT_EQ(help.appHelpPath(), program_.file("RovantaDEU.chm"));
    help.save();
    EXPECT_EQ(settings_.readString("Settings", "HelpFile", ""), program_.file("RovantaENG.chm"));
    EXPECT_EQ(settings_.readInt("Settings", "HelpId", 0), kEnglish);
}

TEST_F(HelpFilesTest, NothingFoundAtAllKeepsTheProgramsDefault)
{
    std::filesystem::remove(program_.path() / "RovantaDEU.chm");

    const HelpFiles help(settings_, places());

    EXPECT_EQ(help.appHelpPath(), program_.file("Rovanta.chm"));
    EXPECT_EQ(help.helpFilePath(), "ROVANTADEU.CHM");
}

TEST_F(HelpFilesTest, SwitchingLanguageLooksBesideTheCurrentFile)
{
    const std::string english = elsewhere_.write("RovantaENG.chm", "ITSF");
    const std::string german = elsewhere_.write("RovantaDEU.chm", "ITSF");
    store(english, kEnglish);
    HelpFiles help(settings_, places());

    EXPECT_TRUE(help.selectHelpLanguage(kGerman));

    EXPECT_EQ(help.appHelpPath(), german);
    EXPECT_EQ(help.topicFor(0), german);
    help.save();
    EXPECT_EQ(settings_.readString("Settings", "HelpFile", ""), german);
    EXPECT_EQ(settings_.readInt("Settings", "HelpId", 0), kGerman);
}

struct TopicCase {
    const char* name;
    int context;
    bool popupOpen;
    const char* page; ///< "" for the help file alone
};

class HelpTopic : public ::testing::TestWithParam<TopicCase> {};

TEST_P(HelpTopic, MapsTheContextToItsPage)
{
    const TopicCase& c = GetParam();
    const std::string file = "/opt/rovanta/RovantaENG.chm";
    const std::string expected = *c.page == '\0' ? file : file + "::/HTML/Eng/" + c.page;
    EXPECT_EQ(help::topicFor(file, kEnglish, c.context, c.popupOpen), expected);
    const std::string german = *c.page == '\0' ? file : file + "::/HTML/Ger/" + c.page;
    EXPECT_EQ(help::topicFor(file, kGerman, c.context, c.popupOpen), german);
}

// Contexts: command id + 65536, dialog or window resource id + 131072.
INSTANTIATE_TEST_SUITE_P(Contexts, HelpTopic,
                         ::testing::Values(TopicCase{"Manager", 98307, false, "Manager.htm"},
                                           TopicCase{"NewTour", 98328, false, "TourMenu.htm"},
                                           TopicCase{"SaveTour", 98329, false, "TourMenu.htm"},
                                           TopicCase{"TourDistancesCommand", 98339, false, "TourMenu.htm"},
                                           TopicCase{"PrintMapCommand", 98392, false, "PrintMap.htm"},
                                           TopicCase{"UndoCommand", 98390, false, "TourMenu.htm"},
                                           TopicCase{"RedoCommand", 98391, false, "TourMenu.htm"},
                                           TopicCase{"ClearTourHasNoPage", 98347, false, ""},
                                           TopicCase{"MainWindowWithPopupOpen", 131200, true, "TourPopup.htm"},
                                           TopicCase{"MainWindowAlone", 131200, false, ""},
                                           TopicCase{"MapsPage", 131203, false, "Maps.htm"},
                                           TopicCase{"ToursPage", 131204, false, "Tours.htm"},
                                           TopicCase{"FoldersPage", 131205, false, "Folders.htm"},
                                           TopicCase{"DistancesDialog", 131237, false, "TourDistances.htm"},
                                           TopicCase{"RemarksDialog", 131240, true, "TourDistances.htm"},
                                           TopicCase{"HelpTopics", 0, true, ""},
                                           TopicCase{"AboutCommand", 57664 + 65536, false, ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HelpFilesTest, ThePopupFlagChoosesThePopupPage)
{
    HelpFiles help(settings_, places());
    help.setPopupOpen(true);
    EXPECT_EQ(help.topicFor(131200), program_.file("RovantaDEU.chm") + "::/HTML/Ger/TourPopup.htm");
    help.setPopupOpen(false);
    EXPECT_EQ(help.topicFor(131200), program_.file("RovantaDEU.chm"));
}

} // namespace
} // namespace rovanta
