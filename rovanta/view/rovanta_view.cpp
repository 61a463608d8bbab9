#include "view/rovanta_view.h"

#include "manager/manager_sheet.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "view/display.h"

namespace rovanta {

namespace {

// Main menu states at the initial update.
constexpr std::pair<int, bool> kInitialMenuStates[] = {
    {commands::kZoomIn, true},    {commands::kZoomOut, true},        {commands::kNewTour, true},
    {commands::kSaveTour, false}, {commands::kTourDistances, false}, {commands::kClearTour, false},
    {commands::kManager, true},
};

} // namespace

CRovantaView::CRovantaView(SettingsAccess& settings, MenuStates& menus, QWidget* parent)
    : QWidget(parent), manager_(settings), menus_(menus)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

CRovantaView::~CRovantaView() = default;

void CRovantaView::initialUpdate()
{
    showMap(manager_.selectedMap());
    for (const auto& [id, enabled] : kInitialMenuStates)
        menus_.setMenuEnabled(id, enabled);
}

void CRovantaView::onCommand(int id)
{
    if (id == commands::kManager)
        runManager();
}

void CRovantaView::runManager()
{
    ManagerSheet sheet(manager_, this);
    if (sheet.exec() != QDialog::Accepted)
        return;
    // The sheet may have chosen another map and placed the tour on it.
    showMap(manager_.selectedMap());
    tour_ = manager_.currentTour();
    if (tour_) {
        menus_.setMenuEnabled(commands::kNewTour, false);
        for (const int id : {commands::kSaveTour, commands::kTourDistances, commands::kClearTour})
            menus_.setMenuEnabled(id, true);
    }
}

void CRovantaView::showMap(MapRecord map)
{
    map_ = std::move(map);
    const std::string_view title = map_ ? std::string_view(map_->mapName()) : strings::loadString(strings::kAppTitle);
    window()->setWindowTitle(displayText(title));
    update();
}

} // namespace rovanta
