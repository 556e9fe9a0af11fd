#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

// A fresh application folder for a test: the sample data "dat" and "lng" copied beside
// an optional settings file.
class TestAppFolder
{
public:
    explicit TestAppFolder(bool withData = true)
    {
        if (withData) {
            copyTree(QStringLiteral(VKR_SAMPLE_DATA "/dat"), path() + QStringLiteral("/dat"));
            copyTree(QStringLiteral(VKR_SAMPLE_DATA "/lng"), path() + QStringLiteral("/lng"));
        }
    }

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.filePath(relative); }
    QString settingsFile() const { return file(QStringLiteral("VKR410T.ini")); }

    void writeFile(const QString &relative, const QByteArray &bytes) const
    {
        const QString p = file(relative);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    void writeSettings(const QByteArray &bytes) const { writeFile(QStringLiteral("VKR410T.ini"), bytes); }
    QByteArray readFile(const QString &relative) const
    {
        QFile f(file(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void copyTree(const QString &from, const QString &to)
    {
        QDir().mkpath(to);
        QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = to + source.mid(from.size());
            if (it.fileInfo().isDir())
                QDir().mkpath(target);
            else
                QFile::copy(source, target);
        }
    }

private:
    QTemporaryDir m_dir;
};
