#include "ContinuousTable.h"

#include "base/FileRead.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Pushes what was written to the disk. Files that cannot be synced (a pipe, some network
// mounts) count as written once the system took the bytes.
int syncData(int fd)
{
    if (::fdatasync(fd) == 0 || errno == EINVAL || errno == EROFS)
        return 0;
    return errno;
}

}  // namespace

ContinuousTable::~ContinuousTable()
{
    close();
}

bool ContinuousTable::fail(int errnoValue)
{
    m_error = FileRead::systemReason(errnoValue);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    return false;
}

bool ContinuousTable::create(const QString &path, const MonitorTableFile::ContinuousHead &head, bool decimalComma,
                             CodePage page)
{
    close();
    m_path = path;
    m_error.clear();
    m_decimalComma = decimalComma;
    m_lines = 0;
    if (!MonitorTableFile::WriteContinuousHead(path, head, decimalComma, page, &m_error))
        return false;
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    return m_fd >= 0 || fail(errno);
}

bool ContinuousTable::append(qint64 elapsedMs, const std::array<double, MonitorTableFile::Channels> &values)
{
    if (m_fd < 0) {
        if (m_error.isEmpty())
            m_error = FileRead::systemReason(EBADF);
        return false;
    }
    if (!MonitorTableFile::AppendWhole(m_fd, MonitorTableFile::continuousLine(elapsedMs, values, m_decimalComma),
                                       &m_error)) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    if (const int failure = syncData(m_fd); failure != 0)
        return fail(failure);
    ++m_lines;
    return true;
}

bool ContinuousTable::close()
{
    if (m_fd < 0)
        return m_error.isEmpty();
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        m_error = FileRead::systemReason(errno);
        return false;
    }
    return true;
}
