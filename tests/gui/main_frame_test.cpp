// The main window's wiring: menus, toolbar, accelerators and status bar as
// users know them, the first menu states, and settings that survive a
// restart.
#include "app/qt/command_actions.h"
#include "app/qt/main_frame.h"
#include "app/qt/qt_settings_access.h"
#include "bmp_writer.h"
#include "common/file_names.h"
#include "manager/settings_layout.h"
#include "map_files.h"
#include "navigation/position_parse.h"
#include "navigation/qt/go_to_dialog.h"
#include "resources/command_ids.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"
#include "view/qt/rovanta_view.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <fstream>
#include <memory>

using namespace rovanta;
using namespace rovanta::commands;

namespace {

// "File" etc. with their items' ids in order; 0 is a separator, -1 the
// Manager command on the bar itself.
QStringList menuLayout(QMenuBar& bar)
{
    QStringList layout;
    for (QAction* top : bar.actions()) {
        QString line = top->text() + QLatin1Char(':');
        if (QMenu* menu = top->menu()) {
            for (QAction* item : menu->actions())
                line +=
                    QLatin1Char(' ') + QString::number(item->isSeparator() ? 0 : item->property(kIdProperty).toInt());
        } else {
            line += QLatin1Char(' ') + QString::number(top->property(kIdProperty).toInt());
        }
        layout << line;
    }
    return layout;
}

// Closes the next modal dialog as soon as it shows and reports its title.
void closeNextDialog(QString* title)
{
    QTimer::singleShot(0, [title] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            *title = dialog->windowTitle();
            dialog->reject();
        }
    });
}

// Types `text` into the next Go to dialog and presses Return; reports the
// problem it shows if it stays open, then cancels it.
void typeNextPosition(const QString& text, QString* problem)
{
    QTimer::singleShot(0, [text, problem] {
        auto* dialog = qobject_cast<GoToDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        QTest::keyClicks(&dialog->positionEdit(), text);
        QTest::keyClick(&dialog->positionEdit(), Qt::Key_Return);
        if (dialog->isVisible()) {
            *problem = dialog->problem().text();
            dialog->reject();
        }
    });
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(folder_.isValid());
        settings_ = std::make_unique<QtSettingsAccess>(folder_.filePath(QStringLiteral("Rovanta.conf")));
        frame_ = std::make_unique<CMainFrame>(*settings_);
    }

    void cleanup()
    {
        frame_.reset();
        settings_.reset();
        QFile::remove(folder_.filePath(QStringLiteral("Rovanta.conf")));
    }

    void firstStartShowsTheDescribedStates()
    {
        CommandActions& commands = frame_->commands();
        for (const int id : {kNewTour, kZoomIn, kZoomOut, kManager})
            QVERIFY2(commands.isMenuEnabled(id), qPrintable(QString::number(id)));
        for (const int id : {kSaveTour, kTourDistances, kClearTour})
            QVERIFY2(!commands.isMenuEnabled(id), qPrintable(QString::number(id)));
        // Toolbar buttons stay enabled; each command checks for itself.
        QVERIFY(commands.toolAction(kSaveTour)->isEnabled());
        QCOMPARE(frame_->windowTitle(), QStringLiteral("Rovanta"));
        QVERIFY(!frame_->view().currentMap());
        QCOMPARE(frame_->idleMessage().text(), QStringLiteral("For Help, press F1"));
    }

    void menusToolbarAndPromptsAreInPlace()
    {
        QCOMPARE(menuLayout(*frame_->menuBar()),
                 QStringList({"&File: 32830 0 32856 0 57665", "&Edit: 32854 32855", "&View: 59392 59393 32787 32788 32850 32851 32852 32853",
                              "Tour: 32792 32793 32811 32803 0 32831 32832 32833 32834", "Manager: 32771",
                              "&Help: 57667 32810 32809 0 57664"}));
        QCOMPARE(frame_->commands().menuAction(kZoomIn)->text(), QStringLiteral("Zoom in \tALT++"));
        QCOMPARE(frame_->commands().menuAction(kAppAbout)->text(), QStringLiteral("&About Rovanta..."));

        QStringList toolbar;
        for (QAction* action : frame_->toolBar().actions())
            toolbar << (action->isSeparator() ? QStringLiteral("|") : action->property(kIdProperty).toString());
        QCOMPARE(toolbar.join(QLatin1Char(' ')), QStringLiteral("32771 32792 32803 32793 32811 32856 | 57664 57669"));
        for (QAction* action : frame_->toolBar().actions()) {
            if (!action->isSeparator())
                QVERIFY2(!action->icon().isNull() && !action->toolTip().isEmpty(), qPrintable(action->toolTip()));
        }
        QAction* manager = frame_->commands().toolAction(kManager);
        QCOMPARE(manager->toolTip(), QStringLiteral("Manager"));
        QCOMPARE(manager->statusTip(), QStringLiteral("Activate the Manager Tool"));
        QCOMPARE(frame_->commands().menuAction(kTourDistances)->statusTip(), QStringLiteral("Display tour distances"));
    }

    void keysAndButtonsReachTheirCommands_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("command");
        QTest::newRow("Alt and +") << int(Qt::Key_Plus) << int(Qt::AltModifier) << kZoomIn;
        QTest::newRow("Alt and -") << int(Qt::Key_Minus) << int(Qt::AltModifier) << kZoomOut;
        QTest::newRow("F1") << int(Qt::Key_F1) << int(Qt::NoModifier) << kHelp;
        QTest::newRow("Shift+F1") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << kContextHelp;
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << int(Qt::ControlModifier) << kFileNew;
        // No document to open or save: 0 is no command.
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << int(Qt::ControlModifier) << 0;
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << 0;
    }

    void keysAndButtonsReachTheirCommands()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, command);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        QSignalSpy routed(frame_.get(), &CMainFrame::commandRouted);
        QTest::keyClick(frame_.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(routed.count(), command ? 1 : 0);
        if (command)
            QCOMPARE(routed.first().first().toInt(), command);
    }

    void toolbarButtonsAndMenuItemsRoute()
    {
        frame_->show();
        QSignalSpy routed(frame_.get(), &CMainFrame::commandRouted);
        for (const int id : {kNewTour, kTourDistances, kSaveTour, kClearTour})
            QTest::mouseClick(frame_->toolBar().widgetForAction(frame_->commands().toolAction(id)), Qt::LeftButton);
        frame_->commands().menuAction(kZoomOut)->trigger();
        QCOMPARE(routed.count(), 5);
        QCOMPARE(routed.at(0).first().toInt(), kNewTour);
        QCOMPARE(routed.at(4).first().toInt(), kZoomOut);
    }

    void managerAndAboutOpenTheirDialogs()
    {
        QString title;
        closeNextDialog(&title);
        QTest::mouseClick(frame_->toolBar().widgetForAction(frame_->commands().toolAction(kManager)), Qt::LeftButton);
        QCOMPARE(title, QStringLiteral("Manager"));
        closeNextDialog(&title);
        frame_->commands().menuAction(kAppAbout)->trigger();
        QCOMPARE(title, QStringLiteral("About Rovanta"));
    }

    void barsToggleFromTheViewMenu()
    {
        frame_->show();
        frame_->commands().menuAction(kViewToolbar)->trigger();
        frame_->commands().menuAction(kViewStatusBar)->trigger();
        QVERIFY(!frame_->toolBar().isVisible());
        QVERIFY(!frame_->statusBar()->isVisible());
        frame_->commands().menuAction(kViewToolbar)->trigger();
        QVERIFY(frame_->toolBar().isVisible());
        QVERIFY(frame_->commands().menuAction(kViewToolbar)->isChecked());
    }

    void newDocumentReturnsTheMenusToTheirFirstStates()
    {
        CommandActions& commands = frame_->commands();
        commands.setMenuEnabled(kSaveTour, true);
        commands.setMenuEnabled(kNewTour, false);
        frame_->onCommand(kFileNew);
        QVERIFY(!commands.isMenuEnabled(kSaveTour));
        QVERIFY(commands.isMenuEnabled(kNewTour));
    }

    void aBitmapThatCannotBeShownIsNamedInTheStatusBar_data()
    {
        QTest::addColumn<int>("damage");
        QTest::addColumn<QString>("notice");
        QTest::addRow("missing") << 0 << QStringLiteral("Bitmap not found: %1");
        QTest::addRow("truncated") << 1 << QStringLiteral("Bitmap cannot be read: %1");
        QTest::addRow("no raster at all") << 2 << QStringLiteral("Bitmap format not supported: %1");
    }

    void aBitmapThatCannotBeShownIsNamedInTheStatusBar()
    {
        QFETCH(int, damage);
        QFETCH(QString, notice);
        frame_.reset();
        test::TempFolder maps;
        test::writeSampleMap(maps.path(), "Alps.cal", {.name = "Alps", .width = 40, .height = 30});
        test::registerCurrentMap(*settings_, maps.path(), "Alps.cal", "Alps");
        const std::filesystem::path bitmap = maps.path() / "Alps.bmp";
        std::filesystem::remove(bitmap);
        if (damage == 1)
            QVERIFY(test::writeBmp(bitmap, {.width = 40, .height = 30, .dropBytes = 5}));
        if (damage == 2)
            std::ofstream(bitmap) << "REFERENCE_POINT: (0,0)\n";

        test::ScriptedAnswerer answerer;
        frame_ = std::make_unique<CMainFrame>(*settings_);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
        QVERIFY(!frame_->view().bitmapLoaded());
        QCOMPARE(frame_->statusBar()->currentMessage(), notice.arg(QString::fromStdString(toUtf8(bitmap))));
        // The start lists the map's problem once; the view adds no box of its own.
        QCOMPARE(answerer.shown.size(), std::size_t{1});
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        // A bitmap that shows again clears the notice.
        QVERIFY(test::writeBmp(bitmap, {.width = 40, .height = 30}));
        frame_->view().loadMapBitmap();
        QVERIFY(frame_->view().bitmapLoaded());
        QCOMPARE(frame_->statusBar()->currentMessage(), QString());
    }

    void goToPositionShowsTheSheetThatHoldsIt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("map");
        QTest::addColumn<bool>("offMaps");
        QTest::addColumn<bool>("unreadable");
        // East spans 9.1..9.2 E; 53.03 N 9.15 E is 32U 510060 5875618
        // (GeographicLib UTMUPS::Forward).
        QTest::addRow("on the current sheet") << "53.03 9.05"
                                              << "West" << false << false;
        QTest::addRow("minutes, on the next sheet") << "53\u00B01.8' N 9\u00B09' E"
                                                    << "East" << false << false;
        QTest::addRow("UTM, on the next sheet") << "32U 510060 5875618"
                                                << "East" << false << false;
        QTest::addRow("off every sheet") << "47.2683 11.3933"
                                         << "West" << true << false;
        QTest::addRow("unreadable") << "Innsbruck"
                                    << "West" << false << true;
    }

    void goToPositionShowsTheSheetThatHoldsIt()
    {
        QFETCH(QString, text);
        QFETCH(QString, map);
        QFETCH(bool, offMaps);
        QFETCH(bool, unreadable);
        frame_.reset();
        test::TempFolder maps;
        test::writeSampleMap(maps.path(), "West.cal", {.name = "West", .width = 300, .height = 300});
        test::writeSampleMap(maps.path(), "East.cal",
                             {.name = "East", .west = 9.1, .east = 9.2, .width = 300, .height = 300});
        test::registerMaps(*settings_, maps.path(), {{"West.cal", "West", 2}, {"East.cal", "East", 1}});
        test::ScriptedAnswerer answerer;
        frame_ = std::make_unique<CMainFrame>(*settings_);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));

        QString problem;
        typeNextPosition(text, &problem);
        QTest::keyClick(frame_.get(), Qt::Key_G, Qt::ControlModifier);
        CRovantaView& view = frame_->view();
        QCOMPARE(QString::fromStdString(view.currentMap()->mapName()), map);
        QCOMPARE(problem.contains(QStringLiteral("32T 680000 5237000")), unreadable);
        QCOMPARE(answerer.shown.size(), std::size_t(offMaps ? 1 : 0));
        if (offMaps || unreadable) {
            QVERIFY(!view.marker().pixelOn(view.currentMap()));
            return;
        }
        // Centred and marked until Escape.
        std::optional<cl_RefPoint> position = parsePosition(text.toStdString());
        QVERIFY(position && view.currentMap()->refPointToPixel(*position));
        const IPoint shown = view.pixelToWindow(position->pixel);
        QVERIFY(std::abs(shown.x - view.scrollPosition().x - view.outerSize().width / 2) <= 1);
        QVERIFY(std::abs(shown.y - view.scrollPosition().y - view.outerSize().height / 2) <= 1);
        QCOMPARE(view.marker().pixelOn(view.currentMap())->x, position->pixel.x);
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!view.marker().pixelOn(view.currentMap()));
    }

    void utmGridIsKeptFromRunToRun()
    {
        QVERIFY(!frame_->commands().menuAction(kUtmGrid)->isChecked());
        frame_->commands().menuAction(kUtmGrid)->trigger();
        QVERIFY(frame_->view().utmGridShown());
        frame_.reset();
        frame_ = std::make_unique<CMainFrame>(*settings_);
        QVERIFY(frame_->commands().menuAction(kUtmGrid)->isChecked());
        QVERIFY(frame_->view().utmGridShown());
    }

    void settingsAreWrittenAtExitAndReadByTheNextStart()
    {
        frame_.reset();
        settings_.reset();
        QTemporaryDir maps;
        const std::string calFile = test::writeSampleMap(maps.path().toStdString(), "Alps.cal", {.name = "Alps"});
        const QString ini = folder_.filePath(QStringLiteral("Rovanta.conf"));
        {
            QtSettingsAccess earlier(ini);
            test::registerCurrentMap(earlier, maps.path().toStdString(), "Alps.cal", "Alps");
        }
        const auto bytes = [&] {
            QFile file(ini);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        for (int run = 0; run < 2; ++run) {
            const QByteArray before = bytes();
            settings_ = std::make_unique<QtSettingsAccess>(ini);
            frame_ = std::make_unique<CMainFrame>(*settings_);
            QCOMPARE(frame_->windowTitle(), QStringLiteral("Alps"));
            QVERIFY(frame_->view().currentMap());
            // The map's centre starts at the centre of the view's final size.
            const CRovantaView& view = frame_->view();
            QVERIFY(view.bitmapLoaded());
            QVERIFY(view.width() > 400);
            const IPoint centred = centredScroll(view.layout(), view.outerSize());
            QCOMPARE(view.scrollPosition().x, std::max(0, centred.x));
            QCOMPARE(view.scrollPosition().y, std::max(0, centred.y));
            // A new folder in the running program reaches the file only at exit.
            frame_->view().manager().folderPage().setFolderText(maps.path().toStdString() + ";/gone" +
                                                                std::to_string(run) + ";");
            frame_->view().manager().folderPage().apply();
            QCoreApplication::processEvents();
            QCOMPARE(bytes(), before);
            frame_.reset();
            settings_.reset();
            QVERIFY(bytes() != before);
            QtSettingsAccess after(ini);
            QCOMPARE(after.readInt(settings::kSettings, settings::kFolderCount, -1), 2);
            QCOMPARE(after.readInt(settings::kMapStatus, settings::mapKey(0), -9), 2);
            QCOMPARE(after.readString(settings::kMapName, settings::mapKey(0), ""), std::string("Alps"));
        }
        settings_ = std::make_unique<QtSettingsAccess>(ini);
        frame_ = std::make_unique<CMainFrame>(*settings_);
    }

private:
    QTemporaryDir folder_;
    std::unique_ptr<QtSettingsAccess> settings_;
    std::unique_ptr<CMainFrame> frame_;
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
