// The recovery file in the running program: the per-user state folder, a
// single-shot timer for the keeper, and the offer at start of a tour that
// a run which did not end normally left behind.
#pragma once

#include "manager/records.h"
#include "tour/recovery_keeper.h"

#include <QObject>
#include <QTimer>

#include <filesystem>

namespace rovanta {

class CRovantaView;

class TourRecoveryGuard : public QObject, public RecoveryHost {
    Q_OBJECT
public:
    /// Keeps this process's recovery file in `folder`; `view` outlives it.
    TourRecoveryGuard(std::filesystem::path folder, CRovantaView& view);

    /// `$XDG_STATE_HOME/Rovanta` when that is set, else the per-user
    /// application data folder.
    static std::filesystem::path defaultFolder();

    RecoveryKeeper& keeper() { return keeper_; }
    /// Asks about each tour left by an ended run, newest first, until one is
    /// recovered; a declined one is deleted.
    void offerLeftTours();

    std::optional<RecoveryRecord> unsavedTour() override;
    std::int64_t now() const override;
    void startTimer(int milliseconds) override;

private:
    /// The record's tour becomes the current, unsaved tour on its map.
    void restore(const RecoveryRecord& record);
    MapRecord mapFor(const RecoveryRecord& record) const;

    std::filesystem::path folder_;
    CRovantaView& view_;
    QTimer timer_;
    RecoveryKeeper keeper_;
};

} // namespace rovanta
