#include "dialogs/qt/about_dialog.h"

#include "common/qt/icons.h"
#include "common/version.h"
#include "ui_about_dialog.h"

namespace rovanta {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>())
{
    ui_->setupUi(this);
    ui_->iconLabel->setPixmap(icons::program().pixmap(32, 32));
    ui_->versionText->setText(tr("Rovanta Version %1").arg(QString::fromLatin1(kVersion)));
}

AboutDialog::~AboutDialog() = default;

} // namespace rovanta
