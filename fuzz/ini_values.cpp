// A settings file edited by hand. Only plain sections and names are read.
#include "app/ini_values.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace {

bool isPlainName(const std::string& name)
{
    return std::all_of(name.begin(), name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const auto& [key, value] : rovanta::readPlainIniValues(rovanta::fuzz::bytesOf(data, size))) {
        if (!isPlainName(key.first) || !isPlainName(key.second) || key.first == "General")
            std::abort();
    }
    return 0;
}
