// A fresh folder per test, removed afterwards, with small file helpers.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rovanta::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// `name` inside the folder, as the UTF-8 string the program keeps.
    std::string file(std::string_view name) const;
    /// Writes `bytes` exactly (no line-end translation); returns the path.
    std::string write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

/// The file's bytes exactly; empty if it cannot be read.
std::string readBytes(const std::filesystem::path& file);

} // namespace rovanta::test
