// Turns the user's help gestures into help contexts: F1 anywhere (the
// highlighted menu item, else the active dialog or window), and the
// context-help mode of Shift+F1 and the toolbar's help button, where the
// next click or command picks the context.
#pragma once

#include <QObject>

class QWidget;

namespace rovanta {

class HelpRequests : public QObject {
    Q_OBJECT
public:
    /// Watches the whole application while it lives.
    explicit HelpRequests(QObject* parent = nullptr);
    ~HelpRequests() override;

    /// The context F1 asks for now.
    int currentContext() const;

    void enterContextHelpMode();
    bool inContextHelpMode() const { return contextMode_; }
    /// In context-help mode a command is not run: it ends the mode and its
    /// help is requested. False (nothing done) outside the mode.
    bool takeCommand(int id);

    /// The help context of a widget: the nearest one up its parents, 0 for
    /// none.
    static int contextOf(const QWidget* widget);

signals:
    void helpRequested(int context);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leaveContextHelpMode();
    /// Closes the open menus, whose context was taken, then asks for help.
    void requestClosingMenus(int context);
    bool clickInContextHelpMode(QWidget* target);

    bool contextMode_ = false;
    bool swallowRelease_ = false;
};

} // namespace rovanta
