#include "view/qt/view_popup.h"

#include "common/qt/display.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QStatusTipEvent>

namespace rovanta {

namespace {

using namespace commands;

struct PopupItem {
    int id;
    const char* text;
};

constexpr PopupItem kItems[] = {
    {kAddPointCenter, QT_TRANSLATE_NOOP("ViewPopup", "Add Point Center")},
    {kInsertBeforeThis, QT_TRANSLATE_NOOP("ViewPopup", "Insert Before This")},
    {kMoveThisPoint, QT_TRANSLATE_NOOP("ViewPopup", "Move This Point")},
    {kDeleteThisPoint, QT_TRANSLATE_NOOP("ViewPopup", "Delete This Point")},
    {kDeleteLastPoint, QT_TRANSLATE_NOOP("ViewPopup", "Delete Last Point")},
    {kZoomInHere, QT_TRANSLATE_NOOP("ViewPopup", "Zoom In Here")},
    {kZoomOutHere, QT_TRANSLATE_NOOP("ViewPopup", "Zoom Out Here")},
    {kNextMap, QT_TRANSLATE_NOOP("ViewPopup", "Next Map")},
};

} // namespace

ViewPopup::ViewPopup(MenuStates& mainMenus, QWidget* owner) : mainMenus_(mainMenus), menu_(new QMenu(owner))
{
    for (const PopupItem& item : kItems) {
        QAction* action = menu_->addAction(QCoreApplication::translate("ViewPopup", item.text));
        action->setProperty(kIdProperty, item.id);
        action->setStatusTip(displayText(strings::commandPrompt(item.id)));
        items_[item.id] = action;
    }
    // A popup of its own is a window, where prompts stop; from the owner
    // they reach the main window's status bar, as the menu bar's do.
    QObject::connect(menu_, &QMenu::hovered, owner, [owner](QAction* action) { action->showStatusText(owner); });
    QObject::connect(menu_, &QMenu::aboutToHide, owner, [owner] {
        QStatusTipEvent cleared{QString()};
        QCoreApplication::sendEvent(owner, &cleared);
    });
}

int ViewPopup::exec(QPoint global)
{
    const QAction* chosen = menu_->exec(global);
    return chosen ? chosen->property(kIdProperty).toInt() : 0;
}

void ViewPopup::setMenuEnabled(int id, bool enabled)
{
    if (const auto item = items_.find(id); item != items_.end())
        item->second->setEnabled(enabled);
    else
        mainMenus_.setMenuEnabled(id, enabled);
}

// The popup's own texts never change.
void ViewPopup::setMenuText(int id, std::string_view text)
{
    if (!items_.contains(id))
        mainMenus_.setMenuText(id, text);
}

bool ViewPopup::isMenuEnabled(int id) const
{
    if (const auto item = items_.find(id); item != items_.end())
        return item->second->isEnabled();
    return mainMenus_.isMenuEnabled(id);
}

} // namespace rovanta
