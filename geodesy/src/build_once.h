// Builds a process-wide table exactly once, even when several threads ask
// for it at the same moment. A failed build leaves the table unbuilt, so the
// next call tries again (std::call_once would need an exception for that).
#pragma once

#include <atomic>
#include <mutex>

namespace kalimark {

/// `build` returns a bit set, 0 on success; only then is `built` set.
template <typename Build> int buildOnce(std::atomic<bool>& built, std::mutex& mutex, Build build)
{
    if (built.load(std::memory_order_acquire))
        return 0;
    const std::lock_guard lock(mutex);
    if (built.load(std::memory_order_relaxed))
        return 0;
    const int bits = build();
    if (bits == 0)
        built.store(true, std::memory_order_release);
    return bits;
}

} // namespace kalimark
