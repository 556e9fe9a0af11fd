#pragma once

#include <QByteArray>
#include <QString>

// Whole-file writes go through a temporary file and an atomic rename, so a failed or
// interrupted save leaves the previous file as it was.
namespace AtomicFile {

/// Returns false and fills *error (when given) if the file could not be written.
bool write(const QString &path, const QByteArray &contents, QString *error = nullptr);

}  // namespace AtomicFile
