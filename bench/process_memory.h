// What the benchmarks report beside their times.
#pragma once

#include <fstream>
#include <string>

namespace rovanta::bench {

/// Resident anonymous memory, bytes: what the process itself allocated, as
/// opposed to file pages it maps; -1 when the kernel does not say.
inline long long anonymousBytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long long kilobytes = 0;
    while (status >> key) {
        if (key == "RssAnon:") {
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

} // namespace rovanta::bench
