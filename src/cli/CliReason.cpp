#include "CliReason.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace CliReason {

QString ofError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

namespace {

// Empty when `path` exists, is of the wanted kind and grants `access`.
QString check(const QString &path, mode_t kind, const QString &otherKind, int access)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty())
        return ofError(ENOENT);
    if (::stat(name.constData(), &st) != 0)
        return ofError(errno);
    if ((st.st_mode & S_IFMT) != kind)
        return otherKind;
    if (::access(name.constData(), access) != 0)
        return ofError(errno);
    return {};
}

}  // namespace

QString ofFile(const QString &path)
{
    return check(path, S_IFREG, QStringLiteral("not a regular file"), R_OK);
}

QString ofFolder(const QString &path)
{
    return check(path, S_IFDIR, ofError(ENOTDIR), R_OK | X_OK);
}

}  // namespace CliReason
