// The program's own viewer for its compiled help files: the table of
// contents and the index beside the page, with Back, Forward and Home.
#pragma once

#include "help/help_viewer.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;

namespace rovanta {

class ChmArchive;
class HelpBrowser;

class HelpWindow : public QMainWindow, public HelpViewer {
    Q_OBJECT

public:
    /// A window of its own that `owner` (the main window) owns; hidden until
    /// a topic is shown.
    explicit HelpWindow(QWidget* owner);
    ~HelpWindow() override;

    void displayTopic(const std::string& topic) override;

    HelpBrowser& browser() { return *browser_; }
    QTreeWidget& contents() { return *contents_; }
    QListWidget& index() { return *index_; }
    /// The open help file (absolute), or empty.
    QString currentFile() const;
    /// The shown page's path inside the file ("/HTML/Eng/Maps.htm"), or empty.
    QString currentPage() const;
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }
    QAction* homeAction() const { return home_; }

private:
    [[nodiscard]] bool openFile(const std::filesystem::path& file);
    void fillContents();
    void fillIndex();
    std::string startPage() const;
    void showPage(const std::string& page);
    void showItemPage(const QVariant& page);
    void selectFirstKeyword(const QString& text);
    void selectShownPageInContents(const QUrl& source);

    std::unique_ptr<ChmArchive> archive_;
    std::filesystem::path file_;
    std::filesystem::file_time_type fileTime_;
    std::uintmax_t fileSize_ = 0;
    bool reopened_ = false;

    QTabWidget* tabs_;
    QTreeWidget* contents_;
    QLineEdit* filter_;
    QListWidget* index_;
    HelpBrowser* browser_;
    QAction* back_;
    QAction* forward_;
    QAction* home_;
};

} // namespace rovanta
