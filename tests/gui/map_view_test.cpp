#include "bmp_pattern.h"
#include "bmp_writer.h"
#include "common/file_names.h"
#include "map_files.h"
#include "memory_settings.h"
#include "navigation/qt/grid_painter.h"
#include "navigation/qt/scale_bar_painter.h"
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
#include <QNativeGestureEvent>
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

// Over every pixel and colour channel of two images of one size.
double meanChannelDifference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 255.0;
    double sum = 0.0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

QPoint qt(IPoint p)
{
    return {p.x, p.y};
}

// Viewport position of a UTM position in zone 32, through the map's own
// conversion.
QPoint onViewport(const CRovantaView& view, IPoint en)
{
    cl_RefPoint ground;
    ground.setRefPoint(32, 'U', en);
    static_cast<void>(view.currentMap()->refPointToPixel(ground));
    return qt(view.pixelToWindow(ground.pixel)) - qt(view.scrollPosition());
}

// Centres of the runs of grid colour along a row of the image.
std::vector<int> gridRuns(const QImage& image, int row)
{
    std::vector<int> centres;
    for (int x = 0; x < image.width();) {
        int end = x;
        while (end < image.width() && image.pixel(end, row) == kGridColor)
            ++end;
        if (end > x)
            centres.push_back((x + end - 1) / 2);
        x = end + 1;
    }
    return centres;
}

enum class Input { kWheel, kShiftWheel, kPinch, kKeys };

// A shown 2000 x 1500 sheet, white, in a 500 x 400 window.
struct WhiteSheet {
    WhiteSheet() : map(2000, 1500)
    {
        QImage white(2000, 1500, QImage::Format_RGB32);
        white.fill(Qt::white);
        QVERIFY(white.save(map.bitmapName(), "BMP"));
    }
    OneMap map;
};

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

Q_DECLARE_METATYPE(Input)

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
        // The scale bar's corner lies beside the bitmap at these sizes.
        const QRect bar = scaleBarArea(painted.size());
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                if (!bar.contains(x, y) && (painted.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF))
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
            // The scroll bars go with the next layout pass, which a loaded
            // machine may not have run yet.
            QTRY_COMPARE(shown.grab(), blank);
        }
    }

    void rasterSheetsPaintLikeTheirBmpTwin_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<double>("meanDifference");
        const QStringList tiled{"-co", "TILED=YES", "-co", "BLOCKXSIZE=16", "-co", "BLOCKYSIZE=16"};
        for (const double zoom : {0.5, 1.0, 2.0}) {
            QTest::addRow("PNG zoom %g", zoom) << QString() << "Moor.png" << QStringList{"-of", "PNG"} << zoom << 0.0;
            QTest::addRow("tiled TIFF zoom %g", zoom)
                << QString() << "Moor.tif" << (QStringList{"-of", "GTiff"} + tiled) << zoom << 0.0;
        }
        QTest::addRow("GIF zoom 1") << QString() << "Moor.gif" << QStringList{"-of", "GIF"} << 1.0 << 0.0;
        // The shipped sample sheets. JPEG has no palette, and at quality 95
        // GDAL's own decoding lies 4 per channel from the BMP on average; a
        // row out of place costs 10.
        const QStringList jpeg{"-of", "JPEG", "-expand", "rgb", "-co", "QUALITY=95"};
        for (const QString sheet : {"sample_west.bmp", "sample_east.bmp"}) {
            QTest::addRow("%s as PNG", qPrintable(sheet))
                << sheet << "Moor.png" << QStringList{"-of", "PNG"} << 1.0 << 0.0;
            QTest::addRow("%s as JPEG", qPrintable(sheet)) << sheet << "Moor.jpg" << jpeg << 1.0 << 6.0;
        }
        // Wider than the view: each end is a window of its own.
        QTest::addRow("tiled TIFF zoom 16")
            << QString() << "Moor.tif" << (QStringList{"-of", "GTiff"} + tiled) << 16.0 << 0.0;
    }

    // The view centred on the sheet's left end, then on its right end.
    static QList<QImage> grabBothEnds(ShownView& shown, int width)
    {
        QList<QImage> images;
        for (const int column : {0, width - 1}) {
            const IPoint at = shown.view.pixelToWindow({column, 0});
            const QSize page = shown.view.viewport()->size();
            shown.view.horizontalScrollBar()->setValue(at.x - page.width() / 2);
            shown.view.verticalScrollBar()->setValue(at.y - page.height() / 2);
            images.append(shown.grab());
        }
        return images;
    }

    // The same pixels in another format paint exactly as the BMP does; a
    // JPEG within its own loss.
    void rasterSheetsPaintLikeTheirBmpTwin()
    {
        QFETCH(QString, sheet);
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(double, zoom);
        QFETCH(double, meanDifference);
        const std::filesystem::path sample = std::filesystem::path(ROVANTA_EXAMPLES_DIR) / sheet.toStdString();
        OneMap map(sheet.isEmpty() ? 39 : 2000, sheet.isEmpty() ? 23 : 1500);
        if (sheet.isEmpty()) {
            // 8 bits: a palette GIF keeps as it is.
            QVERIFY(test::writePatternBmp(map.bitmap(), {.width = 39, .height = 23, .bitsPerPixel = 8}));
        } else {
            QVERIFY(
                std::filesystem::copy_file(sample, map.bitmap(), std::filesystem::copy_options::overwrite_existing));
        }
        const int width = sheet.isEmpty() ? 39 : 2000;
        QList<QImage> bmp;
        {
            ShownView shown(map, {600, 400});
            shown.view.zoomBy(zoom);
            bmp = grabBothEnds(shown, width);
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

        ShownView shown(map, {600, 400});
        shown.view.zoomBy(zoom);
        QVERIFY(shown.view.bitmapLoaded());
        for (const QList<QVariant>& notice : shown.notices)
            QCOMPARE(notice.first().toString(), QString());
        const QList<QImage> raster = grabBothEnds(shown, width);
        if (meanDifference == 0.0) {
            QCOMPARE(raster, bmp);
        } else {
            for (qsizetype i = 0; i < raster.size(); ++i)
                QCOMPARE_LE(meanChannelDifference(raster[i], bmp[i]), meanDifference);
        }
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

    // About 9.6 m per pixel: 1 km lines 104 pixels apart, each where the
    // map puts its ground positions; none once the grid is off.
    void utmGridLinesLieWhereTheMapPutsThem()
    {
        OneMap map(700, 700);
        ShownView shown(map, {500, 400});
        CRovantaView& view = shown.view;
        view.setUtmGridShown(true);
        const QImage image = shown.grab();

        const IPoint centre = view.windowToPixel({view.scrollPosition().x + 250, view.scrollPosition().y + 200});
        int inside = 0;
        cl_RefPoint middle = view.currentMap()->pixelToRefPoint(centre.x, centre.y, inside);
        int zone = 0;
        char letter = 0;
        IPoint en;
        middle.setDatum(32, 0);
        middle.getRefPoint(zone, letter, en);
        // A row halfway between two northing lines.
        const int halfNorth = en.y / 1000 * 1000 + 500;
        const int row = onViewport(view, {en.x, halfNorth}).y();
        std::vector<int> expected;
        for (int km = en.x / 1000 - 5; km <= en.x / 1000 + 5; ++km) {
            if (const int x = onViewport(view, {km * 1000, halfNorth}).x(); x >= 0 && x < image.width())
                expected.push_back(x);
        }
        const std::vector<int> found = gridRuns(image, row);
        QVERIFY(expected.size() >= 4);
        QCOMPARE(found.size(), expected.size());
        for (std::size_t i = 0; i < found.size(); ++i)
            QVERIFY2(std::abs(found[i] - expected[i]) <= 1, qPrintable(QString::number(i)));

        view.setUtmGridShown(false);
        QVERIFY(gridRuns(shown.grab(), row).empty());
    }

    // Wheel and pinch zoom about the cursor; Shift+wheel, arrows and pages
    // scroll. Values: wheel eighths of a degree, pinch percent, or keys.
    void wheelPinchAndKeysMoveTheMap_data()
    {
        QTest::addColumn<Input>("input");
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("scrolled"); ///< without a zoom; y in pages when `pages`
        QTest::addColumn<bool>("pages");
        QTest::newRow("WheelNotchZoomsIn") << Input::kWheel << QList<int>{120} << 1.25 << QPoint() << false;
        QTest::newRow("FineWheelAddsUpToANotch")
            << Input::kWheel << QList<int>{40, 40, 40} << 1.25 << QPoint() << false;
        QTest::newRow("WheelTowardsTheUserZoomsOut") << Input::kWheel << QList<int>{-120} << 0.8 << QPoint() << false;
        QTest::newRow("NotchesZoomStepByStep") << Input::kWheel << QList<int>{240} << 1.5625 << QPoint() << false;
        // Three lines of 20 pixels per notch, the desktop's default.
        QTest::newRow("ShiftWheelScrollsSideways")
            << Input::kShiftWheel << QList<int>{-120} << 1.0 << QPoint(60, 0) << false;
        QTest::newRow("PinchSpreadZoomsIn") << Input::kPinch << QList<int>{25} << 1.25 << QPoint() << false;
        // ln(0.9) * 3 / ln(1.25) = -1.42: one step out, the rest waits.
        QTest::newRow("SlowPinchZoomsOut") << Input::kPinch << QList<int>{-10, -10, -10} << 0.8 << QPoint() << false;
        QTest::newRow("ArrowsScrollByLines")
            << Input::kKeys << QList<int>{Qt::Key_Right, Qt::Key_Down, Qt::Key_Down} << 1.0 << QPoint(20, 40) << false;
        QTest::newRow("PageDownScrollsAWindow")
            << Input::kKeys << QList<int>{Qt::Key_PageDown} << 1.0 << QPoint(0, 1) << true;
    }

    void wheelPinchAndKeysMoveTheMap()
    {
        QFETCH(Input, input);
        QFETCH(QList<int>, values);
        QFETCH(double, zoom);
        QFETCH(QPoint, scrolled);
        QFETCH(bool, pages);
        WhiteSheet sheet;
        ShownView shown(sheet.map, {500, 400});
        CRovantaView& view = shown.view;
        QWidget* viewport = view.viewport();
        const QPointF at(123.4, 77.6);
        const IPoint start = view.scrollPosition();
        const IPoint under = view.windowToPixel({start.x + 123, start.y + 77});
        for (const int value : values) {
            if (input == Input::kKeys) {
                QTest::keyClick(&view, static_cast<Qt::Key>(value));
            } else if (input == Input::kPinch) {
                QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, at, at,
                                          viewport->mapToGlobal(at), value / 100.0, {});
                QApplication::sendEvent(viewport, &pinch);
            } else {
                const Qt::KeyboardModifiers modifiers =
                    input == Input::kShiftWheel ? Qt::ShiftModifier : Qt::NoModifier;
                QWheelEvent wheel(at, viewport->mapToGlobal(at), {}, {0, value}, Qt::NoButton, modifiers,
                                  Qt::NoScrollPhase, false);
                QApplication::sendEvent(viewport, &wheel);
            }
        }
        QCOMPARE_LT(std::abs(view.layout().zoom() - zoom), 1e-9);
        const IPoint end = view.scrollPosition();
        if (zoom == 1.0) {
            const QPoint expected(scrolled.x(),
                                  pages ? scrolled.y() * view.verticalScrollBar()->pageStep() : scrolled.y());
            QCOMPARE(QPoint(end.x - start.x, end.y - start.y), expected);
            return;
        }
        // The map pixel under the cursor stays there, within a screen pixel.
        const IPoint now = view.windowToPixel({end.x + 123, end.y + 77});
        const double slack = 1.0 + 1.0 / std::min(zoom, 1.0);
        QCOMPARE_LE(std::abs(now.x - under.x), slack);
        QCOMPARE_LE(std::abs(now.y - under.y), slack);
    }

    // Whole Map fits the sheet, 1:1 brings zoom 1 back, Home centres; the
    // scale bar in the corner has the round length of a fifth of the window.
    void wholeMapOneToOneHomeAndTheScaleBar()
    {
        WhiteSheet sheet;
        ShownView shown(sheet.map, {500, 400});
        CRovantaView& view = shown.view;
        const QSize page = view.viewport()->size();
        // The sheet spans 9.0-9.1 E, 53.0-53.06 N: a diagonal of 9455 m on
        // the ground (6696 m east, 6675 m north) over 2500 pixels, 3.782 m
        // per pixel. A fifth of a 500-pixel window covers 378 m at 1:1, so
        // the bar is 200 m, 52.9 pixels.
        constexpr double kMetresPerPixel = 3.782;
        const auto barLength = [&shown, page] {
            const QImage image = shown.grab();
            const int row = page.height() - kScaleBarMargin - kScaleBarThickness / 2;
            int x = kScaleBarMargin;
            while (x < image.width() && image.pixel(x, row) == qRgb(0, 0, 0))
                ++x;
            return x - kScaleBarMargin;
        };
        QCOMPARE_LE(std::abs(barLength() - qRound(200 / kMetresPerPixel)), 1);

        view.onCommand(commands::kWholeMap);
        const ISize target = view.layout().targetSize();
        QCOMPARE_LE(target.width, page.width());
        QCOMPARE_LE(target.height, page.height());
        QVERIFY(target.width >= page.width() - 1 || target.height >= page.height() - 1);
        const IPoint scroll = view.scrollPosition();
        const IPoint left = view.layout().targetOrigin();
        QCOMPARE_LE(std::abs((left.x - scroll.x) - (page.width() - target.width) / 2), 1);
        // 2000 x 1500 into 500 x 400: zoom 0.25, 15.1 m per pixel; 1 km is
        // 66.1 pixels, 500 m would be too short.
        const double fit = std::min(page.width() / 2000.0, page.height() / 1500.0);
        QCOMPARE_LE(std::abs(barLength() - qRound(1000 * fit / kMetresPerPixel)), 1);

        view.zoomStepsAround(2, QPointF(10, 10));
        view.onCommand(commands::kZoomOneToOne);
        QCOMPARE(view.layout().zoom(), 1.0);
        QCOMPARE(view.layout().targetSize(), (ISize{2000, 1500}));

        view.horizontalScrollBar()->setValue(0);
        QTest::keyClick(&view, Qt::Key_Home);
        const IPoint centre = view.windowToPixel(
            {view.scrollPosition().x + page.width() / 2, view.scrollPosition().y + page.height() / 2});
        QCOMPARE_LE(std::abs(centre.x - 1000), 1);
        QCOMPARE_LE(std::abs(centre.y - 750), 1);
    }

    void checkedNeighbourFillsTheWhiteAround_data()
    {
        QTest::addColumn<double>("zoom");
        QTest::newRow("1:1") << 1.0;
        QTest::newRow("zoomed in") << 1.5625;
        QTest::newRow("zoomed out, through the pyramid") << 0.4096;
    }
    // The current sheet is black; the one east of it, on the same latitudes,
    // green above and blue below. Unchecked it leaves white beside the
    // current sheet; checked, every pixel there has its colour, the right
    // way up, and the seam lies on the sheet's edge.
    void checkedNeighbourFillsTheWhiteAround()
    {
        QFETCH(double, zoom);
        test::TempFolder folder;
        test::writeSampleMap(folder.path(), "West.cal", {.name = "West", .west = 9.0, .east = 9.1});
        test::writeSampleMap(folder.path(), "East.cal", {.name = "East", .west = 9.1, .east = 9.2});
        QImage east(200, 200, QImage::Format_RGB32);
        east.fill(qRgb(0, 160, 0));
        QPainter(&east).fillRect(0, 100, 200, 100, qRgb(0, 0, 200));
        QVERIFY(east.save(QString::fromStdString(toUtf8(folder.path() / "East.bmp")), "BMP"));
        test::MemorySettings store;
        test::registerMaps(store, folder.path(),
                           {{"West.cal", "West", kStatusCurrent}, {"East.cal", "East", kStatusUnchecked}});
        test::NoMenus menus;
        CRovantaView view(store, menus);
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.initialUpdate();
        view.zoomBy(zoom);
        const MapRecord eastMap = view.manager().maps().at("East");

        const IPoint origin = view.layout().targetOrigin();
        const IPoint scroll = view.scrollPosition();
        const QRect sheet(origin.x - scroll.x, origin.y - scroll.y, view.layout().targetSize().width,
                          view.layout().targetSize().height);
        const QRect strip(
            QPoint(sheet.right() + 2, sheet.top() + 2),
            QPoint(std::min(sheet.right() + sheet.width() - 2, view.viewport()->width() - 1), sheet.bottom() - 2));
        const QRect upper(strip.topLeft(), QPoint(strip.right(), sheet.center().y() - 2));
        const QRect lower(QPoint(strip.left(), sheet.center().y() + 2), strip.bottomRight());
        QVERIFY(strip.width() > 20);
        const auto countIn = [](const QImage& image, const QRect& area, QRgb colour) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    count += image.pixel(x, y) == colour ? 1 : 0;
            return count;
        };
        const auto grab = [&view] {
            view.viewport()->repaint();
            return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        const int stripPixels = strip.width() * strip.height();
        QCOMPARE(countIn(grab(), strip, qRgb(255, 255, 255)), stripPixels);

        eastMap->setStatus(kStatusChecked);
        grab();
        QTRY_VERIFY(view.mosaic().cache().ready());
        const QImage image = grab();
        QCOMPARE(countIn(image, upper, qRgb(0, 160, 0)), upper.width() * upper.height());
        QCOMPARE(countIn(image, lower, qRgb(0, 0, 200)), lower.width() * lower.height());
        const int row = upper.center().y();
        QCOMPARE(image.pixel(sheet.right(), row), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(sheet.right() + 1, row), qRgb(0, 160, 0));
        QCOMPARE(view.mosaic().cache().size(), std::size_t{1});
    }
};

QTEST_MAIN(MapViewTest)
#include "map_view_test.moc"
