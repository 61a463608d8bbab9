// The "CAP", "NUM" and "SCRL" panes of the status bar. Qt has no portable
// way to ask for the lock keys; on Linux the keyboard LEDs in sysfs tell.
#pragma once

#include <QObject>

#include <array>
#include <optional>

class QLabel;
class QStatusBar;

namespace rovanta {

enum class LockKey { kCaps, kNum, kScroll };

/// The key's state as the platform reports it, or nothing when it does
/// not. `ledFolder` is where the LEDs are listed ("/sys/class/leds").
std::optional<bool> readLockKey(LockKey key, const QString& ledFolder = QStringLiteral("/sys/class/leds"));

class LockKeyPanes : public QObject {
    Q_OBJECT
public:
    /// Adds the three panes to the right end of the status bar.
    explicit LockKeyPanes(QStatusBar& statusBar);

    QLabel& pane(LockKey key) { return *panes_[static_cast<int>(key)]; }
    /// Reads the states again; also done after a lock key is released and
    /// when the program becomes active (the keys may have changed elsewhere).
    void update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<QLabel*, 3> panes_{};
};

} // namespace rovanta
