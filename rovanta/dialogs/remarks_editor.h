// The remarks dialog without its widgets: the rows it shows, the remark
// field and what clicks, focus changes and the buttons do to them. Typed
// text reaches a row only through Apply, and the rows reach the tour only
// through OK.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rovanta {

class RemarksEditor {
public:
    static constexpr int kNoRow = -1;

    /// One list row per entry of the tour's remarks.
    struct Row {
        std::string number; ///< 0-based index, "%3d"
        std::string remark;
    };

    /// Colours of the whole list as 0xRRGGBB.
    struct ListColours {
        std::uint32_t text;
        std::uint32_t background;
    };

    /// Opens over the tour's remarks; `remarks` must outlive the editor and
    /// is written only by ok().
    RemarksEditor(const std::string& tourName, std::vector<std::string>& remarks);

    const std::string& caption() const { return caption_; }
    const std::vector<Row>& rows() const { return rows_; }
    int editedRow() const { return editedRow_; }
    int selectedRow() const { return selectedRow_; }
    /// The remark field's text; the prompt while prompting() holds.
    const std::string& field() const { return field_; }
    bool prompting() const { return prompting_; }
    /// While the field is being edited the list turns white on grey.
    bool fieldBeingEdited() const { return fieldBeingEdited_; }
    ListColours listColours() const;

    /// The user changed the field's text.
    void setField(std::string text);

    /// A click in the list, on `row` or on no row (kNoRow).
    void clickRow(int row);
    void fieldFocusIn();
    void fieldFocusOut();
    /// The field's text becomes the selected row's remark, unless it is the
    /// prompt; afterwards no row is selected.
    void apply();
    /// Writes row i into remark i for every remark the tour has.
    void ok();

private:
    std::string caption_;
    std::vector<std::string>& remarks_;
    std::vector<Row> rows_;
    std::string field_;
    bool prompting_ = true;
    bool fieldBeingEdited_ = false;
    int editedRow_ = kNoRow;
    int selectedRow_ = kNoRow;
};

} // namespace rovanta
