// Draws the screenshots and icon pictures of the help pages from the
// program's own windows, on the offscreen platform with a fixed style, font
// and window sizes, so that the same sources give the same pictures.
// Usage: rovanta_help_screenshots OUTPUT_FOLDER
#include "app/qt/main_frame.h"
#include "app/qt/qt_settings_access.h"
#include "common/file_names.h"
#include "common/qt/display.h"
#include "common/qt/icons.h"
#include "dialogs/qt/remarks_dialog.h"
#include "dialogs/qt/tour_distances_dialog.h"
#include "manager/cl_manager.h"
#include "manager/folder_list.h"
#include "manager/qt/folder_page_widget.h"
#include "manager/qt/folder_tree.h"
#include "manager/qt/manager_sheet.h"
#include "navigation/qt/go_to_dialog.h"
#include "png_output.h"
#include "ports/message.h"
#include "resources/command_ids.h"
#include "view/qt/rovanta_view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {
using namespace rovanta;
using namespace rovanta::commands;

// The tree on the folders page lists the home folder; a made-up one keeps
// the account of whoever runs this out of the pictures.
constexpr char kHome[] = "/home/user";
constexpr int kFontPoints = 9;
// Three steps out from 1:1 a dozen tour points fit the window, and the map
// is still painted from the bitmap itself, not from the reductions that
// are built in the background.
constexpr int kZoomOutSteps = 3;

int failures = 0;

void fail(const QString& what)
{
    std::fprintf(stderr, "rovanta_help_screenshots: %s\n", qPrintable(what));
    ++failures;
}

// Any message means the pictures show something other than planned; the
// questions are answered No, so nothing is done unasked.
class FailingAnswerer : public MessageAnswerer {
public:
    int answer(const std::string& text, MessageType type) override
    {
        fail(QString::fromStdString(text));
        return type == kMessageYesNo ? kAnswerNo : kAnswerOk;
    }
};

void settle()
{
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

class Output {
public:
    explicit Output(QString folder) : folder_(std::move(folder)) {}

    void write(const QString& name, const QImage& image) const
    {
        const QString path = QDir(folder_).filePath(name);
        if (image.isNull())
            fail(QStringLiteral("nothing drawn for %1").arg(name));
        else if (!shots::writePng(image, path))
            fail(QStringLiteral("cannot write %1").arg(path));
    }
    void write(const QString& name, const QPixmap& pixmap) const { write(name, pixmap.toImage()); }

private:
    QString folder_;
};

template <class Page> int rowOf(const Page& page, const std::string& name)
{
    for (std::size_t row = 0; row < page.entries().size(); ++row) {
        if (page.entries()[row].text == name)
            return static_cast<int>(row);
    }
    return -1;
}

// What a user does on the sheet the first time: chooses the sample folder
// in the tree, adds and applies it, searches the maps and shows "Sample
// West" with "Sample East" checked beside it. The tour is opened in a
// second run.
void registerSampleFolder(cl_Manager& manager, const std::string& folder)
{
    manager.beginSheet();
    manager.showPage(SheetPage::kFolders);
    cl_Folder& folders = manager.folderPage();
    folders.setCurrentPath(folder + "/");
    folders.add();
    folders.apply();

    manager.showPage(SheetPage::kMaps);
    cl_MapList& maps = manager.mapList();
    maps.search();
    const int west = rowOf(maps, "Sample West");
    const int east = rowOf(maps, "Sample East");
    if (west < 0 || east < 0) {
        fail(QStringLiteral("the sample maps are missing in %1").arg(QString::fromStdString(folder)));
    } else {
        maps.toggle(east);
        maps.show(west);
    }
    manager.finishWithOk();
}

void openSampleTour(cl_Manager& manager)
{
    manager.beginSheet();
    manager.showPage(SheetPage::kTours);
    cl_TourList& tours = manager.tourList();
    tours.search();
    const int tour = rowOf(tours, "Sample Tour");
    if (tour < 0)
        fail(QStringLiteral("the sample tour is missing"));
    else
        tours.show(tour);
    manager.finishWithOk();
}

// The tour's points on the map shown, in canvas coordinates.
std::vector<IPoint> pointsOnMap(CRovantaView& view)
{
    std::vector<IPoint> points;
    const TourRecord tour = view.currentTour();
    const MapRecord map = view.currentMap();
    if (!tour || !map)
        return points;
    const BitmapInfo bitmap = map->getBitmapInfo();
    for (int i = 0; i < tour->getPointCount(); ++i) {
        const IPoint pixel = tour->getPoint(i)->pixel;
        if (pixel.x >= 0 && pixel.y >= 0 && pixel.x < bitmap.width && pixel.y < bitmap.height)
            points.push_back(view.pixelToWindow(pixel));
    }
    return points;
}

// The status bar then shows the position under the pointer.
void hoverMiddle(CRovantaView& view)
{
    QWidget* target = view.viewport();
    const QPointF middle = QRectF(target->rect()).center();
    QMouseEvent move(QEvent::MouseMove, middle, target->mapToGlobal(middle), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

void zoomOntoTour(CRovantaView& view)
{
    const std::vector<IPoint> points = pointsOnMap(view);
    if (points.empty()) {
        fail(QStringLiteral("no tour point on the map"));
        return;
    }
    QRect box;
    for (const IPoint& point : points)
        box |= QRect(point.x, point.y, 1, 1);
    view.zoomAt(kZoomOutStep, {box.center().x(), box.center().y()});
    for (int i = 1; i < kZoomOutSteps; ++i)
        view.zoomBy(kZoomOutStep);
    // The window shows map only, no white beside it.
    const IPoint origin = view.layout().targetOrigin();
    const ISize size = view.layout().targetSize();
    const QSize window = view.viewport()->size();
    const IPoint scroll = view.scrollPosition();
    view.scrollTo({std::clamp(scroll.x, origin.x, origin.x + size.width - window.width()),
                   std::clamp(scroll.y, origin.y, origin.y + size.height - window.height())});
}

// The bar as far as its buttons reach, cut from the window so that its
// background is the window's.
QImage toolBar(CMainFrame& frame)
{
    QToolBar& bar = frame.toolBar();
    QRect used;
    for (QAction* action : bar.actions())
        used |= bar.actionGeometry(action);
    constexpr int kMargin = 4;
    const QRect area(bar.mapTo(&frame, QPoint(0, 0)), QSize(used.right() + 1 + kMargin, bar.height()));
    return frame.grab(area).toImage();
}

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// The lock key panes show the keyboard's LEDs; the pictures show them off.
void clearLockKeyPanes(CMainFrame& frame)
{
    const QLabel* kept[] = {&frame.idleMessage(), &frame.positionPane(), &frame.utmPane(), &frame.scalePane()};
    for (QLabel* label : frame.statusBar()->findChildren<QLabel*>()) {
        if (std::ranges::find(kept, label) == std::end(kept))
            label->clear();
    }
}

QImage popupOnPoint(CMainFrame& frame)
{
    CRovantaView& view = frame.view();
    const std::vector<IPoint> points = pointsOnMap(view);
    const IPoint scroll = view.scrollPosition();
    const QPoint middle = view.viewport()->rect().center();
    QPoint target;
    int best = -1;
    for (const IPoint& point : points) {
        const QPoint at(point.x - scroll.x, point.y - scroll.y);
        const int distance = (at - middle).manhattanLength();
        if (best < 0 || distance < best) {
            best = distance;
            target = at;
        }
    }
    QImage image;
    view.setPopupRunner([&image](ViewPopup& popup, QPoint global) {
        for (const int id : {kInsertBeforeThis, kMoveThisPoint, kDeleteThisPoint}) {
            if (!popup.isMenuEnabled(id))
                fail(QStringLiteral("the popup's point commands are disabled"));
        }
        QMenu& menu = popup.menu();
        menu.popup(global);
        settle();
        image = menu.grab().toImage();
        menu.hide();
        return 0;
    });
    sendMouse(view.viewport(), QEvent::MouseButtonPress, target, Qt::RightButton, Qt::RightButton);
    sendMouse(view.viewport(), QEvent::MouseButtonRelease, target, Qt::RightButton, Qt::NoButton);
    settle();
    return image;
}

// A menu of the menu bar dropped down, over the window behind it.
QImage droppedMenu(CMainFrame& frame, const QString& title)
{
    QMenuBar* bar = frame.menuBar();
    QAction* item = nullptr;
    for (QAction* action : bar->actions()) {
        if (action->text() == title)
            item = action;
    }
    if (!item || !item->menu()) {
        fail(QStringLiteral("no menu ") + title);
        return {};
    }
    QMenu* menu = item->menu();
    bar->setActiveAction(item);
    settle();
    if (!menu->isVisible()) {
        fail(QStringLiteral("the menu %1 did not open").arg(title));
        return {};
    }
    const QImage window = frame.grab().toImage();
    const QImage dropped = menu->grab().toImage();
    const QPoint at = menu->pos() - frame.mapToGlobal(QPoint(0, 0));
    menu->hide();
    settle();

    constexpr int kMargin = 12;
    QImage image = window.copy(0, 0, at.x() + dropped.width() + kMargin, at.y() + dropped.height() + kMargin);
    QPainter painter(&image);
    painter.drawImage(at, dropped);
    return image;
}

// Only the way to the sample folder and its neighbours stay in the tree:
// the rest of the disk differs from one machine to the next.
void trimFolderTree(FolderPageWidget& page, const QString& folder)
{
    FolderTree& tree = page.folderTree();
    const QString wanted = QDir::toNativeSeparators(QDir::cleanPath(folder));
    QTreeWidgetItem* item = tree.root()->child(0);
    QTreeWidgetItem* sample = nullptr;
    while (item && !sample) {
        QTreeWidgetItem* next = nullptr;
        for (int i = 0; i < item->childCount(); ++i) {
            QTreeWidgetItem* child = item->child(i);
            const QString path = QDir::toNativeSeparators(QDir::cleanPath(qtPath(tree.pathOf(child))));
            if (path == wanted)
                sample = child;
            else if (wanted.startsWith(path + QDir::separator()))
                next = child;
        }
        if (!sample) {
            for (int i = 0; i < item->childCount(); ++i)
                item->child(i)->setHidden(item->child(i) != next);
        }
        item = next;
    }
    if (!sample) {
        fail(QStringLiteral("the sample folder is not in the tree"));
        return;
    }
    page.tree().setCurrentItem(sample);
    page.tree().scrollToTop();
}

void managerPages(CMainFrame& frame, const QString& folder, const Output& out)
{
    ManagerSheet sheet(frame.view().manager(), &frame);
    sheet.show();
    settle();
    const char* names[] = {"manager_maps.png", "manager_tours.png", "manager_folders.png"};
    for (int page = 0; page < 3; ++page) {
        sheet.tabs().setCurrentIndex(page);
        settle();
        if (page == 2) {
            trimFolderTree(sheet.foldersPage(), folder);
            settle();
        }
        out.write(QString::fromLatin1(names[page]), sheet.grab());
    }
    sheet.reject();
    settle();
}

void writeIcons(const Output& out)
{
    const std::pair<const char*, QIcon> pictures[] = {
        {"icon_manager.png", icons::command(kManager)},
        {"icon_new_tour.png", icons::command(kNewTour)},
        {"icon_tour_distances.png", icons::command(kTourDistances)},
        {"icon_save_tour.png", icons::command(kSaveTour)},
        {"icon_clear_tour.png", icons::command(kClearTour)},
        {"icon_about.png", icons::command(kAppAbout)},
        {"icon_context_help.png", icons::command(kContextHelp)},
        {"state_unchecked.png", icons::state(0)},
        {"state_checked.png", icons::state(1)},
        {"state_current.png", icons::state(2)},
        {"folder_closed.png", icons::folderClosed()},
        {"folder_open.png", icons::folderOpen()},
        {"drive.png", icons::drive()},
    };
    for (const auto& [name, icon] : pictures) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            icon.paint(&painter, image.rect());
        }
        out.write(QString::fromLatin1(name), image);
    }
}

void drawAll(const std::string& folder, const Output& out)
{
    // Settings of their own, thrown away afterwards: the user's stay untouched.
    const QTemporaryDir scratch;
    QtSettingsAccess settings(scratch.filePath(QStringLiteral("Rovanta.conf")));
    CMainFrame frame(settings);
    frame.show();
    settle();
    cl_Manager& manager = frame.view().manager();
    registerSampleFolder(manager, folder);
    frame.view().tourCommands().managerClosed(true);
    settle();
    openSampleTour(manager);
    frame.view().tourCommands().managerClosed(true);
    settle();
    // The first paint after the sheet centres the tour's first point.
    frame.grab();
    settle();
    zoomOntoTour(frame.view());
    settle();
    hoverMiddle(frame.view());
    settle();
    clearLockKeyPanes(frame);
    out.write(QStringLiteral("main_window.png"), frame.grab());
    out.write(QStringLiteral("toolbar.png"), toolBar(frame));
    out.write(QStringLiteral("tour_menu.png"), droppedMenu(frame, QStringLiteral("Tour")));
    // A point added in the window's middle names the step to undo; the
    // undo takes it away again for the pictures after this one.
    const QSize middle = frame.view().viewport()->size() / 2;
    frame.view().editor().doubleClick({middle.width(), middle.height()}, 0);
    settle();
    out.write(QStringLiteral("edit_menu.png"), droppedMenu(frame, QStringLiteral("&Edit")));
    frame.onCommand(kUndo);
    settle();
    out.write(QStringLiteral("view_popup.png"), popupOnPoint(frame));
    frame.view().setUtmGridShown(true);
    settle();
    // The viewport's grab carries an alpha channel it does not use.
    out.write(QStringLiteral("utm_grid.png"), frame.view().grab().toImage().convertToFormat(QImage::Format_RGB32));
    frame.view().setUtmGridShown(false);
    {
        GoToDialog dialog(QStringLiteral("47\u00B016.098' N 11\u00B023.598' E"), &frame);
        dialog.show();
        settle();
        out.write(QStringLiteral("go_to_position.png"), dialog.grab());
    }

    frame.onCommand(kTourDistances);
    settle();
    if (TourDistancesDialog* distances = frame.view().distancesDialog())
        out.write(QStringLiteral("tour_distances.png"), distances->grab());
    else
        fail(QStringLiteral("no distances table"));

    if (const TourRecord tour = frame.view().currentTour()) {
        std::vector<std::string> remarks = tour->getRemarks();
        RemarksDialog dialog(tour->name(), remarks, &frame);
        dialog.show();
        settle();
        // The first point clicked: its remark stands in the field for editing.
        if (auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("remarkList")); list && list->topLevelItem(0)) {
            const QPoint row = list->visualItemRect(list->topLevelItem(0)).center();
            sendMouse(list->viewport(), QEvent::MouseButtonPress, row, Qt::LeftButton, Qt::LeftButton);
            sendMouse(list->viewport(), QEvent::MouseButtonRelease, row, Qt::LeftButton, Qt::NoButton);
            settle();
        } else {
            fail(QStringLiteral("no remarks list"));
        }
        out.write(QStringLiteral("remarks.png"), dialog.grab());
        dialog.reject();
    } else {
        fail(QStringLiteral("no tour shown"));
    }

    managerPages(frame, QString::fromStdString(folder), out);
    writeIcons(out);
    frame.view().tourCommands().clearTour();
}

} // namespace

int main(int argc, char** argv)
{
    // Always the offscreen platform: no window decorations, no desktop
    // theme, one screen at 96 dpi.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", kHome);
    for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI", "QT_STYLE_OVERRIDE"})
        qunsetenv(name);
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (!QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "rovanta_help_screenshots: cannot make %s\n", argv[1]);
        return 1;
    }
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(QApplication::style()->standardPalette());
    const QFont font(QStringLiteral("DejaVu Sans"), kFontPoints);
    if (QFontInfo(font).family() != font.family())
        fail(QStringLiteral("no %1 font; the pictures will differ").arg(font.family()));
    QApplication::setFont(font);

    std::error_code error;
    const std::filesystem::path folder = std::filesystem::weakly_canonical(ROVANTA_SAMPLE_MAPS, error);
    if (error || !std::filesystem::is_directory(folder)) {
        std::fprintf(stderr, "rovanta_help_screenshots: no sample maps in %s\n", ROVANTA_SAMPLE_MAPS);
        return 1;
    }
    FailingAnswerer answerer;
    ScopedMessageAnswerer scope(answerer);
    drawAll(toUtf8(folder), Output(QString::fromLocal8Bit(argv[1])));
    return failures == 0 ? 0 : 1;
}
