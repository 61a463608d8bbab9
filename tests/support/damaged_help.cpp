#include "damaged_help.h"

#include "little_endian.h"

#include <cstdint>

namespace rovanta::test {
namespace {

std::uint32_t get32(const std::string& bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

void set32(std::string& bytes, std::size_t at, std::uint32_t value)
{
    std::string encoded;
    put32(encoded, value);
    bytes.replace(at, 4, encoded);
}

// The first listing chunk becomes an index chunk whose one entry sends
// every name back to the same chunk.
bool loopDirectory(std::string& bytes)
{
    if (bytes.size() < 0x60 || get32(bytes, 0x48 + 4) != 0)
        return false;
    const std::size_t directory = get32(bytes, 0x48);
    if (directory + 0x54 > bytes.size() || bytes.compare(directory, 4, "ITSP") != 0)
        return false;
    const std::uint32_t chunkLength = get32(bytes, directory + 0x10);
    const std::size_t chunk = directory + get32(bytes, directory + 8) + get32(bytes, directory + 0x20) * chunkLength;
    const std::string entry("\x01/\x00", 3);
    if (chunk + chunkLength > bytes.size() || bytes.compare(chunk, 4, "PMGL") != 0)
        return false;
    std::string index = "PMGI";
    put32(index, chunkLength - 8 - static_cast<std::uint32_t>(entry.size()));
    bytes.replace(chunk, index.size() + entry.size(), index + entry);
    return true;
}

} // namespace

std::string damageHelpFile(std::string bytes, HelpDamage damage)
{
    // The control data: size, "LZXC", version, reset interval, window
    // size, windows per reset; version 2 counts in 32 KiB units.
    const std::size_t lzxc = bytes.find("LZXC");
    if (lzxc == std::string::npos || lzxc + 20 > bytes.size())
        return {};
    switch (damage) {
    case HelpDamage::WindowSizeZero:
        set32(bytes, lzxc + 12, 0);
        break;
    case HelpDamage::WindowSizeOne:
        set32(bytes, lzxc + 4, 1);
        set32(bytes, lzxc + 12, 1);
        break;
    case HelpDamage::WindowsPerResetZero:
        set32(bytes, lzxc + 16, 0);
        break;
    case HelpDamage::DirectoryLoop:
        if (!loopDirectory(bytes))
            return {};
        break;
    }
    return bytes;
}

} // namespace rovanta::test
