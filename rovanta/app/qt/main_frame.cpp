#include "app/qt/main_frame.h"

#include "app/qt/command_actions.h"
#include "app/qt/help_controller.h"
#include "app/qt/lock_keys.h"
#include "app/qt/recent_menu.h"
#include "app/rovanta_doc.h"
#include "common/qt/display.h"
#include "common/qt/icons.h"
#include "dialogs/qt/about_dialog.h"
#include "editing/qt/file_drop.h"
#include "resources/command_ids.h"
#include "resources/help_ids.h"
#include "resources/string_table.h"
#include "view/qt/rovanta_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QToolBar>

namespace rovanta {

CMainFrame::CMainFrame(SettingsAccess& settings, QWidget* parent)
    : QMainWindow(parent), commands_(new CommandActions(this)), doc_(std::make_unique<CRovantaDoc>())
{
    setWindowTitle(displayText(strings::text(strings::kAppTitle)));
    setWindowIcon(icons::program());

    toolBar_ = new QToolBar(tr("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    commands_->install(*this, *toolBar_);
    buildStatusBar();
    setProperty(help::kContextProperty, help::resourceContext(help::kMainWindow));
    help_ = new HelpController(settings, *commands_, *this);
    connect(help_, &HelpController::notice, this, &CMainFrame::showNotice);

    QAction* showToolBar = commands_->menuAction(commands::kViewToolbar);
    QAction* showStatusBar = commands_->menuAction(commands::kViewStatusBar);
    showToolBar->setChecked(true);
    showStatusBar->setChecked(true);
    // The bar may also be hidden from its own context menu.
    connect(toolBar_, &QToolBar::visibilityChanged, showToolBar, &QAction::setChecked);

    view_ = new CRovantaView(settings, *commands_, this);
    setCentralWidget(view_);
    commands_->menuAction(commands::kUtmGrid)->setChecked(view_->utmGridShown());
    // The arrow, page and Home keys move the map from the start.
    view_->setFocus();
    connect(view_, &CRovantaView::notice, this, &CMainFrame::showNotice);
    connect(view_, &CRovantaView::cursorPosition, this, [this](const QString& position, const QString& utm) {
        position_->setText(position);
        utm_->setText(utm);
    });
    connect(view_, &CRovantaView::scaleChanged, scale_, &QLabel::setText);
    connect(commands_, &CommandActions::triggered, this, &CMainFrame::onCommand);
    recent_ = new RecentMenu(*commands_);
    TourTransfer& transfer = view_->transfer();
    recent_->setPaths(transfer.recent().paths());
    transfer.setRecentListener([this, &transfer] { recent_->setPaths(transfer.recent().paths()); });
    new FileDropFilter(*this, [&transfer](const std::string& path) { transfer.openFile(path); });
    connect(view_, &CRovantaView::popupOpened, help_, [this] { help_->setPopupOpen(true); });
    connect(view_, &CRovantaView::popupClosed, help_, [this] { help_->setPopupOpen(false); });
    // The view centres the map in its own size, so it needs that size first.
    resize(800, 600);
    layout()->activate();
    view_->initialUpdate();
}

// The view goes first: its manager writes the settings while the frame,
// whose menus it may still touch, is alive. Help writes its own settings.
CMainFrame::~CMainFrame()
{
    delete view_;
    delete help_;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (view_->queryClose())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    idle_ = new QLabel(displayText(strings::text(strings::kIdleMessage)), bar);
    bar->addWidget(idle_, 1);
    for (QLabel** pane : {&position_, &utm_, &scale_}) {
        *pane = new QLabel(bar);
        bar->addPermanentWidget(*pane);
    }
    lockKeys_ = new LockKeyPanes(*bar);
}

// In the message pane until the next prompt replaces it, as a menu
// item's prompt would; no box to dismiss.
void CMainFrame::showNotice(const QString& text)
{
    statusBar()->showMessage(text);
}

void CMainFrame::onCommand(int id)
{
    using namespace commands;
    if (help_->onCommand(id)) {
        emit commandRouted(id);
        return;
    }
    switch (id) {
    case kAppAbout: {
        AboutDialog about(this);
        about.exec();
        break;
    }
    case kAppExit:
        close();
        break;
    case kViewToolbar:
        toolBar_->setVisible(commands_->menuAction(kViewToolbar)->isChecked());
        break;
    case kViewStatusBar:
        statusBar()->setVisible(commands_->menuAction(kViewStatusBar)->isChecked());
        break;
    case kUtmGrid:
        view_->setUtmGridShown(commands_->menuAction(kUtmGrid)->isChecked());
        break;
    case kFileNew:
        if (doc_->onNewDocument())
            view_->initialUpdate();
        break;
    default:
        view_->onCommand(id);
        break;
    }
    emit commandRouted(id);
}

} // namespace rovanta
