#include "manager/folder_page_widget.h"

#include "manager/folder_tree.h"
#include "ui_folder_page.h"
#include "view/display.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace rovanta {

FolderPageWidget::FolderPageWidget(cl_Folder& page, QWidget* parent)
    : QWidget(parent), page_(page), ui_(std::make_unique<Ui::FolderPage>())
{
    ui_->setupUi(this);
    folderTree_ = std::make_unique<FolderTree>(*ui_->folderTree);

    connect(ui_->folderTree, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = ui_->folderTree->selectedItems();
        QTreeWidgetItem* item = selected.isEmpty() ? nullptr : selected.first();
        folderTree_->markSelected(item);
        page_.setCurrentPath(folderTree_->pathOf(item));
    });
    connect(ui_->folderTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item != folderTree_->root())
            add();
    });
    connect(ui_->folderEdit, &QLineEdit::textEdited, this,
            [this](const QString& text) { page_.setFolderText(coreText(text)); });
    connect(ui_->addButton, &QPushButton::clicked, this, &FolderPageWidget::add);
}

FolderPageWidget::~FolderPageWidget() = default;

QTreeWidget& FolderPageWidget::tree()
{
    return *ui_->folderTree;
}

QLineEdit& FolderPageWidget::folderEdit()
{
    return *ui_->folderEdit;
}

QPushButton& FolderPageWidget::addButton()
{
    return *ui_->addButton;
}

FolderTree& FolderPageWidget::folderTree()
{
    return *folderTree_;
}

void FolderPageWidget::open()
{
    folderTree_->build(page_.lastSelectedFolder());
    // Enter in the edit box adds rather than closing the sheet.
    ui_->addButton->setDefault(true);
    reload();
}

void FolderPageWidget::reload()
{
    ui_->folderEdit->setText(displayText(page_.folderText()));
}

// The page already holds every edit as typed; reading the box back here
// would re-encode a path that is not UTF-8 and lose it.
void FolderPageWidget::add()
{
    page_.add();
    reload();
    emit changed();
}

} // namespace rovanta
