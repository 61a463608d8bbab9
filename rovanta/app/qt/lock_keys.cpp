#include "app/qt/lock_keys.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

namespace rovanta {

namespace {

constexpr std::array<const char*, 3> kLedSuffix{"::capslock", "::numlock", "::scrolllock"};
constexpr std::array<const char*, 3> kPaneText{"CAP", "NUM", "SCRL"};

// The LEDs follow the key a moment after its event.
constexpr int kLedSettleMs = 50;

} // namespace

std::optional<bool> readLockKey(LockKey key, const QString& ledFolder)
{
    const QString suffix = QString::fromLatin1(kLedSuffix[static_cast<int>(key)]);
    const QStringList leds = QDir(ledFolder).entryList({QLatin1Char('*') + suffix}, QDir::Dirs | QDir::System);
    std::optional<bool> state;
    // Every keyboard has its own LED; the key is on when any of them is.
    for (const QString& led : leds) {
        QFile brightness(ledFolder + QLatin1Char('/') + led + QStringLiteral("/brightness"));
        if (!brightness.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const int level = brightness.readAll().trimmed().toInt(&ok);
        if (ok)
            state = state.value_or(false) || level > 0;
    }
    return state;
}

LockKeyPanes::LockKeyPanes(QStatusBar& statusBar) : QObject(&statusBar)
{
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        auto* pane = new QLabel(&statusBar);
        pane->setAlignment(Qt::AlignCenter);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        // The pane keeps its width when the key is off and shows nothing.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QString::fromLatin1(kPaneText[i])) + 8);
        statusBar.addPermanentWidget(pane);
        panes_[i] = pane;
    }
    qApp->installEventFilter(this);
    update();
}

void LockKeyPanes::update()
{
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        const bool on = readLockKey(static_cast<LockKey>(i)).value_or(false);
        panes_[i]->setText(on ? QString::fromLatin1(kPaneText[i]) : QString());
    }
}

bool LockKeyPanes::eventFilter(QObject* watched, QEvent* event)
{
    bool refresh = event->type() == QEvent::ApplicationActivate;
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        refresh = key == Qt::Key_CapsLock || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
    }
    if (refresh)
        QTimer::singleShot(kLedSettleMs, this, &LockKeyPanes::update);
    return QObject::eventFilter(watched, event);
}

} // namespace rovanta
