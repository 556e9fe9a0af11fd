#include "CliSettingsFile.h"

#include "app/AppFolders.h"
#include "app/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace CliSettingsFile {

namespace {

QString appFolder()
{
    const QString exeFolder = QCoreApplication::applicationDirPath();
    return InstallLayout::appFolder({QDir::currentPath(), exeFolder}, exeFolder);
}

}  // namespace

QString defaultPath()
{
    return QDir(InstallLayout::settingsFolder(appFolder()))
        .filePath(QLatin1String(AppFolders::AppName) + QStringLiteral(".ini"));
}

QString languageFolder(const QString &settingsFile)
{
    const QString beside = QFileInfo(settingsFile).absolutePath() + QStringLiteral("/lng");
    return QFileInfo(beside).isDir() ? beside : appFolder() + QStringLiteral("/lng");
}

QString defaultHelp()
{
    return QStringLiteral("default: the one the windows use, VKR410T.ini in the current folder, else beside the "
                          "tool's data; in $XDG_CONFIG_HOME/vkr410t when that folder is read-only");
}

}  // namespace CliSettingsFile
