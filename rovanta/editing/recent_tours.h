// The tours opened or saved last, newest first, kept in the settings.
#pragma once

#include "manager/settings_access.h"

#include <cstddef>
#include <string>
#include <vector>

namespace rovanta {

class RecentTours {
public:
    static constexpr std::size_t kMaxCount = 8;

    /// Reads the list; `settings` must outlive it.
    explicit RecentTours(SettingsAccess& settings);

    const std::vector<std::string>& paths() const { return paths_; }
    /// Puts `path` first, once; the oldest beyond eight goes.
    void add(const std::string& path);
    void remove(const std::string& path);

private:
    void write();

    SettingsAccess& settings_;
    std::vector<std::string> paths_;
};

} // namespace rovanta
