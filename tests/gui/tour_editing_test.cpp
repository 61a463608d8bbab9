// Tour editing through the main window: mouse events on the view, its
// popup, the Tour menu, the distances table and printing, on two maps side
// by side, each 600 x 600 pixels in an 800 x 600 window; GeoTIFF sheets
// dropped beside them, and two more above for a 2 x 2 block.
#include "app/qt/command_actions.h"
#include "app/qt/main_frame.h"
#include "common/file_names.h"
#include "common/qt/display.h"
#include "manager/qt/list_page_widget.h"
#include "manager/qt/manager_sheet.h"
#include "map_files.h"
#include "memory_settings.h"
#include "point_compare.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"
#include "view/qt/rovanta_view.h"
#include "view/qt/tour_painter.h"

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleHints>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>
#include <numbers>

using namespace rovanta;
using namespace rovanta::commands;

namespace {

QPoint qt(IPoint p)
{
    return {p.x, p.y};
}

constexpr double kDeg = 180.0 / std::numbers::pi;
constexpr int kSheetWidth = 400;
constexpr int kSheetHeight = 300;
constexpr int kSheetGrey = 90;

// A grey GeoTIFF in the EPSG system, its top-left corner at (west, north),
// `pixel` units a side, as gdal_translate -a_srs -a_ullr writes it.
bool writeGeoTiff(const std::filesystem::path& path, int epsg, double west, double north, double pixel)
{
    GDALAllRegister();
    GDALDriver* memory = GetGDALDriverManager()->GetDriverByName("MEM");
    const GDALDatasetUniquePtr source(memory->Create("", kSheetWidth, kSheetHeight, 1, GDT_Byte, nullptr));
    if (source->GetRasterBand(1)->Fill(kSheetGrey) != CE_None)
        return false;
    double transform[6] = {west, pixel, 0.0, north, 0.0, -pixel};
    source->SetGeoTransform(transform);
    OGRSpatialReference crs;
    crs.importFromEPSG(epsg);
    source->SetSpatialRef(&crs);
    GDALDriver* tiff = GetGDALDriverManager()->GetDriverByName("GTiff");
    return GDALDatasetUniquePtr(tiff->CreateCopy(path.c_str(), source.get(), FALSE, nullptr, nullptr, nullptr)) !=
           nullptr;
}

// GDAL's longitude/latitude (degrees) to pixel/line of the file, as
// gdaltransform -i -s_srs EPSG:4326 gives it.
QPointF gdalPixelOf(const std::string& path, double longitude, double latitude)
{
    const GDALDatasetUniquePtr dataset(GDALDataset::Open(path.c_str(), GDAL_OF_RASTER | GDAL_OF_READONLY));
    const char* options[] = {"DST_SRS=EPSG:4326", nullptr};
    void* transformer = GDALCreateGenImgProjTransformer2(dataset.get(), nullptr, const_cast<char**>(options));
    double z = 0.0;
    int ok = 0;
    GDALGenImgProjTransform(transformer, TRUE, 1, &longitude, &latitude, &z, &ok);
    GDALDestroyGenImgProjTransformer(transformer);
    return ok ? QPointF(longitude, latitude) : QPointF(-1e9, -1e9);
}

} // namespace

class TourEditingTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        test::writeSampleMap(dir_->path(), "West.cal",
                             {.name = "West", .west = 9.0, .east = 9.1, .width = 600, .height = 600});
        test::writeSampleMap(dir_->path(), "East.cal",
                             {.name = "East", .west = 9.1, .east = 9.2, .width = 600, .height = 600});
        test::registerMaps(settings_, dir_->path(), {{"West.cal", "West", 2}, {"East.cal", "East", 1}});
        frame_ = std::make_unique<CMainFrame>(settings_);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        view().setPopupRunner([this](ViewPopup& popup, QPoint global) {
            popupAt_ = global;
            enabledInPopup_.clear();
            for (const int id : {kDeleteThisPoint, kMoveThisPoint, kInsertBeforeThis})
                enabledInPopup_.push_back(popup.isMenuEnabled(id));
            return std::exchange(popupChoice_, 0);
        });
    }

    void cleanup()
    {
        frame_.reset();
        dir_ = std::make_unique<test::TempFolder>();
        settings_ = {};
    }

    void doubleClickAddsThePointUnderTheMouse()
    {
        // With no tour the double click starts one, with a hint the first
        // time only.
        const QString hint = displayText(strings::kDoubleClickStartedTour);
        doubleClick({50, 60});
        QCOMPARE(view().currentTour()->getPointCount(), 1);
        QCOMPARE(frame_->statusBar()->currentMessage(), hint);
        QCOMPARE(settings_.readInt("Settings", "DoubleClickHintShown", 0), 1);
        QVERIFY(!menus().isMenuEnabled(kNewTour));
        trigger(kClearTour);
        frame_->statusBar()->clearMessage();
        doubleClick({50, 60});
        QCOMPARE(view().currentTour()->getPointCount(), 1);
        QVERIFY(frame_->statusBar()->currentMessage().isEmpty());
        trigger(kClearTour);

        trigger(kNewTour);
        doubleClick({50, 60});
        doubleClick({150, 120});
        const TourRecord tour = view().currentTour();
        QCOMPARE(tour->getPointCount(), 2);
        QCOMPARE(tour->getPoint(0)->pixel, (IPoint{50, 60}));
        QCOMPARE(tour->getPoint(1)->pixel, (IPoint{150, 120}));
        QVERIFY(view().popup().isMenuEnabled(kDeleteLastPoint));
    }

    // The panes follow the cursor over the sheet and empty off it; the
    // position takes the table's format. West's bottom-left corner lies on
    // 9° E, zone 32's central meridian: easting 500000, one pixel 11 m on.
    void theStatusBarShowsWhereTheCursorIsAndTheScale()
    {
        const auto hover = [this](IPoint pixel) {
            QWidget* target = view().viewport();
            const QPoint at = client(pixel);
            QMouseEvent move(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QApplication::sendEvent(target, &move);
            return std::pair(frame_->positionPane().text(), frame_->utmPane().text());
        };
        const auto [position, utm] = hover({1, 1});
        QVERIFY2(QRegularExpression(QStringLiteral("^53° 0\\.\\d{4}' N  9° 0\\.\\d{4}' E$")).match(position).hasMatch(),
                 qPrintable(position));
        const QStringList parts = utm.split(u' ');
        QCOMPARE(parts.size(), 3);
        QCOMPARE(parts[0], QStringLiteral("32U"));
        QCOMPARE_LE(std::abs(parts[1].toInt() - 500011), 15);
        QCOMPARE(hover({-50, 300}), std::pair(QString(), QString()));

        trigger(kNewTour);
        doubleClick({50, 60});
        trigger(kTourDistances);
        view().distancesDialog()->findChild<QComboBox*>(QStringLiteral("formatList"))->setCurrentIndex(kUtm);
        const auto [inUtm, alsoUtm] = hover({300, 300});
        QCOMPARE(inUtm, alsoUtm);
        QVERIFY(!inUtm.isEmpty());

        // 600 pixels for 0.1° of longitude at 53.03° N, 6696 m: 11.16 m per
        // pixel at 1:1, over the screen's pixel size.
        const auto scaleOf = [this] { return frame_->scalePane().text().mid(2).remove(u' ').toDouble(); };
        QVERIFY(frame_->scalePane().text().startsWith(QStringLiteral("1:")));
        const double dpi = view().screen()->physicalDotsPerInch();
        QCOMPARE_LE(std::abs(scaleOf() / (11.14 * dpi / 0.0254) - 1), 0.01);
        trigger(kZoomIn);
        QCOMPARE_LE(std::abs(scaleOf() / (11.14 * dpi / 0.0254 / 1.25) - 1), 0.01);
    }

    void rightClickPopsUpBesideTheMouseAndDragMovesTheMarkedPoint()
    {
        trigger(kNewTour);
        doubleClick({50, 60});
        const QPoint on = client({52, 58});
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, on);
        QCOMPARE(popupAt_, view().mapToGlobal(on + QPoint(20, 0)));
        QCOMPARE(enabledInPopup_, (std::vector<bool>{true, true, true}));
        QVERIFY(!view().popup().isMenuEnabled(kMoveThisPoint));

        // With Ctrl held the press is no grab.
        QTest::mousePress(view().viewport(), Qt::LeftButton, Qt::ControlModifier, on);
        QVERIFY(!view().editor().draggingPoint());
        QTest::mouseRelease(view().viewport(), Qt::LeftButton, Qt::ControlModifier, on);

        QTest::mousePress(view().viewport(), Qt::LeftButton, {}, on);
        QTest::mouseMove(view().viewport(), client({120, 100}));
        QTest::mouseRelease(view().viewport(), Qt::LeftButton, {}, client({120, 100}));
        QCOMPARE(view().currentTour()->getPoint(0)->pixel, (IPoint{120, 100}));
    }

    // Press, drag, release and double click as the platform times them.
    void onlyTheDoubleClickOfTheDropIsSwallowed_data()
    {
        const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
        QTest::addColumn<int>("afterPress");
        QTest::addColumn<int>("points");
        QTest::addRow("within the interval") << interval - 1 << 1;
        QTest::addRow("after the interval") << interval << 2;
    }

    void onlyTheDoubleClickOfTheDropIsSwallowed()
    {
        QFETCH(int, afterPress);
        QFETCH(int, points);
        trigger(kNewTour);
        doubleClick({50, 60});
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, client({50, 60}));
        const QPoint from = client({50, 60});
        const QPoint to = client({120, 100});
        const ulong pressed = 1'000'000;
        sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton, pressed);
        sendMouse(QEvent::MouseMove, to, Qt::LeftButton, pressed + 20);
        sendMouse(QEvent::MouseButtonRelease, to, Qt::NoButton, pressed + 40);
        QCOMPARE(view().currentTour()->getPoint(0)->pixel, (IPoint{120, 100}));
        sendMouse(QEvent::MouseButtonDblClick, to, Qt::LeftButton, pressed + ulong(afterPress));
        sendMouse(QEvent::MouseButtonRelease, to, Qt::NoButton, pressed + ulong(afterPress) + 20);
        QCOMPARE(view().currentTour()->getPointCount(), points);
    }

    void thePopupShowsItsItemsBesideTheClickWithTheirPrompts()
    {
        view().setPopupRunner([](ViewPopup& popup, QPoint global) { return popup.exec(global); });
        trigger(kNewTour);
        QStringList texts;
        QStringList prompts;
        QPoint shownAt;
        QTimer::singleShot(0, [&] {
            QWidget* shown = QApplication::activePopupWidget();
            QVERIFY(shown != nullptr);
            shownAt = shown->pos();
            for (const QAction* action : shown->actions())
                texts << action->text();
            // Without a marked point the keys pass over the point commands.
            for (int step = 0; step < 3; ++step) {
                QTest::keyClick(shown, Qt::Key_Down);
                prompts << frame_->statusBar()->currentMessage();
            }
            QTest::keyClick(shown, Qt::Key_Escape);
        });
        QSignalSpy opened(&view(), &CRovantaView::popupOpened);
        QSignalSpy closed(&view(), &CRovantaView::popupClosed);
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, {100, 120});
        QCOMPARE(texts, (QStringList{"Add Point Center", "Insert Before This", "Move This Point", "Delete This Point",
                                     "Delete Last Point", "Zoom In Here", "Zoom Out Here", "Next Map"}));
        QCOMPARE(shownAt, view().mapToGlobal(QPoint(120, 120)));
        QCOMPARE(opened.count(), 1);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(prompts, (QStringList{"Add a new point to the tour. Center this position.", "Delete the last point",
                                       "Zoom in,  positioning this point in the midle of the screen"}));
        QCOMPARE(frame_->statusBar()->currentMessage(), QString());
        QVERIFY(frame_->idleMessage().isVisible());
    }

    void leftDragWithoutAMarkScrollsTheMap()
    {
        const QPoint before = qt(view().scrollPosition());
        QTest::mousePress(view().viewport(), Qt::LeftButton, {}, {200, 200});
        QTest::mouseMove(view().viewport(), {170, 230});
        QTest::mouseRelease(view().viewport(), Qt::LeftButton, {}, {170, 230});
        QCOMPARE(qt(view().scrollPosition()), before + QPoint(30, -30));
    }

    void popupCommandsComeBackToTheView()
    {
        trigger(kNewTour);
        doubleClick({50, 60});
        popupChoice_ = kInsertBeforeThis;
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, client({50, 60}));
        QVERIFY(view().editor().insertMode());
        QTest::mouseClick(view().viewport(), Qt::LeftButton, {}, client({10, 100}));
        QCOMPARE(view().currentTour()->getPointCount(), 2);
        QCOMPARE(view().currentTour()->getPoint(0)->pixel, (IPoint{10, 100}));

        popupChoice_ = kZoomInHere;
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, client({100, 100}));
        QCOMPARE(view().layout().zoom(), 1.25);
    }

    void aDoubleClickOnTheNeighbourSwitchesMaps()
    {
        trigger(kNewTour);
        doubleClick({100, 100});
        doubleClick({605, 100});
        QCOMPARE(frame_->windowTitle(), QStringLiteral("East"));
        QCOMPARE(view().currentMap()->mapName(), std::string("East"));
        const TourRecord tour = view().currentTour();
        QCOMPARE(tour->getPointCount(), 2);
        QVERIFY(tour->getPoint(0)->pixel.x < -400);
        // The view is centred on the new point.
        const IPoint middle = view().windowToPixel(
            {view().scrollPosition().x + view().width() / 2, view().scrollPosition().y + view().height() / 2});
        QVERIFY(std::abs(middle.x - tour->getPoint(1)->pixel.x) <= 1);
    }

    void closingAsksAboutTheUnsavedTour()
    {
        test::ScriptedSavePrompt prompt;
        test::ScriptedAnswerer answerer;
        trigger(kNewTour);
        doubleClick({50, 60});
        answerer.answers = {kAnswerYes};
        prompt.choices = {std::nullopt};
        QVERIFY(!frame_->close());
        QVERIFY(frame_->isVisible());
        answerer.answers = {kAnswerNo};
        QVERIFY(frame_->close());
        QCOMPARE(answerer.shown.size(), std::size_t{2});
    }

    void theDistancesTableFollowsEditsAndPrints()
    {
        trigger(kNewTour);
        doubleClick({50, 60});
        trigger(kTourDistances);
        TourDistancesDialog* table = view().distancesDialog();
        QVERIFY(table && table->isVisible());
        QCOMPARE(table->windowTitle(), QStringLiteral("Distances for Tour: New Tour"));
        auto* rows = table->findChild<QTreeWidget*>(QStringLiteral("distanceList"));
        doubleClick({150, 120});
        QCOMPARE(rows->topLevelItemCount(), 2);
        popupChoice_ = kDeleteLastPoint;
        QTest::mouseClick(view().viewport(), Qt::RightButton, {}, client({300, 300}));
        QCOMPARE(rows->topLevelItemCount(), 1);
        trigger(kTourDistances);
        QCOMPARE(view().distancesDialog(), table);

        // Print: the button's request reaches the view after the click.
        const QString pdf = QString::fromStdString(dir_->file("table.pdf"));
        view().setPrintSetup([&pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        table->findChild<QPushButton*>(QStringLiteral("printButton"))->click();
        QVERIFY(!QFile::exists(pdf));
        QTRY_VERIFY(QFile::exists(pdf) && QFileInfo(pdf).size() > 0);
    }

    void aTourDeletedOnTheToursPageLeavesTheTable()
    {
        test::ScriptedAnswerer answerer;
        trigger(kNewTour);
        doubleClick({50, 60});
        trigger(kTourDistances);
        QPointer<TourDistancesDialog> table = view().distancesDialog();
        cl_Manager& manager = view().manager();
        manager.beginSheet();
        manager.showPage(SheetPage::kTours);
        // Yes to the delete question, No to saving the tour OK then drops.
        answerer.answers = {kAnswerYes, kAnswerNo};
        manager.tourList().remove(0);
        QVERIFY(manager.confirmOk());
        manager.finishWithOk();
        view().tourCommands().managerClosed(true);
        QVERIFY(table && !table->tour() && !table->isVisible());
        doubleClick({10, 100});
        QVERIFY(!table->tour());
    }

    void cancelAfterShowingAnotherMapKeepsTheTour()
    {
        trigger(kNewTour);
        doubleClick({50, 60});
        const TourRecord tour = view().currentTour();
        bool released = false;
        QTimer::singleShot(0, [this, &released] {
            auto* sheet = qobject_cast<ManagerSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            // "Show" on East, the first row, from the row's popup.
            QListWidget& list = sheet->mapsPage().list();
            const QPoint at = list.visualItemRect(list.item(0)).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
            QApplication::sendEvent(list.viewport(), &event);
            QMenu& popup = sheet->mapsPage().popup();
            QTRY_VERIFY(popup.isVisible());
            popup.setActiveAction(popup.actions().first());
            QTest::keyClick(&popup, Qt::Key_Return);
            released = !view().currentTour();
            QTest::mouseClick(&sheet->cancelButton(), Qt::LeftButton);
        });
        trigger(kManager);
        QVERIFY2(released, "showing a map releases the tour while the sheet is open");
        QCOMPARE(view().currentTour(), tour);
        QVERIFY(menus().isMenuEnabled(kSaveTour));
        QVERIFY(menus().isMenuEnabled(kClearTour));
        QVERIFY(!menus().isMenuEnabled(kNewTour));
        const QImage image = view().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.pixel(client({50, 60}) + QPoint(0, 2)), kTourColor);
    }

    void aGeoTiffDroppedIntoTheFolderIsFoundShownAndPlannedOn_data()
    {
        QTest::addColumn<int>("epsg");
        QTest::addColumn<double>("west");
        QTest::addColumn<double>("north");
        QTest::addColumn<double>("pixel");
        QTest::newRow("UTM 32N") << 32632 << 690000.0 << 5335000.0 << 2.5;
        QTest::newRow("Gauss-Krueger zone 4") << 31468 << 4468000.0 << 5338000.0 << 5.0;
        QTest::newRow("Web Mercator") << 3857 << 1224514.0 << 6446276.0 << 10.0;
        QTest::newRow("latitude/longitude") << 4326 << 11.0 << 48.5 << 0.0001;
    }

    // Search, Show, two double clicks: the tour's positions are GDAL's.
    void aGeoTiffDroppedIntoTheFolderIsFoundShownAndPlannedOn()
    {
        QFETCH(int, epsg);
        QFETCH(double, west);
        QFETCH(double, north);
        QFETCH(double, pixel);
        const std::string path = dir_->file("dropped.tif");
        QVERIFY(writeGeoTiff(path, epsg, west, north, pixel));
        searchAndShow(QStringLiteral("dropped.tif"));
        QCOMPARE(view().currentMap()->mapName(), std::string("dropped.tif"));
        QVERIFY(view().bitmapLoaded());
        const QImage image = view().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(image.pixel(client({200, 150})), qRgb(kSheetGrey, kSheetGrey, kSheetGrey));

        doubleClick({40, 250});
        doubleClick({350, 30});
        const TourRecord tour = view().currentTour();
        QCOMPARE(tour->getPointCount(), 2);
        for (int i = 0; i < 2; ++i) {
            const auto* point = tour->getPoint(i);
            const QPointF gdal = gdalPixelOf(path, point->longitude * kDeg, point->latitude * kDeg);
            // Map pixels count y up from the bottom edge, GDAL's lines down.
            QCOMPARE_LE(std::abs(gdal.x() - point->pixel.x), 0.01);
            QCOMPARE_LE(std::abs(gdal.y() - (kSheetHeight - point->pixel.y)), 0.01);
        }
        QCOMPARE(tour->getPoint(1)->pixel, (IPoint{350, 30}));
    }

    // West of West.cal by a GeoTIFF's width: a double click past its east
    // edge lands on West, and the table measures across both.
    void aTourLeavesTheGeoTiffOntoTheCalSheetBeside()
    {
        QVERIFY(writeGeoTiff(dir_->file("beside.tif"), 4326, 8.96, 53.05, 0.0001));
        searchAndShow(QStringLiteral("beside.tif"));
        doubleClick({100, 150});
        const cl_RefPoint first = *view().currentTour()->getPoint(0);
        doubleClick({405, 150});
        QCOMPARE(view().currentMap()->mapName(), std::string("West"));
        QCOMPARE(frame_->windowTitle(), QStringLiteral("West"));
        const TourRecord tour = view().currentTour();
        QCOMPARE(tour->getPointCount(), 2);
        QCOMPARE(tour->getPoint(0)->longitude, first.longitude);
        QCOMPARE(tour->getPoint(0)->latitude, first.latitude);
        // From 8.9700° to 9.0005° E along 53.035° N, by hand on the table's
        // sphere of 1852 m per arc minute: 0.0305 * 60 * 1852 m * cos 53.035° = 2038 m.
        trigger(kTourDistances);
        auto* rows = view().distancesDialog()->findChild<QTreeWidget*>(QStringLiteral("distanceList"));
        QCOMPARE(rows->topLevelItemCount(), 2);
        QCOMPARE(rows->topLevelItem(1)->text(1).trimmed(), QStringLiteral("2.038"));
    }

    // Four black sheets 2 x 2: zoomed out with the wheel, a tour goes round
    // all four, a mistaken point is undone, and the seams show no white.
    void aTourRoundFourSheetsWithTheWheelAlone()
    {
        frame_.reset();
        const auto sheet = [this](const char* name, double west, double south) {
            test::writeSampleMap(dir_->path(), std::string(name) + ".cal",
                                 {.name = name,
                                  .west = west,
                                  .south = south,
                                  .east = west + 0.1,
                                  .north = south + 0.06,
                                  .width = 600,
                                  .height = 600});
        };
        sheet("NorthWest", 9.0, 53.06);
        sheet("NorthEast", 9.1, 53.06);
        test::registerMaps(settings_, dir_->path(),
                           {{"West.cal", "West", 2},
                            {"East.cal", "East", 1},
                            {"NorthWest.cal", "NorthWest", 1},
                            {"NorthEast.cal", "NorthEast", 1}});
        frame_ = std::make_unique<CMainFrame>(settings_);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));

        // West's top-right corner, where the four meet, stays under the wheel.
        QWidget* viewport = view().viewport();
        for (int notch = 0; notch < 4; ++notch) {
            const QPoint at = client({600, 600});
            QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(viewport, &wheel);
        }
        QCOMPARE_LT(std::abs(view().layout().zoom() - 0.4096), 1e-9);

        // Each click in the current sheet's pixels; the next sheet takes over.
        const std::vector<std::pair<IPoint, std::string>> clicks{
            {{500, 500}, "West"}, {{700, 500}, "East"}, {{100, 700}, "NorthEast"}, {{-100, 100}, "NorthWest"}};
        for (const auto& [pixel, name] : clicks) {
            doubleClick(pixel);
            QCOMPARE(view().currentMap()->mapName(), name);
        }
        const TourRecord tour = view().currentTour();
        QCOMPARE(tour->getPointCount(), 4);
        // NorthWest's bottom-right corner is the meeting point; 100 screen
        // pixels around it are all sheet, none background.
        QTRY_VERIFY(view().mosaic().cache().ready());
        viewport->repaint();
        const QImage image = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect seams = QRect(QPoint(0, 0), QSize(200, 200)).translated(client({600, 0}) - QPoint(100, 100));
        QVERIFY(image.rect().contains(seams));
        int white = 0;
        for (int y = seams.top(); y <= seams.bottom(); ++y)
            for (int x = seams.left(); x <= seams.right(); ++x)
                white += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        QCOMPARE(white, 0);

        // A point too far, onto West, and back.
        const IPoint last = tour->getPoint(3)->pixel;
        const cl_RefPoint lastPosition = *tour->getPoint(3);
        doubleClick({last.x + 30, last.y - 300});
        QCOMPARE(view().currentMap()->mapName(), std::string("West"));
        QCOMPARE(tour->getPointCount(), 5);
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        QTest::keySequence(frame_.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(tour->getPointCount(), 4);
        QCOMPARE(tour->getPoint(3)->longitude, lastPosition.longitude);
        QCOMPARE(tour->getPoint(3)->latitude, lastPosition.latitude);

        QMouseEvent move(QEvent::MouseMove, client(last), viewport->mapToGlobal(client(last)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QVERIFY2(frame_->positionPane().text().startsWith(QStringLiteral("53\u00B0 ")),
                 qPrintable(frame_->positionPane().text()));
        QVERIFY2(frame_->utmPane().text().startsWith(QStringLiteral("32U ")), qPrintable(frame_->utmPane().text()));
    }

    void undoKeysFollowTheEdits_data()
    {
        QTest::addColumn<QKeySequence>("redoKey");
        QTest::newRow("Ctrl+Shift+Z") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QTest::newRow("Ctrl+Y") << QKeySequence(Qt::CTRL | Qt::Key_Y);
    }

    void undoKeysFollowTheEdits()
    {
        QFETCH(QKeySequence, redoKey);
        QAction* undo = frame_->commands().menuAction(kUndo);
        QAction* redo = frame_->commands().menuAction(kRedo);
        QCOMPARE(undo->text(), QStringLiteral("Undo"));
        QVERIFY(!undo->isEnabled());
        trigger(kNewTour);
        doubleClick({50, 60});
        doubleClick({150, 120});
        QCOMPARE(undo->text(), QStringLiteral("Undo Add Point"));
        const auto drawnAt = [this](IPoint pixel) {
            const QImage image = view().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            return image.pixel(client(pixel) + QPoint(0, 2)) == kTourColor;
        };
        QVERIFY(drawnAt({150, 120}));

        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        QTest::keySequence(frame_.get(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        const TourRecord tour = view().currentTour();
        QCOMPARE(tour->getPointCount(), 1);
        QCOMPARE(tour->getPoint(0)->pixel, (IPoint{50, 60}));
        QCOMPARE(redo->text(), QStringLiteral("Redo Add Point"));
        QVERIFY(redo->isEnabled());
        QVERIFY2(!drawnAt({150, 120}), "the point is gone from the map");

        QTest::keySequence(frame_.get(), redoKey);
        QCOMPARE(tour->getPointCount(), 2);
        QCOMPARE(redo->text(), QStringLiteral("Redo"));
        QVERIFY(!redo->isEnabled());
    }

private:
    // Search in the manager, then "Show" on the map listed as `name`, OK.
    void searchAndShow(const QString& name)
    {
        QTimer::singleShot(0, [name] {
            auto* sheet = qobject_cast<ManagerSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet);
            QTest::mouseClick(&sheet->actionButton(), Qt::LeftButton);
            QListWidget& list = sheet->mapsPage().list();
            const QList<QListWidgetItem*> found = list.findItems(name, Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            const QPoint at = list.visualItemRect(found.first()).center();
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
            QApplication::sendEvent(list.viewport(), &event);
            QMenu& popup = sheet->mapsPage().popup();
            QTRY_VERIFY(popup.isVisible());
            for (QAction* action : popup.actions()) {
                if (action->text() == QStringLiteral("Show"))
                    popup.setActiveAction(action);
            }
            QTest::keyClick(&popup, Qt::Key_Return);
            QTest::mouseClick(&sheet->okButton(), Qt::LeftButton);
        });
        trigger(kManager);
    }
    CRovantaView& view() { return frame_->view(); }
    MenuStates& menus() { return frame_->commands(); }
    QPoint client(IPoint pixel) { return qt(view().pixelToWindow(pixel)) - qt(view().scrollPosition()); }
    void doubleClick(IPoint pixel) { QTest::mouseDClick(view().viewport(), Qt::LeftButton, {}, client(pixel)); }
    void trigger(int id) { frame_->commands().menuAction(id)->trigger(); }
    void sendMouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons, ulong time)
    {
        QWidget* target = view().viewport();
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        event.setTimestamp(time);
        QApplication::sendEvent(target, &event);
    }

    std::unique_ptr<test::TempFolder> dir_ = std::make_unique<test::TempFolder>();
    test::MemorySettings settings_;
    std::unique_ptr<CMainFrame> frame_;
    int popupChoice_ = 0;
    QPoint popupAt_;
    std::vector<bool> enabledInPopup_;
};

QTEST_MAIN(TourEditingTest)
#include "tour_editing_test.moc"
