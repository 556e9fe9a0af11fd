#include "AtomicFile.h"

#include "FileRead.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// Only a regular file is ever replaced: renaming over a device node or a FIFO would take
// its name away from whatever else uses it.
bool targetIsReplaceable(const QString &path, QString *error)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT || fail(error, FileRead::systemReason(errno));
    return S_ISREG(st.st_mode) || fail(error, QStringLiteral("not a regular file"));
}

// QSaveFile keeps up to 16 KB in its own buffer and commit() can report success although
// writing that buffer out failed (a full disk). Flushing and syncing first sees the error.
bool writeOut(QSaveFile &file, const QByteArray &contents, QString *error)
{
    if (file.write(contents) != contents.size() || !file.flush())
        return fail(error, file.errorString());
    if (::fsync(file.handle()) != 0)
        return fail(error, FileRead::systemReason(errno));
    return true;
}

}  // namespace

bool write(const QString &path, const QByteArray &contents, QString *error)
{
    if (!targetIsReplaceable(path, error))
        return false;
    QSaveFile file(path);
    // Renaming over a file in a read-only folder is impossible; writing in place would
    // lose the atomicity, so refuse instead.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(error, file.errorString());
    if (!writeOut(file, contents, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

}  // namespace AtomicFile
