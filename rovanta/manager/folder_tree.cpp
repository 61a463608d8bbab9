#include "manager/folder_tree.h"

#include "view/icons.h"

#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QTreeWidget>

namespace rovanta {
namespace {
// Each item below the root keeps its full path, ending in a separator.
constexpr int kPathRole = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QString withSeparator(const QString& path)
{
    QString native = QDir::toNativeSeparators(path);
    if (!native.endsWith(QDir::separator()))
        native += QDir::separator();
    return native;
}

QString driveText(const QFileInfo& drive)
{
#ifdef Q_OS_WIN
    return drive.absolutePath().left(1).toUpper() + u':';
#else
    return QDir::toNativeSeparators(drive.absolutePath());
#endif
}

// Root and drives keep the drive icon; only folders open and close.
bool isFolder(const QTreeWidgetItem* item)
{
    return item && item->parent() && item->parent()->parent();
}

QTreeWidgetItem* addPlace(QTreeWidgetItem* root, const QString& text, const QString& path)
{
    auto* item = new QTreeWidgetItem(root, {text});
    item->setIcon(0, icons::drive());
    item->setData(0, kPathRole, path);
    return item;
}

QTreeWidgetItem* childNamed(const QTreeWidgetItem* item, const QString& name)
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (item->child(i)->text(0) == name)
            return item->child(i);
    }
    return nullptr;
}
} // namespace

FolderTree::FolderTree(QTreeWidget& tree) : tree_(tree)
{
    expanded_ = QObject::connect(&tree_, &QTreeWidget::itemExpanded, &tree_,
                                 [this](QTreeWidgetItem* item) { expanding(item); });
}

FolderTree::~FolderTree()
{
    QObject::disconnect(expanded_);
}

void FolderTree::build(const QString& lastSelected)
{
    openItem_ = nullptr;
    tree_.clear();
    auto* top = new QTreeWidgetItem(&tree_, {QStringLiteral("Arbeitsplatz")});
    top->setIcon(0, icons::drive());
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo& drive : drives)
        addPlace(top, driveText(drive), withSeparator(drive.absolutePath()));
    addPlace(top, QDir::toNativeSeparators(QDir::homePath()), withSeparator(QDir::homePath()));
    for (int i = 0; i < top->childCount(); ++i)
        listSubfolders(top->child(i));
    top->setExpanded(true);
    openAlong(QDir::toNativeSeparators(lastSelected));
}

void FolderTree::openAlong(const QString& path)
{
    QTreeWidgetItem* item = nullptr;
    for (int i = 0; i < root()->childCount() && !item; ++i) {
        if (path.startsWith(root()->child(i)->data(0, kPathRole).toString(), kPathCase))
            item = root()->child(i);
    }
    if (!item)
        return;
    // Expanding lists the subfolders ahead (itemExpanded).
    item->setExpanded(true);
    // Only a name followed by a separator is a folder of the path.
    QString name;
    for (const QChar c : QStringView(path).mid(item->data(0, kPathRole).toString().size())) {
        if (c != u'/' && c != u'\\') {
            name += c;
            continue;
        }
        QTreeWidgetItem* next = childNamed(item, name);
        if (!next)
            break;
        item = next;
        item->setExpanded(true);
        name.clear();
    }
    tree_.scrollToItem(item);
}

QString FolderTree::pathOf(const QTreeWidgetItem* item) const
{
    if (!item || !item->parent())
        return {};
    const QString path = item->data(0, kPathRole).toString();
    const QFileInfo info(path);
    bool enterable = info.exists() && info.isDir() && info.isReadable();
#ifndef Q_OS_WIN
    enterable = enterable && info.isExecutable();
#endif
    return enterable ? path : QString();
}

void FolderTree::expanding(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        listSubfolders(item->child(i));
}

void FolderTree::markSelected(QTreeWidgetItem* item)
{
    if (item == openItem_)
        return;
    if (isFolder(openItem_))
        openItem_->setIcon(0, icons::folderClosed());
    openItem_ = item;
    if (isFolder(item))
        item->setIcon(0, icons::folderOpen());
}

QTreeWidgetItem* FolderTree::root() const
{
    return tree_.topLevelItem(0);
}

void FolderTree::listSubfolders(QTreeWidgetItem* item)
{
    if (item->childCount() > 0)
        return;
    const QString path = item->data(0, kPathRole).toString();
    // Only the names: a folder of thousands must not keep the tree busy.
    const QStringList names = QDir(path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    const QIcon closed = icons::folderClosed();
    QList<QTreeWidgetItem*> children;
    children.reserve(names.size());
    for (const QString& name : names) {
        if (name.startsWith(u'.'))
            continue;
        auto* child = new QTreeWidgetItem({name});
        child->setIcon(0, closed);
        child->setData(0, kPathRole, path + name + QDir::separator());
        children.append(child);
    }
    item->addChildren(children);
}

} // namespace rovanta
