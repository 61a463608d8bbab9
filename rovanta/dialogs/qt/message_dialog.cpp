#include "dialogs/qt/message_dialog.h"

#include "common/qt/display.h"
#include "ui_message_dialog.h"

#include <QApplication>

namespace rovanta {

MessageDialog::MessageDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::MessageDialog>())
{
    ui_->setupUi(this);
    // Without a caption bar the box still needs an edge against the window below.
    setStyleSheet(QStringLiteral("QDialog { border: 1px solid palette(shadow); }"));
    // Yes, Ok and No keep their places whichever of them are shown.
    for (QPushButton* button : {ui_->yesButton, ui_->okButton, ui_->noButton}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }
    connect(ui_->okButton, &QPushButton::clicked, this, [this] { done(kAnswerOk); });
    connect(ui_->yesButton, &QPushButton::clicked, this, [this] { done(kAnswerYes); });
    connect(ui_->noButton, &QPushButton::clicked, this, [this] { done(kAnswerNo); });
    connect(ui_->cancelButton, &QPushButton::clicked, this, &MessageDialog::reject);
    // Every way out records an answer, so a later caller never sees an
    // earlier one; anything but Ok or Yes counts as No.
    connect(this, &QDialog::finished, this,
            [this](int result) { lastResult_ = result == kAnswerOk || result == kAnswerYes ? result : kAnswerNo; });
    prepare(QString(), kMessageOk);
}

MessageDialog::~MessageDialog() = default;

int MessageDialog::answer(const std::string& text, MessageType type)
{
    QApplication::beep();
    prepare(displayText(text), type);
    // The box has no owner (it may speak before the main window exists), so
    // it centres itself on the window the user is looking at.
    if (const QWidget* over = QApplication::activeWindow(); over != nullptr && over != this)
        move(over->frameGeometry().center() - rect().center());
    exec();
    return lastResult_;
}

void MessageDialog::prepare(const QString& text, MessageType type)
{
    ui_->messageText->setText(text);
    const bool question = type == kMessageYesNo;
    const auto show = [](QPushButton* button, bool shown) {
        button->setVisible(shown);
        button->setEnabled(shown);
    };
    show(ui_->yesButton, question);
    show(ui_->okButton, !question);
    show(ui_->noButton, question);
    show(ui_->cancelButton, false);
    // A question is never answered by Enter alone; a notice is.
    ui_->okButton->setDefault(!question);
    if (question)
        ui_->noButton->setFocus();
    else
        ui_->okButton->setFocus();
    adjustSize();
}

void MessageDialog::reject()
{
    done(kAnswerNo);
}

} // namespace rovanta
