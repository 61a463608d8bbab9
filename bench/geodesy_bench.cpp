// Nanoseconds per UTM conversion through cl_RefPoint as the program calls
// it, next to GeographicLib and PROJ on the same random points of zone 32
// (0..84 N, 6..12 E). Prints ours/peer time ratios at the end.
#include <kalimark/kalimark.h>

#include <GeographicLib/UTMUPS.hpp>
#include <benchmark/benchmark.h>
#include <proj.h>

#include <cstdio>
#include <map>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kZone = 32;
constexpr std::size_t kPointCount = 4096; // a power of two, for the index mask
constexpr double kDegToRad = std::numbers::pi / 180.0;

struct Sample {
    double latDeg = 0.0;
    double lonDeg = 0.0;
    char letter = 'Z';
    IPoint en;               // ours, truncated metres
    double x = 0.0, y = 0.0; // GeographicLib, metres
};

const std::vector<Sample>& samples()
{
    static const std::vector<Sample> all = [] {
        std::mt19937_64 random(20261206);
        std::uniform_real_distribution<double> lat(0.0, 84.0);
        std::uniform_real_distribution<double> lon(6.0, 12.0);
        std::vector<Sample> out(kPointCount);
        for (Sample& s : out) {
            s.latDeg = lat(random);
            s.lonDeg = lon(random);
            cl_RefPoint p;
            p.setRefPoint(DPoint{s.lonDeg * kDegToRad, s.latDeg * kDegToRad});
            p.setDatum(kZone, 0);
            int zone = 0;
            p.getRefPoint(zone, s.letter, s.en);
            int gZone = 0;
            bool north = true;
            GeographicLib::UTMUPS::Forward(s.latDeg, s.lonDeg, gZone, north, s.x, s.y, kZone);
        }
        return out;
    }();
    return all;
}

void Kalimark_Forward(benchmark::State& state)
{
    std::vector<cl_RefPoint> points(kPointCount);
    for (std::size_t i = 0; i < kPointCount; ++i)
        points[i].setRefPoint(DPoint{samples()[i].lonDeg * kDegToRad, samples()[i].latDeg * kDegToRad});
    std::size_t i = 0;
    int zone = 0;
    char letter = 'Z';
    IPoint en;
    for (auto _ : state) {
        cl_RefPoint& p = points[i++ & (kPointCount - 1)];
        p.setDatum(kZone, 0);
        p.getRefPoint(zone, letter, en);
        benchmark::DoNotOptimize(en);
        benchmark::DoNotOptimize(letter);
    }
}

void Kalimark_Inverse(benchmark::State& state)
{
    const std::vector<Sample>& s = samples();
    cl_RefPoint p;
    std::size_t i = 0;
    for (auto _ : state) {
        const Sample& sample = s[i++ & (kPointCount - 1)];
        p.setRefPoint(kZone, sample.letter, sample.en);
        benchmark::DoNotOptimize(p.latitude);
        benchmark::DoNotOptimize(p.longitude);
    }
}

void GeographicLib_Forward(benchmark::State& state)
{
    const std::vector<Sample>& s = samples();
    std::size_t i = 0;
    int zone = 0;
    bool north = true;
    double x = 0.0, y = 0.0;
    for (auto _ : state) {
        const Sample& sample = s[i++ & (kPointCount - 1)];
        GeographicLib::UTMUPS::Forward(sample.latDeg, sample.lonDeg, zone, north, x, y, kZone);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
    }
}

void GeographicLib_Inverse(benchmark::State& state)
{
    const std::vector<Sample>& s = samples();
    std::size_t i = 0;
    double lat = 0.0, lon = 0.0;
    for (auto _ : state) {
        const Sample& sample = s[i++ & (kPointCount - 1)];
        GeographicLib::UTMUPS::Reverse(kZone, true, sample.x, sample.y, lat, lon);
        benchmark::DoNotOptimize(lat);
        benchmark::DoNotOptimize(lon);
    }
}

class ProjUtm {
public:
    ProjUtm() : context_(proj_context_create()), utm_(proj_create(context_, "+proj=utm +zone=32 +datum=WGS84")) {}
    ~ProjUtm()
    {
        proj_destroy(utm_);
        proj_context_destroy(context_);
    }
    ProjUtm(const ProjUtm&) = delete;
    ProjUtm& operator=(const ProjUtm&) = delete;
    PJ* get() const { return utm_; }

private:
    PJ_CONTEXT* context_;
    PJ* utm_;
};

/// One point per proj_trans call, as a program converting points one at a
/// time would use PROJ. `input` gives the coordinate to transform.
template <typename Input> void runProj(benchmark::State& state, PJ_DIRECTION direction, Input input)
{
    const std::vector<Sample>& s = samples();
    const ProjUtm utm;
    if (utm.get() == nullptr) {
        state.SkipWithError("PROJ could not create the UTM operation");
        return;
    }
    std::size_t i = 0;
    for (auto _ : state) {
        PJ_COORD c = proj_trans(utm.get(), direction, input(s[i++ & (kPointCount - 1)]));
        benchmark::DoNotOptimize(c);
    }
}

void Proj_Forward(benchmark::State& state)
{
    runProj(state, PJ_FWD,
            [](const Sample& p) { return proj_coord(p.lonDeg * kDegToRad, p.latDeg * kDegToRad, 0.0, 0.0); });
}

void Proj_Inverse(benchmark::State& state)
{
    runProj(state, PJ_INV, [](const Sample& p) { return proj_coord(p.x, p.y, 0.0, 0.0); });
}

BENCHMARK(Kalimark_Forward);
BENCHMARK(GeographicLib_Forward);
BENCHMARK(Proj_Forward);
BENCHMARK(Kalimark_Inverse);
BENCHMARK(GeographicLib_Inverse);
BENCHMARK(Proj_Inverse);

/// Shows the runs as usual and keeps each one's time per conversion.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With --benchmark_repetitions the median stands for the run.
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[name] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Iteration)
                nanoseconds_[name] = run.GetAdjustedRealTime();
        }
    }

    void printRatios() const
    {
        for (const char* direction : {"Forward", "Inverse"}) {
            const double ours = find(std::string("Kalimark_") + direction);
            const double geographicLib = find(std::string("GeographicLib_") + direction);
            const double proj = find(std::string("Proj_") + direction);
            std::printf("%s: ours %.1f ns, ours/GeographicLib %.2f, ours/PROJ %.2f\n", direction, ours,
                        ours / geographicLib, ours / proj);
        }
    }

private:
    double find(const std::string& name) const
    {
        if (const auto median = medians_.find(name); median != medians_.end())
            return median->second;
        const auto it = nanoseconds_.find(name);
        return it == nanoseconds_.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> nanoseconds_;
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    samples();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
