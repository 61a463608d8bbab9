#include "common/qt/translations.h"

#include "common/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace rovanta {

Q_LOGGING_CATEGORY(startLog, "rovanta.start", QtWarningMsg)

namespace {

class QtTextTranslator : public TextTranslator {
public:
    std::string translate(const char* context, std::string_view source) const override
    {
        const QByteArray text(source.data(), static_cast<qsizetype>(source.size()));
        return QCoreApplication::translate(context, text.constData()).toStdString();
    }
};

struct Translators {
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
    QtTextTranslator core;
};

Translators& installed()
{
    static Translators state;
    return state;
}

void remove(std::unique_ptr<QTranslator>& translator)
{
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

} // namespace

QString dataFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/rovanta"));
}

QStringList translationFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            dataFolder() + QStringLiteral("/translations")};
}

QString installTranslations(const QLocale& locale, const QStringList& folders)
{
    Translators& state = installed();
    remove(state.program);
    remove(state.qt);
    InstalledTextTranslator::install(&state.core);
    for (const QString& folder : folders) {
        auto translator = std::make_unique<QTranslator>();
        if (!translator->load(locale, QStringLiteral("rovanta"), QStringLiteral("_"), folder))
            continue;
        QCoreApplication::installTranslator(translator.get());
        state.program = std::move(translator);
        // Qt's own texts (the buttons of standard dialogs), where installed.
        auto qt = std::make_unique<QTranslator>();
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(qt.get());
            state.qt = std::move(qt);
        }
        return state.program->filePath();
    }
    return {};
}

bool germanInterface()
{
    const auto& program = installed().program;
    return program && program->language().startsWith(QStringLiteral("de"));
}

} // namespace rovanta
