#include "help/qt/help_window.h"

#include "common/display_text.h"
#include "common/file_names.h"
#include "help/chm_archive.h"
#include "help/help_contents.h"
#include "help/qt/help_browser.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include <system_error>
#include <vector>

namespace rovanta {
namespace {

namespace fs = std::filesystem;

// Items keep their page's object path, fragment included; index items also
// their keyword without the indentation of sub-keywords.
constexpr int kPageRole = Qt::UserRole;
constexpr int kKeywordRole = Qt::UserRole + 1;

QString pageWithoutFragment(const QString& page)
{
    return page.left(page.indexOf('#'));
}

std::vector<HelpEntry> readSitemap(const ChmArchive& archive, const std::string& file)
{
    if (file.empty())
        return {};
    return parseSitemap(archive.read(file).value_or(std::string()));
}

QVariant pageData(const HelpEntry& entry)
{
    return entry.local.empty() ? QVariant() : QVariant(QString::fromStdString(helpPagePath(entry.local)));
}

} // namespace

HelpWindow::HelpWindow(QWidget* owner)
    : QMainWindow(owner, Qt::Window), tabs_(new QTabWidget), contents_(new QTreeWidget), filter_(new QLineEdit),
      index_(new QListWidget), browser_(new HelpBrowser)
{
    setObjectName("helpWindow");
    setWindowTitle(tr("Rovanta Help"));
    resize(900, 650);

    contents_->setObjectName("helpContents");
    contents_->setHeaderHidden(true);
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { showItemPage(item->data(0, kPageRole)); });
    connect(contents_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { showItemPage(item->data(0, kPageRole)); });

    filter_->setObjectName("helpIndexFilter");
    filter_->setPlaceholderText(tr("Type in the keyword to find"));
    filter_->setClearButtonEnabled(true);
    index_->setObjectName("helpIndex");
    connect(filter_, &QLineEdit::textEdited, this, &HelpWindow::selectFirstKeyword);
    connect(filter_, &QLineEdit::returnPressed, this, [this] {
        if (const QListWidgetItem* item = index_->currentItem())
            showItemPage(item->data(kPageRole));
    });
    connect(index_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showItemPage(item->data(kPageRole)); });
    auto* indexPage = new QWidget;
    auto* indexLayout = new QVBoxLayout(indexPage);
    indexLayout->setContentsMargins(0, 0, 0, 0);
    indexLayout->addWidget(filter_);
    indexLayout->addWidget(index_);

    tabs_->setObjectName("helpTabs");
    tabs_->addTab(contents_, tr("Contents"));
    tabs_->addTab(indexPage, tr("Index"));

    auto* splitter = new QSplitter;
    splitter->setObjectName("helpSplitter");
    splitter->addWidget(tabs_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    setCentralWidget(splitter);

    QToolBar* toolBar = addToolBar(tr("Navigation"));
    toolBar->setObjectName("helpToolBar");
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"), browser_, &QTextBrowser::backward);
    back_->setObjectName("helpBack");
    back_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    back_->setEnabled(false);
    forward_ = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"), browser_,
                                  &QTextBrowser::forward);
    forward_->setObjectName("helpForward");
    forward_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    forward_->setEnabled(false);
    home_ = toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Home"), this,
                               [this] { showPage(startPage()); });
    home_->setObjectName("helpHome");
    home_->setEnabled(false);

    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::selectShownPageInContents);
}

HelpWindow::~HelpWindow() = default;

void HelpWindow::displayTopic(const std::string& topic)
{
    const std::size_t separator = topic.find("::");
    if (!openFile(toFsPath(topic.substr(0, separator))))
        return;
    const std::string page = separator == std::string::npos ? std::string() : topic.substr(separator + 2);
    showPage(page.empty() ? startPage() : page);
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

QString HelpWindow::currentFile() const
{
    return file_.empty() ? QString() : QString::fromStdString(toUtf8(file_));
}

QString HelpWindow::currentPage() const
{
    const QUrl source = browser_->source();
    return source.scheme() == HelpBrowser::kScheme ? source.path(QUrl::FullyDecoded) : QString();
}

bool HelpWindow::openFile(const fs::path& file)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error).lexically_normal();
    const fs::file_time_type time = fs::last_write_time(absolute, error);
    const std::uintmax_t size = error ? 0 : fs::file_size(absolute, error);
    if (error)
        return false;
    // The same file, unchanged: keep it open, and the history with it.
    if (archive_ && fs::equivalent(absolute, file_, error) && time == fileTime_ && size == fileSize_)
        return true;
    std::unique_ptr<ChmArchive> archive = ChmArchive::open(absolute);
    if (!archive)
        return false;
    archive_ = std::move(archive);
    file_ = absolute;
    fileTime_ = time;
    fileSize_ = size;
    reopened_ = true;
    browser_->setArchive(archive_.get());
    const std::string title = archive_->title();
    setWindowTitle(title.empty() ? tr("Rovanta Help") : QString::fromStdString(toDisplayUtf8(title)));
    fillContents();
    fillIndex();
    home_->setEnabled(true);
    return true;
}

void HelpWindow::fillContents()
{
    contents_->clear();
    // The innermost open item of each depth; a jump of several levels
    // hangs below the deepest item there is.
    std::vector<QTreeWidgetItem*> parents;
    for (const HelpEntry& entry : readSitemap(*archive_, archive_->contentsFile())) {
        parents.resize(std::min(parents.size(), static_cast<std::size_t>(entry.depth)));
        auto* item = parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
        item->setText(0, QString::fromStdString(entry.name));
        item->setData(0, kPageRole, pageData(entry));
        parents.push_back(item);
    }
    contents_->expandAll();
}

void HelpWindow::fillIndex()
{
    index_->clear();
    filter_->clear();
    for (const HelpEntry& entry : readSitemap(*archive_, archive_->indexFile())) {
        const QString keyword = QString::fromStdString(entry.name);
        auto* item = new QListWidgetItem(QString(4 * entry.depth, ' ') + keyword, index_);
        item->setData(kPageRole, pageData(entry));
        item->setData(kKeywordRole, keyword);
    }
}

std::string HelpWindow::startPage() const
{
    if (!archive_)
        return {};
    if (std::string start = archive_->defaultTopic(); !start.empty())
        return start;
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        if (const QVariant page = (*it)->data(0, kPageRole); page.isValid())
            return page.toString().toStdString();
    }
    return {};
}

void HelpWindow::showPage(const std::string& page)
{
    if (page.empty())
        return;
    const QUrl url = HelpBrowser::pageUrl(helpPagePath(page));
    const bool shownBefore = browser_->source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment);
    browser_->setSource(url);
    if (reopened_) {
        // A page of the file that was open before would not load again.
        if (shownBefore)
            browser_->reload();
        browser_->clearHistory();
        reopened_ = false;
    }
}

void HelpWindow::showItemPage(const QVariant& page)
{
    if (page.isValid())
        showPage(page.toString().toStdString());
}

void HelpWindow::selectFirstKeyword(const QString& text)
{
    if (text.isEmpty())
        return;
    QListWidgetItem* found = nullptr;
    for (int row = 0; row < index_->count() && !found; ++row) {
        if (index_->item(row)->data(kKeywordRole).toString().startsWith(text, Qt::CaseInsensitive))
            found = index_->item(row);
    }
    if (found) {
        index_->setCurrentItem(found);
        index_->scrollToItem(found, QAbstractItemView::PositionAtTop);
    }
}

void HelpWindow::selectShownPageInContents(const QUrl& source)
{
    // source() may still be the previous page while the signal is sent.
    const QString page = source.path(QUrl::FullyDecoded);
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
        const QString itemPage = pageWithoutFragment((*it)->data(0, kPageRole).toString());
        if (!itemPage.isEmpty() && itemPage.compare(page, Qt::CaseInsensitive) == 0) {
            contents_->setCurrentItem(*it);
            contents_->scrollToItem(*it);
            return;
        }
    }
    contents_->clearSelection();
}

} // namespace rovanta
