// The interface's language: the program's translation for the system's
// language, Qt's own for its standard dialogs, and the lookup behind the
// core's texts.
#pragma once

#include <QLocale>
#include <QLoggingCategory>
#include <QString>
#include <QStringList>

namespace rovanta {

/// What the program found while starting: translations, help, sample maps.
Q_DECLARE_LOGGING_CATEGORY(startLog)

/// Where the translations are looked for: beside the program (a build), then
/// in the data folder of the prefix it is installed in.
QStringList translationFolders();
/// The data folder of the installed program ("<prefix>/share/rovanta").
QString dataFolder();

/// Loads the translation of `locale`'s languages from the first of
/// `folders` that holds one, and Qt's own; installs them and the core's
/// lookup. The file loaded, or empty when the interface stays English.
/// Called again, it replaces what it installed before.
QString installTranslations(const QLocale& locale, const QStringList& folders);

/// True when the interface reads German.
bool germanInterface();

} // namespace rovanta
