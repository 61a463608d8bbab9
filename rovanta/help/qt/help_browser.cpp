#include "help/qt/help_browser.h"

#include "common/display_text.h"
#include "help/chm_archive.h"

#include <QDesktopServices>
#include <QImage>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>
#include <string>

namespace rovanta {
namespace {

bool isExternal(const QUrl& url)
{
    static const QStringList schemes = {"http", "https", "mailto", "ftp"};
    return schemes.contains(url.scheme(), Qt::CaseInsensitive);
}

// "<meta charset=...>" or "<meta http-equiv=Content-Type content='...; charset=...'>"
// near the top of the page.
QByteArray declaredCharset(const QByteArray& bytes)
{
    static const QRegularExpression pattern(R"(<meta\b[^>]*charset\s*=\s*["']?\s*([\w.:-]+))",
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(bytes.left(4096)));
    return match.hasMatch() ? match.captured(1).toLatin1().toLower() : QByteArray();
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName("helpBrowser");
    setOpenExternalLinks(false);
    setOpenLinks(true);
}

void HelpBrowser::setArchive(const ChmArchive* archive)
{
    archive_ = archive;
}

QUrl HelpBrowser::pageUrl(std::string_view objectPath)
{
    const std::size_t hash = objectPath.find('#');
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QString::fromUtf8(objectPath.substr(0, hash)), QUrl::DecodedMode);
    if (hash != std::string_view::npos)
        url.setFragment(QString::fromUtf8(objectPath.substr(hash + 1)), QUrl::DecodedMode);
    return url;
}

QString HelpBrowser::decodePage(const QByteArray& bytes)
{
    QByteArray charset = declaredCharset(bytes);
    // As in web browsers, pages labelled Latin-1 or ASCII are Windows-1252.
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii")
        charset = "windows-1252";
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return QString::fromStdString(toDisplayUtf8(std::string_view(bytes.constData(), bytes.size())));
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    const QUrl url = name.isRelative() ? page_.resolved(name) : name;
    const bool isPage = type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource;
    // Names usually arrive resolved; relative ones refer to the page loaded
    // last, as source() moves only after the page has loaded.
    if (isPage && url.scheme() == kScheme)
        page_ = url;
    // Everything comes out of the help file; nothing is fetched from the
    // disk or the network.
    if (url.scheme() != kScheme)
        return {};
    const QString path = url.path(QUrl::FullyDecoded);
    const std::optional<std::string> bytes = archive_ ? archive_->read(path.toStdString()) : std::nullopt;
    const QByteArray data = bytes ? QByteArray::fromStdString(*bytes) : QByteArray();
    switch (type) {
    case QTextDocument::ImageResource: {
        const QImage image = QImage::fromData(data);
        return image.isNull() ? QVariant() : QVariant(image);
    }
    case QTextDocument::StyleSheetResource:
        return bytes ? QVariant(decodePage(data)) : QVariant();
    default:
        if (bytes)
            return decodePage(data);
        return tr("<html><body><h1>Page not found</h1><p>The help file has no page %1.</p></body></html>")
            .arg(path.toHtmlEscaped());
    }
}

void HelpBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType type)
{
    const QUrl url = name.isRelative() ? page_.resolved(name) : name;
    if (isExternal(url)) {
        QDesktopServices::openUrl(url);
        return;
    }
    // Other schemes ("file:", another help file's "mk:@MSITStore:") would
    // leave the help file; they are not followed.
    if (!url.isEmpty() && url.scheme() != kScheme)
        return;
    QTextBrowser::doSetSource(url, type);
}

} // namespace rovanta
