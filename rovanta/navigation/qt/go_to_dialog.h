// Asks for a position to show; a text it cannot read keeps it open and
// says which forms it reads.
#pragma once

#include <kalimark/kalimark.h>

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;

namespace rovanta {

class GoToDialog : public QDialog {
    Q_OBJECT
public:
    /// The field starts with `text`, selected, so the last position is at
    /// hand and typing replaces it.
    explicit GoToDialog(const QString& text, QWidget* parent = nullptr);

    QLineEdit& positionEdit() { return *edit_; }
    QString text() const;
    /// Empty until a text could not be read.
    QLabel& problem() { return *problem_; }
    /// The position read when OK closed the dialog.
    std::optional<cl_RefPoint> position() const { return position_; }

    /// Closes only on a text parsePosition reads.
    void accept() override;

private:
    QLineEdit* edit_ = nullptr;
    QLabel* problem_ = nullptr;
    std::optional<cl_RefPoint> position_;
};

} // namespace rovanta
