// Help through the main window: F1 on the manager's pages, menus and the
// view's popup, the context-help mode, the language items, and the help
// files found beside the program.
#include "app/qt/command_actions.h"
#include "app/qt/help_controller.h"
#include "app/qt/main_frame.h"
#include "help/help_files.h"
#include "help/help_topics.h"
#include "help/help_viewer.h"
#include "help/qt/help_requests.h"
#include "help/qt/help_window.h"
#include "manager/qt/list_page_widget.h"
#include "manager/qt/manager_sheet.h"
#include "memory_settings.h"
#include "ports/open_file_prompt.h"
#include "resources/command_ids.h"
#include "scripted_dialogs.h"
#include "temp_folder.h"
#include "view/qt/rovanta_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

#include <functional>
#include <memory>

using namespace rovanta;
using namespace rovanta::commands;

namespace {

const QString kHelpDir = QStringLiteral(ROVANTA_HELP_BUILD_DIR);

struct RecordingViewer : HelpViewer {
    void displayTopic(const std::string& topic) override { topics.push_back(QString::fromStdString(topic)); }
    QStringList topics;
};

QMenu* menuHolding(CMainFrame& frame, int id)
{
    for (QObject* container : frame.commands().menuAction(id)->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(container))
            return menu;
    }
    return nullptr;
}

/// Runs `inside` once the next modal dialog or popup is up; whatever is
/// still modal afterwards is closed, so a wrong turn fails instead of hanging.
void whileModal(std::function<void()> inside)
{
    QTimer::singleShot(0, qApp, [inside = std::move(inside)] {
        inside();
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        settings_ = {};
        settings_.writeString("Settings", "HelpFile", (kHelpDir + QStringLiteral("/RovantaENG.chm")).toStdString());
        settings_.writeInt("Settings", "HelpId", help::kEnglish);
    }

    void cleanup() { frame_.reset(); }

    void f1OnTheMapsPageShowsItsPageFromOurFile()
    {
        makeFrame();
        QString page;
        QString file;
        whileModal([&] {
            auto* sheet = qobject_cast<ManagerSheet*>(QApplication::activeModalWidget());
            QVERIFY(sheet != nullptr);
            sheet->mapsPage().setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
            QVERIFY(frame_->help().window() != nullptr);
            page = frame_->help().window()->currentPage();
            file = frame_->help().window()->currentFile();
            sheet->tabs().setCurrentIndex(2);
            QTest::keyClick(&sheet->okButton(), Qt::Key_F1);
        });
        frame_->onCommand(kManager);
        QCOMPARE(page, QStringLiteral("/HTML/Eng/Maps.htm"));
        QCOMPARE(QFileInfo(file).canonicalFilePath(), QFileInfo(kHelpDir + "/RovantaENG.chm").canonicalFilePath());
        QCOMPARE(frame_->help().window()->currentPage(), QStringLiteral("/HTML/Eng/Folders.htm"));
        QVERIFY(frame_->help().window()->isVisible());
    }

    void deutscheHilfeShowsTheGermanStartPageAndIsKept()
    {
        makeFrame();
        QAction* english = frame_->commands().menuAction(kEnglishHelp);
        QAction* german = frame_->commands().menuAction(kGermanHelp);
        QVERIFY(english->isChecked() && !german->isChecked());

        german->trigger();

        QVERIFY(german->isChecked() && !english->isChecked());
        HelpWindow* window = frame_->help().window();
        QVERIFY(window != nullptr);
        QCOMPARE(QFileInfo(window->currentFile()).fileName(), QStringLiteral("RovantaDEU.chm"));
        QCOMPARE(window->currentPage(), QStringLiteral("/HTML/Ger/index.htm"));

        frame_.reset();
        QCOMPARE(settings_.readInt("Settings", "HelpId", 0), help::kGerman);
        QCOMPARE(QFileInfo(QString::fromStdString(settings_.readString("Settings", "HelpFile", ""))).fileName(),
                 QStringLiteral("RovantaDEU.chm"));
    }

    void theRadioMarkFollowsTheLanguageWhenTheMenuOpens()
    {
        // An unknown id gives the interface's language, English here.
        settings_.writeInt("Settings", "HelpId", 5);
        makeFrame();
        QMenu* menu = menuHolding(*frame_, kGermanHelp);
        QVERIFY(menu != nullptr);
        frame_->commands().menuAction(kGermanHelp)->setChecked(true);
        emit menu->aboutToShow();
        QVERIFY(frame_->commands().menuAction(kEnglishHelp)->isChecked());
        QCOMPARE(frame_->help().files().language(), help::kEnglish);
    }

    void f1OnAHighlightedMenuItemAsksForThatCommand()
    {
        RecordingViewer viewer;
        makeFrame(&viewer);
        QMenu* tour = menuHolding(*frame_, kSaveTour);
        QVERIFY(tour != nullptr);
        const QString file = QString::fromStdString(frame_->help().files().appHelpPath());
        frame_->onCommand(kNewTour);

        for (const int id : {kSaveTour, kClearTour}) {
            tour->popup(frame_->mapToGlobal(QPoint(10, 10)));
            QVERIFY(QTest::qWaitForWindowExposed(tour));
            tour->setActiveAction(frame_->commands().menuAction(id));
            QTest::keyClick(tour, Qt::Key_F1);
            QVERIFY(!tour->isVisible());
        }
        QCOMPARE(viewer.topics, (QStringList{file + "::/HTML/Eng/TourMenu.htm", file}));
    }

    void f1WhileThePopupIsOpenShowsThePopupPage()
    {
        RecordingViewer viewer;
        makeFrame(&viewer);
        const QString file = QString::fromStdString(frame_->help().files().appHelpPath());
        whileModal([] {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY(popup != nullptr);
            QTest::keyClick(popup, Qt::Key_F1);
        });
        QWidget* viewport = frame_->view().viewport();
        QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(100, 100));
        QCOMPARE(viewer.topics, QStringList{file + "::/HTML/Eng/TourPopup.htm"});
        QVERIFY(!frame_->help().files().popupOpen());

        // Without the popup the main window has no page of its own.
        QTest::keyClick(viewport, Qt::Key_F1);
        QCOMPARE(viewer.topics.size(), 2);
        QCOMPARE(viewer.topics.last(), file);
    }

    void contextHelpModeAnswersTheNextCommandOrClick()
    {
        RecordingViewer viewer;
        makeFrame(&viewer);
        const QString file = QString::fromStdString(frame_->help().files().appHelpPath());
        QToolBar& bar = frame_->toolBar();

        QTest::mouseClick(bar.widgetForAction(frame_->commands().toolAction(kContextHelp)), Qt::LeftButton);
        QVERIFY(frame_->help().requests().inContextHelpMode());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
        // The Manager button shows its help; the sheet does not open.
        whileModal([] { QVERIFY2(QApplication::activeModalWidget() == nullptr, "the command ran"); });
        QTest::mouseClick(bar.widgetForAction(frame_->commands().toolAction(kManager)), Qt::LeftButton);
        QCOMPARE(viewer.topics, QStringList{file + "::/HTML/Eng/Manager.htm"});
        QVERIFY(!frame_->help().requests().inContextHelpMode());
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCoreApplication::processEvents();

        // Shift+F1, then a click on the map: the main window's help.
        QTest::keyClick(frame_.get(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(frame_->help().requests().inContextHelpMode());
        QTest::mouseClick(frame_->view().viewport(), Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(viewer.topics.last(), file);

        // Escape leaves the mode without help.
        frame_->onCommand(kContextHelp);
        QTest::keyClick(frame_->view().viewport(), Qt::Key_Escape);
        QVERIFY(!frame_->help().requests().inContextHelpMode());
        QCOMPARE(viewer.topics.size(), 2);
    }

    void helpWithoutAFileSaysSoInTheStatusBar_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addRow("F1") << true;
        QTest::addRow("Help Topics") << false;
    }

    void helpWithoutAFileSaysSoInTheStatusBar()
    {
        QFETCH(bool, byKey);
        settings_.writeString("Settings", "HelpFile", "/gone/OldRovantaENG.chm");
        test::ScriptedOpenPrompt prompt;
        RecordingViewer viewer;
        makeFrame(&viewer);
        QCOMPARE(prompt.requests.size(), std::size_t{1});
        if (byKey)
            QTest::keyClick(frame_->view().viewport(), Qt::Key_F1);
        else
            frame_->commands().menuAction(kHelpTopics)->trigger();
        QVERIFY(viewer.topics.isEmpty());
        QCOMPARE(frame_->statusBar()->currentMessage(), QStringLiteral("Help file not found: /gone/OldRovantaENG.chm"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // The test programs have the help files beside them, as Rovanta does;
    // with no translation installed the interface, and so the help, is English.
    void aStartFromAnotherDirectoryFindsTheFilesBesideTheProgram()
    {
        settings_ = {};
        test::TempFolder elsewhere;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(elsewhere.path().string()));
        test::ScriptedOpenPrompt prompt;
        makeFrame();
        QDir::setCurrent(previous);

        QVERIFY(prompt.requests.empty());
        QCOMPARE(QFileInfo(QString::fromStdString(frame_->help().files().appHelpPath())).absoluteFilePath(),
                 QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("RovantaENG.chm")));
    }

private:
    void makeFrame(HelpViewer* viewer = nullptr)
    {
        frame_ = std::make_unique<CMainFrame>(settings_);
        if (viewer != nullptr)
            frame_->help().setViewer(viewer);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    }

    test::MemorySettings settings_;
    std::unique_ptr<CMainFrame> frame_;
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
