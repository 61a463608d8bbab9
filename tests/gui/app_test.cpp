// The application as a whole: it answers the core's questions with its own
// dialogs, and keeps the settings per user under the company key, written
// at exit (a damaged file read at the start is no failure to write it),
// also when the exit comes as a signal.
#include "app/qt/main_frame.h"
#include "app/qt/rovanta_app.h"
#include "dialogs/qt/message_dialog.h"
#include "ports/message.h"
#include "ports/rename_prompt.h"
#include "ports/save_file_prompt.h"
#include "scripted_dialogs.h"

#include <QDir>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <csignal>
#include <memory>
#include <optional>

using namespace rovanta;

namespace {
void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class AppTest : public QObject {
    Q_OBJECT
public:
    explicit AppTest(CRovantaApp& app) : app_(app) {}

private slots:
    void startInstallsTheDialogsAndShowsTheWindow()
    {
        QVERIFY(app_.initInstance());
        QVERIFY(app_.mainFrame() && app_.mainFrame()->isVisible());
        QVERIFY(dynamic_cast<MessageDialog*>(InstalledMessageAnswerer::get()));
        QVERIFY(InstalledRenamePrompt::get());
        QVERIFY(InstalledSaveFilePrompt::get());
    }

    void showMessageRunsTheMessageDialog()
    {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<MessageDialog*>(QApplication::activeModalWidget()))
                dialog->findChild<QPushButton*>(QStringLiteral("yesButton"))->click();
        });
        QCOMPARE(showMessage(61208, kMessageYesNo), 6);
    }

private:
    CRovantaApp& app_;
};

int main(int argc, char** argv)
{
    // The per-user settings of this run go to a folder of their own, and
    // start cut short inside a section header.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("XDG_STATE_HOME", QFile::encodeName(config.path()));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString conf = config.filePath(QStringLiteral("Quelder Applications/Rovanta.conf"));
    const QByteArray damaged("[Settings]\nFolderCount=3\n[MapNa");
    QDir(config.path()).mkpath(QStringLiteral("Quelder Applications"));
    writeFile(conf, damaged);
    int failures = 0;
    // Outlives the application: its exit may still have something to say.
    std::optional<test::ScriptedAnswerer> exitMessages;
    {
        CRovantaApp app(argc, argv);
        AppTest test(app);
        failures = QTest::qExec(&test, argc, argv);
        if (readFile(conf) != damaged) {
            qWarning("settings written before exit");
            ++failures;
        }
        exitMessages.emplace();
        // A logout's SIGTERM ends the run through the usual exit.
        QTimer::singleShot(0, [] { std::raise(SIGTERM); });
        app.exec();
    }
    // At exit the store wrote its lists, with their counts as integers.
    QSettings written(conf, QSettings::IniFormat);
    if (written.status() != QSettings::NoError ||
        written.value(QStringLiteral("Settings/FolderCount")).toString() != QStringLiteral("0")) {
        qWarning("settings not written at exit to %s", qPrintable(conf));
        ++failures;
    }
    for (const test::ShownMessage& message : exitMessages->shown) {
        qWarning("told at exit: %s", message.text.c_str());
        ++failures;
    }
    return failures;
}

#include "app_test.moc"
