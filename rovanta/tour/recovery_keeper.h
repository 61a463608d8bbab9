// Keeps the recovery file in step with the unsaved tour: a change is written
// within a second, changes meanwhile go into the same write, and the file
// goes as soon as no tour waits to be saved.
#pragma once

#include "tour/tour_recovery.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace rovanta {

/// What the keeper needs from the program: the tour, the clock and a timer.
class RecoveryHost {
public:
    virtual ~RecoveryHost() = default;
    /// The unsaved tour's record (time and pid not set); nothing when no
    /// tour waits to be saved.
    virtual std::optional<RecoveryRecord> unsavedTour() = 0;
    /// Seconds since the epoch.
    virtual std::int64_t now() const = 0;
    /// Calls RecoveryKeeper::flush once, `milliseconds` from now.
    virtual void startTimer(int milliseconds) = 0;
};

class RecoveryKeeper {
public:
    /// Changes wait this long, so a burst of edits is one write.
    static constexpr int kWriteDelayMs = 500;

    /// The host must outlive the keeper; `file` belongs to process `pid`.
    RecoveryKeeper(std::filesystem::path file, std::int64_t pid, RecoveryHost& host);

    /// The tour may have changed (edited, saved, dropped, question declined).
    void changed();
    /// Brings the file up to date now; the timer calls it.
    void flush();
    /// An exit that asks nothing (a signal): the file stays for the next
    /// start, and nothing touches it any more.
    void keepForNextStart();
    /// A normal exit: the file goes, and nothing writes it any more.
    void discard();

    const std::filesystem::path& file() const { return file_; }
    bool timerPending() const { return pending_; }
    /// After an exit began: the file is no longer touched.
    bool stopped() const { return stopped_; }

private:
    void remove();

    std::filesystem::path file_;
    std::int64_t pid_;
    RecoveryHost& host_;
    bool pending_ = false;
    bool stopped_ = false;
    /// What the file holds, time and pid left out.
    std::optional<RecoveryRecord> written_;
};

} // namespace rovanta
