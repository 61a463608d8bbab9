#include "dialogs/qt/remarks_dialog.h"

#include "common/qt/display.h"
#include "resources/help_ids.h"
#include "ui_remarks_dialog.h"

#include <QColor>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPalette>

namespace rovanta {
namespace {

QColor rgb(std::uint32_t value)
{
    return QColor(static_cast<QRgb>(value));
}

} // namespace

QFont fixedsysListFont()
{
    QFont font(QStringLiteral("Fixedsys"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

RemarksDialog::RemarksDialog(const std::string& tourName, std::vector<std::string>& remarks, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::RemarksDialog>()), editor_(tourName, remarks)
{
    ui_->setupUi(this);
    setProperty(help::kContextProperty, help::resourceContext(help::kRemarksDialog));
    setWindowTitle(displayText(editor_.caption()));

    QTreeWidget* list = ui_->remarkList;
    list->setFont(fixedsysListFont());
    list->setColumnWidth(0, 50);
    list->setColumnWidth(1, 500);
    list->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    for (std::size_t i = 0; i < editor_.rows().size(); ++i) {
        auto* item = new QTreeWidgetItem(list);
        item->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    }
    // Clicks on empty space count too, so watch the viewport, not the items.
    list->viewport()->installEventFilter(this);
    ui_->remarkField->installEventFilter(this);

    connect(ui_->remarkField, &QLineEdit::textEdited, this,
            [this](const QString& text) { editor_.setField(coreText(text)); });
    connect(ui_->applyButton, &QPushButton::clicked, this, &RemarksDialog::apply);
    connect(ui_->okButton, &QPushButton::clicked, this, &RemarksDialog::accept);
    showState();
}

RemarksDialog::~RemarksDialog() = default;

void RemarksDialog::accept()
{
    editor_.ok();
    QDialog::accept();
}

bool RemarksDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui_->remarkField) {
        if (event->type() == QEvent::FocusIn) {
            editor_.fieldFocusIn();
            showState();
        } else if (event->type() == QEvent::FocusOut) {
            editor_.fieldFocusOut();
            showState();
        }
    } else if (watched == ui_->remarkList->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const QModelIndex index = ui_->remarkList->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        editor_.clickRow(index.isValid() ? index.row() : RemarksEditor::kNoRow);
        showState();
    }
    return QDialog::eventFilter(watched, event);
}

void RemarksDialog::apply()
{
    editor_.apply();
    showState();
}

void RemarksDialog::showState()
{
    QTreeWidget* list = ui_->remarkList;
    const auto& rows = editor_.rows();
    for (int i = 0; i < list->topLevelItemCount() && i < static_cast<int>(rows.size()); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        item->setText(0, QString::fromStdString(rows[static_cast<std::size_t>(i)].number));
        item->setText(1, displayText(rows[static_cast<std::size_t>(i)].remark));
    }

    const RemarksEditor::ListColours colours = editor_.listColours();
    QPalette palette = list->palette();
    palette.setColor(QPalette::Text, rgb(colours.text));
    palette.setColor(QPalette::Base, rgb(colours.background));
    list->setPalette(palette);

    const QString field = displayText(editor_.field());
    if (ui_->remarkField->text() != field)
        ui_->remarkField->setText(field);
}

} // namespace rovanta
