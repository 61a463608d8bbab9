// Reading a map's bitmap header and computing its georeference must not
// depend on the bitmap's size: a 10000 x 10000 24-bit BMP (300 MB) next to
// a 100 x 100 one. The files are sparse and removed afterwards.
#include "bmp_writer.h"
#include "map/cl_map.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace {
namespace fs = std::filesystem;

class Maps {
public:
    Maps()
    {
        folder_ = fs::temp_directory_path() / ("rovanta-map-bench-" + std::to_string(std::random_device{}()));
        fs::create_directories(folder_);
        make("small", 100);
        make("large", 10000);
    }
    ~Maps()
    {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string cal(const char* name) const { return (folder_ / (std::string(name) + ".cal")).string(); }

private:
    void make(const char* name, int side)
    {
        const std::string stem = name;
        if (!rovanta::test::writeBmp(folder_ / (stem + ".bmp"), {.width = side, .height = side, .bitsPerPixel = 24}))
            std::abort();
        std::FILE* out = std::fopen(cal(name).c_str(), "wb");
        std::fprintf(out,
                     "TYPE: RASTERMAP\r\nNAME: %s\r\nFILENAME: %s.bmp\r\n"
                     "REFERENCE_POINT: (10,10) (9\xB0"
                     "50.000'O, 53\xB0"
                     "30.000'N)\r\n"
                     "REFERENCE_POINT: (90,90) (9\xB0"
                     "55.000'O, 53\xB0"
                     "33.000'N)\r\n",
                     name, name);
        std::fclose(out);
    }
    fs::path folder_;
};

const Maps& maps()
{
    static const Maps instance;
    return instance;
}

rovanta::cl_Map loaded(const char* name)
{
    rovanta::cl_Map map;
    std::string mapName;
    if (!map.loadCalFile(maps().cal(name), mapName))
        std::abort();
    return map;
}

void BM_GetBitmapInfo(benchmark::State& state, const char* name)
{
    const rovanta::cl_Map map = loaded(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(map.getBitmapInfo());
    state.counters["width"] = map.getBitmapInfo().width;
}

void BM_ComputeReference(benchmark::State& state, const char* name)
{
    rovanta::cl_Map map = loaded(name);
    for (auto _ : state)
        benchmark::DoNotOptimize(map.computeReference());
}

void BM_LoadCalFile(benchmark::State& state, const char* name)
{
    for (auto _ : state) {
        rovanta::cl_Map map;
        std::string mapName;
        benchmark::DoNotOptimize(map.loadCalFile(maps().cal(name), mapName));
    }
}

BENCHMARK_CAPTURE(BM_GetBitmapInfo, small_100x100, "small")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_GetBitmapInfo, large_10000x10000, "large")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComputeReference, small_100x100, "small")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ComputeReference, large_10000x10000, "large")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_LoadCalFile, small, "small")->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
