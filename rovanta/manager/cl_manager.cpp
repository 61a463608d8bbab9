#include "manager/cl_manager.h"

#include "ports/message.h"
#include "resources/string_table.h"

namespace rovanta {

cl_Manager::cl_Manager(SettingsAccess& settings) : settings_(settings)
{
    loadFolders();
    loadMaps();
    loadTours();
    mapsPage_ = std::make_unique<cl_MapList>(button_, folderList_, maps_, [this] { toursPage_->releaseCurrentTour(); });
    toursPage_ = std::make_unique<cl_TourList>(button_, folderList_, tours_, lastSaveFolder_);
    foldersPage_ = std::make_unique<cl_Folder>(button_, folderList_, settings_);
}

cl_Manager::~cl_Manager()
{
    saveFolders();
    saveMaps();
    saveTours();
    foldersPage_->saveState();
}

MapRecord cl_Manager::selectedMap() const
{
    if (MapRecord selected = mapsPage_->selectedMap())
        return selected;
    for (const auto& item : maps_) {
        if (item.second->status() == kStatusCurrent)
            return item.second;
    }
    return nullptr;
}

void cl_Manager::markCurrent(const MapRecord& map)
{
    map->setStatus(kStatusCurrent);
    mapsPage_->setSelected(map);
}

void cl_Manager::beginSheet()
{
    shown_.fill(false);
    sheetTour_ = currentTour();
    showPage(SheetPage::kMaps);
}

void cl_Manager::showPage(SheetPage page)
{
    const bool opening = !wasShown(page);
    shown_[static_cast<int>(page)] = true;
    switch (page) {
    case SheetPage::kMaps:
        if (opening)
            mapsPage_->open();
        mapsPage_->activate();
        break;
    case SheetPage::kTours:
        if (opening)
            toursPage_->open();
        toursPage_->activate();
        break;
    case SheetPage::kFolders:
        foldersPage_->activate();
        break;
    }
}

MapRecord cl_Manager::listedMapHolding(cl_Tour& tour) const
{
    for (cl_Tour::Position pos = tour.getHeadPosition(); pos;) {
        if (MapRecord map = mapsPage_->listedMapContaining(tour.getNext(pos)))
            return map;
    }
    return nullptr;
}

void cl_Manager::placeCurrentTour()
{
    const TourRecord tour = toursPage_->currentTour();
    if (!tour || tour->getPointCount() == 0)
        return;
    if (const MapRecord map = listedMapHolding(*tour)) {
        mapsPage_->selectRecord(map);
        // Points off this map keep the pixel written for them all the same.
        for (cl_Tour::Position each = tour->getHeadPosition(); each;)
            static_cast<void>(map->refPointToPixel(tour->getNext(each)));
        return;
    }
    toursPage_->releaseCurrentTour();
    showMessage(strings::tr(strings::kNoSelectedMapFound), kMessageOk);
}

bool cl_Manager::confirmOk() const
{
    if (!sheetTour_ || !dropTourCheck_)
        return true;
    const bool stays =
        currentTour() == sheetTour_ && (sheetTour_->getPointCount() == 0 || listedMapHolding(*sheetTour_));
    return stays || dropTourCheck_(sheetTour_);
}

void cl_Manager::finishWithOk()
{
    placeCurrentTour();
    if (wasShown(SheetPage::kMaps))
        mapsPage_->commit();
    if (wasShown(SheetPage::kTours))
        toursPage_->commit();
    if (wasShown(SheetPage::kFolders))
        foldersPage_->commit();
    shown_.fill(false);
    sheetTour_ = nullptr;
}

void cl_Manager::finishWithCancel()
{
    if (wasShown(SheetPage::kFolders))
        foldersPage_->cancel();
    toursPage_->restoreCurrentTour(sheetTour_);
    shown_.fill(false);
    sheetTour_ = nullptr;
}

} // namespace rovanta
