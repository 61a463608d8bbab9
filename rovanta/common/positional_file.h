// A file read by byte position from several threads at once, which tells
// when the file under its name is no longer the one it opened. Reading
// never faults, however the file changes meanwhile: a read past a new end
// is merely short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <utility>

namespace rovanta {

class PositionalFile {
public:
    /// The file at `path`, open for reading; nullptr when it cannot be opened.
    static std::unique_ptr<PositionalFile> open(const std::filesystem::path& path);
    ~PositionalFile();
    PositionalFile(const PositionalFile&) = delete;
    PositionalFile& operator=(const PositionalFile&) = delete;

    /// Bytes when opened.
    std::uint64_t size() const { return opened_.size; }
    /// Fills `count` bytes at `into` from byte `offset` on; false unless
    /// the file still held all of them.
    [[nodiscard]] bool readAt(std::uint64_t offset, void* into, std::size_t count) const;
    /// False once the name leads to another file or none, or this file was
    /// written to or cut since it was opened.
    [[nodiscard]] bool unchanged() const;

    /// What tells one file, and one state of it, from another.
    struct Identity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint64_t size = 0;
        std::int64_t writtenNs = 0;
        bool operator==(const Identity&) const = default;
    };

private:
    PositionalFile(int descriptor, std::filesystem::path path, Identity opened)
        : descriptor_(descriptor), path_(std::move(path)), opened_(opened)
    {
    }
    [[nodiscard]] static bool identify(int descriptor, Identity& identity);
    [[nodiscard]] static bool identify(const std::filesystem::path& path, Identity& identity);

    int descriptor_;
    std::filesystem::path path_;
    Identity opened_;
#if defined(_WIN32)
    /// The C runtime has no positional read: seek and read go together.
    mutable std::mutex seekAndRead_;
#endif
};

} // namespace rovanta
