#pragma once

#include "monitor/DriveCommandSender.h"

#include <QStringList>

// vkr run and vkr stop: one RUN or STOP command word to the drive through FA10 and FA11.
namespace CliDriveCommand {

/// Parses the command line of `name`, checks that the drive can take the command and sends
/// it. Returns an ExitCode.
int run(const QString &name, DriveCommandSender::Kind kind, const QStringList &arguments);

}  // namespace CliDriveCommand
