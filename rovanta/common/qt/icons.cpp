#include "common/qt/icons.h"

#include "resources/command_ids.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QString>

static void initIconResources()
{
    Q_INIT_RESOURCE(rovanta);
}

namespace rovanta::icons {

namespace {

// One icon per picture for the whole run: an SVG parsed per list row made
// a click in a list of 500 maps take 20 ms instead of 2. The cache lives
// and dies with the application, as icons must.
class IconCache : public QObject {
public:
    QHash<QString, QIcon> icons;
};

QIcon fromResource(const char* name)
{
    static QPointer<IconCache> cache;
    if (!cache) {
        initIconResources();
        cache = new IconCache;
        cache->setParent(QCoreApplication::instance());
    }
    QIcon& icon = cache->icons[QString::fromLatin1(name)];
    if (icon.isNull())
        icon = QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
    return icon;
}

} // namespace

QIcon state(int status)
{
    switch (status) {
    case 0:
        return fromResource("state_unchecked");
    case 1:
        return fromResource("state_checked");
    case 2:
        return fromResource("state_current");
    default:
        return {};
    }
}

QIcon command(int id)
{
    using namespace commands;
    switch (id) {
    case kManager:
        return fromResource("manager");
    case kNewTour:
        return fromResource("new_tour");
    case kTourDistances:
        return fromResource("tour_distances");
    case kSaveTour:
        return fromResource("save_tour");
    case kClearTour:
        return fromResource("clear_tour");
    case kPrintMap:
        return fromResource("print_map");
    case kAppAbout:
        return fromResource("about");
    case kContextHelp:
        return fromResource("context_help");
    default:
        return {};
    }
}

QIcon program()
{
    return fromResource("rovanta");
}

QIcon drive()
{
    return fromResource("drive");
}

QIcon folderClosed()
{
    return fromResource("folder_closed");
}

QIcon folderOpen()
{
    return fromResource("folder_open");
}

} // namespace rovanta::icons
