// The per-user settings through QSettings: organisation "Quelder
// Applications", application "Rovanta", one group per section.
#pragma once

#include "manager/settings_access.h"

#include <QSettings>

namespace rovanta {

class QtSettingsAccess : public SettingsAccess {
public:
    /// The program's own settings, in the platform's native store.
    QtSettingsAccess();
    /// Settings kept in one INI file; for tools and tests.
    explicit QtSettingsAccess(const QString& iniFile);

    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t fallback) override;
    std::string readString(std::string_view section, std::string_view name, std::string_view fallback) override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeString(std::string_view section, std::string_view name, std::optional<std::string_view> text) override;

    /// Writes what is pending to the store (also done on destruction);
    /// false when the store could not be written.
    [[nodiscard]] bool flush();
    /// Where the settings live, for messages.
    QString location() const { return settings_.fileName(); }

private:
    void keepHandEditedValues();
    bool writtenAsHeld() const;

    QSettings settings_;
};

} // namespace rovanta
