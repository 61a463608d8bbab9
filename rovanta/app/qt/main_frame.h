// The main window: menus, toolbar and status bar around the map view. The
// frame's own commands (About, Exit, the bars) are handled here; the
// view's go to the view.
#pragma once

#include "manager/settings_access.h"

#include <memory>

#include <QMainWindow>

class QLabel;
class QToolBar;

namespace rovanta {

class CommandActions;
class CRovantaDoc;
class CRovantaView;
class HelpController;
class LockKeyPanes;
class RecentMenu;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    /// Builds the window and the view; the view's manager loads `settings`,
    /// which must outlive the frame.
    explicit CMainFrame(SettingsAccess& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CRovantaView& view() { return *view_; }
    CommandActions& commands() { return *commands_; }
    QToolBar& toolBar() { return *toolBar_; }
    LockKeyPanes& lockKeys() { return *lockKeys_; }
    /// The message pane's idle text.
    QLabel& idleMessage() { return *idle_; }
    /// The position under the cursor, in the table's format and in UTM,
    /// and the scale.
    QLabel& positionPane() { return *position_; }
    QLabel& utmPane() { return *utm_; }
    QLabel& scalePane() { return *scale_; }

    /// Routes a command: help's, the frame's own, else the view's.
    void onCommand(int id);
    /// Shows a notice in the status bar's message pane; an empty text
    /// brings back the idle message.
    void showNotice(const QString& text);

    HelpController& help() { return *help_; }
    RecentMenu& recentMenu() { return *recent_; }

signals:
    /// Every command the frame routed, for help contexts and tests.
    void commandRouted(int id);

protected:
    /// An unsaved tour is offered for saving first.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildStatusBar();

    CommandActions* commands_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* idle_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* utm_ = nullptr;
    QLabel* scale_ = nullptr;
    LockKeyPanes* lockKeys_ = nullptr;
    std::unique_ptr<CRovantaDoc> doc_;
    CRovantaView* view_ = nullptr;
    HelpController* help_ = nullptr;
    RecentMenu* recent_ = nullptr;
};

} // namespace rovanta
