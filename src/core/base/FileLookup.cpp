#include "FileLookup.h"

#include <QDir>
#include <QFileInfo>

namespace FileLookup {

QString normalize(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

namespace {

// Finds `name` in `folder`, exact first, then ignoring case.
QString matchEntry(const QString &folder, const QString &name)
{
    const QString exact = folder + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + entry;
    }
    return QString();
}

}  // namespace

QString resolve(const QString &path)
{
    const QString p = normalize(path);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;
    const bool absolute = p.startsWith(QLatin1Char('/'));
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QString() : QStringLiteral(".");
    for (const QString &part : parts) {
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            current += QLatin1Char('/') + part;
            continue;
        }
        const QString next = matchEntry(current.isEmpty() ? QStringLiteral("/") : current, part);
        if (next.isEmpty())
            return p;
        current = next;
    }
    if (!absolute && current.startsWith(QLatin1String("./")))
        current.remove(0, 2);
    if (absolute && current.startsWith(QLatin1String("//")))
        current.remove(0, 1);
    return current;
}

bool exists(const QString &path)
{
    return QFileInfo::exists(resolve(path));
}

}  // namespace FileLookup
