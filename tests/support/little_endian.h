// Little-endian integers appended to a byte string, as BMP headers store them.
#pragma once

#include <cstdint>
#include <string>

namespace rovanta::test {

inline void put16(std::string& out, std::uint32_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

inline void put32(std::string& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

} // namespace rovanta::test
