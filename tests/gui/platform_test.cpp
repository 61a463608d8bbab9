// What the GUI takes from the platform: the settings store's types and
// deletion, paths Qt gives as text, and the lock keys' LEDs.
#include "app/qt/lock_keys.h"
#include "app/qt/qt_settings_access.h"
#include "common/qt/display.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>

#include <unistd.h>

using namespace rovanta;

namespace {
// What stands in the way of the settings file.
enum class Obstacle { kNone, kFolderAtStart, kFolderBeforeWrite, kReadOnly };
} // namespace
Q_DECLARE_METATYPE(Obstacle)

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void settingsKeepTypesAndValuesAcrossRuns()
    {
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("Rovanta.conf"));
        const std::string latin1Name = "Gr\xFCn";
        {
            QtSettingsAccess first(ini);
            first.writeInt("Settings", "MapCount", 3);
            first.writeInt("MapStatus", "MapId_000", -1);
            first.writeInt("MapStatus", "MapId_001", std::numeric_limits<std::int32_t>::min());
            first.writeString("MapName", "MapId_000", "Zürich, Süd");
            first.writeString("MapName", "MapId_001", latin1Name);
            first.writeString("MapName", "MapId_002", "Tab\there");
            first.writeString("MapPath", "MapId_000", "FolderId_03\\Alps.cal");
            first.writeString("MapPath", "MapId_001", "gone");
            first.writeString("MapPath", "MapId_001", std::nullopt);
            first.writeString("Folder", "FolderId_00", "");
        }
        QtSettingsAccess next(ini);
        QCOMPARE(next.readInt("Settings", "MapCount", 0), 3);
        QCOMPARE(next.readInt("MapStatus", "MapId_000", 0), -1);
        QCOMPARE(next.readInt("MapStatus", "MapId_001", 0), std::numeric_limits<std::int32_t>::min());
        QCOMPARE(next.readString("MapName", "MapId_000", ""), std::string("Zürich, Süd"));
        QCOMPARE(next.readString("MapName", "MapId_001", ""), latin1Name);
        QCOMPARE(next.readString("MapName", "MapId_002", ""), std::string("Tab\there"));
        QCOMPARE(next.readString("MapPath", "MapId_000", ""), std::string("FolderId_03\\Alps.cal"));
        QCOMPARE(next.readString("MapPath", "MapId_001", "<none>"), std::string("<none>"));
        QCOMPARE(next.readString("Folder", "FolderId_00", "<none>"), std::string());
        // A word where a number belongs gives the default, as does a missing value.
        QCOMPARE(next.readInt("MapName", "MapId_000", 7), 7);
        QCOMPARE(next.readInt("Settings", "TourCount", 5), 5);
    }

    void onlyAFailedWriteIsReported_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<bool>("written");
        const QByteArray cut("[Settings]\nFolderCount=1\n[MapNa");
        std::mt19937 random(18);
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(static_cast<char>(random()));
        QTest::newRow("new file") << QByteArray() << Obstacle::kNone << true;
        QTest::newRow("folder in its place") << QByteArray() << Obstacle::kFolderAtStart << false;
        QTest::newRow("cut inside a section header") << cut << Obstacle::kNone << true;
        QTest::newRow("random bytes") << noise << Obstacle::kNone << true;
        QTest::newRow("damaged, then a folder in its place") << cut << Obstacle::kFolderBeforeWrite << false;
        QTest::newRow("damaged and read-only") << cut << Obstacle::kReadOnly << false;
    }

    // A damaged file read at the start is no failure to write it.
    void onlyAFailedWriteIsReported()
    {
        QFETCH(QByteArray, before);
        QFETCH(Obstacle, obstacle);
        QFETCH(bool, written);
        if (obstacle == Obstacle::kReadOnly && ::geteuid() == 0)
            QSKIP("root writes read-only files");
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("Rovanta.conf"));
        if (!before.isNull()) {
            QFile file(ini);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
        }
        if (obstacle == Obstacle::kFolderAtStart)
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Rovanta.conf")));
        if (obstacle == Obstacle::kReadOnly)
            QVERIFY(QFile::setPermissions(ini, QFile::ReadOwner));
        QtSettingsAccess settings(ini);
        settings.writeInt("Settings", "MapCount", 1);
        if (obstacle == Obstacle::kFolderBeforeWrite)
            QVERIFY(QFile::remove(ini) && QDir(folder.path()).mkdir(QStringLiteral("Rovanta.conf")));
        QCOMPARE(settings.flush(), written);
        if (written) {
            const QSettings reread(ini, QSettings::IniFormat);
            QCOMPARE(reread.status(), QSettings::NoError);
            QCOMPARE(reread.value(QStringLiteral("Settings/MapCount")).toString(), "1");
        }
    }

    void handEditedSettingsGiveDefaults()
    {
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("Rovanta.conf"));
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nMapCount=12abc\nTourCount=99999999999\nFolderCount= 2\n"
                   "[MapName]\nMapId_000=Alps, North\n");
        file.close();
        QtSettingsAccess settings(ini);
        QCOMPARE(settings.readInt("Settings", "MapCount", 0), 0);
        QCOMPARE(settings.readInt("Settings", "TourCount", 0), 0);
        QCOMPARE(settings.readString("MapName", "MapId_000", ""), std::string("Alps, North"));
    }

    void handEditedValuesReadAsWritten_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("comma") << QByteArray("[Folder]\nFolderId_00=/maps/Tirol, Nord\n") << "Folder/FolderId_00"
                               << QByteArray("/maps/Tirol, Nord");
        QTest::newRow("comma without a blank") << QByteArray("[Folder]\nFolderId_00=/maps/Tirol,Nord\n")
                                               << "Folder/FolderId_00" << QByteArray("/maps/Tirol,Nord");
        QTest::newRow("single backslash") << QByteArray("[MapPath]\nMapId_000=FolderId_00\\Alps.cal\n")
                                          << "MapPath/MapId_000" << QByteArray("FolderId_00\\Alps.cal");
        QTest::newRow("backslash before t") << QByteArray("[TourPath]\nTourId_000=FolderId_01\\tirol.TXT\n")
                                            << "TourPath/TourId_000" << QByteArray("FolderId_01\\tirol.TXT");
        QTest::newRow("semicolon") << QByteArray("[Folder]\nFolderId_00 = /maps/a;b \n") << "Folder/FolderId_00"
                                   << QByteArray("/maps/a;b");
        QTest::newRow("final backslash") << QByteArray(
                                                "[FolderStrings]\nLastSaveFolder=C:\\Tours\\\nLastSelectedFolder=/x\n")
                                         << "FolderStrings/LastSaveFolder" << QByteArray("C:\\Tours\\");
        QTest::newRow("line after a final backslash")
            << QByteArray("[FolderStrings]\nLastSaveFolder=C:\\Tours\\\nLastSelectedFolder=/x\n")
            << "FolderStrings/LastSelectedFolder" << QByteArray("/x");
        QTest::newRow("Latin-1") << QByteArray("[MapName]\nMapId_000=Gr\xFCn\n") << "MapName/MapId_000"
                                 << QByteArray("Gr\xFCn");
        QTest::newRow("escaped and quoted") << QByteArray("[Folder]\nFolderId_00=\"C:\\\\a, \\\"b\\\"\"\n")
                                            << "Folder/FolderId_00" << QByteArray("C:\\a, \"b\"");
    }

    // Read, written back untouched, then written back as read: the same
    // text every time, as the manager reads and saves it.
    void handEditedValuesReadAsWritten()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, key);
        QFETCH(QByteArray, expected);
        const std::string section = key.section(u'/', 0, 0).toStdString();
        const std::string name = key.section(u'/', 1).toStdString();
        QTemporaryDir folder;
        const QString ini = folder.filePath(QStringLiteral("Rovanta.conf"));
        QFile written(ini);
        QVERIFY(written.open(QIODevice::WriteOnly));
        written.write(file);
        written.close();

        for (int run = 0; run < 3; ++run) {
            QtSettingsAccess settings(ini);
            const std::string read = settings.readString(section, name, "<none>");
            QCOMPARE(QByteArray::fromStdString(read), expected);
            if (run == 0)
                settings.writeInt("Settings", "MapCount", 1);
            else
                settings.writeString(section, name, read);
            QVERIFY(settings.flush());
        }
    }

    void pathsFromQtFindTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("Latin-1 folder") << QByteArray("K\xF6ln/tour.TXT");
        QTest::newRow("Latin-1 folder, new file") << QByteArray("K\xF6ln/new.TXT");
        QTest::newRow("Latin-1 file") << QByteArray("K\xF6ln/Gr\xFCn.TXT");
        QTest::newRow("UTF-8 folder") << QByteArray("Z\xC3\xBCrich/");
    }

    // A file dialog shows a name that is not UTF-8 with replacement
    // characters; the choice must still name the file on disk.
    void pathsFromQtFindTheirBytes()
    {
        QFETCH(QByteArray, path);
        QTemporaryDir folder;
        const std::string base = folder.path().toStdString() + "/";
        std::filesystem::create_directories(base + "K\xF6ln");
        std::filesystem::create_directories(base + "Z\xC3\xBCrich");
        for (const char* name : {"K\xF6ln/tour.TXT", "K\xF6ln/Gr\xFCn.TXT"})
            std::ofstream(base + name).put('\n');
        const std::string wanted = base + path.toStdString();
        QCOMPARE(fileSystemPath(qtPath(wanted)), wanted);
    }

    void lockKeysFollowTheKeyboardLeds()
    {
        QTemporaryDir leds;
        const auto led = [&](const QString& name, const char* level) {
            QVERIFY(QDir(leds.path()).mkpath(name));
            QFile file(leds.filePath(name + QStringLiteral("/brightness")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(level);
        };
        led(QStringLiteral("input3::capslock"), "0\n");
        led(QStringLiteral("input7::capslock"), "1\n");
        led(QStringLiteral("input3::numlock"), "0\n");
        led(QStringLiteral("phy0-led"), "1\n");
        QCOMPARE(readLockKey(LockKey::kCaps, leds.path()), std::optional<bool>(true));
        QCOMPARE(readLockKey(LockKey::kNum, leds.path()), std::optional<bool>(false));
        QCOMPARE(readLockKey(LockKey::kScroll, leds.path()), std::nullopt);
        QCOMPARE(readLockKey(LockKey::kCaps, leds.filePath(QStringLiteral("missing"))), std::nullopt);
    }
};

QTEST_MAIN(PlatformTest)
#include "platform_test.moc"
