// Printing the map: four A4 pages at 300 dpi from a 20000 × 20000 sheet
// (2.2 m per pixel) into a PDF, at 1:25 000 (pixels enlarged slightly) and
// 1:100 000 (averaged four by four), with the growth of the process's own
// memory at its peak.
#include "process_memory.h"
#include "bmp_pattern.h"
#include "map/cl_map.h"
#include "map_files.h"
#include "print/qt/map_printer.h"
#include "temp_folder.h"
#include "view/qt/map_bitmap.h"

#include <benchmark/benchmark.h>

#include <QPrinter>

#include <algorithm>
#include <fstream>
#include <string>

namespace {

using rovanta::bench::anonymousBytes;

using namespace rovanta;

constexpr int kSide = 20000;

struct Sheet {
    Sheet()
    {
        // 0.673° of longitude at 53° N and 0.4° of latitude: about 45 km square.
        cal = test::writeSampleMap(
            folder.path(), "Big.cal",
            {.name = "Big", .west = 9.0, .south = 53.0, .east = 9.673, .north = 53.4, .width = kSide, .height = kSide});
        test::writePatternBmp(folder.path() / "Big.bmp", {.width = kSide, .height = kSide, .bitsPerPixel = 24});
        std::string name;
        loaded = map.loadCalFile(cal, name) && map.computeReference();
    }
    test::TempFolder folder;
    std::string cal;
    cl_Map map;
    bool loaded = false;
};

void BM_PrintFourPages(benchmark::State& state)
{
    static Sheet sheet;
    const int denominator = static_cast<int>(state.range(0));
    auto bitmap = std::shared_ptr<const MapBitmap>(MapBitmap::load(sheet.map.getBitmapPath()));
    if (!sheet.loaded || !bitmap) {
        state.SkipWithError("the sheet did not load");
        return;
    }
    const long long before = anonymousBytes();
    long long peak = 0;
    const PrintPixels read = bitmapPixels(bitmap);
    MapPrintRequest request;
    request.denominator = denominator;
    request.sheetName = "Big";
    request.sheets.push_back({sheetFrame(sheet.map, kSide, kSide), [&](const QRect& rect, int step) {
                                  SheetWindow window = read(rect, step);
                                  peak = std::max(peak, anonymousBytes() - before);
                                  return window;
                              }});
    const GroundPoint middle = request.sheets.front().frame.toGround(kSide / 2.0, kSide / 2.0);
    // Two pages across and two down on A4 with 10 mm margins.
    const double half = denominator / 1000.0;
    request.extent = {middle.east - 150 * half, middle.north - 200 * half, middle.east + 150 * half,
                      middle.north + 200 * half};
    const MapPrinter printer(request);
    int pages = 0;
    for (auto _ : state) {
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setOutputFileName(QString::fromStdString((sheet.folder.path() / "print.pdf").string()));
        pages = static_cast<int>(printer.layoutFor(pdf).layout.pages.size());
        if (!printer.print(pdf))
            state.SkipWithError("printing failed");
        peak = std::max(peak, anonymousBytes() - before);
    }
    state.counters["pages"] = pages;
    state.counters["anon_peak_MB"] = double(peak) / (1 << 20);
    state.SetLabel("1:" + std::to_string(denominator));
}

BENCHMARK(BM_PrintFourPages)->Arg(25000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
