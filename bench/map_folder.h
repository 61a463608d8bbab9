// 500 calibrated maps in one temporary folder, laid out on a grid of
// 0.01-degree squares, with the settings a program start would find: the
// folder alone, or the folder and every map.
#pragma once

#include "common/file_names.h"
#include "manager/settings_layout.h"
#include "map_files.h"
#include "memory_settings.h"
#include "temp_folder.h"

#include <cstdio>
#include <string>

namespace rovanta::bench {

inline constexpr int kMapCount = 500;

/// "m%03d.cal" and the like, for map i.
inline std::string numbered(const char* format, int i)
{
    char text[32];
    std::snprintf(text, sizeof text, format, i);
    return text;
}

class MapFolder {
public:
    /// Map i is "Map<nnn>" in "m<nnn>.cal" with an `edge` × `edge` bitmap,
    /// stored checked; the first one has `firstStatus`.
    MapFolder(int edge, int firstStatus)
    {
        namespace settings = rovanta::settings;
        for (int i = 0; i < kMapCount; ++i) {
            const double west = 9.0 + 0.01 * (i % 20);
            const double south = 53.0 + 0.01 * (i / 20);
            test::writeSampleMap(folder_.path(), numbered("m%03d.cal", i),
                                 {.name = numbered("Map%03d", i),
                                  .west = west,
                                  .south = south,
                                  .east = west + 0.01,
                                  .north = south + 0.01,
                                  .width = edge,
                                  .height = edge});
        }
        const std::string folderKey = settings::folderKey(0);
        onlyFolder.writeInt(settings::kSettings, settings::kFolderCount, 1);
        onlyFolder.writeString(settings::kFolder, folderKey, toUtf8(folder_.path()));

        withMaps = onlyFolder;
        withMaps.writeInt(settings::kSettings, settings::kMapCount, kMapCount);
        for (int i = 0; i < kMapCount; ++i) {
            const std::string key = settings::mapKey(i);
            withMaps.writeString(settings::kMapName, key, numbered("Map%03d", i));
            withMaps.writeString(settings::kMapPath, key, folderKey + numbered("\\m%03d.cal", i));
            withMaps.writeInt(settings::kMapStatus, key, i == 0 ? firstStatus : 1);
        }
    }

    test::MemorySettings onlyFolder;
    test::MemorySettings withMaps;

private:
    test::TempFolder folder_;
};

} // namespace rovanta::bench
