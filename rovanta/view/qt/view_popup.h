// The map view's popup menu, and the menu states of the view: the popup's
// own items here, every other item on the main window's menus.
#pragma once

#include "editing/menu_states.h"

#include <QPoint>

#include <map>

class QAction;
class QMenu;
class QWidget;

namespace rovanta {

class ViewPopup : public MenuStates {
public:
    /// The popup belongs to `owner`; `mainMenus` must outlive it.
    ViewPopup(MenuStates& mainMenus, QWidget* owner);

    /// Shows the popup at the screen position until the user chooses or
    /// dismisses it; the chosen command's id, or 0.
    int exec(QPoint global);
    QMenu& menu() { return *menu_; }

    void setMenuEnabled(int id, bool enabled) override;
    bool isMenuEnabled(int id) const override;
    void setMenuText(int id, std::string_view text) override;

private:
    MenuStates& mainMenus_;
    QMenu* menu_;
    std::map<int, QAction*> items_;
};

} // namespace rovanta
