#include "app/qt/command_actions.h"

#include "common/qt/display.h"
#include "common/qt/icons.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include <initializer_list>

namespace rovanta {

namespace {

using namespace commands;

struct MenuItem {
    int id = 0; ///< 0: a separator
    const char* text = nullptr;
};

struct Menu {
    const char* title;
    std::initializer_list<MenuItem> items;
};

// The menu bar in its order; "Manager" is a command on the bar itself. The
// texts are translated when the menus are built.
const Menu kFileMenu{QT_TRANSLATE_NOOP("CommandActions", "&File"),
                     {{kOpenTour, QT_TRANSLATE_NOOP("CommandActions", "Open Tour…")},
                      {kPrintMap, QT_TRANSLATE_NOOP("CommandActions", "Print Map…")},
                      {0, nullptr},
                      {kAppExit, QT_TRANSLATE_NOOP("CommandActions", "E&xit")}}};
const Menu kEditMenu{QT_TRANSLATE_NOOP("CommandActions", "&Edit"),
                     {{kUndo, QT_TRANSLATE_NOOP("CommandActions", "Undo")}, {kRedo, QT_TRANSLATE_NOOP("CommandActions", "Redo")}}};
const Menu kViewMenu{QT_TRANSLATE_NOOP("CommandActions", "&View"),
                     {{kViewToolbar, QT_TRANSLATE_NOOP("CommandActions", "&Toolbar")},
                      {kViewStatusBar, QT_TRANSLATE_NOOP("CommandActions", "&Status Bar")},
                      {kZoomIn, QT_TRANSLATE_NOOP("CommandActions", "Zoom in \tALT++")},
                      {kZoomOut, QT_TRANSLATE_NOOP("CommandActions", "Zoom out \tALT+-")},
                      {kWholeMap, QT_TRANSLATE_NOOP("CommandActions", "Whole Map")},
                      {kZoomOneToOne, QT_TRANSLATE_NOOP("CommandActions", "1:1")},
                      {kUtmGrid, QT_TRANSLATE_NOOP("CommandActions", "UTM Grid")},
                      {kGoToPosition, QT_TRANSLATE_NOOP("CommandActions", "Go to Position…\tCtrl+G")}}};
const Menu kTourMenu{QT_TRANSLATE_NOOP("CommandActions", "Tour"),
                     {{kNewTour, QT_TRANSLATE_NOOP("CommandActions", "New Tour")},
                      {kSaveTour, QT_TRANSLATE_NOOP("CommandActions", "Save Tour")},
                      {kClearTour, QT_TRANSLATE_NOOP("CommandActions", "Clear Tour")},
                      {kTourDistances, QT_TRANSLATE_NOOP("CommandActions", "Tour Distances")},
                      {0, nullptr},
                      {kImportGpx, QT_TRANSLATE_NOOP("CommandActions", "Import GPX…")},
                      {kExportGpx, QT_TRANSLATE_NOOP("CommandActions", "Export GPX…")},
                      {kExportKml, QT_TRANSLATE_NOOP("CommandActions", "Export KML…")},
                      {kExportCsv, QT_TRANSLATE_NOOP("CommandActions", "Export CSV…")}}};
const Menu kHelpMenu{QT_TRANSLATE_NOOP("CommandActions", "&Help"),
                     {{kHelpTopics, QT_TRANSLATE_NOOP("CommandActions", "&Help Topics")},
                      {kGermanHelp, QT_TRANSLATE_NOOP("CommandActions", "Deutsche Hilfe")},
                      {kEnglishHelp, QT_TRANSLATE_NOOP("CommandActions", "English Help")},
                      {0, nullptr},
                      {kAppAbout, QT_TRANSLATE_NOOP("CommandActions", "&About Rovanta...")}}};

// The toolbar in its order; 0 is the separator.
constexpr int kToolbar[] = {kManager,  kNewTour, kTourDistances, kSaveTour,   kClearTour,
                            kPrintMap, 0,        kAppAbout,      kContextHelp};

QKeySequence shortcutOf(int id)
{
    switch (id) {
    case kZoomIn:
        return QKeySequence(Qt::ALT | Qt::Key_Plus);
    case kZoomOut:
        return QKeySequence(Qt::ALT | Qt::Key_Minus);
    case kGoToPosition:
        return QKeySequence(Qt::CTRL | Qt::Key_G);
    case kUndo:
        return QKeySequence(Qt::CTRL | Qt::Key_Z);
    default:
        return {};
    }
}

} // namespace

CommandActions::CommandActions(QObject* parent) : QObject(parent)
{
}

QAction* CommandActions::makeAction(int id, const QString& text, QObject* owner)
{
    auto* action = new QAction(text, owner);
    action->setProperty(kIdProperty, id);
    action->setStatusTip(displayText(strings::commandPrompt(id)));
    connect(action, &QAction::triggered, this, [this, id] { emit triggered(id); });
    return action;
}

void CommandActions::install(QMainWindow& window, QToolBar& toolBar)
{
    QMenuBar* bar = window.menuBar();
    const auto addMenu = [&](const Menu& menu) {
        QMenu* popup = bar->addMenu(QCoreApplication::translate("CommandActions", menu.title));
        for (const MenuItem& item : menu.items) {
            if (item.id == 0) {
                popup->addSeparator();
                continue;
            }
            QAction* action = makeAction(item.id, QCoreApplication::translate("CommandActions", item.text), popup);
            // The shortcut is part of the text after the tab; setting it
            // too makes the key work while the menu shows the text as is.
            action->setShortcut(shortcutOf(item.id));
            action->setShortcutContext(Qt::WindowShortcut);
            popup->addAction(action);
            menu_[item.id] = action;
        }
    };
    addMenu(kFileMenu);
    addMenu(kEditMenu);
    addMenu(kViewMenu);
    addMenu(kTourMenu);
    QAction* manager = makeAction(kManager, QCoreApplication::translate("CommandActions", "Manager"), bar);
    bar->addAction(manager);
    menu_[kManager] = manager;
    addMenu(kHelpMenu);

    for (const int id : {kViewToolbar, kViewStatusBar, kUtmGrid})
        menu_[id]->setCheckable(true);
    // Both keys users of other programs know for redo.
    menu_[kRedo]->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    for (const int id : kToolbar) {
        if (id == 0) {
            toolBar.addSeparator();
            continue;
        }
        QAction* action = makeAction(id, displayText(strings::commandTooltip(id)), &toolBar);
        action->setIcon(icons::command(id));
        action->setToolTip(displayText(strings::commandTooltip(id)));
        toolBar.addAction(action);
        tool_[id] = action;
    }

    // Keys without a menu item of their own.
    const std::pair<int, QKeySequence> keys[] = {
        {kHelp, QKeySequence(Qt::Key_F1)},
        {kContextHelp, QKeySequence(Qt::SHIFT | Qt::Key_F1)},
        {kFileNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
    };
    for (const auto& [id, key] : keys) {
        QAction* action = makeAction(id, QString(), &window);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
        accelerators_[id] = action;
    }
}

QAction* CommandActions::menuAction(int id) const
{
    const auto found = menu_.find(id);
    return found == menu_.end() ? nullptr : found->second;
}

QAction* CommandActions::toolAction(int id) const
{
    const auto found = tool_.find(id);
    return found == tool_.end() ? nullptr : found->second;
}

QAction* CommandActions::acceleratorAction(int id) const
{
    const auto found = accelerators_.find(id);
    return found == accelerators_.end() ? nullptr : found->second;
}

void CommandActions::setMenuEnabled(int id, bool enabled)
{
    if (QAction* action = menuAction(id))
        action->setEnabled(enabled);
}

void CommandActions::setMenuText(int id, std::string_view text)
{
    if (QAction* action = menuAction(id))
        action->setText(displayText(text));
}

bool CommandActions::isMenuEnabled(int id) const
{
    const QAction* action = menuAction(id);
    return action != nullptr && action->isEnabled();
}

} // namespace rovanta
