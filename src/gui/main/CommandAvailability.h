#pragma once

#include <QString>

// Which commands of the main window have their operation in this build. A command without
// one stays visible but disabled, whatever the rules that would enable it say (drive on line,
// table shown): a click on it must never do nothing. When an operation is built, its menu
// item leaves the list in CommandAvailability.cpp; its tool button and the table's pop-up
// twin follow the menu item.
namespace CommandAvailability {

/// `menuItem` is the main menu item's component name ("DownLoad", "PopCopy2").
bool built(const QString &menuItem);

}  // namespace CommandAvailability
