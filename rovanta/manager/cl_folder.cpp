#include "manager/cl_folder.h"

#include "common/translation.h"
#include "manager/folder_list.h"
#include "manager/settings_layout.h"

namespace rovanta {

cl_Folder::cl_Folder(ActionButton& button, std::string& storeFolderList, SettingsAccess& settings)
    : button_(button), storeFolderList_(storeFolderList), settings_(settings), folderText_(storeFolderList),
      lastSelectedFolder_(settings.readString(settings::kFolderStrings, settings::kLastSelectedFolder, ""))
{
}

void cl_Folder::activate()
{
    button_ = {ROVANTA_TR_NOOP("rovanta::ManagerSheet", "Apply"), true};
}

void cl_Folder::add()
{
    if (!currentPath_.empty()) {
        // The folder without its trailing separator; the root keeps its one.
        const std::string folder =
            currentPath_.size() > 1 ? currentPath_.substr(0, currentPath_.size() - 1) : currentPath_;
        appendFolder(folderText_, folder);
    }
    button_.enabled = true;
}

void cl_Folder::apply()
{
    storeFolderList_ = folderText_;
    button_.enabled = false;
    lastSelectedFolder_ = currentPath_;
}

void cl_Folder::commit()
{
    storeFolderList_ = folderText_;
    button_.enabled = false;
}

void cl_Folder::cancel()
{
    button_.enabled = false;
}

void cl_Folder::saveState()
{
    settings_.writeString(settings::kFolderStrings, settings::kLastSelectedFolder, lastSelectedFolder_);
}

} // namespace rovanta
