// What a help request costs the user: the first F1 (open the help file,
// build contents and index, lay out and paint the page with its
// screenshot), the next page, the other language, opening the file (its
// reader started, the sitemaps read) and reading one page out of the
// compressed file.
#include "help/chm_archive.h"
#include "help/qt/help_window.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <filesystem>
#include <string>

namespace {

const std::string kHelpDir = ROVANTA_HELP_BUILD_DIR;
const std::string kEnglish = kHelpDir + "/RovantaENG.chm";
const std::string kGerman = kHelpDir + "/RovantaDEU.chm";

/// Shows the topic and paints the whole window, as the screen would.
void showAndPaint(rovanta::HelpWindow& window, const std::string& topic)
{
    window.displayTopic(topic);
    benchmark::DoNotOptimize(window.grab().toImage().constBits());
}

void BM_FirstHelpRequest(benchmark::State& state)
{
    for (auto _ : state) {
        rovanta::HelpWindow window(nullptr);
        showAndPaint(window, kEnglish + "::/HTML/Eng/index.htm");
    }
}
BENCHMARK(BM_FirstHelpRequest)->Unit(benchmark::kMillisecond);

void BM_NextPage(benchmark::State& state)
{
    rovanta::HelpWindow window(nullptr);
    showAndPaint(window, kEnglish);
    const std::string pages[] = {kEnglish + "::/HTML/Eng/Maps.htm", kEnglish + "::/HTML/Eng/TourDistances.htm"};
    std::size_t next = 0;
    for (auto _ : state)
        showAndPaint(window, pages[next++ % 2]);
}
BENCHMARK(BM_NextPage)->Unit(benchmark::kMillisecond);

void BM_SwitchLanguage(benchmark::State& state)
{
    rovanta::HelpWindow window(nullptr);
    const std::string files[] = {kGerman, kEnglish};
    std::size_t next = 0;
    for (auto _ : state)
        showAndPaint(window, files[next++ % 2]);
}
BENCHMARK(BM_SwitchLanguage)->Unit(benchmark::kMillisecond);

void BM_OpenArchive(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rovanta::ChmArchive::open(kEnglish));
}
BENCHMARK(BM_OpenArchive)->Unit(benchmark::kMillisecond);

void BM_ReadPageFromArchive(benchmark::State& state)
{
    const auto archive = rovanta::ChmArchive::open(kEnglish);
    for (auto _ : state)
        benchmark::DoNotOptimize(archive->read("/HTML/Eng/CalFiles.htm"));
}
BENCHMARK(BM_ReadPageFromArchive)->Unit(benchmark::kMicrosecond);

} // namespace
