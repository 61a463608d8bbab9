// Starting the program loads every stored map, and Search reads every
// calibration file of the listed folders. Neither may read pixels, so 500
// maps of 100 x 100 and 500 of 20000 x 20000 (1.2 GB each, sparse) should
// take the same time.
#include "common/file_names.h"
#include "manager/cl_manager.h"
#include "manager/settings_layout.h"
#include "map_files.h"
#include "memory_settings.h"
#include "temp_folder.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {
using rovanta::test::MemorySettings;
namespace settings = rovanta::settings;

constexpr int kMapCount = 500;

// Map i is "Map<nnn>" in "m<nnn>.cal".
std::string numbered(const char* format, int i)
{
    char text[32];
    std::snprintf(text, sizeof text, format, i);
    return text;
}

// One folder of maps per bitmap edge, with the settings that list them.
class MapFolder {
public:
    explicit MapFolder(int edge)
    {
        for (int i = 0; i < kMapCount; ++i) {
            const double west = 9.0 + 0.01 * (i % 20);
            const double south = 53.0 + 0.01 * (i / 20);
            rovanta::test::writeSampleMap(folder_.path(), numbered("m%03d.cal", i),
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
        onlyFolder.writeString(settings::kFolder, folderKey, rovanta::toUtf8(folder_.path()));

        withMaps = onlyFolder;
        withMaps.writeInt(settings::kSettings, settings::kMapCount, kMapCount);
        for (int i = 0; i < kMapCount; ++i) {
            const std::string key = settings::mapKey(i);
            withMaps.writeString(settings::kMapName, key, numbered("Map%03d", i));
            withMaps.writeString(settings::kMapPath, key, folderKey + numbered("\\m%03d.cal", i));
            withMaps.writeInt(settings::kMapStatus, key, 1);
        }
    }

    MemorySettings onlyFolder;
    MemorySettings withMaps;

private:
    rovanta::test::TempFolder folder_;
};

// Built on first use per edge; the folders go when the program ends.
const MapFolder& mapFolder(int edge)
{
    static std::map<int, std::unique_ptr<MapFolder>> folders;
    auto& folder = folders[edge];
    if (!folder)
        folder = std::make_unique<MapFolder>(edge);
    return *folder;
}

void BM_StartupLoad500Maps(benchmark::State& state)
{
    const MapFolder& folder = mapFolder(static_cast<int>(state.range(0)));
    MemorySettings settings;
    for (auto _ : state) {
        state.PauseTiming();
        // The previous manager saved into the settings; start from the same entries.
        settings = folder.withMaps;
        state.ResumeTiming();
        auto manager = std::make_unique<rovanta::cl_Manager>(settings);
        state.PauseTiming();
        if (manager->maps().size() != kMapCount) {
            state.SkipWithError(("loaded " + std::to_string(manager->maps().size()) + " maps").c_str());
            break;
        }
        manager.reset(); // saving is not part of the start
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMapCount);
}

void BM_Search500CalFiles(benchmark::State& state)
{
    const MapFolder& folder = mapFolder(static_cast<int>(state.range(0)));
    MemorySettings settings;
    for (auto _ : state) {
        state.PauseTiming();
        settings = folder.onlyFolder;
        auto manager = std::make_unique<rovanta::cl_Manager>(settings);
        state.ResumeTiming();
        manager->mapList().search();
        state.PauseTiming();
        if (manager->mapList().working().size() != kMapCount) {
            state.SkipWithError(("found " + std::to_string(manager->mapList().working().size()) + " maps").c_str());
            break;
        }
        manager.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kMapCount);
}

// The view's map switch: a position on the last of 500 checked maps walks
// them all.
void BM_FindMapAmong500(benchmark::State& state)
{
    MemorySettings settings = mapFolder(static_cast<int>(state.range(0))).withMaps;
    const rovanta::cl_Manager manager(settings);
    cl_RefPoint onLastMap;
    onLastMap.setRefPoint(IPoint{1, 1}, DPoint{9.0 + 0.01 * 19 + 0.005, 53.0 + 0.01 * 24 + 0.005});
    for (auto _ : state) {
        cl_RefPoint position = onLastMap;
        const rovanta::MapRecord found = manager.findMapContaining(position);
        if (!found || found->mapName() != "Map499") {
            state.SkipWithError("the last map was not found");
            break;
        }
        benchmark::DoNotOptimize(position);
    }
}

BENCHMARK(BM_StartupLoad500Maps)->Arg(100)->Arg(20000)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Search500CalFiles)->Arg(100)->Arg(20000)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMapAmong500)->Arg(100)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
