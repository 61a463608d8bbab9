// The map's printout read back from the PDF: the grid measured on a page
// rendered with pdftoppm, the footer and page labels with pdftotext; the
// Print Map command and its scale dialog.
#include "print/print_scale.h"
#include "print/qt/map_printer.h"
#include "print/qt/print_map_dialog.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"
#include "view/qt/rovanta_view.h"

#include "map_files.h"
#include "memory_settings.h"
#include "no_menus.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace rovanta;

namespace {

constexpr int kDenominator = 25000;
constexpr double kSheetMetresPerPixel = 2.0;
constexpr int kSheetPixels = 4000; // 8 km
// Grid north of the sheet's bottom-left corner; a whole kilometre away
// from it, so the lines fall between pixels as they may.
constexpr double kSheetEast = 600'123.0;
constexpr double kSheetNorth = 5'300'457.0;
// Rendered at 254 dpi, ten pixels to the millimetre.
constexpr int kRenderDpi = 254;
constexpr double kRenderPerMm = kRenderDpi / 25.4;

bool havePoppler()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty() &&
           !QStandardPaths::findExecutable("pdftoppm").isEmpty();
}

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        qFatal("%s failed", qPrintable(program));
    return process.readAllStandardOutput();
}

SheetFrame turnedFrame(double degrees)
{
    const double turn = degrees * std::numbers::pi / 180.0;
    return SheetFrame{kSheetEast, kSheetNorth, kSheetMetresPerPixel, std::cos(turn), std::sin(turn),
                      32,         false,       kSheetPixels,         kSheetPixels};
}

// A sheet whose own pixels carry the UTM kilometre lines, two pixels wide.
QImage sheetWithGrid(const SheetFrame& frame)
{
    QImage image(kSheetPixels, kSheetPixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 2.0));
    const GroundRect bounds = frame.bounds();
    const auto topDown = [&frame](double east, double north) {
        const GroundPoint p = frame.toPixel({east, north});
        return QPointF(p.east, frame.height - p.north);
    };
    for (double e = std::ceil(bounds.west / 1000.0) * 1000.0; e <= bounds.east; e += 1000.0)
        painter.drawLine(topDown(e, bounds.south), topDown(e, bounds.north));
    for (double n = std::ceil(bounds.south / 1000.0) * 1000.0; n <= bounds.north; n += 1000.0)
        painter.drawLine(topDown(bounds.west, n), topDown(bounds.east, n));
    return image;
}

PrintPixels imagePixels(QImage image)
{
    return [image = std::move(image)](const QRect& rect, int) {
        const QRect clipped = rect & image.rect();
        return SheetWindow{image.copy(clipped), clipped.topLeft(), 1};
    };
}

QPrinter* pdfPrinter(QPrinter& printer, const QString& path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    printer.setResolution(300);
    printer.setOutputFileName(path);
    return &printer;
}

// Centres, in mm from the page's left or top edge, of the dark runs along
// one row or column of a rendered page.
QList<double> darkRuns(const QImage& page, bool alongRow, int at, int from, int to)
{
    QList<double> centres;
    int start = -1;
    for (int i = from; i <= to; ++i) {
        const bool dark = i < to && qGray(alongRow ? page.pixel(i, at) : page.pixel(at, i)) < 128;
        if (dark && start < 0)
            start = i;
        if (!dark && start >= 0) {
            centres << (start + i - 1) / 2.0 / kRenderPerMm;
            start = -1;
        }
    }
    return centres;
}

struct Word {
    int page;
    double x, y; // points
    QString text;
};

QList<Word> pdfWords(const QString& pdf, int& pages)
{
    QList<Word> words;
    pages = 0;
    static const QRegularExpression tag(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    const QString text = QString::fromUtf8(run("pdftotext", {"-bbox", pdf, "-"}));
    for (auto match = tag.globalMatch(text); match.hasNext();) {
        const auto m = match.next();
        if (m.capturedLength(1) == 0)
            ++pages;
        else
            words.push_back({pages - 1, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3)});
    }
    return words;
}

} // namespace

class MapPrintTest : public QObject {
    Q_OBJECT
private slots:
    void kilometreMeasuresFortyMillimetres_data();
    void kilometreMeasuresFortyMillimetres();
    void footerAndEachPageOnce();
    void boxFilterAveragesWholeBlocks_data();
    void boxFilterAveragesWholeBlocks();
    void scaleTypedInTheDialog_data();
    void scaleTypedInTheDialog();
    void printMapCommandPrintsTheWindowsArea_data();
    void printMapCommandPrintsTheWindowsArea();
};

void MapPrintTest::kilometreMeasuresFortyMillimetres_data()
{
    QTest::addColumn<double>("turn");
    QTest::addColumn<bool>("vectorGrid");
    // The grid drawn by the printout on a blank sheet, and the sheet's own
    // kilometre lines placed through its georeference.
    QTest::newRow("printed grid") << 0.0 << true;
    QTest::newRow("sheet north up") << 0.0 << false;
    QTest::newRow("sheet turned 3 degrees") << 3.0 << false;
}

// At 1:25 000 a kilometre is 40 mm; a grid line for easting E lies
// (E - west) / 25 mm right of the map's left edge.
void MapPrintTest::kilometreMeasuresFortyMillimetres()
{
    if (!havePoppler())
        QSKIP("poppler-utils is not installed");
    QFETCH(double, turn);
    QFETCH(bool, vectorGrid);
    const SheetFrame frame = turnedFrame(turn);
    MapPrintRequest request;
    request.denominator = kDenominator;
    request.grid = vectorGrid;
    const GroundPoint middle = frame.toGround(kSheetPixels / 2.0, kSheetPixels / 2.0);
    request.extent = {middle.east - 1500, middle.north - 2000, middle.east + 1500, middle.north + 2000};
    QImage sheet(kSheetPixels, kSheetPixels, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    request.sheets.push_back({frame, imagePixels(vectorGrid ? sheet : sheetWithGrid(frame))});
    request.sheetName = "Grid";

    QTemporaryDir folder;
    const QString pdf = folder.filePath("map.pdf");
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, pdf);
    const MapPrinter mapPrinter(request);
    const LayoutResult layout = mapPrinter.layoutFor(printer);
    QCOMPARE(layout.layout.pages.size(), std::size_t(1));
    QVERIFY(mapPrinter.print(printer));

    run("pdftoppm", {"-r", QString::number(kRenderDpi), "-gray", "-f", "1", "-l", "1", "-singlefile", pdf,
                     folder.filePath("page")});
    const QImage page(folder.filePath("page.pgm"));
    QVERIFY(!page.isNull());
    const GroundRect ground = layout.layout.pages.front().ground;
    const double marginMm = 10.0;
    const double mapWidthMm = layout.layout.area.width;
    const double mapHeightMm = layout.layout.area.height;
    // Away from the edges' labels, the scale bar and the north arrow.
    const int row = int((marginMm + mapHeightMm * 0.4) * kRenderPerMm);
    const int column = int((marginMm + mapWidthMm * 0.45) * kRenderPerMm);
    const int left = int((marginMm + 6) * kRenderPerMm);
    const int right = int((marginMm + mapWidthMm - 6) * kRenderPerMm);
    const int top = int((marginMm + 8) * kRenderPerMm);
    const int bottom = int((marginMm + mapHeightMm - 25) * kRenderPerMm);

    const QList<double> eastings = darkRuns(page, true, row, left, right);
    const QList<double> northings = darkRuns(page, false, column, top, bottom);
    QVERIFY2(eastings.size() >= 3 && northings.size() >= 4, qPrintable(QString::number(eastings.size())));
    for (const QList<double>& lines : {eastings, northings})
        for (int i = 1; i < lines.size(); ++i)
            QVERIFY2(std::abs(lines[i] - lines[i - 1] - 40.0) <= 0.2,
                     qPrintable(QString::number(lines[i] - lines[i - 1])));
    const double firstEast = std::ceil((ground.west + 6 * 25.0) / 1000.0) * 1000.0;
    const double expectedX = marginMm + (firstEast - ground.west) / 25.0;
    QVERIFY2(std::abs(eastings.front() - expectedX) <= 0.2,
             qPrintable(QStringLiteral("%1 mm, expected %2").arg(eastings.front()).arg(expectedX)));
    const double firstNorth = std::floor((ground.north - 8 * 25.0) / 1000.0) * 1000.0;
    const double expectedY = marginMm + (ground.north - firstNorth) / 25.0;
    QVERIFY2(std::abs(northings.front() - expectedY) <= 0.2,
             qPrintable(QStringLiteral("%1 mm, expected %2").arg(northings.front()).arg(expectedY)));
}

void MapPrintTest::footerAndEachPageOnce()
{
    if (!havePoppler())
        QSKIP("poppler-utils is not installed");
    const SheetFrame frame = turnedFrame(0.0);
    MapPrintRequest request;
    request.denominator = kDenominator;
    const GroundPoint middle = frame.toGround(kSheetPixels / 2.0, kSheetPixels / 2.0);
    // 8 x 11 km: two pages across, two down on A4 with 10 mm margins.
    request.extent = {middle.east - 4000, middle.north - 5500, middle.east + 4000, middle.north + 5500};
    request.sheets.push_back({frame, imagePixels(sheetWithGrid(frame))});
    request.tour = {{middle.east - 3000, middle.north - 5000}, {middle.east + 3000, middle.north + 5000}};
    request.tourName = "Alps";
    request.tourKilometres = 11.6619;
    request.sheetName = "Sample West";

    QTemporaryDir folder;
    const QString pdf = folder.filePath("map.pdf");
    QPrinter printer(QPrinter::HighResolution);
    pdfPrinter(printer, pdf);
    QVERIFY(MapPrinter(request).print(printer));

    int pages = 0;
    const QList<Word> words = pdfWords(pdf, pages);
    QCOMPARE(pages, 4);
    const QStringList labels{"A1", "A2", "B1", "B2"};
    const QStringList footer{"Tour:", "Alps", "Distance:", "11.66",  "km",  "Scale",
                             "1:25",  "000",  "Map:",      "Sample", "West"};
    for (int p = 0; p < pages; ++p) {
        QStringList onPage;
        for (const Word& word : words)
            if (word.page == p)
                onPage << word.text;
        const qsizetype at = onPage.indexOf("Tour:");
        QVERIFY(at >= 0);
        QCOMPARE(onPage.mid(at, footer.size()), footer);
        const qsizetype label = onPage.indexOf("Page");
        QVERIFY(label >= 0);
        QCOMPARE(onPage.mid(label, 4), (QStringList{"Page", labels[p], "(row", QString::number(p / 2 + 1) + ","}));
        QCOMPARE(onPage.mid(label + 6, 3), (QStringList{QString::number(p + 1), "of", "4"}));
    }
    // The footer sits below the map, inside the printable area.
    for (const Word& word : words)
        if (word.text == "Tour:")
            QVERIFY(word.y * 25.4 / 72 > 297 - 10 - 12 - 1 && word.y * 25.4 / 72 < 297 - 10);
}

void MapPrintTest::boxFilterAveragesWholeBlocks_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<int>("factor");
    QTest::newRow("as read") << QSize(7, 5) << QRect(1, 1, 6, 4) << 1;
    QTest::newRow("halved, odd edges") << QSize(7, 5) << QRect(0, 0, 7, 5) << 2;
    QTest::newRow("thirds, offset window") << QSize(9, 8) << QRect(2, 1, 7, 7) << 3;
    // Over 4 M pixels read per strip: the strips meet inside the window.
    QTest::newRow("two strips") << QSize(2101, 2101) << QRect(0, 1, 2101, 2100) << 2;
}

// Each result pixel is the plain mean of the sheet pixels of its block,
// the blocks cut short at the window's right and bottom edges.
void MapPrintTest::boxFilterAveragesWholeBlocks()
{
    QFETCH(QSize, size);
    QFETCH(QRect, window);
    QFETCH(int, factor);
    QImage sheet(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            sheet.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, (x * y) % 256));
    const QImage reduced = boxReduced(imagePixels(sheet), window, factor);
    QCOMPARE(reduced.size(), QSize((window.width() + factor - 1) / factor, (window.height() + factor - 1) / factor));
    for (int j = 0; j < reduced.height(); ++j)
        for (int i = 0; i < reduced.width(); ++i) {
            int sum[3] = {0, 0, 0}, count = 0;
            for (int y = window.y() + j * factor; y < std::min(window.bottom() + 1, window.y() + (j + 1) * factor); ++y)
                for (int x = window.x() + i * factor; x < std::min(window.right() + 1, window.x() + (i + 1) * factor);
                     ++x, ++count) {
                    const QRgb p = sheet.pixel(x, y);
                    sum[0] += qRed(p);
                    sum[1] += qGreen(p);
                    sum[2] += qBlue(p);
                }
            const QRgb expected = qRgb(sum[0] / count, sum[1] / count, sum[2] / count);
            if (reduced.pixel(i, j) != expected)
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(i).arg(j)));
        }
}

void MapPrintTest::scaleTypedInTheDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("denominator"); // 0: refused with a message
    QTest::newRow("offered") << "1:50 000" << 50000;
    QTest::newRow("typed with spaces") << "1:30 000" << 30000;
    QTest::newRow("typed plain") << "30000" << 30000;
    QTest::newRow("as the sheet") << "as the sheet (1:12 345)" << 12345;
    QTest::newRow("letters") << "1:25k" << 0;
    QTest::newRow("empty") << "" << 0;
}

void MapPrintTest::scaleTypedInTheDialog()
{
    QFETCH(QString, typed);
    QFETCH(int, denominator);
    test::ScriptedAnswerer answerer;
    PrintMapDialog dialog(12345);
    dialog.findChild<QComboBox*>("scale")->setEditText(typed);
    dialog.accept();
    if (denominator == 0) {
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(answerer.shown.size(), std::size_t(1));
        QCOMPARE(answerer.shown.front().text, std::string(strings::kScaleNotUnderstood));
        return;
    }
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(answerer.shown.empty());
    QCOMPARE(dialog.choice().denominator, denominator);
    QCOMPARE(dialog.choice().overlap, kDefaultOverlap);
}

void MapPrintTest::printMapCommandPrintsTheWindowsArea_data()
{
    QTest::addColumn<int>("neighbourStatus");
    QTest::addColumn<double>("west");
    QTest::addColumn<double>("minDarkMm");
    QTest::addColumn<double>("maxDarkMm");
    // Each black sheet is 0.1° of longitude wide, 6.7 km: 67 mm at
    // 1:100 000. The page, 190 mm wide around the window's area on the
    // first, reaches well into its neighbour to the east; from 11.9°E that
    // neighbour lies in the next UTM zone.
    QTest::newRow("neighbour checked") << 1 << 9.0 << 100.0 << 135.0;
    QTest::newRow("neighbour unchecked") << 0 << 9.0 << 64.0 << 70.0;
    QTest::newRow("neighbour in the next zone") << 1 << 11.9 << 100.0 << 135.0;
}

// File → Print Map… on a registered sheet without a tour: the window's
// area at the chosen scale, through the print setup and the preview, with
// a checked neighbour where the page reaches beyond the sheet.
void MapPrintTest::printMapCommandPrintsTheWindowsArea()
{
    if (!havePoppler())
        QSKIP("poppler-utils is not installed");
    QFETCH(int, neighbourStatus);
    QFETCH(double, west);
    QFETCH(double, minDarkMm);
    QFETCH(double, maxDarkMm);
    test::TempFolder place;
    test::MemorySettings store;
    test::writeSampleMap(place.path(), "Moor.cal",
                         {.name = "Moor", .west = west, .east = west + 0.1, .width = 400, .height = 400});
    test::writeSampleMap(place.path(), "Heath.cal",
                         {.name = "Heath", .west = west + 0.1, .east = west + 0.2, .width = 400, .height = 400});
    test::registerMaps(store, place.path(), {{"Moor.cal", "Moor", 2}, {"Heath.cal", "Heath", neighbourStatus}});
    test::NoMenus menus;
    CRovantaView view(store, menus);
    view.resize(300, 200);
    view.initialUpdate();
    QVERIFY(view.bitmapLoaded());

    int asked = 0;
    view.mapPrint().setChoiceAsker([&asked](int sheet) {
        asked = sheet;
        return MapPrintChoice{100000, 10.0, false};
    });
    QTemporaryDir folder;
    const QString pdf = folder.filePath("map.pdf");
    view.mapPrint().setPrintSetup([&pdf](QPrinter& printer) { return pdfPrinter(printer, pdf) != nullptr; });
    int previews = 0;
    view.mapPrint().setPreview([&previews](QPrinter& printer, const std::function<void(QPrinter&)>& paint) {
        ++previews;
        paint(printer);
    });
    view.onCommand(commands::kPrintMap);

    // 0.1° of longitude at 53° N is about 6.7 km on 400 pixels: 16.7 m per
    // pixel, 1:197 000 scanned at 300 dpi.
    QVERIFY2(std::abs(asked - 197000) < 2000, qPrintable(QString::number(asked)));
    QCOMPARE(previews, 1);
    int pages = 0;
    const QList<Word> words = pdfWords(pdf, pages);
    QCOMPARE(pages, 1);
    QStringList texts;
    for (const Word& word : words)
        texts << word.text;
    QVERIFY(texts.contains("1:100") && texts.contains("Moor") && !texts.contains("Tour:"));

    run("pdftoppm", {"-r", QString::number(kRenderDpi), "-gray", "-singlefile", pdf, folder.filePath("page")});
    const QImage page(folder.filePath("page.pgm"));
    const int middle = int((10 + (297 - 20 - 12) / 2.0) * kRenderPerMm);
    int dark = 0;
    for (int x = 0; x < page.width(); ++x)
        dark += qGray(page.pixel(x, middle)) < 128 ? 1 : 0;
    QVERIFY2(dark / kRenderPerMm >= minDarkMm && dark / kRenderPerMm <= maxDarkMm,
             qPrintable(QString::number(dark / kRenderPerMm)));
}

QTEST_MAIN(MapPrintTest)
#include "map_print_test.moc"
