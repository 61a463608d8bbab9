#include "dialogs/qt/properties_dialog.h"

#include "ui_properties_dialog.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace rovanta {
namespace {

// The columns of the body only line up in a fixed-pitch font; where Courier
// resolves to a proportional one, take the platform's fixed font.
QFont bodyFont()
{
    QFont font(QStringLiteral("Courier"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fallback.setPointSize(8);
    return fallback;
}

} // namespace

PropertiesDialog::PropertiesDialog(const QString& caption, const QString& body, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::PropertiesDialog>())
{
    ui_->setupUi(this);
    setWindowTitle(caption);
    ui_->bodyText->setFont(bodyFont());
    ui_->bodyText->setText(body);
}

PropertiesDialog::~PropertiesDialog() = default;

QString PropertiesDialog::body() const
{
    return ui_->bodyText->text();
}

} // namespace rovanta
