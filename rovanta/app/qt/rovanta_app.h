// The application: the settings key, the dialogs every part of the program
// shares, and the one main window.
#pragma once

#include <QApplication>

#include <memory>

namespace rovanta {

class CMainFrame;
class DialogRenamePrompt;
class FileDialogOpenPrompt;
class FileDialogSavePrompt;
class MessageDialog;
class QtSettingsAccess;
class QuitOnSignals;

class CRovantaApp : public QApplication {
    Q_OBJECT
public:
    CRovantaApp(int& argc, char** argv);
    ~CRovantaApp() override;

    /// Start-up: settings, the shared dialogs, the main window. False when
    /// the window cannot be made.
    [[nodiscard]] bool initInstance();

    CMainFrame* mainFrame() const { return frame_.get(); }

private:
    /// With no folder registered yet, offers the installed sample maps.
    void offerSampleMaps();

    std::unique_ptr<QtSettingsAccess> settings_;
    std::unique_ptr<MessageDialog> message_;
    std::unique_ptr<DialogRenamePrompt> rename_;
    std::unique_ptr<FileDialogSavePrompt> saveFile_;
    std::unique_ptr<FileDialogOpenPrompt> openFile_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<QuitOnSignals> quitOnSignals_;
};

} // namespace rovanta
