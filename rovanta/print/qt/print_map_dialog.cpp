#include "print/qt/print_map_dialog.h"

#include "common/qt/display.h"
#include "navigation/map_scale.h"
#include "ports/message.h"
#include "print/print_scale.h"
#include "resources/string_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>

namespace rovanta {
namespace {

constexpr double kMaxOverlap = 50.0; ///< mm
constexpr int kDefaultScaleRow = 1;  ///< 1:25 000

} // namespace

PrintMapDialog::PrintMapDialog(int sheetScale, QWidget* parent)
    : QDialog(parent), sheetScale_(sheetScale), scale_(new QComboBox(this)), overlap_(new QDoubleSpinBox(this)),
      grid_(new QCheckBox(tr("UTM grid"), this))
{
    setWindowTitle(tr("Print Map"));
    scale_->setObjectName(QStringLiteral("scale"));
    scale_->setEditable(true);
    scale_->setInsertPolicy(QComboBox::NoInsert);
    for (const int offered : kOfferedScales)
        scale_->addItem(displayText(exactScaleText(offered)), offered);
    scale_->addItem(tr("as the sheet (%1)").arg(displayText(exactScaleText(sheetScale))), sheetScale);
    scale_->setCurrentIndex(kDefaultScaleRow);
    overlap_->setObjectName(QStringLiteral("overlap"));
    overlap_->setRange(0.0, kMaxOverlap);
    overlap_->setDecimals(0);
    overlap_->setSuffix(QStringLiteral(" mm"));
    overlap_->setValue(kDefaultOverlap);
    grid_->setObjectName(QStringLiteral("grid"));
    grid_->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("Scale:"), scale_);
    form->addRow(tr("Overlap:"), overlap_);
    form->addRow(QString(), grid_);
    form->addRow(buttons);
}

void PrintMapDialog::accept()
{
    // A row picked as offered keeps its number; anything else is read as typed.
    const int row = scale_->findText(scale_->currentText());
    std::optional<int> denominator;
    if (row >= 0)
        denominator = scale_->itemData(row).toInt();
    else
        denominator = parseScale(coreText(scale_->currentText()));
    if (!denominator) {
        showMessage(strings::tr(strings::kScaleNotUnderstood), kMessageOk);
        scale_->lineEdit()->selectAll();
        scale_->setFocus();
        return;
    }
    choice_ = {*denominator, overlap_->value(), grid_->isChecked()};
    QDialog::accept();
}

std::optional<MapPrintChoice> askMapPrintChoice(int sheetScale, QWidget* parent)
{
    PrintMapDialog dialog(sheetScale, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace rovanta
