#include "bmp_pattern.h"
#include "bmp_writer.h"
#include "common/file_names.h"
#include "map_files.h"
#include "memory_settings.h"
#include "no_menus.h"
#include "raster/raster_info.h"
#include "raster_files.h"
#include "resources/command_ids.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"
#include "view/qt/bitmap_painter.h"
#include "view/qt/rovanta_view.h"
#include "view/qt/tour_painter.h"

#include <gdal_utils.h>

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <thread>

using namespace rovanta;

namespace {

using test::BmpPacking;
using test::PatternBmp;

// One registered map, stored as the current one, whose bitmap the test
// then replaces as it likes; in a subfolder of that name, if any.
class OneMap {
public:
    OneMap(int width, int height, std::string_view subfolder = {}) : place_(folder_.path() / subfolder)
    {
        std::filesystem::create_directories(place_);
        test::writeSampleMap(place_, "Moor.cal", {.name = "Moor", .width = width, .height = height});
        test::registerCurrentMap(store, place_, "Moor.cal", "Moor");
    }
    std::filesystem::path bitmap() const { return place_ / "Moor.bmp"; }
    /// The calibration file names `file` (beside it) instead of Moor.bmp.
    void nameBitmap(const std::string& file) const
    {
        const std::filesystem::path cal = place_ / "Moor.cal";
        std::string text = test::readBytes(cal);
        text.replace(text.find("Moor.bmp"), 8, file);
        std::ofstream(cal, std::ios::binary | std::ios::trunc) << text;
    }
    QString bitmapName() const { return QString::fromStdString(toUtf8(bitmap())); }

    test::MemorySettings store;

private:
    test::TempFolder folder_;
    std::filesystem::path place_;
};

struct ShownView {
    ShownView(OneMap& map, QSize outer) : view(map.store, menus)
    {
        view.resize(outer);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.initialUpdate();
    }
    QImage grab()
    {
        QImage image = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return image;
    }

    test::NoMenus menus;
    CRovantaView view;
    QSignalSpy notices{&view, &CRovantaView::notice};
};

QPoint qt(IPoint p)
{
    return {p.x, p.y};
}

// Qt's BMP reader widens 5- and 6-bit channels by shifting alone, so
// white comes out as (248, 252, 248); the view widens by repeating the
// high bits, as QImage's 16-bit formats do, and keeps white white.
void replicateLowBits(QImage& image, int greenBits)
{
    const auto widen = [](int value, int bits) {
        const int raw = value >> (8 - bits);
        return raw << (8 - bits) | raw >> (2 * bits - 8);
    };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            image.setPixel(x, y, qRgb(widen(qRed(c), 5), widen(qGreen(c), greenBits), widen(qBlue(c), 5)));
        }
}

} // namespace

class MapViewTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAndScrollingFollowTheBitmap()
    {
        OneMap map(400, 300);
        ShownView shown(map, {500, 400});
        CRovantaView& view = shown.view;
        QVERIFY(view.bitmapLoaded());
        QCOMPARE(view.windowTitle(), QStringLiteral("Moor"));
        QCOMPARE(view.layout().canvasSize(), (ISize{1200, 900}));
        QCOMPARE(qt(view.scrollPosition()), QPoint(350, 250));
        // The platform's scroll range: the canvas less the window's inside.
        QCOMPARE(view.horizontalScrollBar()->maximum(), 1200 - view.viewport()->width());
        QCOMPARE(view.verticalScrollBar()->maximum(), 900 - view.viewport()->height());

        view.onCommand(commands::kZoomIn);
        QCOMPARE(view.layout().canvasSize(), (ISize{1500, 1125}));
        QCOMPARE(qt(view.scrollPosition()), QPoint(500, 362));
        view.onCommand(commands::kZoomOut);
        QCOMPARE(view.layout().canvasSize(), (ISize{1200, 900}));

        // Centring beyond the canvas is clamped by the scroll range.
        view.zoomAt(1.0, {0, 0});
        QCOMPARE(qt(view.scrollPosition()), QPoint(0, 0));
        view.zoomAt(1.0, {800, 300});
        QCOMPARE(qt(view.scrollPosition()), QPoint(550, 100));
        QCOMPARE(qt(view.windowToPixel({800, 300})), QPoint(400, 300));
    }

    void paintsTheTourOverTheMap()
    {
        OneMap map(400, 300);
        ShownView shown(map, {500, 400});
        CRovantaView& view = shown.view;
        const TourRecord tour = view.manager().tourList().newTour();
        for (const IPoint pixel : {IPoint{100, 100}, IPoint{200, 100}, IPoint{200, 200}}) {
            cl_RefPoint point;
            point.pixel = pixel;
            tour->addPoint(point);
        }
        view.setPopupRunner([](ViewPopup&, QPoint) { return 0; });
        QTest::mouseClick(view.viewport(), Qt::RightButton, {},
                          qt(view.pixelToWindow({200, 200})) - qt(view.scrollPosition()));
        const QImage image = shown.grab();
        const QPoint scroll = qt(view.scrollPosition());
        const auto at = [&](IPoint pixel, QPoint offset = {}) {
            return image.pixel(qt(view.pixelToWindow(pixel)) - scroll + offset);
        };
        const QRgb black = qRgb(0, 0, 0);              // the bitmap's zero pixels
        QCOMPARE(at({150, 100}), kTourColor);          // the line 0 → 1
        QCOMPARE(at({200, 150}), kTourColor);          // 1 → 2
        QCOMPARE(at({150, 150}), black);               // no line 0 → 2
        QCOMPARE(at({100, 100}, {0, 2}), kTourColor);  // the small circle
        QCOMPARE(at({100, 100}, {-4, 0}), black);      // and no more
        QCOMPARE(at({200, 200}, {10, 0}), kTourColor); // the marked point's ring
        QCOMPARE(at({200, 200}, {0, -10}), kTourColor);
        QCOMPARE(at({200, 200}, {5, 5}), black);
        QCOMPARE(at({100, 100}, {0, -30}), black);
        // Each number has its top-left corner 20 pixels above its point.
        for (const IPoint pixel : {IPoint{100, 100}, IPoint{200, 100}, IPoint{200, 200}}) {
            const QPoint corner = qt(view.pixelToWindow(pixel)) - scroll - QPoint(0, 20);
            int magenta = 0;
            for (int y = corner.y(); y < corner.y() + 16; ++y)
                for (int x = corner.x(); x < corner.x() + 12; ++x)
                    magenta += image.pixel(x, y) == kTourColor;
            QVERIFY2(magenta > 5, "a number is drawn");
            for (int x = corner.x() - 6; x < corner.x() - 1; ++x)
                QCOMPARE(image.pixel(x, corner.y() + 6), black);
        }
    }

    // After a tour change the next paint brings the tour's start into view.
    void clearBackgroundCentresOnTheFirstPoint()
    {
        OneMap map(400, 300);
        ShownView shown(map, {500, 400});
        CRovantaView& view = shown.view;
        cl_RefPoint start;
        start.pixel = {60, 250};
        view.manager().tourList().newTour()->addPoint(start);
        QTest::qWait(20);
        QCOMPARE(qt(view.scrollPosition()), QPoint(350, 250));
        view.setClearBackground();
        const IPoint centred = centringScroll(view.pixelToWindow(start.pixel), view.outerSize());
        QTRY_COMPARE(qt(view.scrollPosition()), qt(centred));
        // Only once: the user may scroll away again.
        view.zoomAt(1.0, {600, 450});
        QTest::qWait(20);
        QCOMPARE(qt(view.scrollPosition()), QPoint(350, 250));
    }

    void mappedBitmapPaintsLikeQtsDecoding_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("packing");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("topDown");
        QTest::addColumn<double>("zoom");
        const struct {
            const char* name;
            int bits;
            BmpPacking packing;
        } depths[] = {{"1bit", 1, BmpPacking::kPlain},
                      {"4bit", 4, BmpPacking::kPlain},
                      {"8bit", 8, BmpPacking::kPlain},
                      {"16bit555", 16, BmpPacking::kPlain},
                      {"16bit565", 16, BmpPacking::kBitfields565},
                      {"24bit", 24, BmpPacking::kPlain},
                      {"32bit", 32, BmpPacking::kPlain},
                      {"32bitFields", 32, BmpPacking::kBitfields888}};
        for (const auto& depth : depths)
            for (const int width : {37, 38, 39, 40})
                for (const double zoom : {0.5, 1.0, 2.0})
                    QTest::addRow("%s w%d zoom %g", depth.name, width, zoom)
                        << depth.bits << int(depth.packing) << width << false << zoom;
        for (const auto& depth : depths)
            for (const double zoom : {0.5, 2.0})
                QTest::addRow("%s top-down zoom %g", depth.name, zoom)
                    << depth.bits << int(depth.packing) << 39 << true << zoom;
    }

    void mappedBitmapPaintsLikeQtsDecoding()
    {
        QFETCH(int, bits);
        QFETCH(int, packing);
        QFETCH(int, width);
        QFETCH(bool, topDown);
        QFETCH(double, zoom);
        constexpr int kHeight = 23;
        OneMap map(width, kHeight);
        QVERIFY(test::writePatternBmp(map.bitmap(), {.width = width,
                                                     .height = kHeight,
                                                     .bitsPerPixel = static_cast<std::uint16_t>(bits),
                                                     .packing = static_cast<BmpPacking>(packing),
                                                     .topDown = topDown}));
        QImageReader reader(map.bitmapName());
        QImage reference = reader.read().convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!reference.isNull(), qPrintable(reader.errorString()));
        if (bits == 16)
            replicateLowBits(reference, static_cast<BmpPacking>(packing) == BmpPacking::kBitfields565 ? 6 : 5);

        ShownView shown(map, {300, 200});
        CRovantaView& view = shown.view;
        view.zoomBy(zoom);
        const QImage painted = shown.grab();

        // The naive way: the decoded image stretched onto the same rectangle.
        QImage expected(painted.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            const IPoint origin = view.layout().targetOrigin();
            const ISize size = view.layout().targetSize();
            const IPoint scroll = view.scrollPosition();
            QPainter painter(&expected);
            painter.drawImage(QRect(origin.x - scroll.x, origin.y - scroll.y, size.width, size.height), reference);
        }
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                if ((painted.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF))
                    QFAIL(qPrintable(QStringLiteral("pixel (%1, %2): %3 instead of %4")
                                         .arg(x)
                                         .arg(y)
                                         .arg(painted.pixel(x, y), 8, 16)
                                         .arg(expected.pixel(x, y), 8, 16)));
    }

    void bitmapsInAnyFolderNameAreDrawn_data()
    {
        QTest::addColumn<QByteArray>("folder");
        QTest::addRow("UTF-8") << QByteArray("K\xC3\xB6ln");
        QTest::addRow("Latin-1") << QByteArray("K\xF6ln");
    }

    // Folder names are bytes; one that is not UTF-8 must still reach the file.
    void bitmapsInAnyFolderNameAreDrawn()
    {
        QFETCH(QByteArray, folder);
        OneMap map(120, 80, folder.toStdString());
        ShownView shown(map, {300, 200});
        QVERIFY(shown.view.bitmapLoaded());
        for (const QList<QVariant>& notice : shown.notices)
            QCOMPARE(notice.first().toString(), QString());
        // The sample bitmap's rows are black on the white canvas.
        const QImage painted = shown.grab();
        QCOMPARE(painted.pixel(painted.width() / 2, painted.height() / 2) & 0xFFFFFF, 0u);
    }

    void zoomedOutWithoutPyramidSamplesTheFile_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::addRow("every 3rd row") << 0.3;
        QTest::addRow("every 11th row") << 0.09;
    }

    // Before the pyramid is ready only sampled rows and columns are read;
    // they must still cover the sheet where it lies, the right way up.
    void zoomedOutWithoutPyramidSamplesTheFile()
    {
        QFETCH(double, zoom);
        const QSize size(403, 311);
        const QRgb quadrants[] = {qRgb(200, 0, 0), qRgb(0, 150, 0), qRgb(0, 0, 220), qRgb(240, 200, 0)};
        const auto quadrantAt = [&](double x, double y) {
            return quadrants[(x < size.width() / 2 ? 0 : 1) + (y < size.height() / 2 ? 0 : 2)];
        };
        QImage sheet(size, QImage::Format_RGB32);
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                sheet.setPixel(x, y, quadrantAt(x, y));
        test::TempFolder folder;
        const std::string path = folder.file("sheet.bmp");
        QVERIFY(sheet.save(QString::fromStdString(path), "BMP"));
        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(path);
        QVERIFY(bitmap && bitmap->readsFile());

        QImage canvas(160, 120, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        const QRect target(7, 5, int(size.width() * zoom), int(size.height() * zoom));
        {
            QPainter painter(&canvas);
            paintBitmap(painter, canvas.rect(), target, zoom, *bitmap, nullptr);
        }
        const double perPixel = double(size.width()) / target.width();
        const double margin = 2 * perPixel;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x) {
                const double sx = (x - target.left() + 0.5) * perPixel;
                const double sy = (y - target.top() + 0.5) * double(size.height()) / target.height();
                if (std::abs(sx - size.width() / 2) < margin || std::abs(sy - size.height() / 2) < margin)
                    continue;
                const QRgb want = target.contains(x, y) ? quadrantAt(sx, sy) : qRgb(255, 255, 255);
                QVERIFY2(canvas.pixel(x, y) == want, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
            }
    }

    void unreadableBitmapsLeaveTheViewBlank_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("problem");
        QTest::addRow("missing") << 0 << "bitmap not found: Moor.bmp";
        QTest::addRow("truncated") << 1 << "bitmap not readable: Moor.bmp";
        QTest::addRow("not a bitmap") << 2 << "bitmap not readable: Moor.bmp";
    }

    void unreadableBitmapsLeaveTheViewBlank()
    {
        QFETCH(int, damage);
        QFETCH(QString, problem);
        OneMap map(120, 80);
        std::filesystem::remove(map.bitmap());
        if (damage == 1)
            QVERIFY(test::writeBmp(map.bitmap(), {.width = 120, .height = 80, .dropBytes = 7}));
        if (damage == 2)
            QVERIFY(QFile(map.bitmapName()).open(QIODevice::WriteOnly));
        test::ScriptedAnswerer answerer;
        ShownView shown(map, {300, 200});
        CRovantaView& view = shown.view;
        const TourRecord tour = view.manager().tourList().newTour();
        tour->addPoint(cl_RefPoint());
        QVERIFY(!view.bitmapLoaded());
        QCOMPARE(view.windowTitle(), QStringLiteral("Moor"));
        view.onCommand(commands::kZoomIn);
        QImage blank(shown.grab().size(), QImage::Format_RGB32);
        blank.fill(Qt::white);
        QCOMPARE(shown.grab(), blank);
        // The start names the bitmap once; the view itself stays quiet.
        QCOMPARE(answerer.shown.size(), std::size_t{1});
        QVERIFY(answerer.shown[0].text.ends_with(": " + problem.toStdString()));
    }

    void aBitmapChangedWhileShownEndsBlank_data()
    {
        QTest::addColumn<int>("change");
        QTest::addRow("truncate") << 0;
        QTest::addRow("replace") << 1;
        QTest::addRow("delete") << 2;
    }

    // Another program changes the sheet at a random moment while the view
    // paints it at some zoom, zoomed out while the pyramid is being built:
    // the program lives on, and the view ends blank with the notice.
    void aBitmapChangedWhileShownEndsBlank()
    {
        QFETCH(int, change);
        constexpr int kSide = 1200;
        constexpr int kRounds = 33;
        const test::BmpLayout sheet{.width = kSide, .height = kSide, .bitsPerPixel = 24};
        const double zooms[] = {0.05, 0.3, 0.8, 1.0, 2.0};
        OneMap map(kSide, kSide);
        const std::filesystem::path other = map.bitmap().parent_path() / "Other.bmp";
        const QString unreadable = "Bitmap cannot be read: " + QDir::toNativeSeparators(map.bitmapName());
        std::mt19937 random(static_cast<unsigned>(change));
        QVERIFY(test::writeBmp(map.bitmap(), sheet));
        ShownView shown(map, {400, 300});
        CRovantaView& view = shown.view;
        QSignalSpy notices(&view, &CRovantaView::notice);
        QImage blank(shown.grab().size(), QImage::Format_RGB32);
        blank.fill(Qt::white);

        for (int round = 0; round < kRounds; ++round) {
            QVERIFY(test::writeBmp(map.bitmap(), sheet));
            QVERIFY(test::writeBmp(other, sheet));
            view.loadMapBitmap();
            QVERIFY(view.bitmapLoaded());
            view.zoomBy(zooms[round % std::size(zooms)]);
            const auto after = std::chrono::microseconds(random() % 20'000);
            const auto cut = random() % std::filesystem::file_size(map.bitmap());
            std::thread damage([&, after, cut] {
                std::this_thread::sleep_for(after);
                if (change == 0)
                    std::filesystem::resize_file(map.bitmap(), cut);
                else if (change == 1)
                    std::filesystem::rename(other, map.bitmap());
                else
                    std::filesystem::remove(map.bitmap());
            });
            for (int paint = 0; paint < 8; ++paint) {
                view.viewport()->repaint();
                QTest::qWait(3);
            }
            damage.join();
            view.viewport()->repaint();
            QTRY_VERIFY(!view.bitmapLoaded());
            QCOMPARE(notices.last().at(0).toString(), unreadable);
            QCOMPARE(shown.grab(), blank);
        }
    }

    void rasterSheetsPaintLikeTheirBmpTwin_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("zoom");
        const QStringList tiled{"-co", "TILED=YES", "-co", "BLOCKXSIZE=16", "-co", "BLOCKYSIZE=16"};
        for (const double zoom : {0.5, 1.0, 2.0}) {
            QTest::addRow("PNG zoom %g", zoom) << "Moor.png" << QStringList{"-of", "PNG"} << zoom;
            QTest::addRow("tiled TIFF zoom %g", zoom) << "Moor.tif" << (QStringList{"-of", "GTiff"} + tiled) << zoom;
        }
        QTest::addRow("GIF zoom 1") << "Moor.gif" << QStringList{"-of", "GIF"} << 1.0;
    }

    // The same pixels in another format paint exactly as the BMP does.
    void rasterSheetsPaintLikeTheirBmpTwin()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(double, zoom);
        OneMap map(39, 23);
        // 8 bits: a palette GIF keeps as it is.
        QVERIFY(test::writePatternBmp(map.bitmap(), {.width = 39, .height = 23, .bitsPerPixel = 8}));
        QImage bmp;
        {
            ShownView shown(map, {300, 200});
            shown.view.zoomBy(zoom);
            bmp = shown.grab();
        }
        std::vector<std::string> arguments;
        for (const QString& option : options)
            arguments.push_back(option.toStdString());
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        initRasterLibrary();
        GDALDatasetH source = GDALOpen(map.bitmap().c_str(), GA_ReadOnly);
        GDALTranslateOptions* translate = GDALTranslateOptionsNew(argv.data(), nullptr);
        const std::filesystem::path twin = map.bitmap().parent_path() / file.toStdString();
        GDALClose(GDALTranslate(twin.c_str(), source, translate, nullptr));
        GDALTranslateOptionsFree(translate);
        GDALClose(source);
        std::filesystem::remove(map.bitmap());
        map.nameBitmap(file.toStdString());

        ShownView shown(map, {300, 200});
        shown.view.zoomBy(zoom);
        QVERIFY(shown.view.bitmapLoaded());
        for (const QList<QVariant>& notice : shown.notices)
            QCOMPARE(notice.first().toString(), QString());
        QCOMPARE(shown.grab(), bmp);
    }

    // Too large to read strip by strip at random: converted into the cache
    // in the background, with its progress in the status bar, then shown.
    void largeStripSheetsAreConvertedInTheBackground()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        QDir(cache).removeRecursively();
        constexpr int kSide = 4100;
        OneMap map(kSide, kSide);
        QVERIFY(test::writeRaster(map.bitmap().parent_path() / "Moor.png", "PNG", test::Pixels::kGrey, kSide, kSide));
        map.nameBitmap("Moor.png");

        ShownView shown(map, {300, 200});
        QVERIFY(shown.view.bitmapLoaded());
        const auto centre = [&shown] {
            const QImage image = shown.grab();
            return image.pixel(image.width() / 2, image.height() / 2) & 0xFFFFFF;
        };
        QCOMPARE(centre(), 0xFFFFFFu);
        QTRY_VERIFY_WITH_TIMEOUT(centre() != 0xFFFFFF, 90'000);
        // About the middle of the grey ramp.
        QVERIFY(qAbs(qGray(centre()) - 127) < 4);
        QVERIFY(shown.notices.size() >= 2);
        QVERIFY(shown.notices.at(1).first().toString().startsWith("Preparing "));
        QCOMPARE(shown.notices.last().first().toString(), QString());
        QDir(cache).removeRecursively();
    }

    // Zoomed out, a one-pixel line must still show, where sampling every
    // fourth pixel would lose it.
    void zoomedOutLineworkStaysVisible()
    {
        OneMap map(400, 400);
        QImage lines(400, 400, QImage::Format_RGB32);
        lines.fill(Qt::white);
        for (int y = 0; y < 400; ++y)
            lines.setPixel(201, y, qRgb(0, 0, 0));
        QVERIFY(lines.save(map.bitmapName(), "BMP"));

        ShownView shown(map, {500, 400});
        CRovantaView& view = shown.view;
        view.zoomBy(0.25);
        QTRY_VERIFY(view.pyramid() && view.pyramid()->ready());
        QTest::qWait(20);
        const QImage image = shown.grab();
        const QPoint scroll = qt(view.scrollPosition());
        const int row = qt(view.pixelToWindow({0, 200})).y() - scroll.y();
        int darkest = 255;
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, row)));
        QVERIFY2(darkest < 224, "the line shows");
        QVERIFY2(darkest > 0, "averaged with the white around it");
    }
};

QTEST_MAIN(MapViewTest)
#include "map_view_test.moc"
