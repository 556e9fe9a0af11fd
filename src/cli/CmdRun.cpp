#include "CliCommand.h"
#include "CliDriveCommand.h"

namespace {

int runRun(const QStringList &arguments)
{
    return CliDriveCommand::run(QStringLiteral("run"), DriveCommandSender::Kind::Run, arguments);
}

const CliCommand::Registrar registrar("run", "Start the drive: send the RUN command word through FA10 and FA11.",
                                      runRun);

}  // namespace
