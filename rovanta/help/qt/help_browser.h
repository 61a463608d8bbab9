// Shows the pages of an open help file: pages, images and style sheets come
// out of the archive under "chm:" URLs, so relative links resolve as in a
// browser; links to the web open in the user's browser.
#pragma once

#include <QTextBrowser>

#include <string_view>

namespace rovanta {

class ChmArchive;

class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    static constexpr const char* kScheme = "chm";

    explicit HelpBrowser(QWidget* parent = nullptr);

    /// The archive the pages come from; not owned, nullptr for none. The
    /// caller shows a page of the new archive next.
    void setArchive(const ChmArchive* archive);

    /// "chm:/HTML/Eng/Maps.htm#Scale" for the object path (UTF-8) with an
    /// optional fragment.
    static QUrl pageUrl(std::string_view objectPath);

    /// A page's text: in its declared charset, else UTF-8 when it is valid
    /// UTF-8, else Windows-1252.
    static QString decodePage(const QByteArray& bytes);

    QVariant loadResource(int type, const QUrl& name) override;

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;

private:
    const ChmArchive* archive_ = nullptr;
    QUrl page_; ///< the page loaded last, which relative names refer to
};

} // namespace rovanta
