#include "view/chm_archive.h"

#include "common/file_names.h"
#include "view/help_contents.h"

#include <chm_lib.h>

#include <algorithm>
#include <bit>
#include <cstdint>
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

unsigned readUint16(std::string_view bytes, std::size_t at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<unsigned>(static_cast<std::uint8_t>(bytes[at + 1])) << 8;
}

std::uint32_t readUint32(std::string_view bytes, std::size_t at)
{
    return readUint16(bytes, at) | static_cast<std::uint32_t>(readUint16(bytes, at + 2)) << 16;
}

// chmlib trusts the LZX window size of the file's control data and crashes
// on a corrupt one; LZX windows are 2^15 to 2^21 bytes.
bool hasUsableLzxWindow(std::string_view control)
{
    if (control.size() < 20 || control.substr(4, 4) != "LZXC")
        return false;
    std::uint64_t window = readUint32(control, 16);
    if (readUint32(control, 8) == 2)
        window *= 0x8000;
    const int bits = std::countr_zero(window);
    return window != 0 && bits >= 15 && bits <= 21;
}

std::uint64_t readUint64(std::string_view bytes, std::size_t at)
{
    return readUint32(bytes, at) | static_cast<std::uint64_t>(readUint32(bytes, at + 4)) << 32;
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

std::unique_ptr<ChmArchive> ChmArchive::open(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return nullptr;
    chmFile* handle = chm_open(file.c_str());
    if (handle == nullptr)
        return nullptr;
    std::unique_ptr<ChmArchive> archive(new ChmArchive(handle));
    chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectEntry, &archive->entries_);
    archive->compressedReadable_ =
        hasUsableLzxWindow(archive->readExact("::DataSpace/Storage/MSCompressed/ControlData").value_or("")) &&
        hasSafeResetTable(archive->readExact("::DataSpace/Storage/MSCompressed/Transform/"
                                             "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable")
                              .value_or(""));
    archive->readSystem();
    return archive;
}

ChmArchive::ChmArchive(chmFile* handle) : handle_(handle)
{
}

ChmArchive::~ChmArchive()
{
    chm_close(handle_);
}

std::optional<std::string> ChmArchive::read(std::string_view path) const
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

std::optional<std::string> ChmArchive::readExact(const std::string& path) const
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

void ChmArchive::readSystem()
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
            keepFirst(defaultTopic_, helpPagePath(data));
        else if (code == kTitleCode)
            keepFirst(title_, std::string(data));
    }
    contentsFile_ = existingOrFirstWithSuffix(contents, ".hhc");
    indexFile_ = existingOrFirstWithSuffix(index, ".hhk");
}

std::string ChmArchive::existingOrFirstWithSuffix(const std::string& named, std::string_view suffix) const
{
    const auto exists = [&](const std::string& entry) { return equalsIgnoreCase(entry, named); };
    if (!named.empty() && std::ranges::any_of(entries_, exists))
        return named;
    const auto match =
        std::ranges::find_if(entries_, [&](const std::string& entry) { return endsWithIgnoreCase(entry, suffix); });
    return match == entries_.end() ? std::string() : *match;
}

} // namespace rovanta
