#include "CliCommand.h"
#include "CliDriveCommand.h"

namespace {

int runStop(const QStringList &arguments)
{
    return CliDriveCommand::run(QStringLiteral("stop"), DriveCommandSender::Kind::Stop, arguments);
}

const CliCommand::Registrar registrar("stop", "Stop the drive: send the STOP command word through FA10 and FA11.",
                                      runStop);

}  // namespace
