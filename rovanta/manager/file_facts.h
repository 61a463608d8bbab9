// A file's size and last-write date, for the properties dialog.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace rovanta {

struct FileFacts {
    std::uintmax_t size = 0; ///< bytes
    std::string date;        ///< last write in local time, "dd.mm.yyyy"
};

/// Nothing when the path is empty or names no readable regular file.
[[nodiscard]] std::optional<FileFacts> lookUpFile(const std::string& path);

} // namespace rovanta
