#include "dialogs/qt/rename_dialog.h"

#include "ui_rename_dialog.h"

#include <QValidator>

#include <algorithm>

namespace rovanta {

namespace {
// A NUL or line break in a name would break the file line it is kept in.
bool hasControlCharacter(const QString& text)
{
    return std::ranges::any_of(text, [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Typing or pasting a control character is refused outright.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& /*position*/) const override
    {
        return hasControlCharacter(input) ? Invalid : Acceptable;
    }
};
} // namespace

RenameDialog::RenameDialog(const QString& name, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::RenameDialog>())
{
    ui_->setupUi(this);
    ui_->oldNameEdit->setText(name);
    ui_->newNameEdit->setValidator(new NameValidator(ui_->newNameEdit));
    // A name read from a file may hold one; it must be edited out first.
    connect(ui_->newNameEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { ui_->okButton->setEnabled(!hasControlCharacter(text)); });
    ui_->newNameEdit->setText(name);
    ui_->newNameEdit->selectAll();
    ui_->newNameEdit->setFocus();
}

RenameDialog::~RenameDialog() = default;

QString RenameDialog::newName() const
{
    return ui_->newNameEdit->text();
}

void RenameDialog::accept()
{
    if (!hasControlCharacter(newName()))
        QDialog::accept();
}

} // namespace rovanta
