// The main window's help commands: the language items, Help Topics, F1 and
// the context-help mode, each ending in the help window on the page of its
// help context.
#pragma once

#include "manager/settings_access.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWidget;

namespace rovanta {

class CommandActions;
class HelpFiles;
class HelpRequests;
class HelpViewer;
class HelpWindow;

class HelpController : public QObject {
    Q_OBJECT
public:
    /// Reads the help settings and finds the help file beside the program
    /// (may ask the user); `frame` owns the help window and this object.
    HelpController(SettingsAccess& settings, CommandActions& commands, QWidget& frame);
    /// Writes the help settings.
    ~HelpController() override;

    /// Handles the help commands, and any command in context-help mode;
    /// false for other commands.
    bool onCommand(int id);
    /// Shows the page of a help context; without a help file, says so
    /// through notice().
    void showHelp(int context);

    /// The map view's popup menu opened or closed.
    void setPopupOpen(bool open);

    HelpFiles& files() { return *files_; }
    HelpRequests& requests() { return *requests_; }
    /// The help window, made on the first help request; nullptr before.
    HelpWindow* window() const;
    /// Shows help through `viewer` instead of the help window; for tests.
    void setViewer(HelpViewer* viewer) { viewer_ = viewer; }

signals:
    /// A text for the status bar.
    void notice(const QString& text);

private:
    void selectHelpLanguage(int language);
    void noticeMissingFile();
    /// The radio mark of the help menu on the help language.
    void markLanguage();
    /// The help window, above a modal dialog that would otherwise block it.
    HelpWindow& windowAbove(QWidget* modal);

    CommandActions& commands_;
    QWidget& frame_;
    std::unique_ptr<HelpFiles> files_;
    HelpRequests* requests_ = nullptr;
    HelpViewer* viewer_ = nullptr;
    QPointer<HelpWindow> window_;
};

} // namespace rovanta
