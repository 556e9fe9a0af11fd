#pragma once

#include <QString>

// Help files (compiled HTML or WinHelp) open in the desktop's default viewer for their type.
namespace HelpViewer {
/// False when the file does not exist or no viewer took it.
bool open(const QString &path);
}
