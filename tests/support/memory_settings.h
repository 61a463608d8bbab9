// Settings kept in memory, for tests and benchmarks: the same sections,
// names, types and deletion as the real store.
#pragma once

#include "manager/settings_access.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace rovanta::test {

class MemorySettings : public SettingsAccess {
public:
    using Value = std::variant<std::int32_t, std::string>;

    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t fallback) override;
    std::string readString(std::string_view section, std::string_view name, std::string_view fallback) override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeString(std::string_view section, std::string_view name, std::optional<std::string_view> text) override;

    bool has(std::string_view section, std::string_view name) const;
    /// Values stored in the section.
    std::size_t count(std::string_view section) const;

    std::map<std::string, std::map<std::string, Value, std::less<>>, std::less<>> sections;
};

} // namespace rovanta::test
