#include "help/chm_file.h"

#include "common/file_names.h"
#include "help/help_contents.h"

#include <chm_lib.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <fstream>
#include <system_error>

namespace rovanta {
namespace {

// A corrupt directory entry may claim any length; pages and images of a
// help file are far smaller.
constexpr std::uint64_t kMaxObjectSize = 64u << 20;

// #SYSTEM record codes.
constexpr unsigned kContentsFileCode = 0;
constexpr unsigned kIndexFileCode = 1;
constexpr unsigned kDefaultTopicCode = 2;
constexpr unsigned kTitleCode = 3;

constexpr std::string_view kControlData = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view kResetTable = "::DataSpace/Storage/MSCompressed/Transform/"
                                         "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";

unsigned readUint16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<unsigned>(static_cast<std::uint8_t>(bytes[at + 1])) << 8;
}

std::uint32_t readUint32(std::string_view bytes, std::size_t at)
{
    return readUint16(bytes, at) | static_cast<std::uint32_t>(readUint16(bytes, at + 2)) << 16;
}

std::uint64_t readUint64(std::string_view bytes, std::size_t at)
{
    return readUint32(bytes, at) | static_cast<std::uint64_t>(readUint32(bytes, at + 4)) << 32;
}

// chmlib trusts the LZX control data: it divides by half the window size
// while opening, and by the blocks per reset (reset interval / half window
// * windows per reset, in its 32-bit arithmetic) on the first compressed
// read. LZX windows are 2^15 to 2^21 bytes.
bool hasUsableLzxControl(std::string_view control)
{
    if (control.size() < 24 || control.substr(4, 4) != "LZXC")
        return false;
    const std::uint32_t unit = readUint32(control, 8) == 2 ? 0x8000 : 1;
    const std::uint32_t resetInterval = readUint32(control, 12) * unit;
    const std::uint32_t window = readUint32(control, 16) * unit;
    const std::uint32_t windowsPerReset = readUint32(control, 20);
    if (!std::has_single_bit(window) || std::countr_zero(window) < 15 || std::countr_zero(window) > 21)
        return false;
    return resetInterval / (window / 2) * windowsPerReset != 0;
}

struct ListingEntry {
    std::uint64_t space;
    std::uint64_t start;
    std::uint64_t length;
};

// A directory number: 7 bits a byte, most significant first, the top bit
// set on every byte but the last.
std::optional<std::uint64_t> readEncodedInt(std::string_view bytes, std::size_t& at)
{
    std::uint64_t value = 0;
    for (int count = 0; at < bytes.size() && count < 9; ++count) {
        const auto byte = static_cast<std::uint8_t>(bytes[at++]);
        value = value << 7 | (byte & 0x7Fu);
        if ((byte & 0x80u) == 0)
            return value;
    }
    return std::nullopt;
}

// Entries: name length, name, space, start, length.
std::optional<ListingEntry> findListingEntry(std::string_view entries, std::string_view name)
{
    std::size_t at = 0;
    while (at < entries.size()) {
        const std::optional<std::uint64_t> nameLength = readEncodedInt(entries, at);
        if (!nameLength || *nameLength > entries.size() - at)
            return std::nullopt;
        const std::string_view entryName = entries.substr(at, static_cast<std::size_t>(*nameLength));
        at += static_cast<std::size_t>(*nameLength);
        const std::optional<std::uint64_t> space = readEncodedInt(entries, at);
        const std::optional<std::uint64_t> start = readEncodedInt(entries, at);
        const std::optional<std::uint64_t> length = readEncodedInt(entries, at);
        if (!space || !start || !length)
            return std::nullopt;
        if (entryName == name)
            return ListingEntry{*space, *start, *length};
    }
    return std::nullopt;
}

// The bytes of an uncompressed object, found by scanning the directory's
// listing chunks as they lie in the file; nothing when the directory is not
// laid out that plainly. Lets the control data be checked before chmlib
// opens the file.
std::optional<std::string> findUncompressedObject(const std::filesystem::path& file, std::string_view name)
{
    std::ifstream in(file, std::ios::binary);
    const auto bytesAt = [&](std::uint64_t offset, std::size_t size) {
        std::string bytes(size, '\0');
        in.seekg(static_cast<std::streamoff>(offset));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
        in.clear();
        return bytes;
    };
    const std::string header = bytesAt(0, 0x60);
    if (header.size() < 0x60 || !header.starts_with("ITSF"))
        return std::nullopt;
    const std::uint64_t directory = readUint64(header, 0x48);
    const std::uint64_t directoryLength = readUint64(header, 0x50);
    const std::uint64_t data = readUint32(header, 4) >= 3 ? readUint64(header, 0x58) : directory + directoryLength;
    const std::string listing = bytesAt(directory, 0x54);
    if (listing.size() < 0x54 || !listing.starts_with("ITSP"))
        return std::nullopt;
    const std::uint64_t chunkLength = readUint32(listing, 0x10);
    if (chunkLength < 0x14 || chunkLength > (1u << 16) || directoryLength < 0x54)
        return std::nullopt;
    const std::uint64_t chunks = std::min<std::uint64_t>((directoryLength - 0x54) / chunkLength, 4096);
    for (std::uint64_t index = 0; index < chunks; ++index) {
        const std::string chunk = bytesAt(directory + 0x54 + index * chunkLength, chunkLength);
        if (chunk.size() < chunkLength || !chunk.starts_with("PMGL") || readUint32(chunk, 4) > chunkLength - 0x14)
            continue;
        if (const auto entry = findListingEntry(chunk.substr(0x14, chunkLength - 0x14 - readUint32(chunk, 4)), name))
            return entry->space == 0 && entry->length <= (1u << 16) ? bytesAt(data + entry->start, entry->length)
                                                                    : std::optional<std::string>();
    }
    return std::nullopt;
}

// chmlib reads each compressed block, as long as the reset table says,
// into a buffer of the block length plus 6144 bytes; a corrupt table
// overruns it. Offsets must rise and every block fit that buffer.
bool hasSafeResetTable(std::string_view table)
{
    constexpr std::size_t kHeaderSize = 0x28;
    constexpr std::uint64_t kBlockSlack = 6144;
    constexpr std::uint64_t kMaxBlockLength = 1u << 21;
    if (table.size() < kHeaderSize)
        return false;
    const std::uint64_t blockCount = readUint32(table, 4);
    const std::uint64_t tableOffset = readUint32(table, 12);
    const std::uint64_t compressedLength = readUint64(table, 0x18);
    const std::uint64_t blockLength = readUint64(table, 0x20);
    if (blockLength == 0 || blockLength > kMaxBlockLength || tableOffset > table.size() ||
        blockCount > (table.size() - tableOffset) / 8)
        return false;
    const std::uint64_t longest = blockLength + kBlockSlack;
    for (std::uint64_t block = 0; block < blockCount; ++block) {
        const std::uint64_t start = readUint64(table, tableOffset + block * 8);
        const std::uint64_t end =
            block + 1 < blockCount ? readUint64(table, tableOffset + (block + 1) * 8) : compressedLength;
        if (end < start || end - start > longest)
            return false;
    }
    return true;
}

int collectEntry(chmFile*, chmUnitInfo* info, void* context)
{
    static_cast<std::vector<std::string>*>(context)->emplace_back(info->path);
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

std::unique_ptr<ChmFile> ChmFile::open(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return nullptr;
    if (const auto control = findUncompressedObject(file, kControlData); control && !hasUsableLzxControl(*control))
        return nullptr;
    chmFile* handle = chm_open(file.c_str());
    if (handle == nullptr)
        return nullptr;
    std::unique_ptr<ChmFile> archive(new ChmFile(handle));
    chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectEntry, &archive->entries_);
    archive->compressedReadable_ = hasUsableLzxControl(archive->readExact(std::string(kControlData)).value_or("")) &&
                                   hasSafeResetTable(archive->readExact(std::string(kResetTable)).value_or(""));
    archive->readSystem();
    return archive;
}

ChmFile::ChmFile(chmFile* handle) : handle_(handle)
{
}

ChmFile::~ChmFile()
{
    chm_close(handle_);
}

std::optional<std::string> ChmFile::read(std::string_view path) const
{
    const std::string wanted = helpPagePath(path);
    if (auto bytes = readExact(wanted))
        return bytes;
    // Links written on Windows may differ in case from the stored names.
    const auto match =
        std::ranges::find_if(entries_, [&](const std::string& entry) { return equalsIgnoreCase(entry, wanted); });
    if (match == entries_.end())
        return std::nullopt;
    return readExact(*match);
}

std::optional<std::string> ChmFile::readExact(const std::string& path) const
{
    // Folders resolve too, as empty objects; they are no pages.
    if (path.ends_with('/'))
        return std::nullopt;
    chmUnitInfo info{};
    if (path.size() > CHM_MAX_PATHLEN || chm_resolve_object(handle_, path.c_str(), &info) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    if (info.length > kMaxObjectSize || (info.space == CHM_COMPRESSED && !compressedReadable_))
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(info.length), '\0');
    if (bytes.empty())
        return bytes;
    const LONGINT64 got = chm_retrieve_object(handle_, &info, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                                              static_cast<LONGINT64>(info.length));
    if (got <= 0)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

void ChmFile::readSystem()
{
    // A version of 4 bytes, then records of code, length (both uint16 LE)
    // and data; strings end with a NUL inside their record.
    const std::string system = readExact("/#SYSTEM").value_or(std::string());
    std::string contents;
    std::string index;
    std::size_t at = 4;
    while (at + 4 <= system.size()) {
        const unsigned code = readUint16(system, at);
        const std::size_t length = readUint16(system, at + 2);
        at += 4;
        if (length > system.size() - at)
            break;
        std::string_view data = std::string_view(system).substr(at, length);
        at += length;
        data = data.substr(0, data.find('\0'));
        const auto keepFirst = [&](std::string& field, std::string value) {
            if (field.empty())
                field = std::move(value);
        };
        if (data.empty())
            continue;
        if (code == kContentsFileCode)
            keepFirst(contents, helpPagePath(data));
        else if (code == kIndexFileCode)
            keepFirst(index, helpPagePath(data));
        else if (code == kDefaultTopicCode)
            keepFirst(facts_.defaultTopic, helpPagePath(data));
        else if (code == kTitleCode)
            keepFirst(facts_.title, std::string(data));
    }
    facts_.contentsFile = existingOrFirstWithSuffix(contents, ".hhc");
    facts_.indexFile = existingOrFirstWithSuffix(index, ".hhk");
}

std::string ChmFile::existingOrFirstWithSuffix(const std::string& named, std::string_view suffix) const
{
    const auto exists = [&](const std::string& entry) { return equalsIgnoreCase(entry, named); };
    if (!named.empty() && std::ranges::any_of(entries_, exists))
        return named;
    const auto match =
        std::ranges::find_if(entries_, [&](const std::string& entry) { return endsWithIgnoreCase(entry, suffix); });
    return match == entries_.end() ? std::string() : *match;
}

} // namespace rovanta
