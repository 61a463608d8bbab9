#include "common/text_file.h"

#include <fstream>
#include <system_error>

namespace rovanta {
namespace fs = std::filesystem;

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
} // namespace

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
    if (rest.starts_with(kByteOrderMark))
        rest.remove_prefix(kByteOrderMark.size());
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

bool startsWithByteOrderMark(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string start(kByteOrderMark.size(), '\0');
    in.read(start.data(), static_cast<std::streamsize>(start.size()));
    return in && start == kByteOrderMark;
}

} // namespace rovanta
