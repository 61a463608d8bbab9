// Settings as an earlier run left them, and compact views of what the
// manager's pages list.
#pragma once

#include "manager/page_state.h"
#include "manager/settings_layout.h"
#include "memory_settings.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace rovanta::test {

struct Registry : MemorySettings {
    void folders(const std::vector<std::string>& paths)
    {
        writeInt(settings::kSettings, settings::kFolderCount, static_cast<int>(paths.size()));
        for (std::size_t i = 0; i < paths.size(); ++i)
            writeString(settings::kFolder, settings::folderKey(static_cast<int>(i)), paths[i]);
    }
    void map(int i, const std::string& name, const std::string& stored, std::optional<int> status)
    {
        writeInt(settings::kSettings, settings::kMapCount,
                 std::max(i + 1, readInt(settings::kSettings, settings::kMapCount, 0)));
        writeString(settings::kMapName, settings::mapKey(i), name);
        writeString(settings::kMapPath, settings::mapKey(i), stored);
        if (status)
            writeInt(settings::kMapStatus, settings::mapKey(i), *status);
    }
    void tour(int i, const std::string& stored, std::optional<int> status)
    {
        writeInt(settings::kSettings, settings::kTourCount,
                 std::max(i + 1, readInt(settings::kSettings, settings::kTourCount, 0)));
        writeString(settings::kTourPath, settings::tourKey(i), stored);
        if (status)
            writeInt(settings::kTourStatus, settings::tourKey(i), *status);
    }
    std::string text(std::string_view section, std::string_view name) { return readString(section, name, "<none>"); }
    int number(std::string_view section, std::string_view name) { return readInt(section, name, -99); }
};

/// "Alps:1 Harbour:0": names and icons as listed.
inline std::string listed(const std::vector<ListEntry>& entries)
{
    std::string text;
    for (const ListEntry& entry : entries)
        text += (text.empty() ? "" : " ") + entry.text + ":" + std::to_string(entry.icon);
    return text;
}

} // namespace rovanta::test
