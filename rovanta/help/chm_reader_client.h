// A help file read by a reader process of its own (rovanta-chm-reader),
// started once per file and kept for its pages. chmlib, which reads the
// file there, may crash, loop or run out of memory on a corrupt one; the
// program only ever waits a bounded time and sees "unreadable".
#pragma once

#include "help/chm_archive.h"
#include "help/chm_reader.h"

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace rovanta {

class ChmReaderClient final : public ChmArchive {
public:
    using Clock = std::chrono::steady_clock;

    struct Command {
        /// The reader and its first arguments; the help file comes last.
        std::vector<std::string> program;
        std::chrono::milliseconds openTimeout{2000};
        std::chrono::milliseconds readTimeout{1000};
    };

    /// The reader installed beside the running program.
    static Command besideProgram();

    /// The archive at `file` as the reader that `command` starts opens it;
    /// nullptr when the reader cannot be started, refuses the file, dies,
    /// answers garbage or takes longer than the open timeout.
    static std::unique_ptr<ChmReaderClient> open(const std::filesystem::path& file, const Command& command);

    ~ChmReaderClient() override;

    /// Nothing, too, once the reader has failed: it is then stopped for good.
    [[nodiscard]] std::optional<std::string> read(std::string_view objectPath) const override;

private:
    ChmReaderClient(pid_t pid, int socket, std::chrono::milliseconds readTimeout);
    [[nodiscard]] bool receiveOpening(Clock::time_point deadline);
    [[nodiscard]] std::optional<chm_reader::Frame> receive(Clock::time_point deadline) const;
    [[nodiscard]] bool send(std::string_view bytes, Clock::time_point deadline) const;
    void stop() const;

    mutable pid_t pid_;
    mutable int socket_;
    mutable chm_reader::FrameDecoder decoder_;
    std::chrono::milliseconds readTimeout_;
    std::optional<std::string> contents_;
    std::optional<std::string> index_;
};

} // namespace rovanta
