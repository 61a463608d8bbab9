#include "help/chm_reader_client.h"

#include "help/help_contents.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

extern char** environ;

namespace rovanta {
namespace {

using chm_reader::Frame;
using chm_reader::Tag;

constexpr const char* kReaderName = "rovanta-chm-reader";

// Waits for `events` on `socket` until `deadline`; false on timeout or error.
bool waitFor(int socket, short events, ChmReaderClient::Clock::time_point deadline)
{
    while (true) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - ChmReaderClient::Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd watched{socket, events, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        return ready > 0;
    }
}

// The reader with the socket as its stdin and stdout, and default signal
// handling whatever this process has set up.
pid_t spawnReader(const std::vector<std::string>& arguments, int socket)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, socket, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, socket, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigaddset(&signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

} // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return nullptr;
    return ChmReaderClient::open(file, ChmReaderClient::besideProgram());
}

ChmReaderClient::Command ChmReaderClient::besideProgram()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    // Never a bare name, which would be looked for in the working folder.
    if (error || !program.is_absolute())
        return Command{};
    return Command{{(program.parent_path() / kReaderName).string()}};
}

std::unique_ptr<ChmReaderClient> ChmReaderClient::open(const std::filesystem::path& file, const Command& command)
{
    const Clock::time_point deadline = Clock::now() + command.openTimeout;
    if (command.program.empty())
        return nullptr;
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return nullptr;
    std::vector<std::string> arguments = command.program;
    arguments.push_back(file.string());
    const pid_t pid = spawnReader(arguments, sockets[1]);
    ::close(sockets[1]);
    if (pid < 0) {
        ::close(sockets[0]);
        return nullptr;
    }
    std::unique_ptr<ChmReaderClient> client(new ChmReaderClient(pid, sockets[0], command.readTimeout));
    if (!client->receiveOpening(deadline))
        return nullptr;
    return client;
}

ChmReaderClient::ChmReaderClient(pid_t pid, int socket, std::chrono::milliseconds readTimeout)
    : pid_(pid), socket_(socket), readTimeout_(readTimeout)
{
}

ChmReaderClient::~ChmReaderClient()
{
    stop();
}

std::optional<std::string> ChmReaderClient::read(std::string_view objectPath) const
{
    // The sitemaps came with the opening answer.
    const std::string path = helpPagePath(objectPath);
    if (contents_ && path == facts_.contentsFile)
        return contents_;
    if (index_ && path == facts_.indexFile)
        return index_;
    if (pid_ < 0)
        return std::nullopt;
    const Clock::time_point deadline = Clock::now() + readTimeout_;
    std::optional<Frame> answer;
    if (send(chm_reader::encodeFrame(Tag::Read, objectPath), deadline))
        answer = receive(deadline);
    if (!answer || (answer->tag != Tag::Data && answer->tag != Tag::Nothing)) {
        stop();
        return std::nullopt;
    }
    if (answer->tag == Tag::Nothing)
        return std::nullopt;
    return std::move(answer->payload);
}

bool ChmReaderClient::receiveOpening(Clock::time_point deadline)
{
    std::optional<Frame> frame = receive(deadline);
    if (!frame || frame->tag != Tag::Opened)
        return false;
    while ((frame = receive(deadline))) {
        switch (frame->tag) {
        case Tag::Title:
            facts_.title = std::move(frame->payload);
            break;
        case Tag::DefaultTopic:
            facts_.defaultTopic = std::move(frame->payload);
            break;
        case Tag::ContentsFile:
            facts_.contentsFile = std::move(frame->payload);
            break;
        case Tag::IndexFile:
            facts_.indexFile = std::move(frame->payload);
            break;
        case Tag::Contents:
            contents_ = std::move(frame->payload);
            break;
        case Tag::Index:
            index_ = std::move(frame->payload);
            break;
        case Tag::End:
            return true;
        default:
            return false;
        }
    }
    return false;
}

std::optional<Frame> ChmReaderClient::receive(Clock::time_point deadline) const
{
    char buffer[1 << 16];
    while (true) {
        if (std::optional<Frame> frame = decoder_.next())
            return frame;
        if (decoder_.broken() || !waitFor(socket_, POLLIN, deadline))
            return std::nullopt;
        const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        decoder_.append(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
}

bool ChmReaderClient::send(std::string_view bytes, Clock::time_point deadline) const
{
    while (!bytes.empty()) {
        if (!waitFor(socket_, POLLOUT, deadline))
            return false;
        // MSG_NOSIGNAL: a reader that died must not take the program along
        // with SIGPIPE.
        const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void ChmReaderClient::stop() const
{
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }
    if (socket_ >= 0) {
        ::close(socket_);
        socket_ = -1;
    }
}

} // namespace rovanta
