#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// A zip archive of named files, built in memory with libarchive and written in one atomic
// replace, so a failed write never leaves a partial archive behind.
namespace ZipArchive {

struct Entry {
    QString name;  // path inside the archive, "/" separated
    QByteArray bytes;
};

/// The archive's bytes (deflate, UTF-8 names, regular files of mode 0644 dated `when`), or
/// nothing with *error set.
std::optional<QByteArray> build(const QList<Entry> &entries, const QDateTime &when, QString *error = nullptr);

/// Builds the archive and writes it to `path` through a temporary file and a rename. False
/// with *error set when it could not be built or written; nothing is left at `path` then
/// (or the file that was there stays as it was).
bool write(const QString &path, const QList<Entry> &entries, const QDateTime &when, QString *error = nullptr);

}  // namespace ZipArchive
