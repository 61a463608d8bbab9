// Every command of the main window in one place: the menu bar in its
// order, the toolbar, the accelerators, their texts, prompts, tooltips and
// icons. Each action carries its command id; triggering any of them emits
// triggered(id).
#pragma once

#include "editing/menu_states.h"

#include <QObject>

#include <map>

class QAction;
class QMainWindow;
class QMenuBar;
class QToolBar;

namespace rovanta {

class CommandActions : public QObject, public MenuStates {
    Q_OBJECT
public:
    explicit CommandActions(QObject* parent = nullptr);

    /// Fills the window's menu bar, its toolbar (which must have the
    /// window as parent) and the window-wide accelerators.
    void install(QMainWindow& window, QToolBar& toolBar);

    /// The menu item of a command, or nullptr.
    QAction* menuAction(int id) const;
    /// The toolbar button of a command, or nullptr. Toolbar buttons stay
    /// enabled; each command checks for itself whether it applies.
    QAction* toolAction(int id) const;
    /// The accelerator of a command that has no menu item (F1, Shift+F1,
    /// Ctrl+N), or nullptr.
    QAction* acceleratorAction(int id) const;

    void setMenuEnabled(int id, bool enabled) override;
    bool isMenuEnabled(int id) const override;
    void setMenuText(int id, std::string_view text) override;

signals:
    void triggered(int id);

private:
    QAction* makeAction(int id, const QString& text, QObject* owner);

    std::map<int, QAction*> menu_;
    std::map<int, QAction*> tool_;
    std::map<int, QAction*> accelerators_;
};

} // namespace rovanta
