#include "editing/recent_tours.h"

#include <algorithm>

namespace rovanta {
namespace {

// A section of its own, beside the manager's, which older versions ignore.
constexpr std::string_view kSection = "RecentTours";

std::string keyOf(std::size_t index)
{
    return "Tour_" + std::to_string(index);
}

} // namespace

RecentTours::RecentTours(SettingsAccess& settings) : settings_(settings)
{
    for (std::size_t i = 0; i < kMaxCount; ++i) {
        std::string path = settings_.readString(kSection, keyOf(i), "");
        if (!path.empty() && std::ranges::find(paths_, path) == paths_.end())
            paths_.push_back(std::move(path));
    }
}

void RecentTours::add(const std::string& path)
{
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMaxCount)
        paths_.resize(kMaxCount);
    write();
}

void RecentTours::remove(const std::string& path)
{
    std::erase(paths_, path);
    write();
}

void RecentTours::write()
{
    for (std::size_t i = 0; i < kMaxCount; ++i) {
        if (i < paths_.size())
            settings_.writeString(kSection, keyOf(i), paths_[i]);
        else
            settings_.deleteValue(kSection, keyOf(i));
    }
}

} // namespace rovanta
