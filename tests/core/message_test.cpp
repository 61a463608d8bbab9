// The message facility and the string table behind it.
#include "ports/message.h"
#include "resources/string_table.h"
#include "scripted_dialogs.h"

#include <gtest/gtest.h>

namespace {
using namespace rovanta;

TEST(Message, StringResourcesAndLiteralsReachTheAnswerer)
{
    test::ScriptedAnswerer answerer;
    answerer.answers = {kAnswerYes, kAnswerNo};
    EXPECT_EQ(showMessage(strings::kTourNotSavedQuestion, kMessageYesNo), kAnswerYes);
    EXPECT_EQ(showMessage(strings::kFileExistsQuestion, kMessageYesNo), kAnswerNo);
    EXPECT_EQ(showMessage(strings::kKeywordNotFound, kMessageOk), kAnswerOk);
    EXPECT_EQ(showMessage(std::string(strings::kNoSelectedMapFound), kMessageOk), kAnswerOk);
    ASSERT_EQ(answerer.shown.size(), 4u);
    EXPECT_EQ(answerer.shown[0].text, "Last Tour is not saved! Would you save it?");
    EXPECT_EQ(answerer.shown[0].type, kMessageYesNo);
    EXPECT_EQ(answerer.shown[1].text, "The File allready exists! Continue?");
    EXPECT_EQ(answerer.shown[2].text, "Keyword  not found!") << "%1 becomes nothing";
    EXPECT_EQ(answerer.shown[3].text, "No selected Map found!");
    EXPECT_EQ(strings::loadString(1), "") << "an unknown id has no text";
}

TEST(Message, WithoutAnAnswererNothingIsConfirmed)
{
    EXPECT_EQ(showMessage(strings::kDeleteMapQuestion, kMessageYesNo), kAnswerNo);
    EXPECT_EQ(showMessage("notice", kMessageOk), kAnswerOk);
    {
        test::ScriptedAnswerer outer;
        {
            test::ScriptedAnswerer inner;
            showMessage("to inner", kMessageOk);
            EXPECT_EQ(inner.shown.size(), 1u);
        }
        showMessage("to outer", kMessageOk);
        EXPECT_EQ(outer.shown.size(), 1u);
    }
}

} // namespace
