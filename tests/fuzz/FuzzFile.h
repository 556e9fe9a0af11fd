#pragma once

// The readers under fuzzing take a path, so every input is written to a file of its own in
// shared memory first; the file goes when the process ends.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdlib>
#include <unistd.h>

namespace FuzzFile {

/// A folder private to this process, under /dev/shm when it exists.
inline QString folder()
{
    // Held on the heap so it is still there when the exit handler removes the folder.
    static const QString *path = [] {
        const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
        auto *dir = new QString(base + QStringLiteral("/vkr-fuzz-%1").arg(::getpid()));
        QDir().mkpath(*dir);
        std::atexit([] { QDir(folder()).removeRecursively(); });
        return dir;
    }();
    return *path;
}

/// Writes `bytes` to `name` in the folder and returns its path.
inline QString write(const QString &name, const QByteArray &bytes)
{
    const QString path = folder() + QLatin1Char('/') + name;
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

/// An empty file at `relative`, with its folders.
inline void touch(const QString &relative)
{
    const QString path = folder() + QLatin1Char('/') + relative;
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile f(path);
    (void)f.open(QIODevice::WriteOnly);
}

}  // namespace FuzzFile
