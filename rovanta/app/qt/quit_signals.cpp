#include "app/qt/quit_signals.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace rovanta {

#ifdef Q_OS_UNIX
namespace {

constexpr std::array<int, 3> kSignals{SIGTERM, SIGINT, SIGHUP};

// A signal handler may only write to a pipe; the event loop reads it.
int wakeUp[2] = {-1, -1};

extern "C" void noteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(wakeUp[1], &byte, 1);
}

} // namespace

QuitOnSignals::QuitOnSignals(std::function<void()> beforeExit, QObject* parent) : QObject(parent)
{
    if (wakeUp[0] < 0) {
        if (::pipe(wakeUp) != 0)
            return;
        for (const int end : wakeUp) {
            ::fcntl(end, F_SETFD, FD_CLOEXEC);
            ::fcntl(end, F_SETFL, O_NONBLOCK);
        }
    }
    auto* notifier = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [beforeExit = std::move(beforeExit)] {
        char bytes[16];
        while (::read(wakeUp[0], bytes, sizeof bytes) > 0) {
        }
        if (beforeExit)
            beforeExit();
        // Unlike quit(), exit() closes no window, so no close question
        // blocks the exit; it also ends a modal dialog's loop.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}

QuitOnSignals::~QuitOnSignals()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals)
        ::sigaction(signal, &action, nullptr);
}
#else
QuitOnSignals::QuitOnSignals(std::function<void()>, QObject* parent) : QObject(parent)
{
}
QuitOnSignals::~QuitOnSignals() = default;
#endif

} // namespace rovanta
