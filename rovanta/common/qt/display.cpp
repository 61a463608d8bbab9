#include "common/qt/display.h"

#include "common/display_text.h"

#include <QFile>

#include <filesystem>

namespace rovanta {

QString displayText(std::string_view bytes)
{
    return QString::fromStdString(toDisplayUtf8(bytes));
}

std::string coreText(const QString& text)
{
    return text.toStdString();
}

namespace {
namespace fs = std::filesystem;

// The entry of `folder` that Qt shows as `shown`, the exact encoding first.
std::string entryShownAs(const std::string& folder, const QString& shown)
{
    const std::string direct = QFile::encodeName(shown).toStdString();
    std::error_code error;
    if (fs::exists(fs::path(folder + direct), error))
        return direct;
    for (fs::directory_iterator it(fs::path(folder.empty() ? "." : folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (QFile::decodeName(QByteArray::fromStdString(name)) == shown)
            return name;
    }
    return direct;
}
} // namespace

std::string fileSystemPath(const QString& path)
{
#if defined(Q_OS_UNIX)
    std::string resolved = path.startsWith(QLatin1Char('/')) ? "/" : "";
    const QStringList names = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < names.size(); ++i) {
        resolved += entryShownAs(resolved, names[i]);
        if (i + 1 < names.size() || path.endsWith(QLatin1Char('/')))
            resolved += '/';
    }
    return resolved;
#else
    return coreText(path);
#endif
}

QString qtPath(std::string_view path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

} // namespace rovanta
