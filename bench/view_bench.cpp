// The map view on scanned maps far beyond what a decoder should hold in
// memory: opening a 20000 × 20000 map to its first screen, repainting a
// full-HD window at the zoom steps users reach, and a 40000 × 40000 map,
// each against decoding the same file with Qt's reader; one wheel notch of
// zoom about the cursor with its repaint; and four such maps meeting at a
// corner, the current one with its three neighbours.
#include "process_memory.h"
#include "bmp_pattern.h"
#include "bmp_writer.h"
#include "common/file_names.h"
#include "map_files.h"
#include "memory_settings.h"
#include "no_menus.h"
#include "temp_folder.h"
#include "view/qt/rovanta_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QScrollBar>
#include <QWheelEvent>

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {

using rovanta::bench::anonymousBytes;

using rovanta::CRovantaView;
using rovanta::test::MemorySettings;

constexpr QSize kWindow(1920, 1080);
constexpr int kQtDefaultAllocationLimitMB = 128;

enum class Content { kPattern, kSparse };

struct SheetFile {
    const char* name;
    int side;
    std::uint16_t bits;
    Content content;
};

const SheetFile kBig24{"Big24", 20000, 24, Content::kPattern};
const SheetFile kBig8{"Big8", 20000, 8, Content::kPattern};
const SheetFile kMid24{"Mid24", 8000, 24, Content::kPattern};
const SheetFile kHuge8{"Huge8", 40000, 8, Content::kSparse};

// The maps, written on first use into one temporary folder and removed at
// exit, each with settings that make it the current map.
class Maps {
public:
    static Maps& get()
    {
        static Maps maps;
        return maps;
    }
    MemorySettings settingsFor(const SheetFile& sheet)
    {
        const std::string cal = std::string(sheet.name) + ".cal";
        if (!written_[sheet.name]) {
            rovanta::test::writeSampleMap(folder_.path(), cal,
                                          {.name = sheet.name, .width = sheet.side, .height = sheet.side});
            if (sheet.content == Content::kPattern)
                rovanta::test::writePatternBmp(folder_.path() / (std::string(sheet.name) + ".bmp"),
                                               {.width = sheet.side, .height = sheet.side, .bitsPerPixel = sheet.bits});
            else
                rovanta::test::writeBmp(folder_.path() / (std::string(sheet.name) + ".bmp"),
                                        {.width = sheet.side, .height = sheet.side, .bitsPerPixel = sheet.bits});
            written_[sheet.name] = true;
        }
        MemorySettings store;
        rovanta::test::registerCurrentMap(store, folder_.path(), cal, sheet.name);
        return store;
    }
    QString bitmap(const SheetFile& sheet) const
    {
        return QString::fromStdString(rovanta::toUtf8(folder_.path() / (std::string(sheet.name) + ".bmp")));
    }

private:
    rovanta::test::TempFolder folder_;
    std::map<std::string, bool> written_;
};

// A view with a full-HD inside, shown on the offscreen platform.
struct ShownView {
    explicit ShownView(const SheetFile& sheet) : settings(Maps::get().settingsFor(sheet)), view(settings, menus)
    {
        view.resize(kWindow);
        view.show();
        QCoreApplication::processEvents();
        view.resize(kWindow * 2 - view.viewport()->size());
        QCoreApplication::processEvents();
        view.initialUpdate();
    }
    // Waits for the pyramid the last paint asked for; seconds, or -1.
    double awaitPyramid()
    {
        QElapsedTimer timer;
        timer.start();
        view.viewport()->repaint();
        while (view.pyramid() && !view.pyramid()->ready() && timer.elapsed() < 600'000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return view.pyramid() && view.pyramid()->ready() ? timer.elapsed() / 1000.0 : -1;
    }

    MemorySettings settings;
    rovanta::test::NoMenus menus;
    CRovantaView view;
};

const SheetFile& sheetFor(int index)
{
    static const SheetFile* const sheets[] = {&kBig24, &kBig8, &kMid24, &kHuge8};
    return *sheets[index];
}

// loadMapBitmap to the end of the first paint at zoom 1.
void BM_OpenToFirstPaint(benchmark::State& state)
{
    const SheetFile& sheet = sheetFor(static_cast<int>(state.range(0)));
    ShownView shown(sheet);
    const long long before = anonymousBytes();
    for (auto _ : state) {
        shown.view.loadMapBitmap();
        shown.view.viewport()->repaint();
    }
    state.counters["anon_growth_MB"] = double(anonymousBytes() - before) / (1 << 20);
    if (!shown.view.bitmapLoaded())
        state.SkipWithError("the bitmap did not load");
    state.SetLabel(sheet.name);
}

// The same file through Qt's own reader, the whole image decoded.
void BM_QtDecode(benchmark::State& state)
{
    const SheetFile& sheet = sheetFor(static_cast<int>(state.range(0)));
    Maps::get().settingsFor(sheet);
    // Without Qt's guard against huge allocations, to see what decoding costs.
    QImageReader::setAllocationLimit(0);
    const long long before = anonymousBytes();
    long long peak = 0;
    bool decoded = false;
    for (auto _ : state) {
        QImageReader reader(Maps::get().bitmap(sheet));
        const QImage image = reader.read();
        decoded = !image.isNull();
        peak = std::max(peak, anonymousBytes() - before);
    }
    QImageReader::setAllocationLimit(kQtDefaultAllocationLimitMB);
    state.counters["anon_growth_MB"] = double(peak) / (1 << 20);
    state.counters["decoded"] = decoded;
    state.SetLabel(sheet.name);
}

// A full-HD repaint at a zoom, after the pyramid is ready.
void BM_Repaint(benchmark::State& state)
{
    const SheetFile& sheet = sheetFor(static_cast<int>(state.range(0)));
    const double zoom = state.range(1) / 100.0;
    ShownView shown(sheet);
    shown.view.zoomBy(zoom);
    if (zoom < 0.5)
        state.counters["pyramid_s"] = shown.awaitPyramid();
    if (!shown.view.bitmapLoaded() || (zoom < 0.5 && !shown.view.pyramid()->ready()))
        state.SkipWithError("nothing to paint");
    for (auto _ : state)
        shown.view.viewport()->repaint();
    state.SetLabel(std::string(sheet.name) + " zoom " + std::to_string(zoom).substr(0, 4));
}

// One wheel notch about a point off the centre and the repaint it asks
// for, notches alternating in and out so the zoom stays near `zoom`.
void BM_WheelZoomStep(benchmark::State& state)
{
    const double zoom = state.range(0) / 100.0;
    ShownView shown(kBig24);
    shown.view.zoomBy(zoom);
    if (zoom < 0.5 && shown.awaitPyramid() < 0)
        state.SkipWithError("no pyramid");
    QWidget* viewport = shown.view.viewport();
    const QPointF at(viewport->width() * 0.3, viewport->height() * 0.6);
    int delta = 120;
    for (auto _ : state) {
        QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        viewport->repaint();
        delta = -delta;
    }
    state.SetLabel("Big24 zoom " + std::to_string(zoom).substr(0, 4));
}

// Four 20000 × 20000 sheets on a 2 × 2 block of boxes 0.1° wide and about
// as high on the ground, the south-west one current, the others checked;
// sparse, so they cost no disk. At 9° E all lie in zone 32; at 11.9° E the
// eastern two lie in zone 33, turned by 4° against the current sheet.
class Block {
public:
    static constexpr int kSide = 20000;
    static Block& get(bool acrossZones)
    {
        static Block within(9.0, 53.0, 0.06);
        static Block across(11.9, 47.0, 0.068);
        return acrossZones ? across : within;
    }
    MemorySettings settings() const
    {
        MemorySettings store;
        rovanta::test::registerMaps(store, folder_.path(),
                                    {{"SW.cal", "SW", rovanta::kStatusCurrent},
                                     {"SE.cal", "SE", rovanta::kStatusChecked},
                                     {"NW.cal", "NW", rovanta::kStatusChecked},
                                     {"NE.cal", "NE", rovanta::kStatusChecked}});
        return store;
    }

private:
    Block(double west, double south, double high)
    {
        const struct {
            const char* name;
            int column, row;
        } sheets[] = {{"SW", 0, 0}, {"SE", 1, 0}, {"NW", 0, 1}, {"NE", 1, 1}};
        for (const auto& sheet : sheets) {
            const double w = west + 0.1 * sheet.column;
            const double s = south + high * sheet.row;
            rovanta::test::writeSampleMap(folder_.path(), std::string(sheet.name) + ".cal",
                                          {.name = sheet.name,
                                           .west = w,
                                           .south = s,
                                           .east = w + 0.1,
                                           .north = s + high,
                                           .width = kSide,
                                           .height = kSide});
        }
    }
    rovanta::test::TempFolder folder_;
};

// A full-HD repaint over the corner where the four sheets meet, at a zoom,
// once every sheet is open and its pyramid ready.
void BM_RepaintNeighbours(benchmark::State& state)
{
    const double zoom = state.range(0) / 100.0;
    const bool acrossZones = state.range(1) != 0;
    MemorySettings settings = Block::get(acrossZones).settings();
    rovanta::test::NoMenus menus;
    CRovantaView view(settings, menus);
    view.resize(kWindow);
    view.show();
    QCoreApplication::processEvents();
    view.resize(kWindow * 2 - view.viewport()->size());
    QCoreApplication::processEvents();
    view.initialUpdate();
    view.zoomBy(zoom);
    view.zoomAt(1.0, view.pixelToWindow({Block::kSide, Block::kSide}));
    QElapsedTimer timer;
    timer.start();
    do {
        view.viewport()->repaint();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    } while ((!view.mosaic().cache().ready() || (view.pyramid() && !view.pyramid()->ready())) &&
             timer.elapsed() < 1'200'000);
    state.counters["ready_s"] = timer.elapsed() / 1000.0;
    state.counters["sheets"] = double(view.mosaic().cache().size());
    for (auto _ : state)
        view.viewport()->repaint();
    state.SetLabel(std::string(acrossZones ? "across zones" : "one zone") + ", zoom " +
                   std::to_string(zoom).substr(0, 4));
}

void openArgs(benchmark::internal::Benchmark* b)
{
    for (const int sheet : {0, 2, 3})
        b->Arg(sheet);
}

void repaintArgs(benchmark::internal::Benchmark* b)
{
    for (const int sheet : {0, 1})
        for (const int zoom : {5, 25, 100, 400})
            b->Args({sheet, zoom});
    b->Args({3, 5});
    b->Args({3, 100});
}

BENCHMARK(BM_OpenToFirstPaint)->Apply(openArgs)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtDecode)->Arg(0)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintNeighbours)
    ->ArgsProduct({{100, 25, 5}, {0, 1}})
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint)->Apply(repaintArgs)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelZoomStep)->Arg(100)->Arg(25)->Unit(benchmark::kMillisecond);

} // namespace
