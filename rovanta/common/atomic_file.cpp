#include "common/atomic_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <mutex>
#include <random>
#include <set>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rovanta {
namespace fs = std::filesystem;

namespace {
// ".<name>.rovanta-<pid>-<random>.tmp"
constexpr std::string_view kMarker = ".rovanta-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kRandomChars = 6;
constexpr std::size_t kPidChars = 10;
constexpr std::size_t kOverhead = 1 + kMarker.size() + kPidChars + 1 + kRandomChars + kSuffix.size();
constexpr int kMaxLinkHops = 40; // as the kernel allows

long long ownPid()
{
#if defined(__unix__) || defined(__APPLE__)
    return ::getpid();
#else
    return 0;
#endif
}

// A stale temporary of this very process is one no AtomicFile holds: its pid
// may repeat after a restart, e.g. in a container.
std::mutex& liveMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::set<fs::path>& liveTemporaries()
{
    static std::set<fs::path> live;
    return live;
}

void setLive(const fs::path& temporary, bool live)
{
    const std::scoped_lock lock(liveMutex());
    if (live)
        liveTemporaries().insert(temporary);
    else
        liveTemporaries().erase(temporary);
}

bool processRunning(long long pid)
{
#if defined(__unix__) || defined(__APPLE__)
    // EPERM: it runs, as another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    (void)pid;
    return true; // unknown: keep the file
#endif
}

// The pid in one of our temporary names; 0 for any other name.
long long temporaryOwner(std::string_view name)
{
    if (!name.starts_with('.') || !name.ends_with(kSuffix))
        return 0;
    name.remove_suffix(kSuffix.size());
    const std::size_t marker = name.rfind(kMarker);
    if (marker == std::string_view::npos)
        return 0;
    const std::string_view tail = name.substr(marker + kMarker.size());
    const std::size_t dash = tail.find('-');
    if (dash == std::string_view::npos || tail.size() - dash - 1 != kRandomChars)
        return 0;
    long long pid = 0;
    const auto [end, error] = std::from_chars(tail.data(), tail.data() + dash, pid);
    return error == std::errc{} && end == tail.data() + dash && pid > 0 ? pid : 0;
}

void removeStaleTemporaries(const fs::path& folder)
{
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end; !error && it != end;
         it.increment(error)) {
        const long long pid = temporaryOwner(it->path().filename().string());
        std::error_code ignored;
        if (pid == 0 || !it->is_regular_file(ignored))
            continue;
        // Spelled as temporaryPath() spells it, to compare with the live ones.
        const fs::path candidate = folder / it->path().filename();
        const bool stale = pid == ownPid() ? !liveTemporaries().contains(candidate) : !processRunning(pid);
        if (stale)
            fs::remove(candidate, ignored);
    }
}

std::size_t maxNameBytes(const fs::path& folder)
{
#if defined(__unix__) || defined(__APPLE__)
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    if (limit > 0)
        return static_cast<std::size_t>(limit);
#else
    (void)folder;
#endif
    return 255;
}

// Whenever the final name fits, so does this: the name part is cut to
// leave room for the marker, without splitting a UTF-8 sequence.
fs::path temporaryPath(const fs::path& target, std::mt19937& random)
{
    const fs::path folder = target.parent_path();
    std::string head = target.filename().string();
    const std::size_t limit = maxNameBytes(folder);
    if (head.size() + kOverhead > limit) {
        std::size_t cut = limit > kOverhead ? limit - kOverhead : 0;
        while (cut > 0 && (static_cast<unsigned char>(head[cut]) & 0xC0u) == 0x80u)
            --cut;
        head.resize(cut);
    }
    constexpr std::string_view kAlphabet = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string token;
    for (std::size_t i = 0; i < kRandomChars; ++i)
        token += kAlphabet[random() % kAlphabet.size()];
    const std::string name =
        "." + head + std::string(kMarker) + std::to_string(ownPid()) + "-" + token + std::string(kSuffix);
    return folder / name;
}

fs::path resolveLinks(fs::path file)
{
    std::error_code error;
    for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(file, error); ++hop) {
        const fs::path link = fs::read_symlink(file, error);
        if (error)
            break;
        file = link.is_absolute() ? link : file.parent_path() / link;
    }
    return file;
}

// Without this a power loss could undo a rename that was reported done.
void syncFolder(const fs::path& folder)
{
#if defined(__unix__) || defined(__APPLE__)
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // Some file systems refuse to sync a folder; the rename is done anyway.
    (void)::fsync(fd);
    ::close(fd);
#else
    (void)folder;
#endif
}

int injectedRenameFault(const fs::path& target)
{
    return renameFaultForTesting ? renameFaultForTesting(target) : 0;
}
} // namespace

AtomicFile::AtomicFile(fs::path file) : file_(std::move(file))
{
}

AtomicFile::~AtomicFile()
{
    removeTemporary();
}

bool AtomicFile::fail(int error)
{
    failure_ = std::generic_category().message(error != 0 ? error : EIO);
    return false;
}

bool AtomicFile::fail(const std::error_code& error)
{
    failure_ = error.message();
    return false;
}

void AtomicFile::removeTemporary()
{
    if (temporary_.empty())
        return;
    std::error_code ignored;
    fs::remove(temporary_, ignored);
    setLive(temporary_, false);
    temporary_.clear();
}

bool AtomicFile::stage(std::string_view content)
{
    removeTemporary();
    placed_ = Placed::no;
    failure_.clear();
    target_ = resolveLinks(file_);
    std::error_code error;
    const fs::file_status existing = fs::status(target_, error);
    const bool exists = existing.type() != fs::file_type::not_found;
    if (error && exists)
        return fail(error);
    if (exists) {
        if (fs::is_directory(existing))
            return fail(EISDIR);
        if (!fs::is_regular_file(existing))
            return fail(EPERM);
        constexpr auto kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
        if ((existing.permissions() & kAnyWrite) == fs::perms::none)
            return fail(EACCES);
    }
    {
        const std::scoped_lock lock(liveMutex());
        removeStaleTemporaries(target_.parent_path());
    }
    if (!writeTemporary(content))
        return false;
    if (exists)
        fs::permissions(temporary_, existing.permissions(), error);
    return true;
}

bool AtomicFile::writeTemporary(std::string_view content)
{
    std::mt19937 random(std::random_device{}());
    std::FILE* out = nullptr;
    for (int attempt = 0; attempt < 16 && out == nullptr; ++attempt) {
        temporary_ = temporaryPath(target_, random);
        errno = 0;
        // "x": fail rather than reuse a name someone else just created.
        out = std::fopen(temporary_.string().c_str(), "wbx");
        if (out == nullptr && errno != EEXIST)
            break;
    }
    if (out == nullptr) {
        temporary_.clear();
        return fail(errno);
    }
    setLive(temporary_, true);

    int error = 0;
    const auto check = [&error](bool ok) {
        if (!ok && error == 0)
            error = errno != 0 ? errno : EIO;
    };
    errno = 0;
    check(std::fwrite(content.data(), 1, content.size(), out) == content.size());
    check(std::fflush(out) == 0);
#if defined(__unix__) || defined(__APPLE__)
    check(::fsync(::fileno(out)) == 0);
#endif
    check(std::fclose(out) == 0);
    if (error != 0) {
        removeTemporary();
        return fail(error);
    }
    return true;
}

bool AtomicFile::isStaged()
{
    if (!temporary_.empty())
        return true;
    return failure_.empty() ? fail(ENOENT) : false; // keeps the reason staging failed
}

bool AtomicFile::renameIntoPlace()
{
    if (!isStaged())
        return false;
    if (const int fault = injectedRenameFault(target_))
        return fail(fault);
    std::error_code error;
    fs::rename(temporary_, target_, error);
    if (error)
        return fail(error);
    setLive(temporary_, false);
    temporary_.clear();
    placed_ = Placed::replaced;
    return true;
}

// The old version moves to the temporary name, where undoPlacing() can
// take it back.
bool AtomicFile::swapIntoPlace()
{
    std::error_code error;
    const bool exists = fs::exists(target_, error);
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    if (exists) {
        if (const int fault = injectedRenameFault(target_))
            return fail(fault);
        if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE) == 0) {
            placed_ = Placed::swapped;
            return true;
        }
        if (errno != EINVAL && errno != ENOSYS)
            return fail(errno);
    }
#endif
    const fs::path temporary = temporary_;
    if (!renameIntoPlace())
        return false;
    if (!exists) {
        temporary_ = temporary; // where the new file goes if it must be taken back
        setLive(temporary_, true);
        placed_ = Placed::created;
    }
    return true;
}

void AtomicFile::undoPlacing()
{
    std::error_code error;
    switch (placed_) {
    case Placed::swapped:
#if defined(__linux__) && defined(RENAME_EXCHANGE)
        ::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_EXCHANGE);
#endif
        break;
    case Placed::created:
        fs::rename(target_, temporary_, error);
        break;
    default:
        break; // the old version is gone
    }
    placed_ = Placed::no;
}

bool commitTogether(AtomicFile& first, AtomicFile& second)
{
    if (!first.isStaged() || !second.isStaged())
        return false;
    if (!first.swapIntoPlace())
        return false;
    if (!second.renameIntoPlace()) {
        first.undoPlacing();
        return false;
    }
    first.removeTemporary(); // the old version, or nothing
    syncFolder(first.target_.parent_path());
    if (second.target_.parent_path() != first.target_.parent_path())
        syncFolder(second.target_.parent_path());
    return true;
}

bool AtomicFile::commit()
{
    if (!renameIntoPlace())
        return false;
    syncFolder(target_.parent_path());
    return true;
}

bool isTemporaryFileName(std::string_view name)
{
    return temporaryOwner(name) != 0;
}

bool writeFileAtomically(const fs::path& file, std::string_view content)
{
    AtomicFile staged(file);
    return staged.stage(content) && staged.commit();
}

} // namespace rovanta
