// The manager's store: folders, maps and tours to and from the settings.
#include "manager/cl_manager.h"

#include "manager/folder_list.h"
#include "manager/settings_layout.h"
#include "map/load_problems.h"

#include <algorithm>

namespace rovanta {
namespace {
// A stored count, kept within what can be read in reasonable time.
int readCount(SettingsAccess& settings, std::string_view name)
{
    return std::clamp(settings.readInt(settings::kSettings, name, 0), 0, settings::kMaxEntries);
}

// Writes the new count and deletes the values of entries past it.
void shrinkList(SettingsAccess& settings, std::string_view countName, int count, std::string (*keyOf)(int),
                std::initializer_list<std::string_view> sections)
{
    const int old = readCount(settings, countName);
    for (int i = count; i < old; ++i) {
        for (std::string_view section : sections)
            settings.deleteValue(section, keyOf(i));
    }
    settings.writeInt(settings::kSettings, countName, count);
}
} // namespace

void cl_Manager::loadFolders()
{
    lastSaveFolder_ = settings_.readString(settings::kFolderStrings, settings::kLastSaveFolder, "");
    folderList_.clear();
    folderKeys_.clear();
    const int count = readCount(settings_, settings::kFolderCount);
    for (int i = 0; i < count; ++i) {
        const std::string key = settings::folderKey(i);
        const std::string path = settings_.readString(settings::kFolder, key, "");
        folderKeys_[key] = path;
        folderList_ += path + ";";
    }
}

void cl_Manager::loadMaps()
{
    // The problems of all registered maps make one notice.
    const LoadProblemScope problems;
    maps_.clear();
    const int count = readCount(settings_, settings::kMapCount);
    for (int i = 0; i < count; ++i) {
        const std::string key = settings::mapKey(i);
        const std::string name = settings_.readString(settings::kMapName, key, "");
        const std::optional<SplitStoredPath> stored =
            splitStoredPath(settings_.readString(settings::kMapPath, key, ""), folderKeys_);
        if (name.empty() || !stored || stored->folderKey.empty())
            continue;
        auto map = std::make_shared<cl_Map>();
        maps_[name] = map;
        map->setStatus(sanitizeStatus(settings_.readInt(settings::kMapStatus, key, kStatusUnread)));
        if (map->status() == kStatusUnread)
            continue; // kept unread until a search meets its file
        std::string fileName = stored->baseName;
        if (!map->loadMapFile(stored->fullPath, fileName) || !map->prepareForUse())
            maps_.erase(name);
    }
}

void cl_Manager::loadTours()
{
    tours_.clear();
    const int count = readCount(settings_, settings::kTourCount);
    for (int i = 0; i < count; ++i) {
        const std::string key = settings::tourKey(i);
        const std::optional<SplitStoredPath> stored =
            splitStoredPath(settings_.readString(settings::kTourPath, key, ""), folderKeys_);
        if (!stored)
            continue;
        auto tour = std::make_shared<cl_Tour>();
        const std::int32_t status = sanitizeStatus(settings_.readInt(settings::kTourStatus, key, kStatusUnread));
        if (tour->load(stored->baseName, stored->fullPath, status))
            tours_[stored->baseName] = std::move(tour);
    }
}

void cl_Manager::addLastSaveFolder()
{
    if (lastSaveFolder_.empty())
        return;
    addFolder(std::string_view(lastSaveFolder_).substr(0, lastSaveFolder_.size() - 1));
}

void cl_Manager::addFolder(std::string_view folder)
{
    if (folderList_.find(folder) == std::string::npos)
        appendFolder(folderList_, folder);
}

void cl_Manager::saveFolders()
{
    settings_.writeString(settings::kFolderStrings, settings::kLastSaveFolder, lastSaveFolder_);
    addLastSaveFolder();
    folderPaths_.clear();
    int count = 0;
    for (const std::string& folder : walkFolderList(folderList_)) {
        if (folderPaths_.contains(folder))
            continue;
        const std::string key = settings::folderKey(count++);
        settings_.writeString(settings::kFolder, key, folder);
        folderPaths_[folder] = key;
    }
    shrinkList(settings_, settings::kFolderCount, count, settings::folderKey, {settings::kFolder});
}

void cl_Manager::saveMaps()
{
    const int count = static_cast<int>(maps_.size());
    shrinkList(settings_, settings::kMapCount, count, settings::mapKey,
               {settings::kMapName, settings::kMapStatus, settings::kMapPath});
    int i = 0;
    for (const auto& [name, map] : maps_) {
        const std::string key = settings::mapKey(i++);
        settings_.writeString(settings::kMapName, key, name);
        settings_.writeString(settings::kMapPath, key, composeStoredPath(map->calPath(), folderPaths_));
        settings_.writeInt(settings::kMapStatus, key, map->status());
    }
}

void cl_Manager::saveTours()
{
    const int count = static_cast<int>(tours_.size());
    shrinkList(settings_, settings::kTourCount, count, settings::tourKey, {settings::kTourPath, settings::kTourStatus});
    int i = 0;
    for (const auto& [name, tour] : tours_) {
        const std::string key = settings::tourKey(i++);
        settings_.writeString(settings::kTourPath, key, composeStoredPath(tour->path(), folderPaths_));
        settings_.writeInt(settings::kTourStatus, key, tour->status());
    }
}

MapRecord cl_Manager::findMapContaining(cl_RefPoint& position) const
{
    for (const auto& item : maps_) {
        const std::int32_t status = item.second->status();
        if (status != kStatusChecked && status != kStatusCurrent)
            continue;
        cl_RefPoint candidate = position;
        if (item.second->refPointToPixel(candidate)) {
            position = candidate;
            return item.second;
        }
    }
    return nullptr;
}

} // namespace rovanta
