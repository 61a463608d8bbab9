// The help window on the program's own compiled help files: contents, index,
// links inside the file, history, and topics that cannot be shown.
#include "help/chm_archive.h"
#include "help/help_contents.h"
#include "help/qt/help_browser.h"
#include "help/qt/help_window.h"

#include <QtTest>

#include <QAction>
#include <QDesktopServices>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBlock>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace rovanta;

namespace {

const std::string kHelpDir = ROVANTA_HELP_BUILD_DIR;
const std::string kEnglish = kHelpDir + "/RovantaENG.chm";
const std::string kGerman = kHelpDir + "/RovantaDEU.chm";

QString pageOf(const QTreeWidgetItem* item)
{
    return item->data(0, Qt::UserRole).toString();
}

// The images of the shown page, as its HTML names them.
QStringList imageNames(const QTextDocument& document)
{
    QStringList found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat())
                found << format.toImageFormat().name();
        }
    }
    return found;
}

QString heading(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text().trimmed();
    }
    return {};
}

// Clicks the shown page's first link to another page of the same file;
// false when there is none.
bool clickPageLink(QTextBrowser& browser)
{
    const QTextDocument& document = *browser.document();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QUrl url(fragment.charFormat().anchorHref());
            if (!fragment.charFormat().isAnchor() || !url.isRelative() || url.path().isEmpty())
                continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser.ensureCursorVisible();
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.cursorRect(cursor).center());
            return true;
        }
    }
    return false;
}

class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened << url; }

public:
    QList<QUrl> opened;
};

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheTopicBesideTheFilesContents();
    void startsAtTheDefaultTopicAndFollowsLinksBackAndForth();
    void contentsAndIndexShowTheirPages();
    void loadsImagesAndStyleSheetsFromTheFile();
    void unreadableFilesShowNothing();
    void anotherFileReplacesContentsAndHistory();
    void missingPagesAndExternalLinksDoNotLeaveTheFile();
    void decodesPagesByTheirCharset_data();
    void decodesPagesByTheirCharset();

private:
    QWidget owner_;
};

void HelpWindowTest::showsTheTopicBesideTheFilesContents()
{
    HelpWindow window(&owner_);
    QVERIFY(!window.isVisible());
    window.displayTopic(kEnglish + "::/HTML/Eng/Maps.htm");
    QVERIFY(window.isVisible());
    QVERIFY(window.isWindow());
    QCOMPARE(window.parent(), &owner_);
    QCOMPARE(window.currentFile(), QFileInfo(QString::fromStdString(kEnglish)).absoluteFilePath());
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/Maps.htm"));
    QVERIFY(!heading(*window.browser().document()).isEmpty());

    const auto archive = ChmArchive::open(kEnglish);
    QVERIFY(archive);
    QCOMPARE(window.windowTitle(), QString::fromStdString(archive->title()));
    // The tree holds the file's entries at their depths, in file order.
    QStringList tree;
    for (QTreeWidgetItemIterator it(&window.contents()); *it; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
            ++depth;
        tree << QString("%1%2").arg(depth).arg((*it)->text(0));
    }
    QStringList file;
    for (const HelpEntry& entry : parseSitemap(archive->read(archive->contentsFile()).value_or("")))
        file << QString("%1%2").arg(entry.depth).arg(QString::fromStdString(entry.name));
    QVERIFY(!tree.isEmpty());
    QCOMPARE(tree, file);
    QVERIFY(window.contents().currentItem());
    QCOMPARE(pageOf(window.contents().currentItem()), window.currentPage());
}

void HelpWindowTest::startsAtTheDefaultTopicAndFollowsLinksBackAndForth()
{
    HelpWindow window(&owner_);
    window.displayTopic(kEnglish);
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/index.htm"));
    QVERIFY(!window.backAction()->isEnabled());

    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY2(clickPageLink(window.browser()), "the start page links to no other page");
    const QString target = window.currentPage();
    QVERIFY(target.startsWith("/HTML/Eng/") && target != "/HTML/Eng/index.htm");
    QCOMPARE(window.currentFile(), QFileInfo(QString::fromStdString(kEnglish)).absoluteFilePath());
    QVERIFY(!heading(*window.browser().document()).isEmpty());

    QVERIFY(window.backAction()->isEnabled());
    QVERIFY(!window.forwardAction()->isEnabled());
    window.backAction()->trigger();
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/index.htm"));
    QVERIFY(window.forwardAction()->isEnabled());
    window.forwardAction()->trigger();
    QCOMPARE(window.currentPage(), target);
    QCOMPARE(window.backAction()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Left));
    QCOMPARE(window.forwardAction()->shortcut(), QKeySequence(Qt::ALT | Qt::Key_Right));
    window.homeAction()->trigger();
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/index.htm"));
}

void HelpWindowTest::contentsAndIndexShowTheirPages()
{
    HelpWindow window(&owner_);
    window.displayTopic(kEnglish);
    QTreeWidgetItem* other = nullptr;
    for (QTreeWidgetItemIterator it(&window.contents()); *it && !other; ++it) {
        if (!pageOf(*it).isEmpty() && pageOf(*it) != window.currentPage())
            other = *it;
    }
    QVERIFY(other);
    window.contents().scrollToItem(other);
    QTest::mouseClick(window.contents().viewport(), Qt::LeftButton, {},
                      window.contents().visualItemRect(other).center());
    QCOMPARE(window.currentPage(), pageOf(other).section('#', 0, 0));

    QVERIFY(window.index().count() > 0);
    const QListWidgetItem* first = window.index().item(0);
    auto* filter = window.findChild<QLineEdit*>("helpIndexFilter");
    QVERIFY(filter);
    window.index().setCurrentRow(window.index().count() - 1);
    QTest::keyClicks(filter, first->text().trimmed());
    QCOMPARE(window.index().currentItem(), first);
    window.browser().setSource(QUrl("/HTML/Eng/index.htm"));
    QTest::keyClick(filter, Qt::Key_Return);
    QCOMPARE(window.currentPage(), first->data(Qt::UserRole).toString().section('#', 0, 0));
}

void HelpWindowTest::loadsImagesAndStyleSheetsFromTheFile()
{
    HelpWindow window(&owner_);
    window.displayTopic(kEnglish);
    HelpBrowser& browser = window.browser();
    QVERIFY(browser.loadResource(QTextDocument::StyleSheetResource, QUrl("../rovanta.css")).toString().size() > 0);
    QVERIFY(browser.loadResource(QTextDocument::ImageResource, QUrl("../rovanta.css")).isNull());

    // The first page of the contents that shows an image.
    QStringList pages;
    for (QTreeWidgetItemIterator it(&window.contents()); *it; ++it)
        pages << pageOf(*it);
    for (const QString& page : pages) {
        window.displayTopic(kEnglish + "::" + page.toStdString());
        const QStringList images = imageNames(*browser.document());
        if (images.isEmpty())
            continue;
        const QVariant image = browser.loadResource(QTextDocument::ImageResource, QUrl(images.front()));
        QVERIFY2(!image.value<QImage>().isNull(), qPrintable(page + ": " + images.front()));
        return;
    }
    QSKIP("no page of the help file shows an image yet");
}

void HelpWindowTest::unreadableFilesShowNothing()
{
    QTemporaryDir folder;
    QFile garbage(folder.filePath("garbage.chm"));
    QVERIFY(garbage.open(QIODevice::WriteOnly) && garbage.write(QByteArray(4096, 'x')) == 4096);
    garbage.close();

    HelpWindow window(&owner_);
    window.displayTopic("missing.chm");
    window.displayTopic(folder.filePath("garbage.chm").toStdString() + "::/HTML/Eng/Maps.htm");
    QVERIFY(!window.isVisible());
    QVERIFY(window.currentFile().isEmpty());
    QCOMPARE(window.contents().topLevelItemCount(), 0);

    // An open file stays as it was.
    window.displayTopic(kEnglish + "::/HTML/Eng/Maps.htm");
    window.hide();
    window.displayTopic("missing.chm::/HTML/Eng/index.htm");
    QVERIFY(!window.isVisible());
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/Maps.htm"));
}

void HelpWindowTest::anotherFileReplacesContentsAndHistory()
{
    HelpWindow window(&owner_);
    window.displayTopic(kEnglish);
    window.displayTopic(kEnglish + "::/HTML/Eng/Maps.htm");
    QVERIFY(window.backAction()->isEnabled());

    window.displayTopic(kGerman);
    QCOMPARE(window.currentFile(), QFileInfo(QString::fromStdString(kGerman)).absoluteFilePath());
    QCOMPARE(window.currentPage(), QString("/HTML/Ger/index.htm"));
    QVERIFY(!window.backAction()->isEnabled());
    QVERIFY(window.contents().topLevelItemCount() > 0);
    for (QTreeWidgetItemIterator it(&window.contents()); *it; ++it)
        QVERIFY2(pageOf(*it).isEmpty() || pageOf(*it).startsWith("/HTML/Ger/"), qPrintable(pageOf(*it)));

    // A file that changed on disk is read again.
    QTemporaryDir folder;
    const QString copy = folder.filePath("Rovanta.chm");
    QVERIFY(QFile::copy(QString::fromStdString(kEnglish), copy));
    window.displayTopic(copy.toStdString());
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/index.htm"));
    QVERIFY(QFile::remove(copy) && QFile::copy(QString::fromStdString(kGerman), copy));
    QFile changed(copy);
    QVERIFY(changed.open(QIODevice::ReadWrite));
    QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    changed.close();
    window.displayTopic(copy.toStdString());
    QCOMPARE(window.currentPage(), QString("/HTML/Ger/index.htm"));
}

void HelpWindowTest::missingPagesAndExternalLinksDoNotLeaveTheFile()
{
    HelpWindow window(&owner_);
    window.displayTopic(kEnglish + "::/HTML/Eng/NoSuchPage.htm");
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/NoSuchPage.htm"));
    QVERIFY(!heading(*window.browser().document()).isEmpty());

    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "open");
    window.browser().setSource(QUrl("https://example.org/maps"));
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(recorder.opened, QList<QUrl>{QUrl("https://example.org/maps")});
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/NoSuchPage.htm"));

    window.browser().setSource(QUrl("file:///etc/hostname"));
    QCOMPARE(window.currentPage(), QString("/HTML/Eng/NoSuchPage.htm"));
}

void HelpWindowTest::decodesPagesByTheirCharset_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("Utf8") << QByteArray("<p>M\xC3\xA4rz") << QString("<p>M\u00E4rz");
    QTest::newRow("Windows1252") << QByteArray("<p>M\xE4rz \x80") << QString("<p>M\u00E4rz \u20AC");
    QTest::newRow("DeclaredLatin1") << QByteArray("<meta charset=iso-8859-1><p>\xC3\xA4")
                                    << QString("<meta charset=iso-8859-1><p>\u00C3\u00A4");
    QTest::newRow("DeclaredInContentType")
        << QByteArray("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\"><p>\xC3\xA4")
        << QString("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\"><p>\u00E4");
}

void HelpWindowTest::decodesPagesByTheirCharset()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(HelpBrowser::decodePage(bytes), text);
}

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"
