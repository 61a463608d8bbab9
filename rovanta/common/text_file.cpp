#include "common/text_file.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace rovanta {
namespace fs = std::filesystem;

std::optional<std::vector<TextLine>> readTextLines(const fs::path& file, NulBytes nul, std::uintmax_t maxBytes)
{
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error || size > maxBytes)
        return std::nullopt;

    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.find('\0') != std::string::npos) {
        if (nul == NulBytes::refuse)
            return std::nullopt;
        std::erase(bytes, '\0');
    }

    std::string_view rest(bytes);
    if (rest.starts_with("\xEF\xBB\xBF"))
        rest.remove_prefix(3);
    std::vector<TextLine> lines;
    while (!rest.empty()) {
        const std::size_t newline = rest.find('\n');
        std::string_view line = rest.substr(0, newline);
        std::string_view end;
        if (newline == std::string_view::npos) {
            rest = {};
        } else {
            end = "\n";
            rest.remove_prefix(newline + 1);
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
                end = "\r\n";
            }
        }
        lines.push_back({std::string(line), end});
    }
    return lines;
}

bool exceedsTextLimit(const fs::path& file, std::uintmax_t maxBytes)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    return !error && size > maxBytes;
}

AtomicFile::AtomicFile(fs::path file) : target_(std::move(file))
{
}

AtomicFile::~AtomicFile()
{
    if (!temporary_.empty()) {
        std::error_code ignored;
        fs::remove(temporary_, ignored);
    }
}

bool AtomicFile::stage(std::string_view content)
{
    std::error_code error;
    const fs::file_status existing = fs::status(target_, error);
    if (fs::exists(existing)) {
        if (!fs::is_regular_file(existing))
            return false;
        constexpr auto kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((existing.permissions() & kAnyWrite) == fs::perms::none)
            return false;
    }

    std::random_device entropy;
    std::FILE* out = nullptr;
    for (int attempt = 0; attempt < 16 && out == nullptr; ++attempt) {
        temporary_ = target_;
        temporary_ += ".tmp" + std::to_string(entropy() % 1000000u);
        // "x": fail rather than reuse a name someone else just created.
        out = std::fopen(temporary_.string().c_str(), "wbx");
    }
    if (out == nullptr) {
        temporary_.clear();
        return false;
    }
    bool written = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    written = std::fflush(out) == 0 && written;
#if defined(__unix__) || defined(__APPLE__)
    written = ::fsync(::fileno(out)) == 0 && written;
#endif
    written = std::fclose(out) == 0 && written;
    if (written && fs::exists(existing))
        fs::permissions(temporary_, existing.permissions(), error);
    if (!written) {
        fs::remove(temporary_, error);
        temporary_.clear();
    }
    return written;
}

bool AtomicFile::commit()
{
    if (temporary_.empty())
        return false;
    std::error_code error;
    fs::rename(temporary_, target_, error);
    if (error)
        return false;
    temporary_.clear();
    return true;
}

bool writeFileAtomically(const fs::path& file, std::string_view content)
{
    AtomicFile staged(file);
    return staged.stage(content) && staged.commit();
}

} // namespace rovanta
