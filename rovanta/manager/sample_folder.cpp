#include "manager/sample_folder.h"

#include "manager/folder_list.h"

namespace rovanta {
namespace {

template <class Page> int rowOf(const Page& page, std::string_view name)
{
    for (std::size_t row = 0; row < page.entries().size(); ++row) {
        if (page.entries()[row].text == name)
            return static_cast<int>(row);
    }
    return -1;
}

} // namespace

std::size_t registerSampleFolder(cl_Manager& manager, const std::string& folder, std::string_view currentMap)
{
    manager.beginSheet();
    manager.showPage(SheetPage::kFolders);
    std::string folders = manager.folderList();
    appendFolder(folders, folder);
    manager.folderPage().setFolderText(folders);
    manager.folderPage().apply();

    manager.showPage(SheetPage::kMaps);
    cl_MapList& maps = manager.mapList();
    maps.search();
    const int current = rowOf(maps, currentMap);
    for (int row = 0; row < static_cast<int>(maps.entries().size()); ++row) {
        if (row != current)
            maps.toggle(row);
    }
    maps.show(current >= 0 ? current : 0);

    manager.showPage(SheetPage::kTours);
    cl_TourList& tours = manager.tourList();
    tours.search();
    for (int row = 0; row < static_cast<int>(tours.entries().size()); ++row)
        tours.toggle(row);

    manager.finishWithOk();
    return manager.maps().size();
}

} // namespace rovanta
