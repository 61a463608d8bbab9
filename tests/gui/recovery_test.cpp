// An unsaved tour outlives the program: a child process runs the
// application, plans a tour and is killed; the next start recovers it.
// The same executable is the child, with --plan or --restore.
#include "app/qt/main_frame.h"
#include "app/qt/qt_settings_access.h"
#include "app/qt/rovanta_app.h"
#include "common/text_convert.h"
#include "map_files.h"
#include "ports/message.h"
#include "resources/command_ids.h"
#include "scripted_dialogs.h"
#include "tour/tour_recovery.h"
#include "view/qt/rovanta_view.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <iostream>
#include <sstream>
#include <string>

using namespace rovanta;

namespace {

// The tour as the user would check it: name, map, state, every point and
// remark.
std::string describeTour(CRovantaView& view)
{
    const TourRecord tour = view.currentTour();
    if (!tour)
        return "no tour\n";
    const MapRecord map = view.currentMap();
    std::ostringstream out;
    out << tour->name() << " on " << (map ? map->mapName() : "-")
        << (view.tourCommands().unsavedTour() ? " unsaved\n" : " saved\n");
    for (const RecoveredPoint& point : recordOfTour(*tour, {}).points)
        out << formatFixed(point.latitude, 0, 7) << ' ' << formatFixed(point.longitude, 0, 7) << " [" << point.remark
            << "]\n";
    return out.str();
}

void doubleClick(CRovantaView& view, IPoint pixel)
{
    const IPoint window = view.pixelToWindow(pixel);
    const IPoint scroll = view.scrollPosition();
    const QPoint client(window.x - scroll.x, window.y - scroll.y);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, client);
}

// Registers a map, starts the program and plans a tour with remarks with
// the mouse; then waits to be ended.
int planChild(int argc, char** argv)
{
    CRovantaApp app(argc, argv);
    const std::filesystem::path maps = argv[2];
    std::filesystem::create_directories(maps);
    test::writeSampleMap(maps, "West.cal", {"West"});
    {
        QtSettingsAccess settings;
        test::registerCurrentMap(settings, maps, "West.cal", "West");
    }
    if (!app.initInstance())
        return 1;
    QTimer::singleShot(0, &app, [&app] {
        CRovantaView& view = app.mainFrame()->view();
        app.mainFrame()->onCommand(commands::kNewTour);
        doubleClick(view, {50, 50});
        doubleClick(view, {120, 80});
        view.currentTour()->getRemarks() = {"Hut \"Alm\"\nsecond line \\", ""};
        doubleClick(view, {160, 150});
        std::cout << describeTour(view) << "planned" << std::endl;
    });
    return app.exec();
}

// Starts the program, answers Yes to the recovery question, shows the tour
// and closes, declining to save it.
int restoreChild(int argc, char** argv)
{
    CRovantaApp app(argc, argv);
    if (!app.initInstance())
        return 1;
    test::ScriptedAnswerer answerer;
    answerer.answers = {kAnswerYes};
    // After the offer, which the start queued first.
    QTimer::singleShot(0, &app, [&app, &answerer] {
        std::cout << (answerer.shown.empty() ? "no question" : answerer.shown[0].text) << '\n'
                  << describeTour(app.mainFrame()->view()) << "restored" << std::endl;
        app.mainFrame()->close();
    });
    return app.exec();
}

} // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void unsavedTourSurvivesTheEnd_data()
    {
        QTest::addColumn<bool>("terminate");
        QTest::addColumn<int>("waitMs");
        QTest::addRow("kill -9 a second later") << false << 1000;
        QTest::addRow("SIGTERM at once") << true << 0;
    }

    void unsavedTourSurvivesTheEnd()
    {
        QFETCH(bool, terminate);
        QFETCH(int, waitMs);
        QTemporaryDir root;
        const QDir state(root.filePath(QStringLiteral("state/Rovanta")));

        QProcess plan;
        start(plan, root, {QStringLiteral("--plan"), root.filePath(QStringLiteral("maps"))});
        QString planned;
        QTRY_VERIFY_WITH_TIMEOUT((planned += plan.readAllStandardOutput()).endsWith("planned\n"), 30000);
        QVERIFY2(planned.count(QLatin1Char('[')) == 3 && planned.contains(QStringLiteral("second line")),
                 qPrintable(planned));
        QTest::qWait(waitMs);
        if (terminate) {
            // Ends by itself, asking nothing: a question would hang it here.
            plan.terminate();
            QVERIFY(plan.waitForFinished(10000));
            QCOMPARE(plan.exitStatus(), QProcess::NormalExit);
        } else {
            plan.kill();
            QVERIFY(plan.waitForFinished(10000));
        }
        QCOMPARE(state.entryList(QDir::Files).size(), 1);

        QProcess restore;
        start(restore, root, {QStringLiteral("--restore")});
        QVERIFY(restore.waitForFinished(30000));
        const QString restored = QString::fromUtf8(restore.readAllStandardOutput());
        const QString question = restored.section(QLatin1Char('\n'), 0, 0);
        QVERIFY2(QRegularExpression(
                     QStringLiteral(R"(^Recover the unsaved tour "New Tour" from \d{4}-\d\d-\d\d \d\d:\d\d\?$)"))
                     .match(question)
                     .hasMatch(),
                 qPrintable(question));
        QCOMPARE(restored.section(QLatin1Char('\n'), 1),
                 planned.replace(QStringLiteral("planned"), QStringLiteral("restored")));
        // Declining to save at the normal exit leaves nothing to recover.
        QCOMPARE(state.entryList(QDir::Files), QStringList());
    }

private:
    static void start(QProcess& process, const QTemporaryDir& root, const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), root.filePath(QStringLiteral("state")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QCoreApplication::applicationFilePath(), arguments);
        QVERIFY(process.waitForStarted());
    }
};

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--plan" && argc > 2)
        return planChild(argc, argv);
    if (mode == "--restore")
        return restoreChild(argc, argv);
    QCoreApplication app(argc, argv);
    RecoveryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "recovery_test.moc"
