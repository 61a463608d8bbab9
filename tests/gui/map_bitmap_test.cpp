// The map bitmap against Qt's own BMP decoder, pixel by pixel, in every
// layout it reads from the file; that windows hold the stored bytes; and
// that a file changed under the bitmap only ever empties its windows.
#include "bmp_pattern.h"
#include "bmp_writer.h"
#include "temp_folder.h"
#include "view/qt/map_bitmap.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cstring>
#include <filesystem>

using namespace rovanta;
using rovanta::test::BmpPacking;
using rovanta::test::PatternBmp;

Q_DECLARE_METATYPE(rovanta::test::PatternBmp)
Q_DECLARE_METATYPE(rovanta::test::BmpPacking)

namespace {

const QRgb kRed = qRgb(200, 10, 20);
const QRgb kGreen = qRgb(30, 180, 40);
const QRgb kBlue = qRgb(50, 60, 170);

QString pathOf(const test::TempFolder& folder, const char* name)
{
    return QString::fromStdString(folder.file(name));
}

// A BMP with any header values, for files a writer of real bitmaps would
// never make. Masks follow the first 40 bytes of the info header, within it
// when `infoSize` is larger.
QByteArray bmpBytes(qint32 width, qint32 height, quint16 bits, quint32 compression, const QList<QRgb>& palette,
                    const QByteArray& pixels, const QList<quint32>& masks = {}, quint32 infoSize = 40)
{
    const quint32 headers = 14 + std::max<quint32>(infoSize, 40 + 4 * static_cast<quint32>(masks.size()));
    const quint32 pixelOffset = headers + 4 * static_cast<quint32>(palette.size());
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(pixelOffset + pixels.size()) << quint32(0) << pixelOffset;
    out << infoSize << width << height << quint16(1) << bits << compression << quint32(pixels.size());
    out << quint32(2835) << quint32(2835) << quint32(palette.size()) << quint32(0);
    for (const quint32 mask : masks)
        out << mask;
    while (bytes.size() < headers)
        out << quint8(0);
    for (const QRgb color : palette)
        out << quint8(qBlue(color)) << quint8(qGreen(color)) << quint8(qRed(color)) << quint8(0);
    out.writeRawData(pixels.constData(), static_cast<int>(pixels.size()));
    return bytes;
}

// Empty when every pixel the bitmap's window for `asked` should hold, every
// `step`-th from the corner, equals Qt's decoding of the file in the
// `significant` bits; else the first difference.
QString firstDifference(const MapBitmap& bitmap, const QImage& reference, const QRect& asked, QRgb significant,
                        int step = 1)
{
    const BitmapWindow window = bitmap.window(asked, step);
    const QRect stored = asked & QRect(0, 0, bitmap.width(), bitmap.height());
    const QRect covered(window.origin, window.image.size() * step);
    if (window.step != step || !covered.contains(stored) || (step > 1 && window.origin != stored.topLeft()))
        return QString::asprintf("window at (%d, %d) is %dx%d, step %d", covered.x(), covered.y(), covered.width(),
                                 covered.height(), window.step);
    const QImage rgb = window.image.convertToFormat(QImage::Format_RGB32);
    for (int row = stored.top(); row <= stored.bottom(); row += step) {
        const int referenceRow = bitmap.bottomUp() ? bitmap.height() - 1 - row : row;
        for (int column = stored.left(); column <= stored.right(); column += step) {
            const QPoint at = (QPoint(column, row) - window.origin) / step;
            const QRgb got = rgb.pixel(at) & significant;
            const QRgb want = reference.pixel(column, referenceRow) & significant;
            if (got != want)
                return QString::asprintf("stored (%d, %d): #%06x, Qt reads #%06x", column, row, got, want);
        }
    }
    return {};
}

} // namespace

class MapBitmapTest : public QObject {
    Q_OBJECT

private slots:
    void wrappedLayoutsMatchQt_data()
    {
        QTest::addColumn<PatternBmp>("pattern");
        QTest::addColumn<QRgb>("significant");
        struct Layout {
            const char* name;
            std::uint16_t bits;
            BmpPacking packing;
            std::uint8_t unusedByte;
            QRgb significant;
        };
        const Layout layouts[] = {
            {"1 bit", 1, BmpPacking::kPlain, 0, 0xFFFFFF},
            {"4 bits", 4, BmpPacking::kPlain, 0, 0xFFFFFF},
            {"8 bits", 8, BmpPacking::kPlain, 0, 0xFFFFFF},
            // Qt's decoder widens 5 and 6 bits by shifting alone (31 gives 248),
            // QImage's conversion by replicating them (31 gives 255).
            {"16 bits 555", 16, BmpPacking::kPlain, 0, 0xF8F8F8},
            {"16 bits 565", 16, BmpPacking::kBitfields565, 0, 0xF8FCF8},
            {"24 bits", 24, BmpPacking::kPlain, 0, 0xFFFFFF},
            {"32 bits", 32, BmpPacking::kPlain, 0, 0xFFFFFF},
            {"32 bits masks", 32, BmpPacking::kBitfields888, 0x80, 0xFFFFFF},
        };
        // Widths that leave every amount of row padding at some depth.
        const QSize sizes[] = {{1, 1}, {6, 3}, {13, 5}, {31, 5}, {33, 7}};
        for (const Layout& layout : layouts) {
            for (const QSize size : sizes) {
                QTest::addRow("%s %dx%d", layout.name, size.width(), size.height())
                    << PatternBmp{size.width(), size.height(), layout.bits, layout.packing, false, layout.unusedByte}
                    << layout.significant;
            }
            QTest::addRow("%s 33x7 top-down", layout.name)
                << PatternBmp{33, 7, layout.bits, layout.packing, true, layout.unusedByte} << layout.significant;
        }
    }

    void wrappedLayoutsMatchQt()
    {
        QFETCH(PatternBmp, pattern);
        QFETCH(QRgb, significant);
        test::TempFolder folder;
        const QString path = pathOf(folder, "pattern.bmp");
        QVERIFY(test::writePatternBmp(path.toStdString(), pattern));
        QImageReader reader(path);
        const QImage reference = reader.read();
        QVERIFY2(!reference.isNull(), qPrintable(reader.errorString()));

        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(path.toStdString());
        QVERIFY(bitmap);
        QVERIFY(bitmap->readsFile());
        QCOMPARE(bitmap->bottomUp(), !pattern.topDown);
        QCOMPARE(QSize(bitmap->width(), bitmap->height()), reference.size());

        // Asked beyond every edge: the window is the whole bitmap.
        const QRect all(0, 0, pattern.width, pattern.height);
        QString difference = firstDifference(*bitmap, reference, all.adjusted(-3, -2, 4, 5), significant);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        QVERIFY(bitmap->window(all.translated(pattern.width, 0)).image.isNull());
        QVERIFY(bitmap->window(QRect(0, 0, 0, 5)).image.isNull());
        // An odd start catches column offsets, and sub-byte pixels not starting a byte.
        if (pattern.width >= 8 && pattern.height >= 5) {
            const int left = pattern.width / 3 | 1;
            const QRect part(left, 2, pattern.width - left - 1, pattern.height - 3);
            difference = firstDifference(*bitmap, reference, part, significant);
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
            // Zoomed far out only every few rows and columns are read.
            difference = firstDifference(*bitmap, reference, part, significant, 3);
            QVERIFY2(difference.isEmpty(), qPrintable(difference));
        }

        // Windows are painted onto ARGB backing stores: nothing may come out see-through.
        const BitmapWindow window = bitmap->window(all);
        QImage canvas(window.image.size(), QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter(&canvas).drawImage(0, 0, window.image);
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                QVERIFY2(qAlpha(canvas.pixel(x, y)) == 255, qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(y)));
    }

    void windowsHoldTheStoredBytes_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<BmpPacking>("packing");
        QTest::addRow("1 bit") << 1 << BmpPacking::kPlain;
        QTest::addRow("8 bits") << 8 << BmpPacking::kPlain;
        QTest::addRow("16 bits 565") << 16 << BmpPacking::kBitfields565;
        QTest::addRow("24 bits") << 24 << BmpPacking::kPlain;
    }

    void windowsHoldTheStoredBytes()
    {
        QFETCH(int, bits);
        QFETCH(BmpPacking, packing);
        test::TempFolder folder;
        const QString path = pathOf(folder, "pattern.bmp");
        const PatternBmp pattern{37, 9, static_cast<std::uint16_t>(bits), packing, false, 0};
        QVERIFY(test::writePatternBmp(path.toStdString(), pattern));
        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(path.toStdString());
        QVERIFY(bitmap);

        const QByteArray file = QByteArray::fromStdString(test::readBytes(path.toStdString()));
        const qsizetype stride = (37 * bits + 31) / 32 * 4;
        const qsizetype pixelOffset = qFromLittleEndian<quint32>(file.constData() + 10);
        const BitmapWindow all = bitmap->window(QRect(0, 0, 37, 9));
        QCOMPARE(all.image.bytesPerLine(), stride);
        // Byte for byte, row padding included: what a decoder would never keep.
        QCOMPARE(std::memcmp(all.image.constBits(), file.constData() + pixelOffset, stride * 9), 0);

        const BitmapWindow part = bitmap->window(QRect(11, 3, 20, 4));
        QCOMPARE(part.origin, QPoint(bits == 1 ? 8 : 11, 3));
        const qsizetype rowBytes = (part.image.width() * bits + 7) / 8;
        for (int y = 0; y < 4; ++y) {
            const char* stored = file.constData() + pixelOffset + (3 + y) * stride + part.origin.x() * bits / 8;
            QCOMPARE(std::memcmp(part.image.constScanLine(y), stored, rowBytes), 0);
        }
    }

    void unreadableFilesGiveNothing_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("loads");
        const QByteArray rows(12 * 4, '\x40'); // 3 pixels of 3 bytes, padded to 12, in 4 rows
        QTest::addRow("missing") << false << QByteArray() << false;
        QTest::addRow("last row short") << true << bmpBytes(3, 4, 24, 0, {}, rows.chopped(1)) << false;
        // The same bytes whole, so the refusal above is the defect's doing;
        // the header's own refusals are the header reader's tests.
        QTest::addRow("sound") << true << bmpBytes(3, 4, 24, 0, {}, rows) << true;
    }

    void unreadableFilesGiveNothing()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, loads);
        test::TempFolder folder;
        const QString path = pathOf(folder, "map.bmp");
        if (exists)
            folder.write("map.bmp", bytes.toStdString());
        QCOMPARE(MapBitmap::load(path.toStdString()) != nullptr, loads);
    }

    void shortPalettesEndInBlack_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("entries");
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QList<QRgb>>("pixels");
        const QRgb black = qRgb(0, 0, 0);
        QTest::addRow("1 bit") << 1 << 1 << QByteArray("\x40\0\0\0", 4) << QList<QRgb>{kRed, black};
        QTest::addRow("4 bits") << 4 << 2 << QByteArray("\x01\xF0\0\0", 4) << QList<QRgb>{kRed, kGreen, black, kRed};
        QTest::addRow("8 bits") << 8 << 2 << QByteArray("\x00\x01\xC8\xFF", 4)
                                << QList<QRgb>{kRed, kGreen, black, black};
    }

    // Painting looks indices up without a bounds check.
    void shortPalettesEndInBlack()
    {
        QFETCH(int, bits);
        QFETCH(int, entries);
        QFETCH(QByteArray, row);
        QFETCH(QList<QRgb>, pixels);
        test::TempFolder folder;
        const QList<QRgb> palette = QList<QRgb>{kRed, kGreen}.first(entries);
        const int width = static_cast<int>(pixels.size());
        const std::string file = folder.write("short.bmp", bmpBytes(width, 1, bits, 0, palette, row).toStdString());
        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(file);
        QVERIFY(bitmap);
        QVERIFY(bitmap->readsFile());
        const BitmapWindow window = bitmap->window(QRect(0, 0, width, 1));
        QVERIFY(window.image.colorCount() >= 1 << bits);
        QImage canvas(width, 1, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::transparent);
        QPainter(&canvas).drawImage(0, 0, window.image);
        for (int x = 0; x < width; ++x)
            QCOMPARE(canvas.pixel(x, 0), pixels[x]);
    }

    void otherLayoutsAreDecodedOnce_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QRgb>>("topDown"); // 2 rows of 4 pixels, the top one first
        const QList<QRgb> palette{kRed, kGreen, kBlue};
        const QList<QRgb> indexed{kRed, kGreen, kBlue, kRed, kGreen, kGreen, kGreen, kBlue};
        // Bottom row: a run of three 1s, one 2; top row, absolute: 0 1 2 0.
        QTest::addRow("RLE8") << bmpBytes(4, 2, 8, 1, palette, QByteArray("\3\1\1\2\0\0\0\4\0\1\2\0\0\1", 14))
                              << indexed;
        QTest::addRow("RLE4") << bmpBytes(4, 2, 4, 2, palette, QByteArray("\3\x11\1\x20\0\0\0\4\x01\x20\0\1", 12))
                              << indexed;
        // B, G, R, A; alpha must survive.
        const QByteArray rows("\1\2\3\4\5\6\7\x80\x10\x20\x30\xFF\x40\x50\x60\x70"
                              "\x11\x21\x31\0\x41\x51\x61\x7F\x12\x22\x32\x40\x42\x52\x62\xC0",
                              32);
        QTest::addRow("32 bits, alpha mask, V4 header")
            << bmpBytes(4, 2, 32, 3, {}, rows, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 108)
            << QList<QRgb>{qRgba(0x31, 0x21, 0x11, 0),
                           qRgba(0x61, 0x51, 0x41, 0x7F),
                           qRgba(0x32, 0x22, 0x12, 0x40),
                           qRgba(0x62, 0x52, 0x42, 0xC0),
                           qRgba(3, 2, 1, 4),
                           qRgba(7, 6, 5, 0x80),
                           qRgba(0x30, 0x20, 0x10, 0xFF),
                           qRgba(0x60, 0x50, 0x40, 0x70)};
        QTest::addRow("32 bits, red in the low byte")
            << bmpBytes(4, 2, 32, 3, {}, rows, {0xFF, 0xFF00, 0xFF0000})
            << QList<QRgb>{qRgb(0x11, 0x21, 0x31), qRgb(0x41, 0x51, 0x61), qRgb(0x12, 0x22, 0x32),
                           qRgb(0x42, 0x52, 0x62), qRgb(1, 2, 3),          qRgb(5, 6, 7),
                           qRgb(0x10, 0x20, 0x30), qRgb(0x40, 0x50, 0x60)};
    }

    void otherLayoutsAreDecodedOnce()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QRgb>, topDown);
        test::TempFolder folder;
        const std::string file = folder.write("other.bmp", bytes.toStdString());
        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(file);
        QVERIFY(bitmap);
        QVERIFY(!bitmap->readsFile());
        QVERIFY(!bitmap->bottomUp());

        const BitmapWindow window = bitmap->window(QRect(1, 0, 3, 2));
        QCOMPARE(window.origin, QPoint(1, 0));
        const QImage argb = window.image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 2; ++y)
            for (int x = 1; x < 4; ++x)
                QCOMPARE(argb.pixel(x - 1, y), topDown[y * 4 + x]);
    }

    void hugeBitmapsOpenAtOnce()
    {
        test::TempFolder folder;
        const std::string file = folder.file("huge.bmp");
        // Sparse: 1.2 GB of rows that take no disk.
        QVERIFY(test::writeBmp(file, {.width = 20000, .height = 20000, .bitsPerPixel = 24}));
        QElapsedTimer timer;
        timer.start();
        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(file);
        const qint64 elapsed = timer.elapsed();
        QVERIFY(bitmap);
        QVERIFY(bitmap->readsFile());
        QVERIFY2(elapsed < 50, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));

        const BitmapWindow middle = bitmap->window(QRect(9990, 9990, 20, 20));
        QCOMPARE(middle.image.size(), QSize(20, 20));
        const QImage rgb = middle.image.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(rgb.pixel(0, 0), qRgb(0, 0, 0));
        QCOMPARE(rgb.pixel(19, 19), qRgb(0, 0, 0));
    }

    void aFileChangedWhileShownReadsNothing_data()
    {
        QTest::addColumn<int>("change");
        QTest::addRow("cut short") << 0;
        QTest::addRow("replaced whole") << 1;
        QTest::addRow("deleted") << 2;
        QTest::addRow("rewritten in place") << 3;
    }

    // Another program changing the sheet must not take the view down with
    // it, nor have it paint rows of some other file under the old header.
    void aFileChangedWhileShownReadsNothing()
    {
        QFETCH(int, change);
        test::TempFolder folder;
        const std::string file = folder.file("sheet.bmp");
        const test::BmpLayout sheet{.width = 3000, .height = 2000, .bitsPerPixel = 24};
        QVERIFY(test::writeBmp(file, sheet));
        const std::unique_ptr<MapBitmap> bitmap = MapBitmap::load(file);
        QVERIFY(bitmap && bitmap->readsFile());
        QVERIFY(!bitmap->window(QRect(0, 1990, 3000, 10)).image.isNull());
        QVERIFY(!bitmap->unreadable());
        const std::string other = folder.file("other.bmp");
        switch (change) {
        case 0:
            std::filesystem::resize_file(file, 4096);
            break;
        case 1:
            QVERIFY(test::writeBmp(other, sheet));
            std::filesystem::rename(other, file);
            break;
        case 2:
            std::filesystem::remove(file);
            break;
        default:
            QTest::qWait(10); // a later time of last write, even on coarse clocks
            QVERIFY(test::writeBmp(file, sheet));
            break;
        }
        QVERIFY(bitmap->window(QRect(0, 1990, 3000, 10)).image.isNull());
        QVERIFY(bitmap->window(QRect(0, 0, 10, 10), 4).image.isNull());
        QVERIFY(bitmap->unreadable());
    }
};

QTEST_MAIN(MapBitmapTest)
#include "map_bitmap_test.moc"
