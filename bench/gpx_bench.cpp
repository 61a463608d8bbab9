// Tours in and out against gpsbabel doing the same work in the same run:
// a 100000-point track read and simplified at 10 m, and a 10000-point tour
// written as GPX. gpsbabel runs as a process, as users run it; its rows are
// skipped where it is not installed.
#include "gpx/geo_path.h"
#include "gpx/gpx_read.h"
#include "gpx/gpx_write.h"
#include "gpx/simplify.h"
#include "tour/cl_tour.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {
namespace fs = std::filesystem;
using namespace rovanta;

const fs::path& folder()
{
    static const fs::path path = [] {
        fs::path made = fs::temp_directory_path() / ("rovanta_gpx_bench_" + std::to_string(::getpid()));
        fs::create_directories(made);
        return made;
    }();
    return path;
}

// A winding walk with a point every few metres, as a recording has it.
GeoPoint walkPoint(int i)
{
    const double t = i * 0.0005;
    return {47.0 + i * 0.00002 + 0.001 * std::sin(t * 7.0), 11.0 + i * 0.00003 + 0.001 * std::cos(t * 5.0), {}};
}

const fs::path& trackFile()
{
    static const fs::path file = [] {
        const fs::path path = folder() / "track.gpx";
        std::ofstream out(path);
        out << "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"bench\" "
               "xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><name>Recording</name><trkseg>\n";
        for (int i = 0; i < 100000; ++i) {
            const GeoPoint p = walkPoint(i);
            out << "<trkpt lat=\"" << std::to_string(p.latitude) << "\" lon=\"" << std::to_string(p.longitude)
                << "\"><ele>1200.5</ele><time>2024-05-01T08:00:00Z</time></trkpt>\n";
        }
        out << "</trkseg></trk></gpx>\n";
        return path;
    }();
    return file;
}

const fs::path& pointsCsv()
{
    static const fs::path file = [] {
        const fs::path path = folder() / "points.csv";
        std::ofstream out(path);
        out << "No,Latitude,Longitude,Name,Description\n";
        for (int i = 0; i < 10000; ++i) {
            const GeoPoint p = walkPoint(i * 10);
            out << i << ',' << std::to_string(p.latitude) << ',' << std::to_string(p.longitude) << ',' << i
                << ",Remark " << i << '\n';
        }
        return path;
    }();
    return file;
}

bool haveGpsbabel()
{
    return std::system("command -v gpsbabel > /dev/null 2>&1") == 0;
}

void runGpsbabel(benchmark::State& state, const std::string& arguments)
{
    if (!haveGpsbabel()) {
        state.SkipWithError("gpsbabel is not installed");
        return;
    }
    const std::string command = "gpsbabel " + arguments + " > /dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("gpsbabel failed");
            return;
        }
    }
}

void ImportTrack100k(benchmark::State& state)
{
    const fs::path file = trackFile();
    std::size_t kept = 0;
    for (auto _ : state) {
        const GpxContent content = readGpxFile(file);
        kept = importPoints(content.paths.at(0), kDefaultSimplifyTolerance).size();
        benchmark::DoNotOptimize(kept);
    }
    state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(ImportTrack100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void GpsbabelImportTrack100k(benchmark::State& state)
{
    runGpsbabel(state, "-i gpx -f " + trackFile().string() + " -x simplify,error=0.01k -o unicsv -F " +
                           (folder() / "simplified.csv").string());
}
BENCHMARK(GpsbabelImportTrack100k)->Unit(benchmark::kMillisecond)->UseRealTime();

void ExportTour10k(benchmark::State& state)
{
    cl_Tour tour("Long Tour", 0);
    std::vector<GeoPoint> points;
    for (int i = 0; i < 10000; ++i) {
        points.push_back(walkPoint(i * 10));
        points.back().remark = "Remark " + std::to_string(i);
    }
    appendToTour(tour, points);
    const fs::path file = folder() / "tour.gpx";
    for (auto _ : state) {
        std::string failure;
        if (!writeExportFile(file, gpxText(tour.name(), tourPoints(tour), {"2024-05-01T08:00:00Z", false}), failure)) {
            state.SkipWithError(failure.c_str());
            return;
        }
    }
}
BENCHMARK(ExportTour10k)->Unit(benchmark::kMillisecond)->UseRealTime();

void GpsbabelExportTour10k(benchmark::State& state)
{
    runGpsbabel(state,
                "-i unicsv -f " + pointsCsv().string() + " -o gpx,gpxver=1.1 -F " + (folder() / "babel.gpx").string());
}
BENCHMARK(GpsbabelExportTour10k)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
