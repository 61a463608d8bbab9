// Asks for a new name of a map or a tour; the old name is shown read-only.
// Control characters cannot be entered.
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class RenameDialog;
}

namespace rovanta {

class RenameDialog : public QDialog {
    Q_OBJECT
public:
    /// Both fields start with `name`.
    explicit RenameDialog(const QString& name, QWidget* parent = nullptr);
    ~RenameDialog() override;

    /// The new-name field as it was when the dialog closed.
    QString newName() const;

    /// Refused while the new name holds a control character.
    void accept() override;

private:
    std::unique_ptr<Ui::RenameDialog> ui_;
};

} // namespace rovanta
