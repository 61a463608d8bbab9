#include "app/qt/rovanta_app.h"

#include "app/qt/main_frame.h"
#include "app/qt/qt_settings_access.h"
#include "app/qt/quit_signals.h"
#include "common/qt/icons.h"
#include "dialogs/qt/dialog_prompts.h"
#include "dialogs/qt/message_dialog.h"
#include "ports/message.h"
#include "view/qt/rovanta_view.h"
#include "view/qt/tour_recovery_guard.h"

#include <QTimer>

namespace rovanta {

CRovantaApp::CRovantaApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Quelder Applications"));
    setApplicationName(QStringLiteral("Rovanta"));
    setApplicationVersion(QStringLiteral("1.1.4"));
    setWindowIcon(icons::program());
}

// The frame goes first: its view's manager writes the settings, and the
// dialogs must not answer for a program that is gone.
CRovantaApp::~CRovantaApp()
{
    quitOnSignals_.reset();
    frame_.reset();
    // The registered folders, maps and tours would otherwise be lost unseen.
    if (settings_ && !settings_->flush())
        showMessage("The settings could not be saved to " + settings_->location().toStdString() + "!", kMessageOk);
    InstalledSaveFilePrompt::install(nullptr);
    InstalledOpenFilePrompt::install(nullptr);
    InstalledRenamePrompt::install(nullptr);
    InstalledMessageAnswerer::install(nullptr);
}

bool CRovantaApp::initInstance()
{
    settings_ = std::make_unique<QtSettingsAccess>();
    message_ = std::make_unique<MessageDialog>();
    InstalledMessageAnswerer::install(message_.get());
    // The frame may ask for its help file while it is being built.
    openFile_ = std::make_unique<FileDialogOpenPrompt>();
    InstalledOpenFilePrompt::install(openFile_.get());
    frame_ = std::make_unique<CMainFrame>(*settings_);
    rename_ = std::make_unique<DialogRenamePrompt>(frame_.get());
    saveFile_ = std::make_unique<FileDialogSavePrompt>(frame_.get());
    InstalledRenamePrompt::install(rename_.get());
    InstalledSaveFilePrompt::install(saveFile_.get());
    frame_->view().startRecovery(TourRecoveryGuard::defaultFolder());
    quitOnSignals_ =
        std::make_unique<QuitOnSignals>([this] { frame_->view().recovery()->keeper().keepForNextStart(); });
    frame_->show();
    // Asked once the window is up and the event loop runs.
    QTimer::singleShot(0, frame_.get(), [this] { frame_->view().recovery()->offerLeftTours(); });
    return true;
}

} // namespace rovanta
