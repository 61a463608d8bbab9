// Whole-file text reading; crash-safe writing is in atomic_file.h.
#pragma once

#include "common/atomic_file.h"

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

/// True when the file starts with a UTF-8 byte order mark, which
/// readTextLines drops.
bool startsWithByteOrderMark(const std::filesystem::path& file);

} // namespace rovanta
