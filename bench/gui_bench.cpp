// What users wait for on screen with hundreds of maps: the main window's
// start, opening the Manager sheet, a click in its long list, Search, and
// the folder tree opened along a folder of thousands of subfolders. Runs on
// the offscreen platform, so the times include layout and painting into
// the backing store, but no real display.
#include "app/qt/main_frame.h"
#include "manager/cl_manager.h"
#include "manager/qt/folder_tree.h"
#include "manager/qt/list_page_widget.h"
#include "manager/qt/manager_sheet.h"
#include "map_folder.h"
#include "view/qt/rovanta_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>

namespace {
using rovanta::test::MemorySettings;

using rovanta::bench::kMapCount;
using rovanta::bench::MapFolder;
using rovanta::bench::numbered;

// The entry clicked in the long list: far from both ends.
constexpr int kMiddleRow = kMapCount / 2;
constexpr int kWideFolderCount = 5000;

const MapFolder& mapFolder()
{
    static const MapFolder folder(100, 2);
    return folder;
}

// Notes when a widget paints; "shown" means painted, not merely mapped.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& widget) : widget_(&widget) { widget.installEventFilter(this); }
    // The widget may go first, as when a window is closed while watched.
    ~PaintWatch() override
    {
        if (widget_)
            widget_->removeEventFilter(this);
    }
    PaintWatch(const PaintWatch&) = delete;
    PaintWatch& operator=(const PaintWatch&) = delete;

    void reset() { painted_ = false; }

    /// Runs the event loop until the widget painted; false if it never did.
    bool wait()
    {
        for (int round = 0; round < 20 && !painted_; ++round)
            QCoreApplication::processEvents();
        return painted_;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget_ && event->type() == QEvent::Paint)
            painted_ = true;
        return false;
    }

private:
    QPointer<QWidget> widget_;
    bool painted_ = false;
};

// Start to first paint and back: the view's manager reads every map, the
// frame builds menus and bars, and closing writes the settings again.
void BM_StartMainWindow(benchmark::State& state)
{
    MemorySettings settings;
    for (auto _ : state) {
        state.PauseTiming();
        settings = mapFolder().withMaps;
        state.ResumeTiming();
        auto frame = std::make_unique<rovanta::CMainFrame>(settings);
        PaintWatch painted(*frame->view().viewport());
        frame->show();
        if (!painted.wait()) {
            state.SkipWithError("the view never painted");
            break;
        }
        state.PauseTiming();
        const bool mapShown = frame->windowTitle() == QStringLiteral("Map000");
        const std::size_t loaded = frame->view().manager().maps().size();
        state.ResumeTiming();
        frame.reset();
        if (!mapShown || loaded != kMapCount) {
            state.SkipWithError(("loaded " + std::to_string(loaded) + " maps, none shown").c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kMapCount);
}

// The Manager command up to the painted maps page of 500 entries.
void BM_OpenManagerSheet(benchmark::State& state)
{
    MemorySettings settings = mapFolder().withMaps;
    rovanta::CMainFrame frame(settings);
    rovanta::cl_Manager& manager = frame.view().manager();
    for (auto _ : state) {
        auto sheet = std::make_unique<rovanta::ManagerSheet>(manager);
        PaintWatch painted(*sheet->mapsPage().list().viewport());
        sheet->show();
        const bool shown = painted.wait();
        state.PauseTiming();
        const int listed = sheet->mapsPage().list().count();
        sheet->reject();
        sheet.reset();
        state.ResumeTiming();
        if (!shown || listed != kMapCount) {
            state.SkipWithError(
                ("listed " + std::to_string(listed) + " maps, painted " + std::to_string(shown)).c_str());
            break;
        }
    }
}

// One click in the middle of 500 entries: the page flips the entry, the
// whole list is written again and repainted.
void BM_ToggleInLongList(benchmark::State& state)
{
    MemorySettings settings = mapFolder().withMaps;
    rovanta::cl_Manager manager(settings);
    rovanta::ManagerSheet sheet(manager);
    QListWidget& list = sheet.mapsPage().list();
    PaintWatch painted(*list.viewport());
    sheet.show();
    if (!painted.wait() || list.count() != kMapCount) {
        state.SkipWithError("the maps page did not show 500 maps");
        return;
    }
    QListWidgetItem* item = list.item(kMiddleRow);
    list.scrollToItem(item);
    QCoreApplication::processEvents();
    const QPoint at = list.visualItemRect(item).center();
    if (!list.viewport()->rect().contains(at)) {
        state.SkipWithError("the middle entry is not in view");
        return;
    }
    const std::vector<rovanta::ListEntry>& entries = manager.mapList().entries();
    for (auto _ : state) {
        const int before = entries[kMiddleRow].icon;
        painted.reset();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        if (!painted.wait() || entries[kMiddleRow].icon == before) {
            state.SkipWithError("the click did not toggle the entry");
            break;
        }
    }
    sheet.reject();
}

// Search on the maps page: every calibration file of the folder is read
// and georeferenced, then the list is written again and repainted.
void BM_SearchThroughSheet(benchmark::State& state)
{
    MemorySettings settings = mapFolder().onlyFolder;
    rovanta::cl_Manager manager(settings);
    rovanta::ManagerSheet sheet(manager);
    QListWidget& list = sheet.mapsPage().list();
    PaintWatch painted(*list.viewport());
    sheet.show();
    painted.wait();
    QPushButton& search = sheet.actionButton();
    if (search.text() != QStringLiteral("Search") || !search.isEnabled()) {
        state.SkipWithError(("the action button is '" + search.text().toStdString() + "'").c_str());
        return;
    }
    for (auto _ : state) {
        painted.reset();
        QTest::mouseClick(&search, Qt::LeftButton);
        if (!painted.wait() || list.count() != kMapCount) {
            state.SkipWithError(("found " + std::to_string(list.count()) + " maps").c_str());
            break;
        }
    }
    sheet.reject();
    state.SetItemsProcessed(state.iterations() * kMapCount);
}

// 5000 subfolders, every other one with a subfolder of its own, so that
// listing one level ahead finds something half of the time.
class WideFolder {
public:
    WideFolder()
    {
        for (int i = 0; i < kWideFolderCount; ++i) {
            const std::filesystem::path child = folder_.path() / numbered("d%04d", i);
            std::filesystem::create_directory(child);
            if (i % 2 == 0)
                std::filesystem::create_directory(child / "sub");
        }
    }

    /// The form the folder page keeps: with a trailing separator.
    std::string lastSelected() const { return rovanta::toUtf8(folder_.path()) + "/"; }

private:
    rovanta::test::TempFolder folder_;
};

// The folder page opens its tree along the last selected folder: the
// drives, every folder on the way with its children listed one level ahead,
// here 5000 children. Arg 0: a hidden tree, building only; arg 1: a shown
// tree, up to its first paint.
void BM_FolderTreeWideFolder(benchmark::State& state)
{
    static const WideFolder wide;
    const bool shown = state.range(0) != 0;
    QTreeWidget tree;
    rovanta::FolderTree folders(tree);
    PaintWatch painted(*tree.viewport());
    if (shown) {
        tree.resize(300, 400);
        tree.show();
        painted.wait();
    }
    for (auto _ : state) {
        state.PauseTiming();
        // Builds start from the empty tree the page first shows.
        tree.clear();
        QCoreApplication::processEvents();
        painted.reset();
        state.ResumeTiming();
        folders.build(wide.lastSelected());
        if (shown && !painted.wait()) {
            state.SkipWithError("the tree never painted");
            break;
        }
        state.PauseTiming();
        const QList<QTreeWidgetItem*> found =
            tree.findItems(QStringLiteral("d0000"), Qt::MatchExactly | Qt::MatchRecursive);
        const int children = found.isEmpty() ? 0 : found.first()->parent()->childCount();
        state.ResumeTiming();
        if (children != kWideFolderCount) {
            state.SkipWithError(("the folder shows " + std::to_string(children) + " children").c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kWideFolderCount);
}

BENCHMARK(BM_StartMainWindow)
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenManagerSheet)
    ->Iterations(20)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToggleInLongList)
    ->Iterations(50)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchThroughSheet)
    ->Iterations(10)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FolderTreeWideFolder)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace
