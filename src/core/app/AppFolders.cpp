#include "AppFolders.h"

#include "InstallLayout.h"
#include "base/FileLookup.h"

QString AppFolders::join(const QString &folder, const QString &relative)
{
    QString rel = FileLookup::normalize(relative);
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    if (rel.isEmpty())
        return folder;
    return folder + QLatin1Char('/') + rel;
}

void AppFolders::setAppFolder(const QString &folder, const QString &dataSetting)
{
    if (folder != appFolder)
        settingsFolder = folder;
    appFolder = folder;
    languageFolder = folder + QStringLiteral("/lng");
    dataFolder = join(folder, dataSetting);
}

QString AppFolders::settingsFile() const
{
    const QString &folder = settingsFolder.isEmpty() ? appFolder : settingsFolder;
    return folder + QLatin1Char('/') + QLatin1String(AppName) + QStringLiteral(".ini");
}

QString AppFolders::userFolder() const
{
    return InstallLayout::userFolder(appFolder);
}

QString AppFolders::catalogFile() const
{
    return FileLookup::resolve(appFolder + QStringLiteral("/dat/Inverter.ini"));
}

QString AppFolders::languageFile(const QString &languageName) const
{
    return FileLookup::resolve(languageFolder + QLatin1Char('/') + languageName + QStringLiteral(".ini"));
}

QString AppFolders::mainHelpFile(const QString &languagePrefix) const
{
    return appFolder + QLatin1Char('/') + QLatin1String(AppName) + QLatin1Char('(') + languagePrefix
        + QStringLiteral(").chm");
}

void AppFolders::setModel(const QString &typeName, const QString &cpuVersion)
{
    setModelIn(dataFolder, typeName, cpuVersion);
}

void AppFolders::setModelIn(const QString &folder, const QString &typeName, const QString &cpuVersion)
{
    setModelFolder(
        FileLookup::resolve(folder + QLatin1Char('/') + typeName + QLatin1Char('(') + cpuVersion + QLatin1Char(')')));
}

void AppFolders::setModelFolder(const QString &folder)
{
    modelFolder = folder;
    infoFile = FileLookup::resolve(modelFolder + QStringLiteral("/Info.ini"));
}
