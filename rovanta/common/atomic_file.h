// Crash-safe writing: the new content goes to a hidden temporary file beside
// the target, is flushed to disk and only then renamed over the old file.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace rovanta {

/// Writes `content` to a temporary file beside `file`, flushes it to disk and
/// then renames it over `file`, so readers see either the old or the new
/// content, never a partial one. An existing file keeps its permissions;
/// a read-only existing file is refused. Returns false, leaving `file` as it
/// was, on any failure.
[[nodiscard]] bool writeFileAtomically(const std::filesystem::path& file, std::string_view content);

/// Two-step form of writeFileAtomically for saving files together: stage()
/// writes and flushes the temporary file, commit() renames it into place.
/// A symbolic link is written through: its target gets the new content and
/// the temporary file sits beside that target. A staged file that is never
/// committed is removed.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path file);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    [[nodiscard]] bool stage(std::string_view content);
    [[nodiscard]] bool commit();

    /// The file as given, before its links are followed.
    const std::filesystem::path& file() const { return file_; }
    /// Why the last stage or commit failed, in the system's words
    /// (e.g. "No space left on device"); empty after success.
    const std::string& failure() const { return failure_; }

private:
    friend bool commitTogether(AtomicFile& first, AtomicFile& second);

    enum class Placed { no, swapped, created, replaced };

    [[nodiscard]] bool fail(int error);
    [[nodiscard]] bool fail(const std::error_code& error);
    [[nodiscard]] bool isStaged();
    [[nodiscard]] bool writeTemporary(std::string_view content);
    [[nodiscard]] bool renameIntoPlace();
    [[nodiscard]] bool swapIntoPlace();
    void undoPlacing();
    void removeTemporary();

    std::filesystem::path file_;
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::string failure_;
    Placed placed_ = Placed::no;
};

/// Renames both staged files into place such that the old versions stay
/// whole unless both renames succeed: a failed second rename puts the first
/// file's old version back. False, committing nothing, unless both are
/// staged. The folders are flushed before it returns true.
[[nodiscard]] bool commitTogether(AtomicFile& first, AtomicFile& second);

/// True for the names of the temporary files above: hidden (leading dot)
/// and marked as ours, so that listings skip them and a later save into
/// the same folder removes those a killed program left behind.
bool isTemporaryFileName(std::string_view name);

/// For tests of faults they cannot cause otherwise: called before a staged
/// file is renamed over `target`; a non-zero errno value fails that rename.
inline std::function<int(const std::filesystem::path& target)> renameFaultForTesting;

} // namespace rovanta
