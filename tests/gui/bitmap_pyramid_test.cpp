// Box-filtered reductions: exact rounded means up to the edges, the memory
// budget, how rows are read, and the building thread's lifetime.
#include "view/qt/bitmap_pyramid.h"
#include "view/qt/map_bitmap.h"

#include "bmp_writer.h"
#include "temp_folder.h"

#include <QtTest>

#include <atomic>
#include <random>
#include <utility>

using namespace rovanta;

namespace {

using Reads = std::vector<std::pair<int, int>>;

BitmapPyramid::RowReader readerOver(const QImage& image, Reads* reads = nullptr)
{
    return [image, reads](int first, int count) {
        if (reads != nullptr) {
            reads->emplace_back(first, count);
        }
        return image.copy(0, first, image.width(), count);
    };
}

std::vector<PyramidLevel> levelsOf(const QImage& image, qsizetype budget = BitmapPyramid::kLargestLevelBytes)
{
    return BitmapPyramid::buildLevels(image.width(), image.height(), readerOver(image), {}, budget);
}

QImage filled(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Many saturated pixels, so a channel spilling into its neighbour shows.
// Indexed8 comes through Qt's own palette conversion.
QImage noise(int width, int height, QImage::Format format)
{
    std::mt19937 random(unsigned(width * 7919 + height));
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, random() % 3 == 0 ? qRgb(255, 255, 255) : QRgb(random()) | 0xFF000000u);
        }
    }
    return image.convertToFormat(format);
}

// Each pixel is the mean of the pixels of its 2x2 block that exist,
// rounded half up.
QImage halved(const QImage& finer)
{
    const QImage source = finer.convertToFormat(QImage::Format_RGB32);
    QImage out((source.width() + 1) / 2, (source.height() + 1) / 2, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            int r = 0, g = 0, b = 0, n = 0;
            for (int sy = 2 * y; sy < std::min(2 * y + 2, source.height()); ++sy) {
                for (int sx = 2 * x; sx < std::min(2 * x + 2, source.width()); ++sx) {
                    const QRgb p = source.pixel(sx, sy);
                    r += qRed(p), g += qGreen(p), b += qBlue(p), ++n;
                }
            }
            out.setPixel(x, y, qRgb((2 * r + n) / (2 * n), (2 * g + n) / (2 * n), (2 * b + n) / (2 * n)));
        }
    }
    return out;
}

std::shared_ptr<const MapBitmap> blackBitmap(const test::TempFolder& folder, int width, int height)
{
    const auto path = folder.path() / "map.bmp";
    if (!test::writeBmp(path, test::BmpLayout{.width = width, .height = height})) {
        return nullptr;
    }
    return MapBitmap::load(path.string());
}

} // namespace

class BitmapPyramidTest : public QObject {
    Q_OBJECT

private slots:
    // The reference halves the finer level by hand; levels go on while a
    // side is longer than the smallest, and not at all below it.
    void levelsAreRoundedBlockMeans_data()
    {
        QTest::addColumn<QImage>("source");
        QTest::addRow("67x45 RGB32") << noise(67, 45, QImage::Format_RGB32);
        QTest::addRow("64x64 RGB888") << noise(64, 64, QImage::Format_RGB888);
        QTest::addRow("130x3 BGR888") << noise(130, 3, QImage::Format_BGR888);
        QTest::addRow("5x97 indexed") << noise(5, 97, QImage::Format_Indexed8);
        QTest::addRow("301x255 indexed") << noise(301, 255, QImage::Format_Indexed8);
        QTest::addRow("1x1000 column") << noise(1, 1000, QImage::Format_RGB32);
        QTest::addRow("1000x1 row") << noise(1000, 1, QImage::Format_RGB32);
        QTest::addRow("33x33 one level") << noise(33, 33, QImage::Format_RGB32);
        QTest::addRow("32x32 needs none") << noise(32, 32, QImage::Format_RGB32);
        QTest::addRow("1x1 needs none") << noise(1, 1, QImage::Format_RGB32);
    }

    void levelsAreRoundedBlockMeans()
    {
        QFETCH(QImage, source);
        const std::vector<PyramidLevel> levels = levelsOf(source);
        QImage finer = source;
        for (std::size_t i = 0; i < levels.size(); ++i) {
            QVERIFY(finer.width() > BitmapPyramid::kSmallestSide || finer.height() > BitmapPyramid::kSmallestSide);
            QCOMPARE(levels[i].shift, int(i) + 1);
            QCOMPARE(levels[i].image, halved(finer));
            finer = levels[i].image;
        }
        QVERIFY(finer.width() <= BitmapPyramid::kSmallestSide && finer.height() <= BitmapPyramid::kSmallestSide);
    }

    void budgetDropsOnlyFineLevels_data()
    {
        // 300x200 reduces to 150x100, 75x50, 38x25 and 19x13.
        QTest::addColumn<qsizetype>("budget");
        QTest::addColumn<int>("finestShift");
        QTest::addRow("all") << BitmapPyramid::kLargestLevelBytes << 1;
        QTest::addRow("exactly 75x50") << qsizetype{75 * 50 * 4} << 2;
        QTest::addRow("a byte short of 75x50") << qsizetype{75 * 50 * 4 - 1} << 3;
        QTest::addRow("below 19x13") << qsizetype{19 * 13 * 4 - 1} << 0;
    }

    void budgetDropsOnlyFineLevels()
    {
        QFETCH(qsizetype, budget);
        QFETCH(int, finestShift);
        const QImage source = noise(300, 200, QImage::Format_RGB32);
        const std::vector<PyramidLevel> all = levelsOf(source);
        const std::vector<PyramidLevel> kept = levelsOf(source, budget);
        QCOMPARE(all.size(), std::size_t(4));
        QCOMPARE(kept.size(), finestShift == 0 ? std::size_t(0) : all.size() - std::size_t(finestShift - 1));
        for (std::size_t i = 0; i < kept.size(); ++i) {
            QCOMPARE(kept[i].shift, finestShift + int(i));
            QCOMPARE(kept[i].image, all[finestShift - 1 + i].image);
        }
    }

    void rowsAreReadOnceInOrderUntilStopped_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("stopAtRead"); // -1: never
        QTest::addRow("33x999") << QSize(33, 999) << -1;
        QTest::addRow("40000x5 wide") << QSize(40000, 5) << -1;
        QTest::addRow("1000x1") << QSize(1000, 1) << -1;
        QTest::addRow("stop before the first read") << QSize(200, 1000) << 0;
        QTest::addRow("stop during the second read") << QSize(200, 1000) << 2;
    }

    void rowsAreReadOnceInOrderUntilStopped()
    {
        QFETCH(QSize, size);
        QFETCH(int, stopAtRead);
        std::stop_source stop;
        Reads reads;
        const auto recorded = readerOver(filled(size.width(), size.height(), qRgb(1, 2, 3)), &reads);
        const auto reader = [&](int first, int count) {
            if (int(reads.size()) + 1 == stopAtRead) {
                stop.request_stop();
            }
            return recorded(first, count);
        };
        if (stopAtRead == 0) {
            stop.request_stop();
        }
        const bool built = !BitmapPyramid::buildLevels(size.width(), size.height(), reader, stop.get_token()).empty();
        QCOMPARE(built, stopAtRead < 0);
        int next = 0;
        for (const auto& [first, count] : reads) {
            QCOMPARE(first, next);
            QVERIFY(count >= 1 && count <= 64);
            next += count;
        }
        if (stopAtRead < 0) {
            QCOMPARE(next, size.height());
        } else {
            QCOMPARE(int(reads.size()), stopAtRead);
        }
    }

    void unreadableRowsGiveNothing()
    {
        const auto deliver = [](QSize size) { return [size](int, int) { return QImage(size, QImage::Format_RGB32); }; };
        QVERIFY(BitmapPyramid::buildLevels(60, 50, deliver(QSize()), {}).empty());
        QVERIFY(BitmapPyramid::buildLevels(60, 50, deliver(QSize(59, 64)), {}).empty());
        QVERIFY(BitmapPyramid::buildLevels(60, 50, deliver(QSize(60, 1)), {}).empty());
    }

    void levelForPicksCoarsestFineEnough_data()
    {
        // 1000x600 reduces five times, to 32x19.
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("shift");
        QTest::addRow("above the finest") << 0.9 << 1;
        QTest::addRow("exactly half") << 0.5 << 1;
        QTest::addRow("just above a quarter") << 0.2501 << 1;
        QTest::addRow("exactly a quarter") << 0.25 << 2;
        QTest::addRow("just above the coarsest") << 0.0313 << 4;
        QTest::addRow("exactly the coarsest") << 0.03125 << 5;
        QTest::addRow("below the coarsest") << 0.001 << 5;
    }

    void levelForPicksCoarsestFineEnough()
    {
        QFETCH(double, scale);
        QFETCH(int, shift);
        test::TempFolder folder;
        const auto bitmap = blackBitmap(folder, 1000, 600);
        QVERIFY(bitmap);
        std::atomic<int> calls = 0;
        BitmapPyramid pyramid(bitmap, [&calls] { ++calls; });
        // The callback comes after readiness, so waiting for it covers both.
        QTRY_COMPARE(calls.load(), 1);
        QVERIFY(pyramid.ready());
        QCOMPARE(pyramid.levels().size(), std::size_t(5));
        QCOMPARE(pyramid.levels().back().image, filled(32, 19, qRgb(0, 0, 0)));
        QVERIFY(pyramid.levelFor(scale));
        QCOMPARE(pyramid.levelFor(scale)->shift, shift);
    }

    void threadEndsCleanly()
    {
        std::atomic<int> calls = 0;
        {
            BitmapPyramid idle(nullptr, [&calls] { ++calls; });
            QTest::qWait(20);
            QVERIFY(!idle.ready());
            QVERIFY(idle.levels().empty());
            QCOMPARE(idle.levelFor(0.1), nullptr);
        }
        QCOMPARE(calls.load(), 0);
        // Destroyed while still reading, at a few points of the build.
        test::TempFolder folder;
        const auto bitmap = blackBitmap(folder, 8000, 6000);
        QVERIFY(bitmap);
        for (int wait : {0, 1, 30}) {
            BitmapPyramid pyramid(bitmap, [] {});
            QTest::qWait(wait);
        }
    }
};

QTEST_MAIN(BitmapPyramidTest)
#include "bitmap_pyramid_test.moc"
