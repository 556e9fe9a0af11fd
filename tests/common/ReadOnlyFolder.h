#pragma once

#include <QFile>
#include <QString>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

// Makes an existing folder read-only for the test process: a read-only bind mount over it
// when the process may mount (root ignores permission bits), else its write bits removed.
// Undone at the end.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path) : m_path(QFile::encodeName(path))
    {
        const char *p = m_path.constData();
        if (::mount(p, p, nullptr, MS_BIND, nullptr) == 0) {
            if (::mount(nullptr, p, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0)
                m_mounted = true;
            else
                ::umount2(p, MNT_DETACH);
        }
        if (!m_mounted && ::geteuid() != 0 && ::chmod(p, 0555) == 0)
            m_chmodded = true;
    }
    ~ReadOnlyFolder()
    {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
        if (m_chmodded)
            ::chmod(m_path.constData(), 0755);
    }
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    /// False when the folder could not be made read-only (root without mount rights).
    bool active() const { return m_mounted || m_chmodded; }

private:
    QByteArray m_path;
    bool m_mounted = false;
    bool m_chmodded = false;
};
