// The manager sheet's wiring: tabs, clicks, the popup and the action button
// reach the manager, and the widgets show what its pages hold afterwards.
#include "manager/qt/manager_sheet.h"

#include "common/qt/display.h"
#include "common/qt/icons.h"
#include "dialogs/qt/properties_dialog.h"
#include "gpx/gpx_read.h"
#include "manager/qt/folder_page_widget.h"
#include "manager/qt/folder_tree.h"
#include "manager/qt/list_page_widget.h"
#include "manager/settings_layout.h"
#include "map_files.h"
#include "memory_settings.h"
#include "ports/message.h"
#include "scripted_dialogs.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <fstream>

using namespace rovanta;

namespace {

QImage imageOf(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage();
}

// The state icon an entry shows: 0..2, -1 for none.
int shownState(const QListWidgetItem* item)
{
    if (item->icon().isNull())
        return -1;
    for (int state = 0; state < 3; ++state) {
        if (imageOf(item->icon()) == imageOf(icons::state(state)))
            return state;
    }
    return -2;
}

// "Alps:1 Coast:0": names and icons as the list shows them.
QString listed(const QListWidget& list)
{
    QStringList entries;
    for (int row = 0; row < list.count(); ++row)
        entries << list.item(row)->text() + u':' + QString::number(shownState(list.item(row)));
    return entries.join(u' ');
}

void clickRow(QListWidget& list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(row)).center());
}

void rightClick(QListWidget& list, QPoint at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &event);
}

// A right click on the row, then the command picked in the popup.
void choose(ListPageWidget& page, int row, const QString& command)
{
    rightClick(page.list(), page.list().visualItemRect(page.list().item(row)).center());
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QCOMPARE(menu, &page.popup());
    for (QAction* action : menu->actions()) {
        if (action->text() == command)
            menu->setActiveAction(action);
    }
    QVERIFY(menu->activeAction() && menu->activeAction()->text() == command);
    QTest::keyClick(menu, Qt::Key_Return);
    QVERIFY(!QApplication::activePopupWidget());
}

// The tree item reached along the folder names of an absolute path.
QTreeWidgetItem* itemAlong(QTreeWidgetItem* root, const QString& path)
{
    QTreeWidgetItem* item = root->child(0);
    if (!item || item->text(0) != "/")
        return nullptr;
    for (const QString& name : path.split(u'/', Qt::SkipEmptyParts)) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount() && !next; ++i) {
            if (item->child(i)->text(0) == name)
                next = item->child(i);
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

QStringList childTexts(const QTreeWidgetItem* item)
{
    QStringList texts;
    for (int i = 0; i < item->childCount(); ++i)
        texts << item->child(i)->text(0);
    return texts;
}

std::filesystem::path fsPath(const QString& path)
{
    return std::filesystem::path(path.toStdString());
}

// A folder with the maps "Alps" and "Coast" (in its subfolder `name`, if
// given), and settings that list it when `listed` is set.
struct Maps {
    explicit Maps(bool listed, std::string_view name = {})
        : place(name.empty() ? dir.path().toStdString() : dir.path().toStdString() + "/" + std::string(name))
    {
        std::filesystem::create_directories(place);
        test::writeSampleMap(place, "Alps.cal", {.name = "Alps"});
        test::writeSampleMap(place, "coast.cal", {.name = "Coast"});
        if (listed) {
            settings.writeInt(settings::kSettings, settings::kFolderCount, 1);
            settings.writeString(settings::kFolder, settings::folderKey(0), folder());
        }
    }
    std::string folder() const { return place; }

    QTemporaryDir dir;
    std::string place;
    test::MemorySettings settings;
};

} // namespace

class ManagerSheetTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesButtonsAndEnter();
    void runThroughTheWidgetsReachesTheManager();
    void popupCommandsActOnTheClickedRow();
    void toursPopupExportsTheClickedTour_data();
    void toursPopupExportsTheClickedTour();
    void namesShowWhole_data();
    void namesShowWhole();
    void folderTreeListsAheadAndOpensAlong();
};

void ManagerSheetTest::initTestCase()
{
    // Icons are told apart by their pictures.
    QVERIFY(!imageOf(icons::state(0)).isNull());
    QVERIFY(imageOf(icons::state(0)) != imageOf(icons::state(1)));
    QVERIFY(imageOf(icons::state(1)) != imageOf(icons::state(2)));
    QVERIFY(imageOf(icons::folderOpen()) != imageOf(icons::folderClosed()));
}

void ManagerSheetTest::pagesButtonsAndEnter()
{
    test::MemorySettings settings;
    settings.writeInt(settings::kSettings, settings::kFolderCount, 1);
    settings.writeString(settings::kFolder, settings::folderKey(0), "/maps/K\xF6ln");
    cl_Manager manager(settings);
    ManagerSheet sheet(manager);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));

    QCOMPARE(sheet.windowTitle(), "Manager");
    QVERIFY(sheet.isModal());
    QTabWidget& tabs = sheet.tabs();
    QCOMPARE(tabs.count(), 3);
    QCOMPARE(tabs.tabText(0), "Maps");
    QCOMPARE(tabs.tabText(1), "Tours");
    QCOMPARE(tabs.tabText(2), "Map/Tour Folder");
    QCOMPARE(tabs.widget(0), &sheet.mapsPage());
    QCOMPARE(tabs.widget(1), &sheet.toursPage());
    QCOMPARE(tabs.widget(2), &sheet.foldersPage());
    QCOMPARE(sheet.mapsPage().list().selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(sheet.toursPage().list().selectionMode(), QAbstractItemView::ExtendedSelection);
    QCOMPARE(sheet.okButton().text(), "OK");
    QCOMPARE(sheet.cancelButton().text(), "Cancel");
    QVERIFY(sheet.okButton().x() < sheet.cancelButton().x());
    QVERIFY(sheet.cancelButton().x() < sheet.actionButton().x());

    QCOMPARE(sheet.actionButton().text(), "Search");
    QVERIFY(sheet.actionButton().isEnabled());
    QVERIFY(sheet.okButton().isDefault());

    tabs.setCurrentIndex(2);
    QCOMPARE(sheet.actionButton().text(), "Apply");
    QVERIFY(sheet.actionButton().isEnabled());
    QVERIFY(sheet.foldersPage().addButton().isDefault());
    QVERIFY(!sheet.okButton().isDefault());
    // Typing reaches the page at once; Enter adds and leaves the sheet open.
    QLineEdit& edit = sheet.foldersPage().folderEdit();
    // A folder shown as text keeps its bytes while the text is typed around it.
    QCOMPARE(edit.text(), "/maps/K\u00F6ln;");
    QTest::keyClicks(&edit, "/x;");
    QCOMPARE(manager.folderPage().folderText(), "/maps/K\xF6ln;/x;");
    QTest::keyClick(&edit, Qt::Key_Return);
    QVERIFY(sheet.isVisible());
    QCOMPARE(edit.text(), "/maps/K\u00F6ln;/x;");

    tabs.setCurrentIndex(1);
    QCOMPARE(sheet.actionButton().text(), "Search");
    QVERIFY(sheet.okButton().isDefault());

    // Cancel drops the typed folders.
    QTest::mouseClick(&sheet.cancelButton(), Qt::LeftButton);
    QCOMPARE(sheet.result(), QDialog::Rejected);
    QCOMPARE(manager.folderList(), "/maps/K\xF6ln;");
}

// In a folder named in Latin-1: its bytes reach the manager unchanged.
void ManagerSheetTest::runThroughTheWidgetsReachesTheManager()
{
    Maps maps(false, "K\xF6ln");
    const QString folder = displayText(maps.folder());
    maps.settings.writeString(settings::kFolderStrings, settings::kLastSelectedFolder, maps.folder() + "/");
    cl_Manager manager(maps.settings);
    {
        ManagerSheet sheet(manager);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));

        sheet.tabs().setCurrentIndex(2);
        FolderPageWidget& folders = sheet.foldersPage();
        QTreeWidgetItem* item = itemAlong(folders.folderTree().root(), folder);
        QVERIFY(item);
        QVERIFY(item->isExpanded());
        QVERIFY(!item->isSelected());
        folders.tree().setCurrentItem(item);
        QCOMPARE(imageOf(item->icon(0)), imageOf(icons::folderOpen()));
        QTest::mouseClick(&folders.addButton(), Qt::LeftButton);
        QCOMPARE(folders.folderEdit().text(), folder + ";");
        QTest::mouseClick(&sheet.actionButton(), Qt::LeftButton);
        QVERIFY(!sheet.actionButton().isEnabled());

        sheet.tabs().setCurrentIndex(0);
        QCOMPARE(sheet.actionButton().text(), "Search");
        QTest::mouseClick(&sheet.actionButton(), Qt::LeftButton);
        QListWidget& list = sheet.mapsPage().list();
        QCOMPARE(listed(list), "Alps:0 Coast:0");
        clickRow(list, 1);
        QCOMPARE(listed(list), "Alps:0 Coast:1");
        QVERIFY(list.selectedItems().isEmpty());
        choose(sheet.mapsPage(), 0, "Show");
        QCOMPARE(listed(list), "Alps:2 Coast:1");

        QTest::mouseClick(&sheet.okButton(), Qt::LeftButton);
        QCOMPARE(sheet.result(), QDialog::Accepted);
        QVERIFY(!sheet.isVisible());
    }
    QCOMPARE(manager.maps().size(), 2u);
    QCOMPARE(manager.selectedMap(), manager.maps().at("Alps"));
    QCOMPARE(manager.folderList(), maps.folder() + ";");
}

void ManagerSheetTest::popupCommandsActOnTheClickedRow()
{
    Maps maps(true);
    cl_Manager manager(maps.settings);
    ManagerSheet sheet(manager);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QTest::mouseClick(&sheet.actionButton(), Qt::LeftButton);
    ListPageWidget& page = sheet.mapsPage();

    // Below the last entry there is nothing to act on.
    rightClick(page.list(), page.list().viewport()->rect().bottomRight() - QPoint(2, 2));
    QVERIFY(!QApplication::activePopupWidget());

    test::ScriptedRenamePrompt renamer;
    renamer.choices.push_back("Bergland");
    choose(page, 0, "Rename");
    QVERIFY(renamer.asked == std::vector<std::string>{"Alps"});
    QCOMPARE(listed(page.list()), "Bergland:0 Coast:0");

    test::ScriptedAnswerer answerer;
    answerer.answers.push_back(kAnswerYes);
    choose(page, 1, "Delete");
    QCOMPARE(answerer.shown.size(), 1u);
    QCOMPARE(listed(page.list()), "Bergland:0");

    QString shownBody;
    QTimer::singleShot(0, this, [&shownBody] {
        if (auto* dialog = qobject_cast<PropertiesDialog*>(QApplication::activeModalWidget())) {
            shownBody = dialog->body();
            dialog->reject();
        }
    });
    choose(page, 0, "Properties");
    QCOMPARE(shownBody, displayText(manager.mapList().properties(0)->body));
    QVERIFY(sheet.isVisible());
}

void ManagerSheetTest::toursPopupExportsTheClickedTour_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("points");
    QTest::newRow("first tour") << 0 << "Coastline"
                                << "53.01000,9.12000";
    QTest::newRow("second tour") << 1 << "Ridge"
                                 << "53.03000,9.15000 53.02000,9.16000";
}

void ManagerSheetTest::toursPopupExportsTheClickedTour()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, points);
    Maps maps(true);
    std::ofstream(fsPath(maps.dir.path()) / "Coastline.TXT") << "53.01,9.12,0\r\n";
    std::ofstream(fsPath(maps.dir.path()) / "Ridge.TXT") << "53.03,9.15,0\r\n53.02,9.16,0\r\n";
    cl_Manager manager(maps.settings);
    ManagerSheet sheet(manager);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    sheet.tabs().setCurrentIndex(1);
    QTest::mouseClick(&sheet.actionButton(), Qt::LeftButton);
    ListPageWidget& page = sheet.toursPage();
    const QString before = listed(page.list());
    QCOMPARE(before, "Coastline:0 Ridge:0");

    test::ScriptedSavePrompt prompt;
    // Typed without an extension: ".gpx" is added.
    prompt.choices.push_back(maps.folder() + "/exported");
    choose(page, row, "Export GPX\u2026");
    QCOMPARE(prompt.requests.size(), 1u);
    QCOMPARE(QString::fromStdString(prompt.requests[0].initialName), name + ".gpx");

    const GpxContent content = readGpxFile(fsPath(maps.dir.path()) / "exported.gpx");
    QVERIFY2(content.ok(), content.problem.c_str());
    QStringList written;
    for (const GeoPoint& point : content.paths[0].points)
        written << QString::number(point.latitude, 'f', 5) + u',' + QString::number(point.longitude, 'f', 5);
    QCOMPARE(QString::fromStdString(content.paths[0].name), name);
    QCOMPARE(written.join(u' '), points);
    QCOMPARE(listed(page.list()), before);
    QVERIFY(manager.tourList().currentIndex() < 0);
    QVERIFY(std::ranges::none_of(sheet.mapsPage().popup().actions(),
                                 [](const QAction* action) { return action->text().startsWith("Export"); }));
}

void ManagerSheetTest::namesShowWhole_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("long name, then a short one") << QStringList{"Sample East", "Zeta"};
    QTest::newRow("long name last") << QStringList{"Ab", "Sample Eastern Range"};
}

void ManagerSheetTest::namesShowWhole()
{
    QFETCH(QStringList, names);
    Maps maps(true);
    for (const QString& name : names)
        test::writeSampleMap(fsPath(maps.dir.path()), (name + ".cal").toStdString(), {.name = name.toStdString()});
    cl_Manager manager(maps.settings);
    ManagerSheet sheet(manager);
    sheet.resize(900, 400);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QTest::mouseClick(&sheet.actionButton(), Qt::LeftButton);

    QListWidget& list = sheet.mapsPage().list();
    const QFontMetrics metrics(list.font());
    for (int row = 0; row < list.count(); ++row) {
        const QListWidgetItem* item = list.item(row);
        const int needed = list.iconSize().width() + metrics.horizontalAdvance(item->text());
        QVERIFY2(list.visualItemRect(item).width() > needed, qPrintable(item->text()));
    }
}

void ManagerSheetTest::folderTreeListsAheadAndOpensAlong()
{
    QTemporaryDir dir;
    const std::string base = dir.path().toStdString() + "/";
    for (const char* folder : {"b/sub/deeper", "A/deep", ".hidden", "K\xF6ln/sub"})
        QVERIFY(std::filesystem::create_directories(base + folder));
    QTreeWidget widget;
    FolderTree tree(widget);

    tree.build(base + "A/");
    QTreeWidgetItem* root = tree.root();
    QCOMPARE(root->text(0), "My Computer");
    QVERIFY(root->isExpanded());
    QCOMPARE(root->child(0)->text(0), "/");
    QCOMPARE(root->child(root->childCount() - 1)->text(0), QDir::toNativeSeparators(QDir::homePath()));
    QVERIFY(tree.pathOf(root).empty());
    QCOMPARE(tree.pathOf(root->child(0)), "/");

    QTreeWidgetItem* folder = itemAlong(root, dir.path());
    QVERIFY(folder);
    // A name that is not UTF-8 shows as Windows-1252 and keeps its bytes.
    QCOMPARE(childTexts(folder), QStringList({"A", "b", "K\u00F6ln"}));
    QTreeWidgetItem* a = folder->child(0);
    QTreeWidgetItem* b = folder->child(1);
    QVERIFY(a->isExpanded());
    QVERIFY(!b->isExpanded());
    QVERIFY(widget.selectedItems().isEmpty());
    QCOMPARE(tree.pathOf(a), base + "A/");
    QCOMPARE(tree.pathOf(folder->child(2)), base + "K\xF6ln/");
    // One level ahead of what is open, and further when opened.
    QCOMPARE(childTexts(a), QStringList{"deep"});
    QCOMPARE(childTexts(b), QStringList{"sub"});
    QCOMPARE(b->child(0)->childCount(), 0);
    b->setExpanded(true);
    QCOMPARE(childTexts(b->child(0)), QStringList{"deeper"});

    std::filesystem::remove_all(base + "b");
    QVERIFY(tree.pathOf(b).empty());

    tree.build(base + "K\xF6ln/sub/");
    folder = itemAlong(tree.root(), dir.path());
    QVERIFY(folder && folder->childCount() == 2);
    QVERIFY(folder->child(1)->isExpanded());

    // Names match exactly; the first one missing ends the way.
    tree.build(base + "a/deep/");
    folder = itemAlong(tree.root(), dir.path());
    QVERIFY(folder);
    QVERIFY(folder->isExpanded());
    QCOMPARE(childTexts(folder), QStringList({"A", "K\u00F6ln"}));
    QVERIFY(!folder->child(0)->isExpanded());
}

QTEST_MAIN(ManagerSheetTest)
#include "manager_sheet_test.moc"
