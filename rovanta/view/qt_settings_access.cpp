#include "view/qt_settings_access.h"

#include "common/display_text.h"

#include <QStringList>
#include <QVariant>

#include <limits>

namespace rovanta {

namespace {

QString keyOf(std::string_view section, std::string_view name)
{
    return QString::fromUtf8(section.data(), static_cast<qsizetype>(section.size())) + QLatin1Char('/') +
           QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
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
}

QtSettingsAccess::QtSettingsAccess(const QString& iniFile) : settings_(iniFile, QSettings::IniFormat)
{
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
    case QMetaType::QStringList:
        // An INI value with unquoted commas, as a hand edit may leave it.
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    default:
        return std::string(fallback);
    }
}

bool QtSettingsAccess::flush()
{
    settings_.sync();
    return settings_.status() == QSettings::NoError;
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
    // Names read from files written on Windows may not be UTF-8; they are
    // kept as bytes so that the next start reads exactly the same name.
    if (isValidUtf8(*text))
        settings_.setValue(key, QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
    else
        settings_.setValue(key, QByteArray(text->data(), static_cast<qsizetype>(text->size())));
}

} // namespace rovanta
