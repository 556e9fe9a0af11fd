#pragma once

#include <QByteArray>
#include <QString>

// Whole-file writes go through a temporary file and an atomic rename, so a failed or
// interrupted save leaves the previous file as it was.
namespace AtomicFile {

/// Returns false and fills *error (when given) with the reason if the file could not be
/// written; the previous file then stays as it was. A target that exists and is not a
/// regular file (a device node, a FIFO, a folder) is never replaced.
bool write(const QString &path, const QByteArray &contents, QString *error = nullptr);

}  // namespace AtomicFile
