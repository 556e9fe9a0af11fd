#pragma once

#include <QString>

// Why a path named on the command line cannot be used, in the system's words (strerror), so
// that a message names the file and the reason.
namespace CliReason {

/// The system's text for an errno value.
QString ofError(int error);
/// Empty when `path` is a regular file that can be read; else why not.
QString ofFile(const QString &path);
/// Empty when `path` is a folder that can be listed; else why not.
QString ofFolder(const QString &path);

}  // namespace CliReason
