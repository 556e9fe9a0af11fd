#pragma once

#include <QString>
#include <QStringList>

// Where the programs find their files when they are installed rather than started from a
// prepared application folder: the data and language folders in the installation's shared
// data folder (<prefix>/share/vkr410t beside <prefix>/bin), the settings file in the user's
// configuration folder when the application folder cannot be written.
namespace InstallLayout {

/// The installation's shared data folder seen from the folder of an installed program.
QString sharedFolder(const QString &exeFolder);

/// True when `folder` holds a data folder "dat", a language folder "lng" or the settings
/// file (names compared without case).
bool isPrepared(const QString &folder);

/// The first prepared folder of `candidates`, then the shared data folder of `exeFolder`
/// when it is prepared; `candidates.first()` when none is.
QString appFolder(const QStringList &candidates, const QString &exeFolder);

/// The data folder a program uses when none is named: "dat" beside the program, else the
/// one in the shared data folder. Empty when neither exists.
QString dataFolder(const QString &exeFolder);

/// `appFolder` when the user may write there; otherwise $XDG_CONFIG_HOME/vkr410t (created).
QString settingsFolder(const QString &appFolder);

/// The folder offered first for the user's own files: `appFolder` when it can be written,
/// otherwise the home folder.
QString userFolder(const QString &appFolder);

}  // namespace InstallLayout
