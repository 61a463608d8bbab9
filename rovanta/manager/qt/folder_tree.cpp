#include "manager/qt/folder_tree.h"

#include "common/file_names.h"
#include "common/qt/display.h"
#include "common/qt/icons.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <vector>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace rovanta {
namespace {
namespace fs = std::filesystem;

// Each item below the root keeps its full path (bytes), ending in a separator.
constexpr int kPathRole = Qt::UserRole;

std::string withSeparator(std::string path)
{
    if (path.empty() || !isPathSeparator(path.back()))
        path += kNativeSeparator;
    return path;
}

std::string storedPath(const QTreeWidgetItem* item)
{
    const QByteArray path = item->data(0, kPathRole).toByteArray();
    return std::string(path.constData(), static_cast<std::size_t>(path.size()));
}

bool startsWithPath(std::string_view path, std::string_view place)
{
#ifdef Q_OS_WIN
    return path.size() >= place.size() && equalsIgnoreCase(path.substr(0, place.size()), place);
#else
    return path.starts_with(place);
#endif
}

// The home folder as the system names it: a name that is not UTF-8 would
// not survive QDir's text.
std::string homeFolder()
{
#if defined(Q_OS_UNIX)
    std::string home = qgetenv("HOME").toStdString();
    while (home.size() > 1 && home.back() == '/')
        home.pop_back();
    if (!home.empty())
        return home;
#endif
    return QFile::encodeName(QDir::toNativeSeparators(QDir::homePath())).toStdString();
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

QTreeWidgetItem* addPlace(QTreeWidgetItem* root, const QString& text, const std::string& path)
{
    auto* item = new QTreeWidgetItem(root, {text});
    item->setIcon(0, icons::drive());
    item->setData(0, kPathRole, QByteArray::fromStdString(path));
    return item;
}

QTreeWidgetItem* childWithPath(const QTreeWidgetItem* item, const std::string& path)
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (storedPath(item->child(i)) == path)
            return item->child(i);
    }
    return nullptr;
}

bool isEnterable(const std::string& path)
{
    std::error_code error;
    if (!fs::is_directory(fs::path(path), error))
        return false;
#if defined(Q_OS_UNIX)
    return ::access(path.c_str(), R_OK | X_OK) == 0;
#else
    return true;
#endif
}

struct Subfolder {
    QString text;
    std::string name;
};

// Only the names, and a type the listing usually carries: a folder of
// thousands must not keep the tree busy.
std::vector<Subfolder> subfoldersOf(const std::string& path)
{
    std::vector<Subfolder> found;
    std::error_code error;
    for (fs::directory_iterator it(fs::path(path), error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name.starts_with('.') || !it->is_directory(typeError))
            continue;
        found.push_back({displayText(name), std::move(name)});
    }
    std::ranges::sort(found, [](const Subfolder& a, const Subfolder& b) {
        const int order = a.text.compare(b.text, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return found;
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

void FolderTree::build(const std::string& lastSelected)
{
    openItem_ = nullptr;
    tree_.clear();
    auto* top = new QTreeWidgetItem(&tree_, {QCoreApplication::translate("FolderTree", "My Computer")});
    top->setIcon(0, icons::drive());
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo& drive : drives)
        addPlace(top, driveText(drive),
                 withSeparator(QFile::encodeName(QDir::toNativeSeparators(drive.absolutePath())).toStdString()));
    const std::string home = homeFolder();
    addPlace(top, displayText(home), withSeparator(home));
    for (int i = 0; i < top->childCount(); ++i)
        listSubfolders(top->child(i));
    top->setExpanded(true);
    openAlong(lastSelected);
}

void FolderTree::openAlong(const std::string& path)
{
    QTreeWidgetItem* item = nullptr;
    for (int i = 0; i < root()->childCount() && !item; ++i) {
        if (startsWithPath(path, storedPath(root()->child(i))))
            item = root()->child(i);
    }
    if (!item)
        return;
    // Expanding lists the subfolders ahead (itemExpanded).
    item->setExpanded(true);
    // Only a name followed by a separator is a folder of the path.
    std::string name;
    for (const char c : std::string_view(path).substr(storedPath(item).size())) {
        if (c != '/' && c != '\\') {
            name += c;
            continue;
        }
        QTreeWidgetItem* next = childWithPath(item, storedPath(item) + name + kNativeSeparator);
        if (!next)
            break;
        item = next;
        item->setExpanded(true);
        name.clear();
    }
    tree_.scrollToItem(item);
}

std::string FolderTree::pathOf(const QTreeWidgetItem* item) const
{
    if (!item || !item->parent())
        return {};
    const std::string path = storedPath(item);
    return isEnterable(path) ? path : std::string();
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
    const std::string path = storedPath(item);
    const QIcon closed = icons::folderClosed();
    QList<QTreeWidgetItem*> children;
    for (const Subfolder& folder : subfoldersOf(path)) {
        auto* child = new QTreeWidgetItem({folder.text});
        child->setIcon(0, closed);
        child->setData(0, kPathRole, QByteArray::fromStdString(path + folder.name + kNativeSeparator));
        children.append(child);
    }
    item->addChildren(children);
}

} // namespace rovanta
