// Whole-file text reading and crash-safe writing.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rovanta {

/// One line of a text file and the line end that followed it.
struct TextLine {
    std::string text;     ///< without the line end
    std::string_view end; ///< "\r\n", "\n" or "" for a last line without one
};

/// Upper bound for the small text files we read (calibration, tour and
/// remarks files). A larger file is not one of ours, e.g. a bitmap that was
/// given the wrong extension.
inline constexpr std::uintmax_t kMaxTextFileBytes = 16u * 1024u * 1024u;

/// What reading does with NUL bytes, which none of our files holds on purpose.
enum class NulBytes {
    refuse, ///< the file is not text (a bitmap given the wrong extension): nothing is read
    drop,   ///< removed, so one damaged byte costs no line
};

/// Reads a text file's lines as text mode would: CR LF and LF both end a
/// line, a final line end adds no empty line, a leading UTF-8 byte order
/// mark is dropped. Nothing when the file cannot be opened, is not a regular
/// file, is larger than `maxBytes` or holds a NUL byte that `nul` refuses.
std::optional<std::vector<TextLine>> readTextLines(const std::filesystem::path& file, NulBytes nul = NulBytes::refuse,
                                                   std::uintmax_t maxBytes = kMaxTextFileBytes);

/// True when `file` exists and is larger than `maxBytes`, so that a failed
/// read can say why.
bool exceedsTextLimit(const std::filesystem::path& file, std::uintmax_t maxBytes = kMaxTextFileBytes);

/// Writes `content` to a temporary file beside `file`, flushes it to disk and
/// then renames it over `file`, so readers see either the old or the new
/// content, never a partial one. An existing file keeps its permissions;
/// a read-only existing file is refused. Returns false, leaving `file` as it
/// was, on any failure.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view content);

/// Two-step form of writeFileAtomically for saving files together: stage()
/// writes and flushes the temporary file, commit() renames it into place.
/// A staged file that is never committed is removed.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path file);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    bool stage(std::string_view content);
    bool commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
};

} // namespace rovanta
