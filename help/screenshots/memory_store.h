// Settings kept in memory for the run, so drawing the help's pictures
// never reads or writes the user's own.
#pragma once

#include "manager/settings_access.h"

#include <map>
#include <string>
#include <variant>

namespace rovanta::shots {

class MemoryStore : public SettingsAccess {
public:
    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t fallback) override;
    std::string readString(std::string_view section, std::string_view name, std::string_view fallback) override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeString(std::string_view section, std::string_view name, std::optional<std::string_view> text) override;

private:
    using Value = std::variant<std::int32_t, std::string>;
    using Section = std::map<std::string, Value, std::less<>>;

    const Value* find(std::string_view section, std::string_view name) const;

    std::map<std::string, Section, std::less<>> sections_;
};

} // namespace rovanta::shots
