#include "memory_settings.h"

namespace rovanta::test {

std::int32_t MemorySettings::readInt(std::string_view section, std::string_view name, std::int32_t fallback)
{
    const auto found = sections.find(section);
    if (found == sections.end())
        return fallback;
    const auto value = found->second.find(name);
    if (value == found->second.end() || !std::holds_alternative<std::int32_t>(value->second))
        return fallback;
    return std::get<std::int32_t>(value->second);
}

std::string MemorySettings::readString(std::string_view section, std::string_view name, std::string_view fallback)
{
    const auto found = sections.find(section);
    if (found == sections.end())
        return std::string(fallback);
    const auto value = found->second.find(name);
    if (value == found->second.end() || !std::holds_alternative<std::string>(value->second))
        return std::string(fallback);
    return std::get<std::string>(value->second);
}

void MemorySettings::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    sections[std::string(section)].insert_or_assign(std::string(name), value);
}

void MemorySettings::writeString(std::string_view section, std::string_view name, std::optional<std::string_view> text)
{
    if (text)
        sections[std::string(section)].insert_or_assign(std::string(name), std::string(*text));
    else if (const auto found = sections.find(section); found != sections.end())
        found->second.erase(std::string(name));
}

bool MemorySettings::has(std::string_view section, std::string_view name) const
{
    const auto found = sections.find(section);
    return found != sections.end() && found->second.contains(name);
}

std::size_t MemorySettings::count(std::string_view section) const
{
    const auto found = sections.find(section);
    return found == sections.end() ? 0 : found->second.size();
}

} // namespace rovanta::test
