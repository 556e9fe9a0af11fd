#include "InstallLayout.h"

#include "AppFolders.h"
#include "base/FileLookup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>


namespace {

bool writable(const QString &folder)
{
    // access() asks the kernel, so a read-only mount counts as well as the permission bits.
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

bool isFolder(const QString &path)
{
    return QFileInfo(FileLookup::resolve(path)).isDir();
}

}  // namespace

namespace InstallLayout {

QString sharedFolder(const QString &exeFolder)
{
    return QDir::cleanPath(exeFolder + QLatin1Char('/') + QStringLiteral(VKR_SHARED_FROM_BIN));
}

bool isPrepared(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const QString settings = folder + QLatin1Char('/') + QLatin1String(AppFolders::AppName) + QStringLiteral(".ini");
    return isFolder(folder + QStringLiteral("/dat")) || isFolder(folder + QStringLiteral("/lng"))
        || QFileInfo(FileLookup::resolve(settings)).isFile();
}

QString appFolder(const QStringList &candidates, const QString &exeFolder)
{
    for (const QString &folder : candidates) {
        if (isPrepared(folder))
            return folder;
    }
    const QString shared = sharedFolder(exeFolder);
    if (!exeFolder.isEmpty() && isPrepared(shared))
        return shared;
    return candidates.isEmpty() ? QString() : candidates.first();
}

QString dataFolder(const QString &exeFolder)
{
    for (const QString &root : {exeFolder, sharedFolder(exeFolder)}) {
        const QString dat = FileLookup::resolve(root + QStringLiteral("/dat"));
        if (!exeFolder.isEmpty() && QFileInfo(dat).isDir())
            return dat;
    }
    return {};
}

QString settingsFolder(const QString &appFolder)
{
    if (writable(appFolder))
        return appFolder;
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vkr410t");
    QDir().mkpath(folder);
    return folder;
}

QString userFolder(const QString &appFolder)
{
    return writable(appFolder) ? appFolder : QDir::homePath();
}

}  // namespace InstallLayout
