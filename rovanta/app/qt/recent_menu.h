// The File menu's "Recent Tours" submenu: one item per recent tour, each
// triggering its command id like every other menu item.
#pragma once

#include <QObject>

#include <string>
#include <vector>

class QMenu;

namespace rovanta {

class CommandActions;

class RecentMenu : public QObject {
    Q_OBJECT
public:
    /// Goes into the File menu after "Open Tour…", which must be installed.
    explicit RecentMenu(CommandActions& commands);

    /// The items anew, newest first; an empty list disables the submenu.
    void setPaths(const std::vector<std::string>& paths);
    QMenu& menu() { return *menu_; }

private:
    CommandActions& commands_;
    QMenu* menu_ = nullptr;
};

} // namespace rovanta
