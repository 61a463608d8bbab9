#include "app/qt/help_controller.h"

#include "app/qt/command_actions.h"
#include "common/file_names.h"
#include "common/qt/display.h"
#include "common/qt/translations.h"
#include "help/help_files.h"
#include "help/qt/help_requests.h"
#include "help/qt/help_window.h"
#include "resources/command_ids.h"
#include "resources/help_ids.h"
#include "resources/string_table.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QMenu>

namespace rovanta {
namespace {

/// The help files live beside the program (a build) or in the data folder
/// of its prefix (installed), wherever it is started from.
HelpPlaces programPlaces()
{
    const QFileInfo program(QCoreApplication::applicationFilePath());
    HelpPlaces places;
    places.folders.push_back(toFsPath(fileSystemPath(program.absolutePath())));
    places.folders.push_back(toFsPath(fileSystemPath(dataFolder())));
    places.defaultPath =
        fileSystemPath(program.absolutePath() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".chm"));
    return places;
}

} // namespace

HelpController::HelpController(SettingsAccess& settings, CommandActions& commands, QWidget& frame)
    : QObject(&frame), commands_(commands), frame_(frame),
      files_(
          std::make_unique<HelpFiles>(settings, programPlaces(), germanInterface() ? help::kGerman : help::kEnglish)),
      requests_(new HelpRequests(this))
{
    qCDebug(startLog) << "help file:" << displayText(files_->appHelpPath());
    connect(requests_, &HelpRequests::helpRequested, this, &HelpController::showHelp);

    auto* languages = new QActionGroup(this);
    for (const int id : {commands::kEnglishHelp, commands::kGermanHelp}) {
        QAction* item = commands_.menuAction(id);
        item->setCheckable(true);
        languages->addAction(item);
    }
    for (QObject* container : commands_.menuAction(commands::kEnglishHelp)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(container))
            connect(menu, &QMenu::aboutToShow, this, &HelpController::markLanguage);
    }
    markLanguage();
}

HelpController::~HelpController()
{
    files_->save();
}

bool HelpController::onCommand(int id)
{
    using namespace commands;
    if (requests_->takeCommand(id))
        return true;
    switch (id) {
    case kHelp:
        showHelp(requests_->currentContext());
        return true;
    case kContextHelp:
        requests_->enterContextHelpMode();
        return true;
    case kHelpTopics:
        showHelp(0);
        return true;
    case kEnglishHelp:
    case kGermanHelp:
        selectHelpLanguage(id);
        return true;
    default:
        return false;
    }
}

HelpWindow* HelpController::window() const
{
    return window_.data();
}

void HelpController::setPopupOpen(bool open)
{
    files_->setPopupOpen(open);
}

void HelpController::selectHelpLanguage(int language)
{
    commands_.menuAction(language)->setChecked(true);
    if (files_->selectHelpLanguage(language))
        showHelp(0);
    else
        noticeMissingFile();
}

// The path looked for, not the fallback beside the program that help
// requests would open.
void HelpController::noticeMissingFile()
{
    emit notice(displayText(strings::tr(strings::kHelpFileNotFound)).arg(displayText(files_->helpFilePath())));
}

void HelpController::markLanguage()
{
    commands_.menuAction(files_->language())->setChecked(true);
}

void HelpController::showHelp(int context)
{
    if (!files_->helpFileAvailable()) {
        noticeMissingFile();
        return;
    }
    const std::string topic = files_->topicFor(context);
    if (viewer_ != nullptr) {
        viewer_->displayTopic(topic);
        return;
    }
    windowAbove(QApplication::activeModalWidget()).displayTopic(topic);
}

// A modal dialog blocks every window but its own children, so the help
// window moves under the dialog while it is up and back to the frame after.
HelpWindow& HelpController::windowAbove(QWidget* modal)
{
    auto* dialog = qobject_cast<QDialog*>(modal);
    QWidget& owner = dialog != nullptr ? *dialog : frame_;
    if (window_.isNull())
        window_ = new HelpWindow(&frame_);
    if (window_->parentWidget() == &owner)
        return *window_;

    const bool shown = window_->isVisible();
    const QRect place = window_->geometry();
    window_->setParent(&owner, window_->windowFlags());
    window_->setGeometry(place);
    if (shown)
        window_->show();
    if (dialog != nullptr) {
        connect(
            dialog, &QDialog::finished, window_,
            [this, dialog] {
                QWidget* next = QApplication::activeModalWidget();
                windowAbove(next == dialog ? nullptr : next);
            },
            Qt::SingleShotConnection);
    }
    return *window_;
}

} // namespace rovanta
