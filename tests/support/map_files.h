// Calibrated maps on disk for tests and benchmarks: a calibration file and
// its (sparse) bitmap, north up, covering a box of degrees.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {
class SettingsAccess;
}

namespace rovanta::test {

struct SampleMap {
    std::string name;  ///< the "NAME:" value; no name line when empty
    double west = 9.0; ///< degrees east, bottom-left pixel
    double south = 53.0;
    double east = 9.1;        ///< degrees east, top-right pixel
    double north = 53.06;     ///< about as many metres north as east
    std::int32_t width = 200; ///< bitmap pixels
    std::int32_t height = 200;
};

/// Writes `calFile` and the bitmap it names ("<calFile stem>.bmp") into
/// `folder`; returns the calibration file's path (UTF-8).
std::string writeSampleMap(const std::filesystem::path& folder, std::string_view calFile, const SampleMap& map);

struct RegisteredMap {
    std::string calFile;
    std::string name;
    std::int32_t status; ///< 0 unchecked, 1 checked, 2 current
};

/// Stores `folder` as the one registered folder and `maps` in it, as a
/// program start would find them.
void registerMaps(SettingsAccess& store, const std::filesystem::path& folder, const std::vector<RegisteredMap>& maps);

/// registerMaps with the one map `name` in its `calFile`, current.
void registerCurrentMap(SettingsAccess& store, const std::filesystem::path& folder, std::string_view calFile,
                        std::string_view name);

} // namespace rovanta::test
