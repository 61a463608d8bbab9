// The manager: the settings store of folders, maps and tours, and the logic
// of the "Manager" sheet whose pages edit them. It loads everything when
// built and writes everything back when destroyed, never in between.
#pragma once

#include "manager/cl_folder.h"
#include "manager/cl_map_list.h"
#include "manager/cl_tour_list.h"
#include "manager/page_state.h"
#include "manager/records.h"
#include "manager/settings_access.h"
#include "manager/stored_path.h"

#include <kalimark/kalimark.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace rovanta {

/// The sheet's pages, in their order.
enum class SheetPage { kMaps, kTours, kFolders };

class cl_Manager {
public:
    /// Loads folders, maps (reading and georeferencing every map with a
    /// stored status) and tours, then builds the pages. `settings` must
    /// outlive the manager.
    explicit cl_Manager(SettingsAccess& settings);
    /// Saves folders, maps and tours, then the folders page's state.
    ~cl_Manager();
    cl_Manager(const cl_Manager&) = delete;
    cl_Manager& operator=(const cl_Manager&) = delete;

    // The store.
    void loadFolders();
    void loadMaps();
    void loadTours();
    void saveFolders();
    void saveMaps();
    void saveTours();

    /// The first checked or current map, in enumeration order, that holds
    /// the position; the position then carries its pixel on that map.
    /// Nothing (and the position unchanged) when none holds it.
    MapRecord findMapContaining(cl_RefPoint& position) const;
    void markChecked(cl_Map& map) { map.setStatus(kStatusChecked); }
    /// Adds the last save folder to the folder list unless the list already
    /// holds its text anywhere.
    void addLastSaveFolder();
    /// Adds `folder` to the folder list unless the list already holds its
    /// text anywhere, as a dropped map's folder.
    void addFolder(std::string_view folder);
    /// Where tours were last saved, with a trailing separator; the tour's
    /// save reads and rewrites it.
    std::string& lastSaveFolder() { return lastSaveFolder_; }

    const std::string& folderList() const { return folderList_; }
    const MapCollection& maps() const { return maps_; }
    const TourCollection& tours() const { return tours_; }

    // The sheet.
    /// The map the maps page selected, else the first current map.
    MapRecord selectedMap() const;
    TourRecord currentTour() const { return toursPage_->currentTour(); }
    /// The view moved to this map: it is current and selected.
    void markCurrent(const MapRecord& map);

    cl_MapList& mapList() { return *mapsPage_; }
    cl_TourList& tourList() { return *toursPage_; }
    cl_Folder& folderPage() { return *foldersPage_; }
    const ActionButton& actionButton() const { return button_; }

    /// Asked before OK drops the tour that was current when the sheet opened
    /// (another was shown, it was released, or no listed map holds it);
    /// false keeps the sheet open with nothing applied.
    using DropTourCheck = std::function<bool(const TourRecord& dropped)>;
    void setDropTourCheck(DropTourCheck check) { dropTourCheck_ = std::move(check); }

    /// The sheet opens on the maps page.
    void beginSheet();
    /// A page becomes active: opened the first time in this run of the
    /// sheet, then activated.
    void showPage(SheetPage page);
    /// OK pressed: whether it may apply, after the drop check on a tour it
    /// would drop.
    [[nodiscard]] bool confirmOk() const;
    /// OK: the listed map holding the current tour becomes current (or "No
    /// selected Map found!" releases the tour), then the pages shown in this
    /// run commit.
    void finishWithOk();
    /// Cancel: nothing reaches the store; status changes already made stay,
    /// and the tour current when the sheet opened is current again.
    void finishWithCancel();

private:
    /// The first listed checked or current map holding one of the tour's
    /// points, tried in tour order.
    MapRecord listedMapHolding(cl_Tour& tour) const;
    void placeCurrentTour();
    bool wasShown(SheetPage page) const { return shown_[static_cast<int>(page)]; }

    SettingsAccess& settings_;
    std::string folderList_;
    FolderTable folderKeys_;
    FolderTable folderPaths_;
    MapCollection maps_;
    TourCollection tours_;
    std::string lastSaveFolder_;

    ActionButton button_;
    std::unique_ptr<cl_MapList> mapsPage_;
    std::unique_ptr<cl_TourList> toursPage_;
    std::unique_ptr<cl_Folder> foldersPage_;
    std::array<bool, 3> shown_{};
    TourRecord sheetTour_;
    DropTourCheck dropTourCheck_;
};

} // namespace rovanta
