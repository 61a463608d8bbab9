#include "map_files.h"

#include "bmp_writer.h"
#include "common/file_names.h"
#include "common/text_file.h"
#include "manager/records.h"
#include "manager/settings_access.h"
#include "manager/settings_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace rovanta::test {
namespace {
// "D°M.MMMMMM'H" with the Latin-1 degree sign, as calibration tools write it.
std::string degreesMinutes(double degrees, char positive, char negative)
{
    const double magnitude = std::fabs(degrees);
    const double whole = std::floor(magnitude);
    char text[64];
    std::snprintf(text, sizeof text, "%d\xB0%.6f'%c", static_cast<int>(whole), (magnitude - whole) * 60,
                  degrees >= 0 ? positive : negative);
    return text;
}

std::string referenceLine(std::int32_t x, std::int32_t y, double lon, double lat)
{
    return "REFERENCE_POINT: (" + std::to_string(x) + "," + std::to_string(y) + ") (" + degreesMinutes(lon, 'O', 'W') +
           ", " + degreesMinutes(lat, 'N', 'S') + ")\r\n";
}
} // namespace

std::string writeSampleMap(const std::filesystem::path& folder, std::string_view calFile, const SampleMap& map)
{
    const std::filesystem::path cal = folder / toFsPath(calFile);
    std::filesystem::path bitmap = cal.filename();
    bitmap.replace_extension(".bmp");
    writeBmp(folder / bitmap, {.width = map.width, .height = map.height, .bitsPerPixel = 24});
    std::string text = map.name.empty() ? std::string() : "NAME: " + map.name + "\r\n";
    text += "FILENAME: " + toUtf8(bitmap) + "\r\n";
    text += referenceLine(0, 0, map.west, map.south);
    text += referenceLine(map.width, map.height, map.east, map.north);
    EXPECT_TRUE(writeFileAtomically(cal, text)) << toUtf8(cal);
    return toUtf8(cal);
}

void registerMaps(SettingsAccess& store, const std::filesystem::path& folder, const std::vector<RegisteredMap>& maps)
{
    store.writeInt(settings::kSettings, settings::kFolderCount, 1);
    store.writeString(settings::kFolder, settings::folderKey(0), toUtf8(folder));
    store.writeInt(settings::kSettings, settings::kMapCount, static_cast<int>(maps.size()));
    for (std::size_t i = 0; i < maps.size(); ++i) {
        const std::string key = settings::mapKey(static_cast<int>(i));
        store.writeString(settings::kMapName, key, maps[i].name);
        store.writeString(settings::kMapPath, key, settings::folderKey(0) + "\\" + maps[i].calFile);
        store.writeInt(settings::kMapStatus, key, maps[i].status);
    }
}

void registerCurrentMap(SettingsAccess& store, const std::filesystem::path& folder, std::string_view calFile,
                        std::string_view name)
{
    registerMaps(store, folder, {{std::string(calFile), std::string(name), kStatusCurrent}});
}

} // namespace rovanta::test
