// Tours in and out through the main window: Open Tour with its prompt,
// Recent Tours, files dropped on the window, the GPX import and export, and
// the program's command line.
#include "editing/qt/import_dialog.h"
#include "app/qt/recent_menu.h"
#include "map_files.h"
#include "memory_settings.h"
#include "resources/command_ids.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"
#include "app/qt/command_actions.h"
#include "app/qt/main_frame.h"
#include "view/qt/rovanta_view.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QUrl>
#include <QtTest>

#include <memory>

using namespace rovanta;
using namespace rovanta::commands;

namespace {

// A track due east across the East map: 200 points zig-zagging by 2 m.
std::string straightTrack(const char* name)
{
    std::string text = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"test\" "
                       "xmlns=\"http://www.topografix.com/GPX/1/1\"><trk><name>";
    text += name;
    text += "</name><trkseg>";
    for (int i = 0; i < 200; ++i)
        text += "<trkpt lat=\"" + std::string(i % 2 ? "53.03002" : "53.03") + "\" lon=\"" +
                std::to_string(9.11 + i * 0.0004) + "\"/>";
    return text + "</trkseg></trk></gpx>\n";
}

} // namespace

class TransferTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        test::writeSampleMap(dir_->path(), "West.cal", {.name = "West", .west = 9.0, .east = 9.1});
        test::writeSampleMap(dir_->path(), "East.cal", {.name = "East", .west = 9.1, .east = 9.2});
        test::registerMaps(settings_, dir_->path(), {{"West.cal", "West", 2}, {"East.cal", "East", 1}});
        frame_ = std::make_unique<CMainFrame>(settings_);
        view().transfer().setImportChooser([this](const std::string&, const GpxContent& content) {
            candidates_ = gpxCandidates(content).size();
            return std::optional<ImportChoice>(ImportChoice{});
        });
    }

    void cleanup()
    {
        frame_.reset();
        dir_ = std::make_unique<test::TempFolder>();
        settings_ = {};
    }

    void openTourFromTheFileMenuShowsItOnItsMap()
    {
        const std::string tour = writeTour("Hike", {"53.03,9.15,0", "53.02,9.16,0"});
        test::ScriptedOpenPrompt prompt;
        prompt.choices.push_back(tour);
        trigger(kOpenTour);
        QCOMPARE(prompt.requests.size(), 1u);
        QVERIFY(QString::fromStdString(prompt.requests[0].filter).contains(QStringLiteral("*.gpx")));
        QVERIFY(view().currentTour());
        QCOMPARE(view().currentTour()->name(), std::string("Hike"));
        QCOMPARE(view().currentTour()->getPointCount(), 2);
        QCOMPARE(view().currentMap()->mapName(), std::string("East"));
        QVERIFY(!view().tourCommands().unsavedTour());
        QVERIFY(frame_->commands().isMenuEnabled(kSaveTour));
    }

    void recentToursListNewestFirstAndReopen()
    {
        const std::string first = writeTour("First", {"53.03,9.05,0"});
        const std::string second = writeTour("Second", {"53.03,9.15,0"});
        QVERIFY(view().transfer().openFile(first));
        QVERIFY(view().transfer().openFile(second));
        const QList<QAction*> items = frame_->recentMenu().menu().actions();
        QCOMPARE(items.size(), 2);
        QVERIFY(items[0]->text().endsWith(QStringLiteral("Second.TXT")));
        QVERIFY(items[1]->text().endsWith(QStringLiteral("First.TXT")));
        QCOMPARE(settings_.readString("RecentTours", "Tour_1", ""), first);

        items[1]->trigger();
        QCOMPARE(view().currentTour()->name(), std::string("First"));
        QCOMPARE(view().currentMap()->mapName(), std::string("West"));
        QVERIFY(frame_->recentMenu().menu().actions()[0]->text().endsWith(QStringLiteral("First.TXT")));
    }

    void droppedGpxBecomesAnUnsavedSimplifiedTour()
    {
        const auto gpx = dir_->write("ridge.gpx", straightTrack("Ridge"));
        QVERIFY(drop(gpx));
        const TourRecord tour = view().currentTour();
        QVERIFY(tour);
        QCOMPARE(candidates_, 1u);
        QCOMPARE(tour->name(), std::string("Ridge"));
        QCOMPARE(tour->getPointCount(), 2);
        QCOMPARE(view().currentMap()->mapName(), std::string("East"));
        QVERIFY(view().tourCommands().unsavedTour());

        // Protected like any edited tour: answered No, then replaced.
        test::ScriptedAnswerer answers;
        QVERIFY(view().transfer().openFile(writeTour("Other", {"53.03,9.05,0"})));
        QCOMPARE(answers.shown.size(), 1u);
        QCOMPARE(answers.shown[0].type, kMessageYesNo);
    }

    void importedTourSavesAndExportsAsGpx()
    {
        QVERIFY(view().transfer().importGpx(dir_->write("ridge.gpx", straightTrack("Ridge"))));
        const std::string exported = (dir_->path() / "out.gpx").string();
        test::ScriptedSavePrompt prompt;
        prompt.choices = {exported, (dir_->path() / "Ridge.TXT").string()};
        trigger(kExportGpx);
        QVERIFY(test::readBytes(exported).find("<rtept lat=\"53.0300000\"") != std::string::npos);
        trigger(kSaveTour);
        QVERIFY(!view().tourCommands().unsavedTour());
        QCOMPARE(settings_.readString("RecentTours", "Tour_0", ""), (dir_->path() / "Ridge.TXT").string());
    }

    void droppedCalRegistersItsFolderAndShowsTheMap()
    {
        test::TempFolder other;
        const std::string cal = test::writeSampleMap(other.path(), "North.cal", {.name = "North", .south = 53.06});
        QVERIFY(drop(cal));
        QCOMPARE(view().currentMap()->mapName(), std::string("North"));
        QVERIFY(view().manager().folderList().find(other.path().string()) != std::string::npos);
        // A known map is shown without registering anything again.
        const std::string folders = view().manager().folderList();
        QVERIFY(drop(dir_->path() / "West.cal"));
        QCOMPARE(view().currentMap()->mapName(), std::string("West"));
        QCOMPARE(view().manager().folderList(), folders);
    }

    void badFilesGiveOneMessageAndChangeNothing_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not xml") << "bad.gpx"
                                 << "<gpx><trk>"
                                 << "";
        QTest::newRow("latitude out of range")
            << "far.gpx"
            << "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\"><wpt lat=\"91\" lon=\"9\"/></gpx>"
            << "91";
        QTest::newRow("unknown kind") << "notes.doc"
                                      << "x"
                                      << "";
    }

    void badFilesGiveOneMessageAndChangeNothing()
    {
        QFETCH(QString, file);
        QFETCH(QString, content);
        QFETCH(QString, problem);
        QVERIFY(view().transfer().openFile(writeTour("Kept", {"53.03,9.05,0"})));
        const TourRecord before = view().currentTour();
        test::ScriptedAnswerer answers;
        const std::string path = dir_->write(file.toStdString(), content.toStdString());
        QVERIFY(!view().transfer().openFile(path));
        QCOMPARE(answers.shown.size(), 1u);
        QVERIFY(QString::fromStdString(answers.shown[0].text).contains(QString::fromStdString(path)));
        QVERIFY(QString::fromStdString(answers.shown[0].text).contains(problem));
        QCOMPARE(view().currentTour(), before);
    }

    void importDialogCountsPointsLiveForTheTolerance()
    {
        const GpxContent content = parseGpx(straightTrack("Ridge"));
        ImportDialog dialog("ridge.gpx", content);
        QCOMPARE(dialog.pointCount().text(), QStringLiteral("2"));
        dialog.tolerance().setValue(0.5);
        QCOMPARE(dialog.pointCount().text(), QStringLiteral("200"));
    }

    void commandLineAnswersWithoutAWindow_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("answer");
        QTest::newRow("help") << "--help"
                              << "Usage: Rovanta [FILE...]";
        QTest::newRow("version") << "--version"
                                 << "Rovanta " ROVANTA_VERSION;
    }

    void commandLineAnswersWithoutAWindow()
    {
        QFETCH(QString, option);
        QFETCH(QString, answer);
        QProcess program;
        // No window system at all: a window would fail to start.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ROVANTA_EXECUTABLE), {option});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(QString::fromUtf8(program.readAllStandardOutput()).startsWith(answer));
    }

private:
    CRovantaView& view() { return frame_->view(); }
    void trigger(int id) { frame_->commands().menuAction(id)->trigger(); }

    std::string writeTour(const std::string& name, std::initializer_list<const char*> lines)
    {
        std::string text;
        for (const char* line : lines)
            text += std::string(line) + "\r\n";
        return dir_->write(name + ".TXT", text);
    }

    // A drag over the window, then the drop; true when both were accepted.
    bool drop(const std::filesystem::path& file)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file.string()))});
        const QPoint centre = frame_->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame_.get(), &enter);
        QDropEvent dropped(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame_.get(), &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    }

    std::unique_ptr<test::TempFolder> dir_ = std::make_unique<test::TempFolder>();
    test::MemorySettings settings_;
    std::unique_ptr<CMainFrame> frame_;
    std::size_t candidates_ = 0;
};

QTEST_MAIN(TransferTest)
#include "transfer_test.moc"
