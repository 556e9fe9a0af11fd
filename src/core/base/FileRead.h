#pragma once

#include <QByteArray>
#include <QString>

// Reading a whole file that came from outside the program: only a regular file is read,
// and only up to a size limit, so a device node, a FIFO or a huge file never blocks the
// reader or fills the memory. The limits are generous for every kind of file the tool reads.
namespace FileRead {

constexpr qint64 KiB = 1024;
constexpr qint64 MiB = 1024 * KiB;
/// Parameter, definition, capacity and start files: a few thousand short lines each.
constexpr qint64 TextLimit = 16 * MiB;
/// Settings, catalogue, Info.ini and language files.
constexpr qint64 IniLimit = 16 * MiB;

/// Reads the file whole into *bytes. False with *error (when given) set to the reason, in
/// the words of the system where it gave one.
bool readAll(const QString &path, qint64 limit, QByteArray *bytes, QString *error = nullptr);

/// The system's text for an errno value.
QString systemReason(int errnoValue);

}  // namespace FileRead
