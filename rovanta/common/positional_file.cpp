#include "common/positional_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <utility>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace rovanta {

namespace {

#if defined(_WIN32)
using Status = struct _stat64;
#else
using Status = struct stat;
#endif

std::int64_t writtenNs(const Status& status)
{
#if defined(_WIN32)
    return std::int64_t{status.st_mtime} * 1'000'000'000;
#elif defined(__APPLE__)
    return std::int64_t{status.st_mtimespec.tv_sec} * 1'000'000'000 + status.st_mtimespec.tv_nsec;
#else
    return std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
#endif
}

PositionalFile::Identity identityOf(const Status& status)
{
#if defined(_WIN32)
    // No inode numbers here, and the device differs between the two calls.
    return {0, 0, std::uint64_t(status.st_size), writtenNs(status)};
#else
    return {std::uint64_t(status.st_dev), std::uint64_t(status.st_ino), std::uint64_t(status.st_size),
            writtenNs(status)};
#endif
}

} // namespace

std::unique_ptr<PositionalFile> PositionalFile::open(const std::filesystem::path& path)
{
#if defined(_WIN32)
    const int descriptor = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY);
#else
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#endif
    Identity opened;
    if (descriptor < 0)
        return nullptr;
    if (!identify(descriptor, opened)) {
#if defined(_WIN32)
        ::_close(descriptor);
#else
        ::close(descriptor);
#endif
        return nullptr;
    }
    return std::unique_ptr<PositionalFile>(new PositionalFile(descriptor, path, opened));
}

PositionalFile::~PositionalFile()
{
#if defined(_WIN32)
    ::_close(descriptor_);
#else
    ::close(descriptor_);
#endif
}

bool PositionalFile::readAt(std::uint64_t offset, void* into, std::size_t count) const
{
    auto* target = static_cast<char*>(into);
#if defined(_WIN32)
    const std::lock_guard lock(seekAndRead_);
    if (::_lseeki64(descriptor_, static_cast<__int64>(offset), SEEK_SET) < 0)
        return false;
#endif
    while (count > 0) {
#if defined(_WIN32)
        const int chunk = static_cast<int>(std::min<std::size_t>(count, 1u << 30));
        const int got = ::_read(descriptor_, target, static_cast<unsigned>(chunk));
#else
        const ssize_t got = ::pread(descriptor_, target, count, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
#endif
        if (got <= 0)
            return false;
        target += got;
        offset += static_cast<std::uint64_t>(got);
        count -= static_cast<std::size_t>(got);
    }
    return true;
}

bool PositionalFile::unchanged() const
{
    Identity now;
    Identity named;
    return identify(descriptor_, now) && now == opened_ && identify(path_, named) && named == opened_;
}

bool PositionalFile::identify(int descriptor, Identity& identity)
{
    Status status{};
#if defined(_WIN32)
    const int failed = ::_fstat64(descriptor, &status);
#else
    const int failed = ::fstat(descriptor, &status);
#endif
    if (failed != 0)
        return false;
    identity = identityOf(status);
    return true;
}

bool PositionalFile::identify(const std::filesystem::path& path, Identity& identity)
{
    Status status{};
#if defined(_WIN32)
    const int failed = ::_wstat64(path.c_str(), &status);
#else
    const int failed = ::stat(path.c_str(), &status);
#endif
    if (failed != 0)
        return false;
    identity = identityOf(status);
    return true;
}

} // namespace rovanta
