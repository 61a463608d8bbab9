// The maps page or the tours page: a list of names with state icons. A
// click toggles an entry; the right button opens "Show", "Rename",
// "Delete", "Properties", and on the tours page "Export GPX…". Every event goes to the page's logic, and the
// list is redrawn from its entries afterwards.
#pragma once

#include "manager/list_page.h"

#include <QAbstractItemView>
#include <QWidget>

class QListWidget;
class QMenu;

namespace rovanta {

class ListPageWidget : public QWidget {
    Q_OBJECT
public:
    /// `selection` is single for maps, extended for tours.
    ListPageWidget(ListPage& page, QAbstractItemView::SelectionMode selection, QWidget* parent = nullptr);
    ~ListPageWidget() override;

    QListWidget& list() { return *list_; }
    /// The popup menu; its actions carry the command ids 32772..32777.
    QMenu& popup() { return *popup_; }

    /// Redraws the list from the page's entries.
    void reload();
    /// Runs a popup command (Show, Rename, Delete, Properties, Export GPX) on a row;
    /// nothing for a row that is not listed.
    void runCommand(int id, int row);

signals:
    /// The page's state changed (the sheet updates the action button).
    void changed();

private:
    void clicked(int row);
    void openPopup(const QPoint& position);

    ListPage& page_;
    QListWidget* list_ = nullptr;
    QMenu* popup_ = nullptr;
    int popupRow_ = -1;
};

} // namespace rovanta
