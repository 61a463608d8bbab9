#include "manager/file_facts.h"

#include "common/file_names.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace rovanta {
namespace fs = std::filesystem;

namespace {
std::string twoDigits(int value)
{
    std::string text = std::to_string(value);
    if (text.size() < 2)
        text.insert(text.begin(), '0');
    return text;
}

std::optional<std::tm> localTime(std::time_t time)
{
    std::tm parts{};
#if defined(_WIN32)
    if (localtime_s(&parts, &time) != 0)
        return std::nullopt;
#else
    if (localtime_r(&time, &parts) == nullptr)
        return std::nullopt;
#endif
    return parts;
}
} // namespace

std::optional<FileFacts> lookUpFile(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    std::error_code error;
    const fs::path file = toFsPath(path);
    if (!fs::is_regular_file(file, error))
        return std::nullopt;
    FileFacts facts;
    facts.size = fs::file_size(file, error);
    if (error)
        return std::nullopt;
    const fs::file_time_type written = fs::last_write_time(file, error);
    if (error)
        return std::nullopt;
    const auto seconds = std::chrono::time_point_cast<std::chrono::seconds>(fs::file_time_type::clock::to_sys(written));
    const std::optional<std::tm> parts = localTime(std::chrono::system_clock::to_time_t(seconds));
    if (!parts)
        return std::nullopt;
    std::string year = std::to_string(parts->tm_year + 1900);
    if (year.size() < 4)
        year.insert(0, 4 - year.size(), ' ');
    facts.date = twoDigits(parts->tm_mday) + "." + twoDigits(parts->tm_mon + 1) + "." + year;
    return facts;
}

} // namespace rovanta
