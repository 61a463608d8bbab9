#include "dialogs/rename_dialog.h"

#include "ui_rename_dialog.h"

namespace rovanta {

RenameDialog::RenameDialog(const QString& name, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::RenameDialog>())
{
    ui_->setupUi(this);
    ui_->oldNameEdit->setText(name);
    ui_->newNameEdit->setText(name);
    ui_->newNameEdit->selectAll();
    ui_->newNameEdit->setFocus();
}

RenameDialog::~RenameDialog() = default;

QString RenameDialog::newName() const
{
    return ui_->newNameEdit->text();
}

} // namespace rovanta
