// The map view. It owns the manager (the settings store and the Manager
// sheet's logic), shows the selected map and runs the view's commands.
#pragma once

#include "manager/cl_manager.h"
#include "manager/records.h"
#include "view/menu_states.h"

#include <QWidget>

namespace rovanta {

class CRovantaView : public QWidget {
    Q_OBJECT
public:
    /// Constructs the manager, which loads folders, maps and tours.
    CRovantaView(SettingsAccess& settings, MenuStates& menus, QWidget* parent = nullptr);
    /// Destroys the manager, which writes folders, maps and tours.
    ~CRovantaView() override;

    cl_Manager& manager() { return manager_; }
    /// The map shown, or nothing.
    const MapRecord& currentMap() const { return map_; }
    /// The tour being edited, or nothing.
    const TourRecord& currentTour() const { return tour_; }

    /// Shows the selected map and sets the menus to their first states;
    /// again on every new document (Ctrl+N).
    void initialUpdate();
    /// A command of the menus, the toolbar or the accelerators meant for
    /// the view.
    void onCommand(int id);
    /// The Manager command: runs the sheet modally.
    void runManager();

private:
    void showMap(MapRecord map);

    cl_Manager manager_;
    MenuStates& menus_;
    MapRecord map_;
    TourRecord tour_;
};

} // namespace rovanta
