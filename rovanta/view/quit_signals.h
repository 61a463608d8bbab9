// A logout, `kill` or Ctrl+C would end the program without its exit, and
// the folders, maps and tours of the run would never reach the settings.
// These signals end the event loop instead, so the usual exit runs.
#pragma once

#include <QObject>

namespace rovanta {

class QuitOnSignals : public QObject {
    Q_OBJECT
public:
    /// SIGTERM, SIGINT and SIGHUP quit the application while this lives
    /// (POSIX systems; elsewhere it does nothing).
    explicit QuitOnSignals(QObject* parent = nullptr);
    ~QuitOnSignals() override;
};

} // namespace rovanta
