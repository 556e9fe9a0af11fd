#include "SingleInstance.h"

#include "AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

QString SingleInstance::defaultFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
}

SingleInstance::Result SingleInstance::acquire(const QString &folder)
{
    const QString dir = folder.isEmpty() ? defaultFolder() : folder;
    m_error.clear();
    m_path = dir + QLatin1Char('/') + QLatin1String(AppFolders::AppName) + QStringLiteral(".lock");
    if (dir.isEmpty()) {
        m_path.clear();
        m_error = QStringLiteral("no runtime or cache folder is known for this user");
        return Result::Unavailable;
    }
    errno = 0;
    if (!QDir().mkpath(dir)) {
        m_error = dir + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno ? errno : EACCES));
        return Result::Unavailable;
    }
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock left by a crashed process is taken over; a live one is never stale.
    m_lock->setStaleLockTime(0);
    errno = 0;
    if (m_lock->tryLock(0))
        return Result::Acquired;
    const int reason = errno;
    switch (m_lock->error()) {
    case QLockFile::LockFailedError:
        return Result::Running;
    case QLockFile::PermissionError:
        m_error = m_path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(EACCES));
        break;
    default:
        m_error = m_path + QStringLiteral(": ")
                  + (reason ? QString::fromLocal8Bit(std::strerror(reason)) : QStringLiteral("cannot be created"));
        break;
    }
    m_lock.reset();
    return Result::Unavailable;
}
