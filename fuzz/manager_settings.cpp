// Hand-edited or damaged settings reaching the manager, which loads the
// maps and tours they name, then writes the lists back; a second manager
// loads what the first wrote. Input lines are "Section/Name=value"; a value
// that is a whole number is stored as an integer, and "$DIR" stands for a
// folder holding a map (map.cal, map.bmp) and a tour (tour.TXT, tour.rmk).
#include "fuzz_input.h"
#include "manager/cl_manager.h"
#include "memory_settings.h"

#include <charconv>
#include <string>

namespace {

using rovanta::test::MemorySettings;

const std::string& sampleFolder()
{
    static const std::string folder = [] {
        namespace fuzz = rovanta::fuzz;
        fuzz::writeScratch("map.bmp", fuzz::tinyBmp());
        fuzz::writeScratch("map.cal", "TYPE: RASTERMAP\r\nNAME: Sample\r\n"
                                      "REFERENCE_POINT: (0,0) (10\xb0"
                                      "56.028122'O, 47\xb0"
                                      "22.148836'N)\r\n"
                                      "REFERENCE_POINT: (2,2) (11\xb0"
                                      "02.506804'O, 47\xb0"
                                      "25.275945'N)\r\n"
                                      "FILENAME: map.bmp\r\n");
        fuzz::writeScratch("tour.TXT", "47.3941420,10.9665144,0\r\n47.3958313,10.9729384,0\r\n");
        fuzz::writeScratch("tour.rmk", "Start\r\nEnd\r\n");
        return fuzz::scratchFolder().string();
    }();
    return folder;
}

void store(MemorySettings& settings, std::string_view line)
{
    const std::size_t slash = line.find('/');
    const std::size_t equals = line.find('=', slash == std::string_view::npos ? 0 : slash);
    if (slash == std::string_view::npos || equals == std::string_view::npos)
        return;
    std::string value(line.substr(equals + 1));
    for (std::size_t at = value.find("$DIR"); at != std::string::npos; at = value.find("$DIR", at + 1))
        value.replace(at, 4, sampleFolder());
    const std::string_view section = line.substr(0, slash);
    const std::string_view name = line.substr(slash + 1, equals - slash - 1);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error == std::errc() && end == value.data() + value.size() && !value.empty())
        settings.writeInt(section, name, number);
    else
        settings.writeString(section, name, value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemorySettings settings;
    std::string_view rest = rovanta::fuzz::bytesOf(data, size);
    while (!rest.empty()) {
        const std::size_t newline = rest.find('\n');
        store(settings, rest.substr(0, newline));
        rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
    }
    for (int round = 0; round < 2; ++round) {
        rovanta::cl_Manager manager(settings);
        manager.beginSheet();
        (void)manager.selectedMap();
    }
    return 0;
}
