#include "SingleInstance.h"

#include "AppFolders.h"

#include <QDir>
#include <QStandardPaths>

bool SingleInstance::acquire(const QString &folder)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_lock = std::make_unique<QLockFile>(dir + QLatin1Char('/') + QLatin1String(AppFolders::AppName)
                                         + QStringLiteral(".lock"));
    // A lock left by a crashed process is taken over; a live one is never stale.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}
