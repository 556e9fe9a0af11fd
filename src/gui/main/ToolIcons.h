#pragma once

#include <QIcon>

// The pictures of the tool buttons, drawn rather than shipped as files.
namespace ToolIcons {

/// The icon of a tool button by its component name.
QIcon icon(const QString &component);
/// The three pictures of the on-line indicator: 0 off line, 1 on line, 2 line error.
QIcon lineIcon(int image);

}  // namespace ToolIcons
