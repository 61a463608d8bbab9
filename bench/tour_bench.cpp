// What a click costs while planning a long tour on one of 500 maps: adding
// a point with the distances table open and the view repainted, the same
// click across a map edge (the switch re-projects every point), undoing a
// click, and printing the table.
#include "dialogs/qt/tour_distances_dialog.h"
#include "editing/tour_history.h"
#include "map_folder.h"
#include "no_menus.h"
#include "resources/command_ids.h"
#include "view/qt/rovanta_view.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <memory>

namespace {
using rovanta::CRovantaView;
using rovanta::bench::MapFolder;

const MapFolder& mapFolder()
{
    // Map000 is current; its eastern neighbour Map001 is checked.
    static const MapFolder folder(100, 2);
    return folder;
}

// A full-HD view on Map000 with a tour of `points` points spread over the
// map and its distances table open.
class Planning {
public:
    explicit Planning(int points) : settings_(mapFolder().withMaps), view_(settings_, menus_)
    {
        view_.resize(1920, 1080);
        view_.show();
        view_.initialUpdate();
        view_.onCommand(rovanta::commands::kNewTour);
        for (int i = 0; i < points; ++i)
            view_.currentTour()->addPoint(view_.currentMap()->pixelToRefPoint(i * 37 % 100, i * 61 % 100, noTest_));
        view_.tourCommands().tourReplaced();
        view_.onCommand(rovanta::commands::kTourDistances);
        QCoreApplication::processEvents();
    }

    CRovantaView& view() { return view_; }
    /// The window position of map pixel `pixel`.
    IPoint client(IPoint pixel) const
    {
        const IPoint canvas = view_.pixelToWindow(pixel);
        return {canvas.x - view_.scrollPosition().x, canvas.y - view_.scrollPosition().y};
    }

private:
    rovanta::test::MemorySettings settings_;
    rovanta::test::NoMenus menus_;
    CRovantaView view_;
    int noTest_ = 0;
};

void BM_AddPointWithTableOpen(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    CRovantaView& view = planning.view();
    for (auto _ : state) {
        view.editor().doubleClick(planning.client({50, 50}), 0);
        view.viewport()->repaint();
        state.PauseTiming();
        view.currentTour()->deleteLast();
        state.ResumeTiming();
    }
}

void BM_AddPointAcrossMapEdge(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    CRovantaView& view = planning.view();
    const rovanta::MapRecord first = view.currentMap();
    for (auto _ : state) {
        view.editor().doubleClick(planning.client({105, 50}), 0);
        view.viewport()->repaint();
        state.PauseTiming();
        if (view.currentMap() == first) {
            state.SkipWithError("no map switch");
            break;
        }
        view.currentTour()->deleteLast();
        view.editor().switchMap(first);
        state.ResumeTiming();
    }
}

// Undo of one added point and its redo, the history alone: both splice
// the one point in and out of the tour.
void BM_UndoRedoAddPoint(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    CRovantaView& view = planning.view();
    const rovanta::MapRecord map = view.currentMap();
    rovanta::TourHistory history;
    history.reset(view.currentTour(), false);
    int noTest = 0;
    view.currentTour()->addPoint(map->pixelToRefPoint(50, 50, noTest));
    if (!history.record(rovanta::step_labels::kAddPoint, map, map))
        state.SkipWithError("no step");
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.undo());
        benchmark::DoNotOptimize(history.redo());
    }
}

// The same undo from the Edit menu: the table rebuilt, the view repainted.
void BM_UndoWithTableOpen(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    CRovantaView& view = planning.view();
    view.editor().doubleClick(planning.client({50, 50}), 0);
    for (auto _ : state) {
        view.onCommand(rovanta::commands::kUndo);
        view.viewport()->repaint();
        state.PauseTiming();
        view.onCommand(rovanta::commands::kRedo);
        state.ResumeTiming();
    }
}

// The two halves of the click above.
void BM_RefreshTable(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    for (auto _ : state)
        planning.view().distancesDialog()->refresh();
}

void BM_RepaintTour(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    for (auto _ : state)
        planning.view().viewport()->repaint();
}

void BM_PrintTable(benchmark::State& state)
{
    Planning planning(static_cast<int>(state.range(0)));
    QTemporaryDir folder;
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setResolution(600);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("table.pdf")));
        QPainter painter(&printer);
        planning.view().distancesDialog()->printTable(painter);
    }
}

} // namespace

BENCHMARK(BM_AddPointWithTableOpen)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddPointAcrossMapEdge)->Arg(10)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedoAddPoint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoWithTableOpen)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RefreshTable)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintTour)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintTable)->Arg(50)->Arg(1000)->Unit(benchmark::kMillisecond);
