#include "memory_store.h"

namespace rovanta::shots {

const MemoryStore::Value* MemoryStore::find(std::string_view section, std::string_view name) const
{
    const auto found = sections_.find(section);
    if (found == sections_.end())
        return nullptr;
    const auto value = found->second.find(name);
    return value == found->second.end() ? nullptr : &value->second;
}

std::int32_t MemoryStore::readInt(std::string_view section, std::string_view name, std::int32_t fallback)
{
    const Value* value = find(section, name);
    return value && std::holds_alternative<std::int32_t>(*value) ? std::get<std::int32_t>(*value) : fallback;
}

std::string MemoryStore::readString(std::string_view section, std::string_view name, std::string_view fallback)
{
    const Value* value = find(section, name);
    return value && std::holds_alternative<std::string>(*value) ? std::get<std::string>(*value) : std::string(fallback);
}

void MemoryStore::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    sections_[std::string(section)].insert_or_assign(std::string(name), value);
}

void MemoryStore::writeString(std::string_view section, std::string_view name, std::optional<std::string_view> text)
{
    if (text)
        sections_[std::string(section)].insert_or_assign(std::string(name), std::string(*text));
    else if (const auto found = sections_.find(section); found != sections_.end())
        found->second.erase(std::string(name));
}

} // namespace rovanta::shots
