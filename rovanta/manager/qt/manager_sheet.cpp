#include "manager/qt/manager_sheet.h"

#include "manager/qt/folder_page_widget.h"
#include "manager/qt/list_page_widget.h"
#include "resources/command_ids.h"
#include "resources/help_ids.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rovanta {

ManagerSheet::ManagerSheet(cl_Manager& manager, QWidget* parent) : QDialog(parent), manager_(manager)
{
    setWindowTitle(tr("Manager"));
    setModal(true);

    tabs_ = new QTabWidget(this);
    maps_ = new ListPageWidget(manager_.mapList(), QAbstractItemView::SingleSelection);
    tours_ = new ListPageWidget(manager_.tourList(), QAbstractItemView::ExtendedSelection);
    folders_ = new FolderPageWidget(manager_.folderPage());
    tabs_->addTab(maps_, tr("Maps"));
    tabs_->addTab(tours_, tr("Tours"));
    tabs_->addTab(folders_, tr("Map/Tour Folder"));
    maps_->setProperty(help::kContextProperty, help::resourceContext(help::kMapsPage));
    tours_->setProperty(help::kContextProperty, help::resourceContext(help::kToursPage));
    folders_->setProperty(help::kContextProperty, help::resourceContext(help::kFoldersPage));
    // F1 on the sheet's own buttons asks about the page on show.
    setProperty(help::kContextProperty, maps_->property(help::kContextProperty));

    ok_ = new QPushButton(tr("OK"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    // Where a standard Apply button would be; the pages set its caption.
    action_ = new QPushButton(this);
    action_->setProperty(commands::kIdProperty, commands::kAction);
    action_->setEnabled(false);
    ok_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    buttons->addWidget(action_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &ManagerSheet::accept);
    connect(cancel_, &QPushButton::clicked, this, &ManagerSheet::reject);
    connect(action_, &QPushButton::clicked, this, &ManagerSheet::runAction);
    connect(maps_, &ListPageWidget::changed, this, &ManagerSheet::showActionButton);
    connect(tours_, &ListPageWidget::changed, this, &ManagerSheet::showActionButton);
    connect(folders_, &FolderPageWidget::changed, this, &ManagerSheet::showActionButton);
    // Connected after the tabs are added: the first tab is opened below.
    connect(tabs_, &QTabWidget::currentChanged, this, &ManagerSheet::pageChanged);

    resize(460, 440);
    manager_.beginSheet();
    maps_->reload();
    showActionButton();
}

ManagerSheet::~ManagerSheet() = default;

void ManagerSheet::accept()
{
    if (!manager_.confirmOk())
        return;
    manager_.finishWithOk();
    QDialog::accept();
}

void ManagerSheet::reject()
{
    manager_.finishWithCancel();
    QDialog::reject();
}

void ManagerSheet::pageChanged(int index)
{
    setProperty(help::kContextProperty, tabs_->widget(index)->property(help::kContextProperty));
    switch (index) {
    case 0:
        manager_.showPage(SheetPage::kMaps);
        maps_->reload();
        break;
    case 1:
        manager_.showPage(SheetPage::kTours);
        tours_->reload();
        break;
    case 2:
        manager_.showPage(SheetPage::kFolders);
        if (!foldersOpen_) {
            folders_->open();
            foldersOpen_ = true;
        }
        folders_->reload();
        break;
    default:
        return;
    }
    // Enter adds a folder on the folder page and means OK elsewhere.
    if (index == 2)
        folders_->addButton().setDefault(true);
    else
        ok_->setDefault(true);
    showActionButton();
}

void ManagerSheet::runAction()
{
    switch (tabs_->currentIndex()) {
    case 0:
        manager_.mapList().search();
        maps_->reload();
        break;
    case 1:
        manager_.tourList().search();
        tours_->reload();
        break;
    case 2:
        manager_.folderPage().apply();
        folders_->reload();
        break;
    default:
        break;
    }
    showActionButton();
}

void ManagerSheet::showActionButton()
{
    const ActionButton& button = manager_.actionButton();
    action_->setText(tr(button.caption.c_str()));
    action_->setEnabled(button.enabled);
}

} // namespace rovanta
