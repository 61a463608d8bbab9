// The modal "Manager" sheet: the pages "Maps", "Tours" and "Map/Tour
// Folder", OK, "Cancel" and the action button the pages share. It shows
// the manager's page state and forwards every event to it.
#pragma once

#include "manager/cl_manager.h"

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace rovanta {

class FolderPageWidget;
class ListPageWidget;

class ManagerSheet : public QDialog {
    Q_OBJECT
public:
    /// Begins a run of the sheet on the maps page.
    explicit ManagerSheet(cl_Manager& manager, QWidget* parent = nullptr);
    ~ManagerSheet() override;

    QTabWidget& tabs() { return *tabs_; }
    QPushButton& okButton() { return *ok_; }
    QPushButton& cancelButton() { return *cancel_; }
    /// "Search" or "Apply", as the active page sets it.
    QPushButton& actionButton() { return *action_; }
    ListPageWidget& mapsPage() { return *maps_; }
    ListPageWidget& toursPage() { return *tours_; }
    FolderPageWidget& foldersPage() { return *folders_; }

    /// OK: the manager finds the current tour's map, then the shown pages
    /// commit; the sheet stays open when an unsaved tour it would drop was
    /// not saved as asked.
    void accept() override;
    /// Cancel, Escape or the close box: nothing reaches the store, and the
    /// view's tour stays.
    void reject() override;

private:
    void pageChanged(int index);
    void runAction();
    void showActionButton();

    cl_Manager& manager_;
    QTabWidget* tabs_ = nullptr;
    ListPageWidget* maps_ = nullptr;
    ListPageWidget* tours_ = nullptr;
    FolderPageWidget* folders_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* action_ = nullptr;
    bool foldersOpen_ = false;
};

} // namespace rovanta
