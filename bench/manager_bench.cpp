// Starting the program loads every stored map, and Search reads every
// calibration file of the listed folders. Neither may read pixels, so 500
// maps of 100 x 100 and 500 of 20000 x 20000 (1.2 GB each, sparse) should
// take the same time.
#include "manager/cl_manager.h"
#include "map_folder.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

namespace {
using rovanta::test::MemorySettings;

using rovanta::bench::kMapCount;
using rovanta::bench::MapFolder;
using rovanta::bench::numbered;

// Built on first use per edge; the folders go when the program ends.
const MapFolder& mapFolder(int edge)
{
    static std::map<int, std::unique_ptr<MapFolder>> folders;
    auto& folder = folders[edge];
    if (!folder)
        folder = std::make_unique<MapFolder>(edge, 1);
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
