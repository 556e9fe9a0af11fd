#pragma once

#include <QString>

// The settings file a command uses when --settings does not name one: the file the windows
// use when they are started in the current folder, so that options set in either are seen by
// both.
namespace CliSettingsFile {

/// VKR410T.ini in the first of the current folder, the program's folder and the
/// installation's shared folder that holds the tool's files; in the user's configuration
/// folder when that folder cannot be written.
QString defaultPath();

/// The language folder beside `settingsFile`, else the one of the tool's files (a settings
/// file in the configuration folder has none beside it).
QString languageFolder(const QString &settingsFile);

/// How --help describes that default.
QString defaultHelp();

}  // namespace CliSettingsFile
