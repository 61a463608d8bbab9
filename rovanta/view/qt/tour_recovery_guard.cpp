#include "view/qt/tour_recovery_guard.h"

#include "common/qt/display.h"
#include "ports/message.h"
#include "view/qt/rovanta_view.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStandardPaths>

#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#endif

namespace rovanta {
namespace fs = std::filesystem;

namespace {

fs::path toPath(const QString& folder)
{
    return fs::path(fileSystemPath(folder));
}

bool processRunning(std::int64_t pid)
{
#ifdef Q_OS_UNIX
    // EPERM: it runs, as another user.
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#else
    return false;
#endif
}

} // namespace

TourRecoveryGuard::TourRecoveryGuard(fs::path folder, CRovantaView& view)
    : folder_(std::move(folder)), view_(view),
      keeper_(recoveryFileFor(folder_, QCoreApplication::applicationPid()), QCoreApplication::applicationPid(), *this)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { keeper_.flush(); });
}

fs::path TourRecoveryGuard::defaultFolder()
{
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!state.isEmpty())
        return toPath(state) / "Rovanta";
    return toPath(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

void TourRecoveryGuard::offerLeftTours()
{
    for (const LeftRecovery& left : leftRecoveries(folder_, QCoreApplication::applicationPid(), processRunning)) {
        const bool recover = showMessage(recoveryQuestion(left.record), kMessageYesNo) == kAnswerYes;
        // A signal ended the question, not the user: the file stays.
        if (keeper_.stopped())
            return;
        if (recover) {
            restore(left.record);
            // Ours first, so the tour is on disk at every moment.
            keeper_.flush();
        }
        std::error_code error;
        fs::remove(left.file, error);
        if (recover)
            return;
    }
}

std::optional<RecoveryRecord> TourRecoveryGuard::unsavedTour()
{
    const TourRecord tour = view_.currentTour();
    if (!tour || !view_.tourCommands().unsavedTour())
        return std::nullopt;
    const MapRecord map = view_.currentMap();
    return recordOfTour(*tour, map ? map->calPath() : std::string());
}

std::int64_t TourRecoveryGuard::now() const
{
    return QDateTime::currentSecsSinceEpoch();
}

void TourRecoveryGuard::startTimer(int milliseconds)
{
    timer_.start(milliseconds);
}

void TourRecoveryGuard::restore(const RecoveryRecord& record)
{
    // At start no tour waits to be saved, so New Tour asks nothing.
    view_.tourCommands().newTour();
    const TourRecord tour = view_.currentTour();
    if (!tour)
        return;
    restoreTour(record, *tour);
    if (const MapRecord map = mapFor(record))
        view_.editor().switchMap(map);
    view_.tourCommands().tourReplaced();
    view_.setClearBackground();
    view_.refreshDistances();
}

// The map it was planned on, else one that holds its first point, else the
// map shown.
MapRecord TourRecoveryGuard::mapFor(const RecoveryRecord& record) const
{
    for (const auto& item : view_.manager().maps()) {
        if (!record.mapPath.empty() && item.second->calPath() == record.mapPath)
            return item.second;
    }
    if (const TourRecord tour = view_.currentTour(); tour && tour->getPointCount() > 0) {
        cl_RefPoint first = *tour->getPoint(0);
        if (MapRecord map = view_.manager().findMapContaining(first))
            return map;
    }
    return view_.currentMap();
}

} // namespace rovanta
