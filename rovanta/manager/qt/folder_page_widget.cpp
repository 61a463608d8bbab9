#include "manager/qt/folder_page_widget.h"

#include "common/qt/display.h"
#include "manager/qt/folder_tree.h"
#include "ui_folder_page.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <map>

namespace rovanta {

namespace {
// The box shows the folder list as text, which loses the bytes of a name
// that is not UTF-8; a folder the user left as it was keeps its bytes.
std::string typedFolders(const QString& typed, const std::string& before)
{
    std::map<QString, std::string> shown;
    for (std::size_t start = 0; start <= before.size();) {
        const std::size_t end = std::min(before.find(';', start), before.size());
        const std::string folder = before.substr(start, end - start);
        shown.emplace(displayText(folder), folder);
        start = end + 1;
    }
    std::string folders;
    const QStringList parts = typed.split(QLatin1Char(';'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            folders += ';';
        const auto known = shown.find(parts[i]);
        folders += known != shown.end() ? known->second : coreText(parts[i]);
    }
    return folders;
}
} // namespace

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
            [this](const QString& text) { page_.setFolderText(typedFolders(text, page_.folderText())); });
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
