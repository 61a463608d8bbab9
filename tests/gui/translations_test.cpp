// The interface in the system's language: the translation found in a folder
// (the build's, or an installed one named by ROVANTA_TRANSLATIONS), the menus,
// the core's texts and the folder tree's root following it, and English
// wherever no translation fits.
#include "app/qt/command_actions.h"
#include "common/qt/translations.h"
#include "common/text_convert.h"
#include "editing/tour_history.h"
#include "manager/qt/folder_tree.h"
#include "resources/command_ids.h"
#include "resources/string_table.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

using namespace rovanta;

class TranslationsTest : public QObject {
    Q_OBJECT

private slots:
    void interfaceFollowsTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("root");
        QTest::addColumn<QStringList>("viewItems");
        QTest::addColumn<QString>("undo");
        QTest::addColumn<bool>("german");
        const QStringList german{"&Datei", "&Bearbeiten", "&Ansicht", "Tour", "Manager", "&Hilfe"};
        const QStringList english{"&File", "&Edit", "&View", "Tour", "Manager", "&Help"};
        const QStringList germanView{"Ganze Karte", "UTM-Gitter", "Gehe zu Position…\tStrg+G"};
        const QStringList englishView{"Whole Map", "UTM Grid", "Go to Position…\tCtrl+G"};
        QTest::newRow("German") << "de_DE" << german << "Die letzte Tour speichern"
                                << "Arbeitsplatz" << germanView << "Rückgängig: Punkt anhängen" << true;
        // rovanta_de serves every German-speaking country.
        QTest::newRow("Austrian") << "de_AT" << german << "Die letzte Tour speichern"
                                  << "Arbeitsplatz" << germanView << "Rückgängig: Punkt anhängen" << true;
        QTest::newRow("C") << "C" << english << "Save the last tour"
                           << "My Computer" << englishView << "Undo Add Point" << false;
        QTest::newRow("FrenchHasNone") << "fr_FR" << english << "Save the last tour"
                                       << "My Computer" << englishView << "Undo Add Point" << false;
    }

    void interfaceFollowsTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, menus);
        QFETCH(QString, prompt);
        QFETCH(QString, root);
        QFETCH(QStringList, viewItems);
        QFETCH(QString, undo);
        QFETCH(bool, german);
        const QString installed = qEnvironmentVariable("ROVANTA_TRANSLATIONS");
        const QString folder = installed.isEmpty() ? QStringLiteral(ROVANTA_QM_DIR) : installed;
        const QString loaded = installTranslations(QLocale(locale), {QStringLiteral("/nonexistent"), folder});
        QCOMPARE(loaded.isEmpty(), !german);
        QCOMPARE(germanInterface(), german);

        QMainWindow window;
        auto* toolBar = new QToolBar(&window);
        CommandActions actions;
        actions.install(window, *toolBar);
        QStringList titles;
        for (const QAction* menu : window.menuBar()->actions())
            titles << menu->text();
        QCOMPARE(titles, menus);
        QCOMPARE(QString::fromStdString(strings::commandPrompt(commands::kSaveTour)), prompt);
        QCOMPARE(actions.menuAction(commands::kSaveTour)->statusTip(), prompt);
        QCOMPARE((QStringList{actions.menuAction(commands::kWholeMap)->text(),
                              actions.menuAction(commands::kUtmGrid)->text(),
                              actions.menuAction(commands::kGoToPosition)->text()}),
                 viewItems);
        // The Edit menu's text is put together in the core from two texts.
        const std::string step =
            replacePlaceholder(strings::tr(strings::kUndoStep), strings::tr(step_labels::kAddPoint));
        QCOMPARE(QString::fromStdString(step), undo);

        QTreeWidget widget;
        FolderTree tree(widget);
        tree.build({});
        QCOMPARE(tree.root()->text(0), root);
    }

    void cleanup() { static_cast<void>(installTranslations(QLocale::c(), {})); }
};

QTEST_MAIN(TranslationsTest)
#include "translations_test.moc"
