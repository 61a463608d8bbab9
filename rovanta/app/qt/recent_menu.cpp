#include "app/qt/recent_menu.h"

#include "app/qt/command_actions.h"
#include "resources/command_ids.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>

namespace rovanta {

RecentMenu::RecentMenu(CommandActions& commands) : QObject(&commands), commands_(commands)
{
    QAction* open = commands.menuAction(commands::kOpenTour);
    auto* file = qobject_cast<QMenu*>(open->parent());
    menu_ = new QMenu(QCoreApplication::translate("CommandActions", "Recent Tours"), file);
    const QList<QAction*> items = file->actions();
    const qsizetype after = items.indexOf(open) + 1;
    file->insertMenu(after < items.size() ? items[after] : nullptr, menu_);
    setPaths({});
}

void RecentMenu::setPaths(const std::vector<std::string>& paths)
{
    menu_->clear();
    for (std::size_t i = 0; i < paths.size() && i < commands::kRecentTourCount; ++i) {
        const int id = commands::kRecentTour + static_cast<int>(i);
        QString path = QDir::toNativeSeparators(QString::fromStdString(paths[i]));
        path.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        action->setProperty(commands::kIdProperty, id);
        connect(action, &QAction::triggered, &commands_, [this, id] { emit commands_.triggered(id); });
    }
    menu_->setEnabled(!paths.empty());
}

} // namespace rovanta
