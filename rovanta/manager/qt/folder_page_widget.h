// The "Map/Tour Folder" page: the folder tree, the folder list as editable
// text and "Add". The tree and the edit box forward to cl_Folder.
#pragma once

#include "manager/cl_folder.h"

#include <QWidget>

#include <memory>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace Ui {
class FolderPage;
}

namespace rovanta {

class FolderTree;

class FolderPageWidget : public QWidget {
    Q_OBJECT
public:
    FolderPageWidget(cl_Folder& page, QWidget* parent = nullptr);
    ~FolderPageWidget() override;

    QTreeWidget& tree();
    QLineEdit& folderEdit();
    QPushButton& addButton();
    FolderTree& folderTree();

    /// First shown in a run of the sheet: the tree is built anew and opened
    /// along the folder last applied; "Add" becomes the default button.
    void open();
    /// Shows the page's folder text again.
    void reload();

signals:
    /// "Add" changed the page's state (the sheet updates the action button).
    void changed();

private:
    void add();

    cl_Folder& page_;
    std::unique_ptr<Ui::FolderPage> ui_;
    std::unique_ptr<FolderTree> folderTree_;
};

} // namespace rovanta
