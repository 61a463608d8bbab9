#include "help/chm_reader.h"

#include "help/chm_file.h"

#include <unistd.h>

#include <cerrno>

namespace rovanta::chm_reader {
namespace {

constexpr std::size_t kHeaderSize = 5;

bool isKnownTag(char tag)
{
    constexpr std::string_view known = "OFtdciCIERDN";
    return known.find(tag) != std::string_view::npos;
}

bool writeAll(int out, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(out, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The opening answer; nothing when a sitemap the file names cannot be
// read, as then its pages cannot be either.
std::optional<std::string> opening(const ChmFile& archive)
{
    std::string answer = encodeFrame(Tag::Opened) + encodeFrame(Tag::Title, archive.title()) +
                         encodeFrame(Tag::DefaultTopic, archive.defaultTopic()) +
                         encodeFrame(Tag::ContentsFile, archive.contentsFile()) +
                         encodeFrame(Tag::IndexFile, archive.indexFile());
    for (const auto& [file, tag] :
         {std::pair{archive.contentsFile(), Tag::Contents}, {archive.indexFile(), Tag::Index}}) {
        if (file.empty())
            continue;
        const std::optional<std::string> sitemap = archive.read(file);
        if (!sitemap)
            return std::nullopt;
        answer += encodeFrame(tag, *sitemap);
    }
    return answer + encodeFrame(Tag::End);
}

} // namespace

std::string encodeFrame(Tag tag, std::string_view payload)
{
    const auto length = static_cast<std::uint32_t>(payload.size());
    std::string frame{static_cast<char>(tag)};
    for (int shift = 0; shift < 32; shift += 8)
        frame += static_cast<char>((length >> shift) & 0xFF);
    frame += payload;
    return frame;
}

void FrameDecoder::append(std::string_view bytes)
{
    buffer_.erase(0, start_);
    start_ = 0;
    buffer_ += bytes;
}

std::optional<Frame> FrameDecoder::next()
{
    if (broken_ || buffer_.size() - start_ < kHeaderSize)
        return std::nullopt;
    const char tag = buffer_[start_];
    std::uint32_t length = 0;
    for (std::size_t i = 0; i < 4; ++i)
        length |= static_cast<std::uint32_t>(static_cast<unsigned char>(buffer_[start_ + 1 + i])) << (8 * i);
    if (!isKnownTag(tag) || length > kMaxPayload) {
        broken_ = true;
        return std::nullopt;
    }
    if (buffer_.size() - start_ - kHeaderSize < length)
        return std::nullopt;
    Frame frame{static_cast<Tag>(tag), buffer_.substr(start_ + kHeaderSize, length)};
    start_ += kHeaderSize + length;
    return frame;
}

int serve(const std::filesystem::path& file, int in, int out)
{
    const std::unique_ptr<ChmFile> archive = ChmFile::open(file);
    const std::optional<std::string> answer = archive ? opening(*archive) : std::nullopt;
    if (!answer) {
        (void)writeAll(out, encodeFrame(Tag::Failed));
        return 1;
    }
    if (!writeAll(out, *answer))
        return 1;
    FrameDecoder decoder;
    char buffer[4096];
    while (true) {
        while (std::optional<Frame> request = decoder.next()) {
            if (request->tag != Tag::Read)
                return 1;
            const std::optional<std::string> bytes = archive->read(request->payload);
            if (!writeAll(out, bytes ? encodeFrame(Tag::Data, *bytes) : encodeFrame(Tag::Nothing)))
                return 1;
        }
        if (decoder.broken())
            return 1;
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return 0;
        decoder.append(std::string_view(buffer, static_cast<std::size_t>(got)));
    }
}

} // namespace rovanta::chm_reader
