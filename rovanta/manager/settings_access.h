// The per-user settings as the store sees them: named sections of 32-bit
// integer and string values. The application supplies the real store; tests
// use one in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rovanta {

class SettingsAccess {
public:
    virtual ~SettingsAccess() = default;
    /// The stored integer, or `fallback` when the value is missing or is not
    /// an integer.
    virtual std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t fallback) = 0;
    /// The stored text (UTF-8), or `fallback` when missing or not a text.
    virtual std::string readString(std::string_view section, std::string_view name, std::string_view fallback) = 0;
    virtual void writeInt(std::string_view section, std::string_view name, std::int32_t value) = 0;
    /// Writes the text; no text (nullopt, not the empty text) deletes the
    /// value, whatever its type.
    virtual void writeString(std::string_view section, std::string_view name, std::optional<std::string_view> text) = 0;

    void deleteValue(std::string_view section, std::string_view name) { writeString(section, name, std::nullopt); }
};

} // namespace rovanta
