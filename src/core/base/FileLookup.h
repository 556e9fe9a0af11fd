#pragma once

#include <QString>

// The drive data were written on a system whose file names ignore case; on Linux every
// lookup of a data file or model folder by name goes through here.
namespace FileLookup {

/// Returns the existing path whose components equal those of `path` ignoring case
/// (an exact match is preferred), or `path` itself when no such path exists.
/// Both "/" and "\" separate components.
QString resolve(const QString &path);

/// True when resolve(path) names an existing file or folder.
bool exists(const QString &path);

/// Turns "\" separators into "/".
QString normalize(const QString &path);

}  // namespace FileLookup
