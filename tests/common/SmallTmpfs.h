#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <sys/mount.h>

// A 16 KB tmpfs mounted on a fresh folder, so a write can meet a full disk for real. Mounting
// needs root; tests skip when it is not permitted.
class SmallTmpfs
{
public:
    SmallTmpfs()
    {
        m_mounted = m_dir.isValid()
            && ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, "size=16k") == 0;
    }
    ~SmallTmpfs()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;

    bool mounted() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    /// Takes every free block with a filler file.
    void fill() const
    {
        QFile filler(filePath(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) > 0) {
        }
    }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
