// How the program talks to its help reader: the reader process opens one
// help file and answers over a socket that is its stdin and stdout. Every
// message is a frame: a tag byte, the payload's length (uint32, little
// endian) and the payload.
//   reader:  Opened, Title, DefaultTopic, ContentsFile, IndexFile,
//            [Contents], [Index], End    -- or Failed, and it exits
//   program: Read(object path)  ->  reader: Data(bytes) or Nothing
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rovanta::chm_reader {

enum class Tag : char {
    Opened = 'O',
    Failed = 'F',
    Title = 't',
    DefaultTopic = 'd',
    ContentsFile = 'c',
    IndexFile = 'i',
    Contents = 'C',
    Index = 'I',
    End = 'E',
    Read = 'R',
    Data = 'D',
    Nothing = 'N',
};

/// No object of a help file is read beyond this size, so no frame is longer.
inline constexpr std::uint32_t kMaxPayload = 64u << 20;

[[nodiscard]] std::string encodeFrame(Tag tag, std::string_view payload = {});

struct Frame {
    Tag tag;
    std::string payload;
};

/// Frames out of a byte stream that arrives in pieces.
class FrameDecoder {
public:
    void append(std::string_view bytes);
    /// The next whole frame; nothing while it is incomplete or once the
    /// stream is broken.
    [[nodiscard]] std::optional<Frame> next();
    /// An unknown tag or an overlong frame was seen: the rest is garbage.
    bool broken() const { return broken_; }

private:
    std::string buffer_;
    std::size_t start_ = 0;
    bool broken_ = false;
};

/// The reader's side: opens `file` and answers on `in` and `out` until the
/// program closes the connection. The process's exit status.
int serve(const std::filesystem::path& file, int in, int out);

} // namespace rovanta::chm_reader
