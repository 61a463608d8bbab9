// Fills a tree widget with the machine's folders: the root ("My Computer",
// "Arbeitsplatz" in German), the drives (and the home folder), and subfolders
// listed one level ahead of what is open, so that folders with subfolders
// show an expand button.
// Paths are kept as the file system's bytes; names become text only to be shown.
#pragma once

#include <QMetaObject>

#include <string>

class QTreeWidget;
class QTreeWidgetItem;

namespace rovanta {

class FolderTree {
public:
    /// Lists the subfolders ahead whenever the tree opens an item.
    explicit FolderTree(QTreeWidget& tree);
    ~FolderTree();
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;

    /// Builds the tree anew and opens it along `lastSelected` (a path with
    /// a trailing separator) as far as its folders still exist. Selects
    /// nothing.
    void build(const std::string& lastSelected);

    /// The full path of an item with a trailing separator; empty for the
    /// root and for a folder that cannot be entered.
    std::string pathOf(const QTreeWidgetItem* item) const;

    /// The tree is about to open `item`: its children get their subfolders.
    void expanding(QTreeWidgetItem* item);

    /// The selected folder shows the open folder icon, the one before it
    /// the closed one again; `item` may be null.
    void markSelected(QTreeWidgetItem* item);

    /// The root item, "My Computer" in the interface's language.
    QTreeWidgetItem* root() const;

private:
    void listSubfolders(QTreeWidgetItem* item);
    void openAlong(const std::string& path);

    QTreeWidget& tree_;
    QTreeWidgetItem* openItem_ = nullptr;
    QMetaObject::Connection expanded_;
};

} // namespace rovanta
