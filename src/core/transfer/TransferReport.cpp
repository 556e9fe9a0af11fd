#include "TransferReport.h"

#include "base/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int ColumnWidth = 10;

QString padded(const QString &text, int width)
{
    return text.size() < width ? QString(width - text.size(), u' ') + text : text;
}

// Reserves `path` by creating it empty; fails when a file of that name exists already, so
// two saves in the same second never share a file. *taken tells the two failures apart.
bool reserve(const QString &path, bool *taken, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return true;
    *taken = QFileInfo::exists(path);
    if (!*taken && error)
        *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString();
    return false;
}

}  // namespace

QByteArray TransferReport::bytes(CodePage page) const
{
    QString text;
    for (const QString &line : m_lines)
        text += line + QStringLiteral("\r\n");
    return CodePages::encode(text, page);
}

QString TransferReport::columnHeader(const QString &drive, const QString &table, const QString &title)
{
    return QString(6, u' ') + padded(drive, ColumnWidth) + QStringLiteral("  ") + padded(table, ColumnWidth)
        + QStringLiteral("  ") + padded(title, ColumnWidth);
}

QString TransferReport::differenceLine(const QString &title, const QString &driveValue, const QString &tableValue,
                                       const QString &name)
{
    const QString shown = (title.size() == 2 || title.size() == 3) ? padded(title, 4) : title;
    return shown + QStringLiteral(": ") + padded(driveValue, ColumnWidth) + QStringLiteral(" ,")
        + padded(tableValue, ColumnWidth) + QStringLiteral("  (") + name + u')';
}

QString TransferReport::errorLine(const QString &title, const QString &name)
{
    return title + QStringLiteral(": ") + name;
}

bool TransferReport::save(const QString &path, CodePage page, QString *error) const
{
    return AtomicFile::write(path, bytes(page), error);
}

QString TransferReport::automaticName(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_HH'h'mm'm'ss's'")) + QStringLiteral(".txt");
}

bool TransferReport::saveAutomatic(const QString &folder, const QDateTime &when, CodePage page, QString *path,
                                   QString *error) const
{
    const QString name = automaticName(when);
    const QString stem = name.chopped(4);
    QString candidate = QDir(folder).filePath(name);
    bool taken = false;
    for (int n = 1; !reserve(candidate, &taken, error); ++n) {
        if (!taken)
            return false;
        candidate = QDir(folder).filePath(stem + QStringLiteral("-%1.txt").arg(n));
    }
    if (!save(candidate, page, error)) {
        QFile::remove(candidate);
        return false;
    }
    if (path)
        *path = candidate;
    return true;
}
