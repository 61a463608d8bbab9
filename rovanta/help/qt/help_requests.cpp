#include "help/qt/help_requests.h"

#include "resources/command_ids.h"
#include "resources/help_ids.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QVariant>

namespace rovanta {
namespace {

int commandOf(const QAction* action)
{
    if (action == nullptr)
        return 0;
    return action->property(commands::kIdProperty).toInt();
}

/// Menus of the menu bar answer for their highlighted item; a popup menu of
/// a window answers for that window.
const QMenuBar* menuBarOf(const QMenu* menu)
{
    for (const QWidget* w = menu->parentWidget(); w != nullptr; w = w->parentWidget()) {
        if (const auto* bar = qobject_cast<const QMenuBar*>(w))
            return bar;
        if (qobject_cast<const QMenu*>(w) == nullptr)
            return nullptr;
    }
    return nullptr;
}

/// Clicks on these reach their command, whose help is then asked for.
bool leadsToACommand(const QWidget* widget)
{
    if (qobject_cast<const QMenuBar*>(widget) != nullptr || qobject_cast<const QMenu*>(widget) != nullptr)
        return true;
    const auto* button = qobject_cast<const QToolButton*>(widget);
    return button != nullptr && commandOf(button->defaultAction()) != 0;
}

} // namespace

HelpRequests::HelpRequests(QObject* parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

HelpRequests::~HelpRequests()
{
    if (contextMode_)
        QApplication::restoreOverrideCursor();
}

int HelpRequests::contextOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
        const QVariant context = w->property(help::kContextProperty);
        if (context.isValid())
            return context.toInt();
    }
    return 0;
}

int HelpRequests::currentContext() const
{
    if (const auto* menu = qobject_cast<const QMenu*>(QApplication::activePopupWidget())) {
        if (menuBarOf(menu) == nullptr)
            return contextOf(menu->parentWidget());
        // A greyed item cannot be highlighted; the one under the mouse counts.
        const QAction* item = menu->activeAction();
        if (item == nullptr)
            item = menu->actionAt(menu->mapFromGlobal(QCursor::pos()));
        if (const int id = commandOf(item))
            return help::commandContext(id);
        return contextOf(menuBarOf(menu));
    }
    QWidget* window = QApplication::activeModalWidget();
    if (window == nullptr)
        window = QApplication::activeWindow();
    if (window == nullptr)
        return 0;
    QWidget* focus = QApplication::focusWidget();
    return contextOf(focus != nullptr && window->isAncestorOf(focus) ? focus : window);
}

void HelpRequests::enterContextHelpMode()
{
    if (contextMode_)
        return;
    contextMode_ = true;
    QApplication::setOverrideCursor(Qt::WhatsThisCursor);
}

void HelpRequests::leaveContextHelpMode()
{
    if (!contextMode_)
        return;
    contextMode_ = false;
    QApplication::restoreOverrideCursor();
}

bool HelpRequests::takeCommand(int id)
{
    if (!contextMode_)
        return false;
    leaveContextHelpMode();
    requestClosingMenus(help::commandContext(id));
    return true;
}

void HelpRequests::requestClosingMenus(int context)
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    emit helpRequested(context);
}

bool HelpRequests::clickInContextHelpMode(QWidget* target)
{
    if (leadsToACommand(target))
        return false;
    leaveContextHelpMode();
    swallowRelease_ = true;
    requestClosingMenus(contextOf(target));
    return true;
}

bool HelpRequests::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && contextMode_) {
            leaveContextHelpMode();
            return true;
        }
        if (key->key() != Qt::Key_F1 || key->isAutoRepeat())
            return false;
        // The window's own F1 and Shift+F1 are shortcuts and never get
        // here; this is F1 in a dialog or an open menu.
        if (key->modifiers() == Qt::ShiftModifier)
            enterContextHelpMode();
        else if (key->modifiers() == Qt::NoModifier)
            requestClosingMenus(currentContext());
        else
            return false;
        return true;
    }
    case QEvent::EnterWhatsThisMode:
        // The title bar's "?" button: our mode, not Qt's tooltips.
        enterContextHelpMode();
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (contextMode_ && watched->isWidgetType())
            return clickInContextHelpMode(static_cast<QWidget*>(watched));
        return false;
    case QEvent::MouseButtonRelease:
        if (swallowRelease_ && watched->isWidgetType()) {
            swallowRelease_ = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace rovanta
