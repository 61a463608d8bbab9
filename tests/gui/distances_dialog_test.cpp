// The distances dialog's wiring, the remarks dialog behind its Remarks
// button, and the printout as a PDF read back with pdftotext.
#include "dialogs/qt/remarks_dialog.h"
#include "dialogs/qt/tour_distances_dialog.h"

#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <numbers>

using namespace rovanta;

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

// Points on 10° E alternating between 47.5° and 48.5° N: every leg is
// 111.133 km.
TourRecord makeTour(int points)
{
    auto tour = std::make_shared<cl_Tour>("Alps", kStatusCurrent);
    for (int i = 0; i < points; ++i) {
        cl_RefPoint point;
        point.setRefPoint(DPoint{10.0 * kRad, (47.5 + i % 2) * kRad});
        tour->addPoint(point);
    }
    return tour;
}

template <class T = QPushButton> T* child(QWidget* parent, const char* name)
{
    auto* found = parent->findChild<T*>(QLatin1String(name));
    if (found == nullptr)
        qFatal("no child %s", name);
    return found;
}

QTreeWidget* table(QWidget* dialog)
{
    return child<QTreeWidget>(dialog, "distanceList");
}

QStringList headings(QTreeWidget* tree)
{
    QStringList result;
    for (int i = 0; i < tree->columnCount(); ++i)
        result << tree->headerItem()->text(i);
    return result;
}

// Runs `drive` on the modal dialog once its exec() loop is up, then rejects
// it if still open, so a broken dialog fails instead of hanging.
void whenModal(std::function<void(RemarksDialog*)> drive)
{
    QTimer::singleShot(0, qApp, [drive] {
        if (auto* dialog = qobject_cast<RemarksDialog*>(QApplication::activeModalWidget())) {
            drive(dialog);
            dialog->reject();
        }
    });
}

// One word of the printout, in printer pixels of the printable area.
struct Word {
    int page;
    double x, y;
    QString text;
};

// The printout is read back with pdftotext (Debian: poppler-utils).
bool canReadPdf()
{
    return !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

// The dialog's table printed to a 600 dpi A4 PDF and read back.
struct Printout {
    explicit Printout(TourDistancesDialog& dialog)
    {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("table.pdf");
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setResolution(600);
        printer.setOutputFileName(pdf);
        {
            QPainter painter(&printer);
            dialog.printTable(painter);
        }
        const QPoint origin = printer.pageLayout().paintRectPixels(600).topLeft();

        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
        if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
            qFatal("pdftotext failed");
        static const QRegularExpression tag(R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
        constexpr double kPixelsPerPoint = 600.0 / 72.0;
        for (auto match = tag.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput())); match.hasNext();) {
            const auto m = match.next();
            if (m.capturedLength(1) == 0)
                ++pages;
            else
                words.push_back({pages - 1, m.captured(1).toDouble() * kPixelsPerPoint - origin.x(),
                                 m.captured(2).toDouble() * kPixelsPerPoint - origin.y(), m.captured(3)});
        }
    }

    QList<Word> find(const QString& text) const
    {
        QList<Word> result;
        for (const Word& word : words)
            if (word.text == text)
                result << word;
        return result;
    }
    // The first word starting with the text: words printed close together
    // run into one.
    Word first(const QString& text) const
    {
        for (const Word& word : words)
            if (word.text.startsWith(text))
                return word;
        return Word{-1, -1e6, -1e6, text};
    }

    int pages = 0;
    QList<Word> words;
};

// pdftotext places a word at its first glyph's origin, so side bearings do
// not count; a word's top comes from the face's ascent, as the dialog's does.
bool near(double actual, double expected, double tolerance = 3.0)
{
    return qAbs(actual - expected) <= tolerance;
}

} // namespace

class DistancesDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnDecimalMinute();
    void refreshFollowsTheTour();
    void buttonsAndClosing();
    void remarksReachTheTourThroughOk();
    void droppedTourIsReleased();
    void printedPage();
    void longTourContinuesOnNextPage();
};

void DistancesDialogTest::opensOnDecimalMinute()
{
    TourDistancesDialog dialog(makeTour(3), nullptr);
    QVERIFY(dialog.isVisible() && !dialog.isModal());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Distances for Tour: Alps"));
    auto* formats = child<QComboBox>(&dialog, "formatList");
    QCOMPARE(formats->currentText(), QStringLiteral("dec. Minute"));

    QTreeWidget* tree = table(&dialog);
    QVERIFY(QFontInfo(tree->font()).fixedPitch());
    QCOMPARE(headings(tree), (QStringList{"Point", "km", "Longitude", "Latitude"}));
    QCOMPARE(tree->topLevelItemCount(), 3);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("  0"));
    QCOMPARE(tree->topLevelItem(0)->text(1), QStringLiteral("  0.000"));
    QCOMPARE(tree->topLevelItem(2)->text(1), QStringLiteral("222.266"));
    QCOMPARE(tree->topLevelItem(1)->text(3), QStringLiteral(" 48\u00B0 30.0000' N"));

    formats->setCurrentIndex(kUtm);
    QCOMPARE(dialog.format(), kUtm);
    QCOMPARE(headings(tree), (QStringList{"Point", "km", "Easting", "Northing", "Zone"}));
    QCOMPARE(tree->topLevelItem(0)->text(4), QStringLiteral("32T"));
    formats->setCurrentIndex(kDecimalDegree);
    QCOMPARE(headings(tree), (QStringList{"Point", "km", "Longitude", "Latitude"}));
    QCOMPARE(tree->topLevelItem(0)->text(2), QStringLiteral("10.000000\u00B0 E"));
}

void DistancesDialogTest::refreshFollowsTheTour()
{
    const TourRecord tour = makeTour(3);
    TourDistancesDialog dialog(tour, nullptr);
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    child<QComboBox>(&dialog, "formatList")->setCurrentIndex(kUtm);

    tour->addPoint(*tour->getPoint(0));
    tour->setName("Dolomites");
    dialog.refresh();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Distances for Tour: Dolomites"));
    QCOMPARE(table(&dialog)->topLevelItemCount(), 4);
    QCOMPARE(table(&dialog)->columnCount(), 5);

    // Enter at whatever has the focus means the hidden Apply.
    tour->addPoint(*tour->getPoint(0));
    QTest::keyClick(dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog, Qt::Key_Return);
    QCOMPARE(table(&dialog)->topLevelItemCount(), 5);
    QVERIFY(dialog.isVisible());
}

void DistancesDialogTest::buttonsAndClosing()
{
    QWidget view;
    QPointer<TourDistancesDialog> dialog = new TourDistancesDialog(makeTour(2), &view);
    QSignalSpy requested(dialog, &TourDistancesDialog::printRequested);
    child(dialog, "printButton")->click();
    QCOMPARE(requested.count(), 1);

    child(dialog, "cancelButton")->click();
    QVERIFY(!dialog->isVisible());
    dialog->show();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    dialog->show();
    QVERIFY(dialog->close());
    QCoreApplication::processEvents();
    QVERIFY(!dialog.isNull() && !dialog->isVisible());
}

void DistancesDialogTest::remarksReachTheTourThroughOk()
{
    const TourRecord tour = makeTour(3);
    tour->getRemarks()[0] = "Hut";
    TourDistancesDialog dialog(tour, nullptr);
    QSignalSpy changed(&dialog, &TourDistancesDialog::remarksChanged);

    QString caption, prompt;
    QColor editing;
    whenModal([&](RemarksDialog* remarks) {
        QVERIFY(QTest::qWaitForWindowActive(remarks));
        caption = remarks->windowTitle();
        auto* tree = child<QTreeWidget>(remarks, "remarkList");
        auto* field = child<QLineEdit>(remarks, "remarkField");
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(tree->topLevelItem(1)).center());
        prompt = field->text();
        field->setFocus();
        editing = tree->palette().color(QPalette::Base);
        QTest::keyClicks(field, "Lake");
        QTest::mouseClick(child(remarks, "applyButton"), Qt::LeftButton);
        QCOMPARE(tree->topLevelItem(1)->text(1), QStringLiteral("Lake"));
        child(remarks, "okButton")->click();
    });
    child(&dialog, "remarksButton")->click();
    QCOMPARE(caption, QStringLiteral("Remarks for Tour: Alps"));
    QCOMPARE(prompt, QStringLiteral("Input the remark for point 1 here!"));
    QCOMPARE(editing, QColor(128, 128, 128));
    QCOMPARE(tour->getRemarks(), (std::vector<std::string>{"Hut", "Lake", ""}));
    QCOMPARE(changed.count(), 1);

    QString reopened;
    whenModal([&reopened](RemarksDialog* remarks) {
        reopened = child<QTreeWidget>(remarks, "remarkList")->topLevelItem(1)->text(1);
    });
    child(&dialog, "remarksButton")->click();
    QCOMPARE(reopened, QStringLiteral("Lake"));
    QCOMPARE(changed.count(), 1); // closed without OK
}

void DistancesDialogTest::droppedTourIsReleased()
{
    const TourRecord tour = makeTour(3);
    TourDistancesDialog dialog(tour, nullptr);
    dialog.dropTour();
    QCOMPARE(tour.use_count(), 1);
    QVERIFY(!dialog.tour() && !dialog.isVisible());
    QCOMPARE(table(&dialog)->topLevelItemCount(), 0);
    dialog.refresh();
    QCOMPARE(table(&dialog)->topLevelItemCount(), 0);

    QImage page(400, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QImage blank = page.copy();
    {
        QPainter painter(&page);
        dialog.printTable(painter);
    }
    QCOMPARE(page, blank);
}

// The layout's own places are tested without a printer; here the painter
// must put them on the page, in the format with the most columns.
void DistancesDialogTest::printedPage()
{
    if (!canReadPdf())
        QSKIP("pdftotext is not installed");
    const TourRecord tour = makeTour(4);
    tour->getRemarks() = {"Hut", "Lake", "", "Summit"};
    TourDistancesDialog dialog(tour, nullptr);
    child<QComboBox>(&dialog, "formatList")->setCurrentIndex(kUtm);
    const Printout printout(dialog);

    QCOMPARE(printout.pages, 1);
    const Word title = printout.first("Distances");
    QVERIFY(near(title.x, 800) && near(title.y, 200, 10));
    const QStringList headings{"Point", "km", "Total", "Easting", "Northing", "Zone", "Remarks"};
    const QList<int> headingX{500, 850, 1220, 1600, 2100, 2570, 2900};
    for (int i = 0; i < headings.size(); ++i) {
        const Word heading = printout.first(headings[i]);
        QVERIFY2(near(heading.x, headingX[i]) && near(heading.y, 400, 10), qPrintable(headings[i]));
    }

    // Rows 120 pixels apart from 560; "%7.3f" fills its cell from the left.
    const Word hut = printout.first("Hut");
    QVERIFY(near(hut.y, 560, 10));
    QVERIFY(near(printout.first("Lake").y, hut.y + 120, 1));
    QVERIFY(near(printout.first("Summit").y, hut.y + 360, 1));
    for (const char* remark : {"Hut", "Lake", "Summit"})
        QVERIFY2(near(printout.first(remark).x, 2900), remark);
    const QList<Word> legs = printout.find("111.133"); // legs of rows 1 to 3, total of row 1
    QCOMPARE(legs.size(), 4);
    QVERIFY(near(legs[0].x, 800) && near(legs[1].x, 1200));
    QVERIFY(near(printout.first("333.399").x, 1200));
    QVERIFY(near(printout.first("32T").x, 2600));
}

void DistancesDialogTest::longTourContinuesOnNextPage()
{
    if (!canReadPdf())
        QSKIP("pdftotext is not installed");
    constexpr int kPoints = 80;
    TourDistancesDialog dialog(makeTour(kPoints), nullptr);
    const Printout printout(dialog);
    QCOMPARE(printout.pages, 2);
    for (const char* repeated : {"Distances", "Point", "Remarks"}) {
        const QList<Word> found = printout.find(repeated);
        QCOMPARE(found.size(), 2);
        QVERIFY(found[1].page == 1 && near(found[1].y, found[0].y, 1));
    }

    // "%3d" right-aligned in three digits' width from x = 500.
    const Word zero = printout.first("0");
    const Word ten = printout.first("10");
    const double digit = zero.x - ten.x;
    QVERIFY(near(ten.x - digit, 500));
    QMap<int, int> printed;
    double secondPageTop = -1.0;
    for (const Word& word : printout.words) {
        bool isNumber = false;
        const int number = word.text.toInt(&isNumber);
        if (!isNumber || word.y < 500 || word.x < 495 || word.x > 500 + 3 * digit)
            continue;
        ++printed[number];
        if (word.page == 1 && secondPageTop < 0)
            secondPageTop = word.y;
    }
    QVERIFY(near(secondPageTop, zero.y, 1));
    QCOMPARE(printed.size(), kPoints);
    QCOMPARE(printed.lastKey(), kPoints - 1);
    for (int count : printed)
        QCOMPARE(count, 1);
}

QTEST_MAIN(DistancesDialogTest)
#include "distances_dialog_test.moc"
