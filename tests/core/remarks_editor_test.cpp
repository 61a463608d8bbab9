// What reaches a row and what reaches the tour in the remarks dialog.
#include "dialogs/remarks_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rovanta {
namespace {

using Remarks = std::vector<std::string>;

// The user clicks `row`, clicks into the field and types `text`.
void type(RemarksEditor& editor, int row, const std::string& text)
{
    editor.clickRow(row);
    editor.fieldFocusIn();
    editor.setField(text);
}

TEST(RemarksEditor, PromptStandsInForAnEmptyRemarkUntilFocus)
{
    Remarks remarks{"Hut", "", ""};
    RemarksEditor editor("Alps", remarks);
    EXPECT_EQ(editor.rows()[2].number, "  2");
    editor.clickRow(2);
    EXPECT_EQ(editor.field(), "Input the remark for point 2 here!");
    EXPECT_EQ(editor.editedRow(), 2);
    editor.apply(); // the prompt is never a remark
    EXPECT_EQ(editor.rows()[2].remark, "");

    editor.clickRow(2);
    editor.fieldFocusIn();
    EXPECT_EQ(editor.field(), "");
    EXPECT_EQ(editor.listColours().text, 0xFFFFFFu);
    EXPECT_EQ(editor.listColours().background, 0x808080u);
    editor.fieldFocusOut();
    EXPECT_EQ(editor.listColours().background, 0xFFFFFFu);

    // A remark shows as itself; a click on no row leaves the field alone.
    editor.clickRow(0);
    EXPECT_EQ(editor.field(), "Hut");
    editor.clickRow(RemarksEditor::kNoRow);
    EXPECT_EQ(editor.field(), "Hut");
    EXPECT_EQ(editor.editedRow(), 0);
}

TEST(RemarksEditor, TypedTextReachesTheTourOnlyThroughApplyAndOk)
{
    Remarks remarks{"Hut", "Lake"};
    {
        RemarksEditor editor("Alps", remarks);
        type(editor, 1, "Pond");
        editor.ok();
    }
    EXPECT_EQ(remarks, (Remarks{"Hut", "Lake"}));
    {
        // Closed with Cancel: nothing is written.
        RemarksEditor editor("Alps", remarks);
        type(editor, 1, "Pond");
        editor.fieldFocusOut();
        editor.apply();
        EXPECT_EQ(editor.rows()[1].remark, "Pond");
    }
    EXPECT_EQ(remarks, (Remarks{"Hut", "Lake"}));

    RemarksEditor editor("Alps", remarks);
    type(editor, 1, "Pond");
    editor.apply();
    editor.ok();
    EXPECT_EQ(remarks, (Remarks{"Hut", "Pond"}));
}

TEST(RemarksEditor, ApplyNeedsAFreshClick)
{
    Remarks remarks{"Hut", "Lake"};
    RemarksEditor editor("Alps", remarks);
    type(editor, 0, "Cabin");
    editor.apply();
    editor.setField("Chalet");
    editor.apply();
    EXPECT_EQ(editor.rows()[0].remark, "Cabin");

    // Back into the field after Apply: the applied remark goes to the tour.
    editor.fieldFocusIn();
    editor.fieldFocusOut();
    editor.ok();
    EXPECT_EQ(remarks, (Remarks{"Cabin", "Lake"}));
}

TEST(RemarksEditor, OkWritesOnlyTheRemarksTheTourHas)
{
    Remarks remarks{"a", "b", "c"};
    RemarksEditor editor("Alps", remarks);
    type(editor, 0, "A");
    editor.apply();
    remarks.pop_back();
    editor.ok();
    EXPECT_EQ(remarks, (Remarks{"A", "b"}));
}

} // namespace
} // namespace rovanta
