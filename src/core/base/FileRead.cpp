#include "FileRead.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileRead {

QString systemReason(int errnoValue)
{
    return QString::fromLocal8Bit(std::strerror(errnoValue));
}

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString tooLarge(qint64 limit)
{
    return QStringLiteral("file larger than %1 MB").arg(limit / MiB);
}

// Reads up to limit + 1 bytes: a file that grows while it is read is refused as well.
bool readUpTo(int fd, qint64 limit, QByteArray *bytes, QString *error)
{
    QByteArray data;
    char chunk[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fail(error, systemReason(errno));
        if (n == 0)
            break;
        data.append(chunk, qsizetype(n));
        if (data.size() > limit)
            return fail(error, tooLarge(limit));
    }
    *bytes = data;
    return true;
}

}  // namespace

bool readAll(const QString &path, qint64 limit, QByteArray *bytes, QString *error)
{
    if (path.isEmpty())
        return fail(error, systemReason(ENOENT));
    // Non-blocking, so that opening a FIFO without a writer returns at once; the type check
    // below then refuses it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, systemReason(errno));
    struct stat st {};
    bool ok = false;
    if (::fstat(fd, &st) != 0)
        fail(error, systemReason(errno));
    else if (!S_ISREG(st.st_mode))
        fail(error, QStringLiteral("not a regular file"));
    else if (st.st_size > limit)
        fail(error, tooLarge(limit));
    else
        ok = readUpTo(fd, limit, bytes, error);
    ::close(fd);
    return ok;
}

}  // namespace FileRead
