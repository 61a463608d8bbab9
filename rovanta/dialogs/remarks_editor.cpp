#include "dialogs/remarks_editor.h"

#include "common/text_convert.h"
#include "common/translation.h"

#include <algorithm>

namespace rovanta {
namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kMidGrey = 0x808080;

std::string promptFor(int row)
{
    return replacePlaceholder(
        localized("RemarksEditor", ROVANTA_TR_NOOP("RemarksEditor", "Input the remark for point %1 here!")),
        std::to_string(row));
}

} // namespace

RemarksEditor::RemarksEditor(const std::string& tourName, std::vector<std::string>& remarks)
    : caption_(localized("RemarksEditor", ROVANTA_TR_NOOP("RemarksEditor", "Remarks for Tour: ")) + tourName),
      remarks_(remarks)
{
    rows_.reserve(remarks.size());
    for (std::size_t i = 0; i < remarks.size(); ++i)
        rows_.push_back(Row{formatInt(static_cast<std::int64_t>(i), 3), remarks[i]});
}

RemarksEditor::ListColours RemarksEditor::listColours() const
{
    return fieldBeingEdited_ ? ListColours{kWhite, kMidGrey} : ListColours{kBlack, kWhite};
}

void RemarksEditor::setField(std::string text)
{
    field_ = std::move(text);
}

void RemarksEditor::clickRow(int row)
{
    selectedRow_ = row >= 0 && row < static_cast<int>(rows_.size()) ? row : kNoRow;
    if (selectedRow_ == kNoRow)
        return;
    fieldBeingEdited_ = false;
    const std::string& remark = rows_[static_cast<std::size_t>(selectedRow_)].remark;
    prompting_ = remark.empty();
    field_ = prompting_ ? promptFor(selectedRow_) : remark;
    editedRow_ = selectedRow_;
}

void RemarksEditor::fieldFocusIn()
{
    if (prompting_)
        field_.clear();
    fieldBeingEdited_ = true;
    prompting_ = false;
}

void RemarksEditor::fieldFocusOut()
{
    fieldBeingEdited_ = false;
}

void RemarksEditor::apply()
{
    fieldBeingEdited_ = false;
    if (!prompting_ && selectedRow_ != kNoRow)
        rows_[static_cast<std::size_t>(selectedRow_)].remark = field_;
    selectedRow_ = kNoRow;
}

void RemarksEditor::ok()
{
    // The tour may have fewer remarks than rows by now; never grow its list.
    const std::size_t count = std::min(remarks_.size(), rows_.size());
    for (std::size_t i = 0; i < count; ++i)
        remarks_[i] = rows_[i].remark;
}

} // namespace rovanta
