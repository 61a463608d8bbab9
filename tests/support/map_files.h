// Calibrated maps on disk for tests and benchmarks: a calibration file and
// its (sparse) bitmap, north up, covering a box of degrees.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

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

/// Stores `folder` as the one registered folder and the map `name` in its
/// `calFile` as the one map, current, as a program start would find them.
void registerCurrentMap(SettingsAccess& store, const std::filesystem::path& folder, std::string_view calFile,
                        std::string_view name);

} // namespace rovanta::test
