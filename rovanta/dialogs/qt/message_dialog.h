// The program's one message dialog: a frameless box with the text and Ok,
// or Yes and No. It answers every showMessage of the program.
#pragma once

#include "ports/message.h"

#include <QDialog>

#include <memory>

namespace Ui {
class MessageDialog;
}

namespace rovanta {

class MessageDialog : public QDialog, public MessageAnswerer {
    Q_OBJECT
public:
    explicit MessageDialog(QWidget* parent = nullptr);
    ~MessageDialog() override;

    /// Beeps, shows the text modally and returns 1 (Ok), 6 (Yes) or 7 (No).
    int answer(const std::string& text, MessageType type) override;

    /// Puts the text in and shows only the type's buttons; answer() does
    /// this before it runs the dialog.
    void prepare(const QString& text, MessageType type);
    /// The answer of the last closing: 1, 6 or 7 (7 for Escape); 0 before.
    int lastResult() const { return lastResult_; }

protected:
    void reject() override;

private:
    std::unique_ptr<Ui::MessageDialog> ui_;
    int lastResult_ = 0;
};

} // namespace rovanta
