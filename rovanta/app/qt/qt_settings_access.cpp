#include "app/qt/qt_settings_access.h"

#include "app/ini_values.h"
#include "common/display_text.h"

#include <QFile>
#include <QVariant>

#include <algorithm>
#include <limits>

namespace rovanta {

namespace {

QString keyOf(std::string_view section, std::string_view name)
{
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// Names read from files written on Windows may not be UTF-8, and QSettings
// writes a control character as an escape that would read back as typed
// text: both are kept as bytes, so the next start reads exactly the same.
QVariant storedValue(std::string_view text)
{
    const bool plain =
        isValidUtf8(text) && std::ranges::none_of(text, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    if (plain)
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

bool isIniFile([[maybe_unused]] const QSettings& settings)
{
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    return settings.format() == QSettings::IniFormat;
#else
    return true; // the native format is an INI file here too
#endif
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

QtSettingsAccess::QtSettingsAccess()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quelder Applications"),
                QStringLiteral("Rovanta"))
{
    keepHandEditedValues();
}

QtSettingsAccess::QtSettingsAccess(const QString& iniFile) : settings_(iniFile, QSettings::IniFormat)
{
    keepHandEditedValues();
}

// QSettings reads an INI value as escaped text: FolderId_00\Alps.cal loses
// its "\A" (and "\t" becomes a tab), unquoted commas split the value into a
// list, ";" ends it and a final backslash joins the next line. A hand-written stored
// path such as FolderId_00\Alps.cal means its text as written, and QSettings
// rewrites every value it holds at the next write. So each value is taken
// from its line and handed back to QSettings wherever the two differ.
void QtSettingsAccess::keepHandEditedValues()
{
    if (!isIniFile(settings_))
        return;
    QFile file(settings_.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    const auto values =
        readPlainIniValues(std::string_view(content.constData(), static_cast<std::size_t>(content.size())));
    for (const auto& [key, text] : values) {
        const QString name = keyOf(key.first, key.second);
        const QVariant value = settings_.value(name);
        if (value.typeId() != QMetaType::QString || value.toString().toStdString() != text)
            settings_.setValue(name, storedValue(text));
    }
}

std::int32_t QtSettingsAccess::readInt(std::string_view section, std::string_view name, std::int32_t fallback)
{
    const QVariant value = settings_.value(keyOf(section, name));
    if (isNumber(value)) {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (ok && number >= std::numeric_limits<std::int32_t>::min() &&
            number <= std::numeric_limits<std::int32_t>::max())
            return static_cast<std::int32_t>(number);
        return fallback;
    }
    // INI files keep no types: an integer comes back as its decimal text.
    // Anything else (a word, a number with trailing text, a list) is not an
    // integer and gives the default, as a string value does in the registry.
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const int number = value.toString().toInt(&ok, 10);
        return ok ? number : fallback;
    }
    return fallback;
}

std::string QtSettingsAccess::readString(std::string_view section, std::string_view name, std::string_view fallback)
{
    const QVariant value = settings_.value(keyOf(section, name));
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().toStdString();
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    }
    default:
        return std::string(fallback);
    }
}

bool QtSettingsAccess::flush()
{
    settings_.sync();
    switch (settings_.status()) {
    case QSettings::NoError:
        return true;
    case QSettings::AccessError:
        return false;
    case QSettings::FormatError:
        break;
    }
    // QSettings keeps its first error: a damaged file read at the start
    // hides whether the write succeeded, so the file is read back.
    return writtenAsHeld();
}

bool QtSettingsAccess::writtenAsHeld() const
{
    const QSettings written(settings_.fileName(), settings_.format());
    if (written.status() != QSettings::NoError)
        return false;
    QStringList held = settings_.allKeys();
    QStringList found = written.allKeys();
    held.sort();
    found.sort();
    return held == found;
}

void QtSettingsAccess::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    settings_.setValue(keyOf(section, name), static_cast<int>(value));
}

void QtSettingsAccess::writeString(std::string_view section, std::string_view name,
                                   std::optional<std::string_view> text)
{
    const QString key = keyOf(section, name);
    if (!text) {
        settings_.remove(key);
        return;
    }
    settings_.setValue(key, storedValue(*text));
}

} // namespace rovanta
