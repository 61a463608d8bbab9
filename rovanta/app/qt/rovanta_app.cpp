#include "app/qt/rovanta_app.h"

#include "app/qt/main_frame.h"
#include "app/qt/qt_settings_access.h"
#include "app/qt/quit_signals.h"
#include "common/qt/display.h"
#include "common/qt/icons.h"
#include "common/qt/translations.h"
#include "common/version.h"
#include "dialogs/qt/dialog_prompts.h"
#include "dialogs/qt/message_dialog.h"
#include "manager/sample_folder.h"
#include "ports/message.h"
#include "view/qt/rovanta_view.h"
#include "view/qt/tour_recovery_guard.h"

#include <QDir>
#include <QTimer>

namespace rovanta {

CRovantaApp::CRovantaApp(int& argc, char** argv) : QApplication(argc, argv)
{
    setOrganizationName(QStringLiteral("Quelder Applications"));
    setApplicationName(QStringLiteral("Rovanta"));
    setApplicationVersion(QString::fromLatin1(kVersion));
    setWindowIcon(icons::program());
    const QString translation = installTranslations(QLocale::system(), translationFolders());
    qCDebug(startLog) << "translation:" << (translation.isEmpty() ? QStringLiteral("none") : translation);
}

// The frame goes first: its view's manager writes the settings, and the
// dialogs must not answer for a program that is gone.
CRovantaApp::~CRovantaApp()
{
    quitOnSignals_.reset();
    frame_.reset();
    // The registered folders, maps and tours would otherwise be lost unseen.
    if (settings_ && !settings_->flush())
        showMessage(tr("The settings could not be saved to %1!").arg(settings_->location()).toStdString(), kMessageOk);
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
    QTimer::singleShot(0, frame_.get(), [this] {
        frame_->view().recovery()->offerLeftTours();
        offerSampleMaps();
    });
    return true;
}

void CRovantaApp::offerSampleMaps()
{
    CRovantaView& view = frame_->view();
    const QString folder = dataFolder() + QStringLiteral("/sample_maps");
    if (!view.manager().folderList().empty() || !QDir(folder).exists())
        return;
    qCDebug(startLog) << "offering the sample maps in" << folder;
    if (showMessage(tr("Show the sample maps?").toStdString(), kMessageYesNo) != kAnswerYes)
        return;
    registerSampleFolder(view.manager(), fileSystemPath(folder), "Sample West");
    view.tourCommands().managerClosed(true);
}

} // namespace rovanta
