#include "navigation/qt/go_to_dialog.h"

#include "common/qt/display.h"
#include "navigation/position_parse.h"
#include "resources/string_table.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace rovanta {

namespace {
// Wide enough for the longest form, degrees, minutes and seconds.
constexpr int kFieldWidth = 300;
} // namespace

GoToDialog::GoToDialog(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(displayText(strings::tr(strings::kGoToPositionTitle)));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(displayText(strings::tr(strings::kGoToPositionPrompt)), this);
    edit_ = new QLineEdit(text, this);
    edit_->setMinimumWidth(kFieldWidth);
    prompt->setBuddy(edit_);
    problem_ = new QLabel(this);
    problem_->setWordWrap(true);
    problem_->setTextFormat(Qt::PlainText);
    problem_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GoToDialog::reject);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(problem_);
    layout->addWidget(buttons);
    edit_->selectAll();
    edit_->setFocus();
}

QString GoToDialog::text() const
{
    return edit_->text();
}

void GoToDialog::accept()
{
    position_ = parsePosition(edit_->text().toStdString());
    if (!position_) {
        problem_->setText(displayText(strings::tr(strings::kPositionNotUnderstood)));
        problem_->show();
        edit_->setFocus();
        return;
    }
    QDialog::accept();
}

} // namespace rovanta
