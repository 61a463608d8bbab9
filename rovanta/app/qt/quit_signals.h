// A logout, `kill` or Ctrl+C would end the program without its exit, and
// the folders, maps and tours of the run would never reach the settings.
// These signals end the event loop instead, so the usual exit runs, but
// without the close questions: no one may be there to answer them.
#pragma once

#include <QObject>

#include <functional>

namespace rovanta {

class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    /// SIGTERM, SIGINT and SIGHUP run `beforeExit`, then end the event
    /// loops while this lives (POSIX systems; elsewhere it does nothing).
    explicit QuitOnSignals(std::function<void()> beforeExit, QObject* parent = nullptr);
    ~QuitOnSignals() override;
};

} // namespace rovanta
