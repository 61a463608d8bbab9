#include "tour/recovery_keeper.h"

#include <system_error>
#include <utility>

namespace rovanta {

RecoveryKeeper::RecoveryKeeper(std::filesystem::path file, std::int64_t pid, RecoveryHost& host)
    : file_(std::move(file)), pid_(pid), host_(host)
{
}

void RecoveryKeeper::changed()
{
    if (stopped_)
        return;
    // A saved or dropped tour must not be offered again, even after a
    // crash in the next half second.
    if (!host_.unsavedTour()) {
        remove();
        return;
    }
    if (!pending_) {
        pending_ = true;
        host_.startTimer(kWriteDelayMs);
    }
}

void RecoveryKeeper::flush()
{
    pending_ = false;
    if (stopped_)
        return;
    const std::optional<RecoveryRecord> tour = host_.unsavedTour();
    if (!tour) {
        remove();
        return;
    }
    if (tour == written_)
        return;
    RecoveryRecord stamped = *tour;
    stamped.writtenAt = host_.now();
    stamped.pid = pid_;
    // A failed write leaves the last good file; the next change tries again.
    if (writeRecoveryFile(file_, stamped))
        written_ = tour;
}

void RecoveryKeeper::keepForNextStart()
{
    flush();
    stopped_ = true;
}

void RecoveryKeeper::discard()
{
    if (stopped_)
        return;
    remove();
    stopped_ = true;
}

void RecoveryKeeper::remove()
{
    if (!written_)
        return;
    std::error_code error;
    std::filesystem::remove(file_, error);
    written_.reset();
}

} // namespace rovanta
